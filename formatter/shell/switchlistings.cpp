// Switch listings and usage text: stand-ins with empty bodies until the listings land.

#include "switchlistings.h"

void buildhelptable() {}  // builds nothing yet

void printusage() {}  // prints the usage text to standard output

std::string printswitches(const settings&, int) { return {}; }  // prints the switch text

std::string annotateswitches(const std::vector<std::string>&, int) { return {}; }  // prints annotated pieces

std::string quotestring(std::string_view text) {
    std::string quoted;
    for (char c : text) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted;
}
