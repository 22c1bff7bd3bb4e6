// Option parsing: the option strings of a call become the include paths, preload files,
// character-set name, -D macros and the five boolean switches of the call state; also the
// usage text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "charsettables.h"
#include "cpperrors.h"
#include "cpptokens.h"

struct macrostate;
struct preprocessstate;

extern const std::string_view usagetext;

// Fills the option state from args (element 0 stands for a program name and is skipped).
// Lists, macros and warnings start empty; the boolean switches keep earlier values. Then
// selects the character set and defines the -D macros, whose names it lower-cases. Errors
// are preprocessing errors whose text is the message alone.
void parseoptions(preprocessstate& state, const std::vector<std::string>& args);
// The argument at index, advancing index; raises message when there is none.
std::string nextargument(size_t& index, const std::vector<std::string>& args, const std::string& message);
// The same, with one trailing path separator dropped (a lone separator stays).
std::string nextpathargument(size_t& index, const std::vector<std::string>& args, const std::string& message);
// Defines the macro of a -D value: "name=body" or "name". The body is kept in kept.
void defineoptionmacro(macrostate& macros, textstore& kept, const casemap& lowercase, errorreporter errors,
                       const std::string& value);
