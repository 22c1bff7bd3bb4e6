// Word lookups without copies: a hashed set of words looked up by a text or by its ASCII lower
// case (the form the word tables are written in), and a text's lower case on the stack.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Whether text is exactly the literal: a compare the compiler keeps inline, where the
// library's operator may call out for a byte or two.
template <size_t N>
inline bool istext(std::string_view text, const char (&literal)[N]) {
    return text.size() == N - 1 && std::memcmp(text.data(), literal, N - 1) == 0;
}

// Whether text is the lower-case word in any ASCII case.
bool isword(std::string_view text, std::string_view lowerword);

// A hash of a word from its length and a few of its bytes; with lower, of its ASCII lower case.
uint64_t hashword(std::string_view word, bool lower = false);

// The hash for standard containers of words, looked up by any text without a copy.
struct wordhash {
    using is_transparent = void;
    size_t operator()(std::string_view word) const noexcept { return static_cast<size_t>(hashword(word)); }
};

// The ASCII lower case of a text (A-Z only), kept on the stack when it is short.
class lowered {
public:
    explicit lowered(std::string_view text);
    lowered(const lowered&) = delete;
    lowered& operator=(const lowered&) = delete;
    std::string_view view() const { return text; }

private:
    char buffer[32];
    std::unique_ptr<char[]> longer;
    std::string_view text;
};

// Words with a number each (1 when none is given).
class wordset {
public:
    void insert(std::string word, int32_t value = 1);
    void clear();
    size_t size() const { return words.size(); }
    size_t count(std::string_view word) const { return find(word, hashword(word), false) ? 1 : 0; }
    // Whether the set holds the word lower-cased byte by byte (A-Z only).
    bool containslowered(std::string_view word) const { return find(word, hashword(word, true), true) != 0; }
    // The number of the word lower-cased; 0 when the set does not hold it.
    int32_t valueoflowered(std::string_view word) const { return find(word, hashword(word, true), true); }

private:
    int32_t find(std::string_view word, uint64_t hash, bool lower) const;
    void grow();
    // Open addressing: a slot holds an index into words plus one, 0 when empty.
    std::vector<std::string> words;
    std::vector<int32_t> values;
    std::vector<uint32_t> slots;
};
