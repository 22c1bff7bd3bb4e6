// The prefix comparison of option parsing.
#include "translationfiles.h"

bool hasprefix(std::string_view text, std::string_view prefix) {
    return prefix.size() <= text.size() && text.substr(0, prefix.size()) == prefix;
}
