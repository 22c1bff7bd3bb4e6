// The help table: one help line per switch, grouped in sections, in the order of the
// usage text, and the map from switch key to help line.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

struct helprecord {
    std::string section;
    std::string key;
    std::string line;
};

extern std::vector<helprecord> helptable;            // in order; a line added twice stands twice
extern std::map<std::string, helprecord> helpbykey;  // a later line with the same key wins

// Fills both containers from scratch with the 161 help lines.
void buildhelptable();

// Appends one line; an empty key is derived from the line (switchkey).
void addhelpline(const std::string& section, const std::string& key, const std::string& line);

// The switch key of a text: after leading blanks a "-" must follow (else die with
// missingswitch), then the run of letters a-z and "." that comes after it.
std::string switchkey(std::string_view text, const std::string& missingswitch);
