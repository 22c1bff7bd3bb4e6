// Text-position routines of the directive reader: each works on a raw text and a byte
// position that it advances.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "cpperrors.h"

// Blanks, tabs and block comments; a backslash directly before a line feed (not the feed).
void skiplineblanks(errorreporter errors, size_t& position, std::string_view text);
// Moves past a block comment standing at the position and answers true; raises
// "closing */ not found" at the "/*" when it has no end.
bool skipcomment(errorreporter errors, size_t& position, std::string_view text);
// One of A-Z, a-z, "_", then any of A-Z, a-z, 0-9, "_"; empty when the first byte does not qualify.
std::string scanidentifier(size_t& position, std::string_view text);
// One byte for which first holds, then any bytes for which rest holds; empty when none.
std::string scanrun(size_t& position, std::string_view text, bool (*first)(char), bool (*rest)(char));
