// Character-set tables of the preprocessor: the 95 Oracle sets, the lower-casing map of the
// chosen set, and the fixed identifier tables of the lexer.
#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>

// Set name (upper case, matched exactly) -> letters / identifier characters / case pairs
// (upper byte, lower byte).
struct charsetmaps {
    std::map<std::string, std::string> letters;
    std::map<std::string, std::string> identchars;
    std::map<std::string, std::string> casepairs;
};
extern charsetmaps charsettable;

// Byte b lower-cases to map[b]; before a set is chosen every byte stays as it is.
struct casemap {
    casemap();
    unsigned char operator[](unsigned char b) const { return map[b]; }
    std::array<unsigned char, 256> map;
};

// Which bytes start an identifier, and which continue one; independent of the set.
extern bool identifierstart[256];
extern bool identifierpart[256];

// Fills the three maps with the 95 sets.
void buildcharsettable();

// Builds lowercase from the named set's case pairs. An unknown name returns false and leaves
// lowercase as it was.
bool choosecharset(const std::string& name, casemap& lowercase);

// A copy of the text with every byte lower-cased through lowercase.
std::string charsetlower(const casemap& lowercase, std::string_view text);

// Fills identifierstart and identifierpart.
void buildidentifiertables();
