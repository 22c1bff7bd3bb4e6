// Text replacement as the tool command lines need it.
#pragma once

#include <string>

// Every occurrence of what in text replaced by with, left to right; inserted text is not
// searched again. An empty what changes nothing.
std::string ReplaceAll(std::string text, const std::string& what, const std::string& with);

// The four placeholders of a tool's arguments in a target's own syntax, replaced in the order
// "%File%", "%Col%", "%Line%", "%SelText%".
struct PlaceholderSyntax {
    std::string file, column, line, selection;
};
std::string TranslatePlaceholders(const std::string& arguments, const PlaceholderSyntax& syntax);
