// Oracle character sets: each set's letters, identifier characters and case pairs, and the
// set a text is formatted under, with case conversion through it.
#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>

// Set name (upper case) -> letters / identifier characters / case pairs (upper byte, lower byte).
// Filled once, before the first look-up; only read from then on.
extern std::map<std::string, std::string> charsetlettersmap;
extern std::map<std::string, std::string> charsetidentmap;
extern std::map<std::string, std::string> charsetcasepairsmap;

// Fills the three maps with the 95 sets, the first time only: later calls, from any thread,
// find them filled. The look-ups below call it themselves.
void buildcharsettables();

// The character set of one text: its letters and identifier characters, and each byte's
// lower-case and upper-case partner (the byte itself when it has none). A value: each text
// holds its own, so texts under different sets can be formatted at the same time.
class charset {
public:
    // No set: no letters, and case conversion leaves every byte alone.
    charset();
    // The named set of the maps; an unknown name gives no set. With keephighbytecase the
    // case of every byte above 127 stays: for UTF-8 text, whose bytes a single-byte set
    // would take for letters of its own.
    explicit charset(const std::string& name, bool keephighbytecase = false);
    // A set of the given bytes. Pairs apply in order: a later pair naming the same byte wins.
    charset(std::string letters, std::string identchars, std::string_view casepairs, bool keephighbytecase = false);

    const std::string& letters() const { return letterbytes; }
    const std::string& identchars() const { return identbytes; }
    unsigned char lower(unsigned char byte) const { return lowercase[byte]; }
    unsigned char upper(unsigned char byte) const { return uppercase[byte]; }
    // Copies of the text converted byte by byte.
    std::string lc(std::string_view text) const;
    std::string uc(std::string_view text) const;

private:
    std::string letterbytes;
    std::string identbytes;
    std::array<unsigned char, 256> lowercase;
    std::array<unsigned char, 256> uppercase;
};

// Whether the name is one of the sets in the maps (looks up only).
bool charsetexists(const std::string& name);

// Whether the named set changes the case of some byte above 127.
bool charsetcaseshighbytes(const std::string& name);
// True when the text holds a multi-byte UTF-8 character and every byte above 127 belongs
// to one.
bool isutf8text(std::string_view text);
