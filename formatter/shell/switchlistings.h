// Switch listings and usage text: stand-ins with empty bodies until the listings land.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct settings;

// Builds the help table of section, switch and line records.
void buildhelptable();
// Prints the usage line, the logo line and the help table to standard output.
void printusage();
// Returns the switches in effect as command-line text, annotated with help lines or not.
std::string printswitches(const settings& s, int annotated);
// Returns each switch piece on its own line followed by its help line.
std::string annotateswitches(const std::vector<std::string>& pieces, int extra);
// The text with every double quote doubled, as the switch text writes quoted values.
std::string quotestring(std::string_view text);
