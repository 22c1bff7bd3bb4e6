// Word sets: lookups of a word's lower case lower-case it on the stack when it is short.
#include "wordset.h"

#include "support.h"

bool isword(std::string_view text, std::string_view lowerword) {
    if (text.size() != lowerword.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
        if (c != lowerword[i]) return false;
    }
    return true;
}

bool wordset::containslowered(std::string_view word) const {
    char lowered[64];
    if (word.size() > sizeof lowered) return count(lc(word)) != 0;
    for (size_t i = 0; i < word.size(); ++i) {
        char c = word[i];
        lowered[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
    }
    return count(std::string_view(lowered, word.size())) != 0;
}
