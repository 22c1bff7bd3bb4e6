// The token scanner: at a position of a text, the kind and extent of the next token, as the
// tokenizer's alternation of token kinds defines them, found with byte loops.
#pragma once

#include <array>
#include <map>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct scannedtoken {
    int32_t kind = 0;
    size_t end = 0;   // one past the token; a q-quote (kind 4) ends after its delimiter
};

class tokenscanner {
public:
    // Identifiers start with one of letters and go on with identchars.
    tokenscanner(std::string_view letters, std::string_view identchars);

    // The token at pos (pos < text.size()). The alternatives are tried in the order the
    // kinds are listed: comment, quoted name, string literal, q-quote, block comment,
    // q-quote opener, identifier, blanks, lone quotes and comment marks, number, operator.
    scannedtoken scan(std::string_view text, size_t pos) const;

private:
    size_t identifierend(std::string_view text, size_t pos) const;
    std::array<bool, 256> letter{};
    std::array<bool, 256> identchar{};
};

// The keyword class map for the tokenizer's lookups: words by length, compared after the
// ASCII lower-casing that the map's keys are written in.
class keywordindex {
public:
    void build(const std::map<std::string, int32_t>& classes);
    // The class of the word lower-cased; 0 when it has none.
    int32_t find(std::string_view word) const;

private:
    static constexpr size_t longest = 15;
    struct entry {
        std::string word;
        int32_t code;
    };
    std::array<std::vector<entry>, longest + 1> bylength;
    const std::map<std::string, int32_t>* longer = nullptr;   // for longer words
};
