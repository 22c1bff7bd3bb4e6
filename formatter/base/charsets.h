// Oracle character sets: each set's letters, identifier characters and case pairs, and case
// conversion through the set made current for the file being formatted.
#pragma once

#include <map>
#include <string>
#include <string_view>

// Set name (upper case) -> letters / identifier characters / case pairs (upper byte, lower byte).
extern std::map<std::string, std::string> charsetlettersmap;
extern std::map<std::string, std::string> charsetidentmap;
extern std::map<std::string, std::string> charsetcasepairsmap;

// The current set: its letters and identifier characters, and each byte's lower-case and
// upper-case partner (the byte itself when it has none).
extern std::string charsetletters;
extern std::string charsetidentchars;
extern unsigned char lowercasetable[256];
extern unsigned char uppercasetable[256];

// Fills the three maps with the 95 sets.
void buildcharsettables();

// Makes the named set current. An unknown name gives empty letters and identifier characters
// and identity case tables, and stays unknown.
void selectcharset(const std::string& name);

// Copies of the text converted byte by byte through the current set's case tables.
std::string charsetlc(std::string_view text);
std::string charsetuc(std::string_view text);

// Whether the name is one of the sets in the maps (looks up only).
bool charsetexists(const std::string& name);

// Whether the named set changes the case of some byte above 127.
bool charsetcaseshighbytes(const std::string& name);
// With keep, the sets selected from now on leave the case of every byte above 127 alone:
// for UTF-8 text, whose bytes a single-byte set would take for letters of its own.
void keephighbytecase(bool keep);
// True when the text holds a multi-byte UTF-8 character and every byte above 127 belongs
// to one.
bool isutf8text(std::string_view text);
