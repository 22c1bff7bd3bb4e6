// Checks of UTF-8 text: well-formed sequences only (no overlong forms, no surrogates,
// nothing above U+10FFFF).
#pragma once

#include <cstddef>
#include <string_view>

// The length of the well-formed sequence that starts at text[at], else 0.
size_t utf8sequencelength(std::string_view text, size_t at);
bool wellformedutf8(std::string_view text);
