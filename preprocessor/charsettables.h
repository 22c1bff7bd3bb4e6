// Character-set tables of the preprocessor: the 95 Oracle sets, the lower-casing map of the
// chosen set, and the fixed identifier tables of the lexer.
#pragma once

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

// Byte b lower-cases to lowercasemap[b].
extern unsigned char lowercasemap[256];

// Which bytes start an identifier, and which continue one; independent of the set.
extern bool identifierstart[256];
extern bool identifierpart[256];

// Fills the three maps with the 95 sets.
void buildcharsettable();

// Builds lowercasemap from the named set's case pairs. An unknown name returns false and leaves
// lowercasemap as it was.
bool choosecharset(const std::string& name);

// A copy of the text with every byte lower-cased through lowercasemap.
std::string charsetlower(std::string_view text);

// Fills identifierstart and identifierpart.
void buildidentifiertables();
