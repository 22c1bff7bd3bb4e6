// The token scanner: at a position of a text, the kind and extent of the next token, as the
// tokenizer's alternation of token kinds defines them, found with byte loops.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

// Where the two bytes a, b first stand together at or after from; npos when nowhere. A free
// function taking the text in registers: a member find would keep the caller's text in memory.
inline size_t findbytepair(std::string_view text, char a, char b, size_t from) {
    const char* data = text.data();
    const size_t size = text.size();
    while (from + 1 < size) {
        const void* found = std::memchr(data + from, a, size - from - 1);
        if (!found) break;
        from = static_cast<size_t>(static_cast<const char*>(found) - data);
        if (data[from + 1] == b) return from;
        ++from;
    }
    return std::string_view::npos;
}

// Where byte c first stands at or after from; npos when nowhere.
inline size_t findbyte(std::string_view text, char c, size_t from) {
    if (from >= text.size()) return std::string_view::npos;
    const void* found = std::memchr(text.data() + from, c, text.size() - from);
    return found ? static_cast<size_t>(static_cast<const char*>(found) - text.data()) : std::string_view::npos;
}

struct scannedtoken {
    int32_t kind = 0;
    size_t end = 0;  // one past the token; a q-quote (kind 4) ends after its delimiter
};

class tokenscanner {
public:
    // Identifiers start with one of letters and go on with identchars.
    tokenscanner(std::string_view letters, std::string_view identchars);

    // The token at pos (pos < text.size()). The alternatives are tried in the order the
    // kinds are listed: comment, quoted name, string literal, q-quote, block comment,
    // q-quote opener, directive, identifier, blanks, lone quotes and comment marks, number,
    // operator. A q-quote opens with q', Q', nq', nQ', Nq' or NQ'.
    scannedtoken scan(std::string_view text, size_t pos) const;
    // Whether an identifier can hold a CR or LF (a character set that counts them as letters).
    bool namesholdbreaks() const { return identchar['\r'] || identchar['\n'] || letter['\r'] || letter['\n']; }

private:
    size_t identifierend(std::string_view text, size_t pos) const;
    size_t directiveend(std::string_view text, size_t pos) const;
    size_t numberend(std::string_view text, size_t pos) const;
    std::array<bool, 256> letter{};
    std::array<bool, 256> identchar{};
};
