// Directive processing: the lexer hands every "#" of active text here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "cpptokens.h"

// Reads and carries out the directive after the "#" at position (which stands just after it),
// appending any result tokens to output. level is negative when the lexer calls; active tells
// whether the directive stands in an active section. Returns the lower-cased directive name,
// or an empty text when there was none.
std::string processdirective(int level, bool active, tokenlist& output, size_t& position, std::string_view text);
