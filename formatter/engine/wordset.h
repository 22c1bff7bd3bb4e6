// A set of words looked up without copies: by the text itself, or by its ASCII lower case
// (the form the word tables are written in).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

// Whether text is the lower-case word in any ASCII case.
bool isword(std::string_view text, std::string_view lowerword);

class wordset {
public:
    void insert(std::string word) { words.insert(std::move(word)); }
    void clear() { words.clear(); }
    size_t size() const { return words.size(); }
    size_t count(std::string_view word) const { return words.find(word) != words.end() ? 1 : 0; }
    // Whether the set holds the word lower-cased byte by byte (A-Z only).
    bool containslowered(std::string_view word) const;

private:
    struct texthash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
    };
    std::unordered_set<std::string, texthash, std::equal_to<>> words;
};
