// Conditional switch blocks (-ifs KEYWORDS ... -ei): the -ifs handler that opens a block
// in the keyword tree, and the compact difference of two switch texts behind -swc.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct settings;

// Opens a block for the statement start spelled by the keywords of text; "" on success,
// else the message for the user.
std::string ifshandler(const std::string& text, settings& s);

// The switches of current that differ from defaults, one piece each (switch, blank,
// value), then every conditional block of current as "-ifs" "KEYWORDS", its switches
// and "-ei".
std::vector<std::string> compactswitches(std::string_view current, std::string_view defaults);
