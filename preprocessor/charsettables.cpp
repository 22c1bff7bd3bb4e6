// Character-set tables of the preprocessor: the 95 Oracle sets (its own copy), lower-casing
// through the chosen one, and the identifier tables of the lexer.
#include "charsettables.h"

#include "oraclecharsets.inc"

charsetmaps charsettable;
bool identifierstart[256];
bool identifierpart[256];

namespace {

void setidentity(std::array<unsigned char, 256>& table) {
    for (int b = 0; b < 256; ++b) table[b] = static_cast<unsigned char>(b);
}

// Bytes above 0x7F that can stand in an identifier: 80-C1, C3-C6, C9, CB-D1 and D7-FF.
bool isnationalidentifierbyte(unsigned char b) {
    return b >= 0x80 && b != 0xC2 && b != 0xC7 && b != 0xC8 && b != 0xCA && !(b >= 0xD2 && b <= 0xD6);
}

}  // namespace

casemap::casemap() { setidentity(map); }

void buildcharsettable() {
    for (const oraclecharset& set : oraclecharsets) {
        std::string name(set.name);
        charsettable.letters[name] = set.letters;
        charsettable.identchars[name] = set.identchars;
        charsettable.casepairs[name] = set.casepairs;
    }
}

bool choosecharset(const std::string& name, casemap& lowercase) {
    if (!charsettable.letters.count(name) || !charsettable.identchars.count(name)) return false;
    auto pairs = charsettable.casepairs.find(name);
    if (pairs == charsettable.casepairs.end()) return false;
    setidentity(lowercase.map);
    // Pairs apply in order: a later pair naming the same byte wins.
    const std::string& text = pairs->second;
    for (size_t i = 0; i + 1 < text.size(); i += 2)
        lowercase.map[static_cast<unsigned char>(text[i])] = static_cast<unsigned char>(text[i + 1]);
    return true;
}

std::string charsetlower(const casemap& lowercase, std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(lowercase[static_cast<unsigned char>(c)]);
    return result;
}

void buildidentifiertables() {
    for (int b = 0; b < 256; ++b) {
        auto byte = static_cast<unsigned char>(b);
        bool letter = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
        identifierstart[b] = letter || b == '_' || isnationalidentifierbyte(byte);
        identifierpart[b] = identifierstart[b] || (b >= '0' && b <= '9') || b == '#' || b == '$';
    }
}
