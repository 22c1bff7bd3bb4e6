// The prefix comparison of option parsing.
#pragma once

#include <string_view>

// True when prefix is not longer than text and text begins with it, byte for byte.
bool hasprefix(std::string_view text, std::string_view prefix);
