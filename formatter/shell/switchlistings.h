// Switch listings: the usage text of -h, the switches in effect written as a command line
// (plain, or one per line with its help line) and the switches explained in sentences.
#pragma once

#include "helptable.h"
#include "messages.h"
#include "settings.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// Writes the usage line, the logo line and the help table to standard output.
void printusage();

// The switches of s as settings text: every piece on one line (annotated 0), or one piece
// a line followed by "-- " and its help line (annotated 1).
std::string printswitches(const settings& s, int annotated);
// The pieces printswitches writes, each "-" NAME [VALUE] and one blank.
std::vector<std::string> switchpieces(const settings& s);
// Each piece padded to the longest one (plus extra blanks), then "-- " and its help line.
std::string annotateswitches(const std::vector<std::string>& pieces, int extra);
// The help key of a piece: the letters a-z and "." after its "-".
std::string switchnamefromtext(std::string_view piece);
// "-- ", the help line of the key with its description moved to the sixteenth column, "\n".
std::string helplinefor(const std::string& name);

// The text to put between double quotes so that the settings-text splitter reads it back:
// a double quote is doubled, or written \" after a backslash.
std::string quotestring(std::string_view text);

// The -ifs ... -ei pieces of one level of the keyword tree and everything below it.
std::vector<std::string> ifstreetext(const std::map<std::string, ifsnode>& level, const settings& s,
                                     const std::string& prefix);
// The pieces of the switches recorded in one -ifs block.
std::vector<std::string> ifsblockswitchtext(const settings& s, int32_t block);

// Explains the switches of s in sentences, for the given input and output names.
void explainswitches(messagestream& messages, const settings& s, const std::string& inputname,
                     const std::string& outputname);
