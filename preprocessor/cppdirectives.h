// Directive processing: the lexer hands every "#" of active text here, and the skipping of
// an inactive section hands it every "#" it meets.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "cpperrors.h"
#include "cppoutput.h"
#include "cpptokens.h"

struct ifcondrec;
struct preprocessstate;

// Reads and carries out the directive after the "#" at position (which stands just after it),
// appending any result tokens to output. level is negative when the lexer calls, and the #if
// stack count at the start of the skip when skipsection calls; active tells whether the
// directive stands in an active section. Returns the lower-cased directive name, or an empty
// text when there was none or when a skip in progress goes on.
std::string processdirective(preprocessstate& state, int level, bool active, tokenoutput& output, size_t& position,
                             std::string_view text);

// Skips the inactive section that starts at position, just after a false conditional; returns
// with position after the #elif, #else or #endif that ends the skip. output is the list that
// the debug dump shows when the section has no end.
void skipsection(preprocessstate& state, size_t& position, const tokenoutput& output, std::string_view text);

// Starts a top-level text: no conditional or include is open, no #line directive is in force,
// and the previous token was no blank.
void starttopleveltext(preprocessstate& state);
// Raises "#endif not found" when a conditional is still open at the end of a text.
void checkconditionalsclosed(const std::vector<ifcondrec>& ifstack, errorreporter errors, const tokenoutput& output,
                             std::string_view text);
