// Text replacement as the tool command lines need it.
#pragma once

#include <string>

// Every occurrence of what in text replaced by with, left to right; inserted text is not
// searched again. An empty what changes nothing.
std::string ReplaceAll(std::string text, const std::string& what, const std::string& with);

// Every backslash doubled.
std::string DoubleBackslashes(const std::string& text);

// The four placeholders of a tool's arguments in a target's own syntax, replaced in the order
// "%File%", "%Col%", "%Line%", "%SelText%".
struct PlaceholderSyntax {
    std::string file, column, line, selection;
};
std::string TranslatePlaceholders(const std::string& arguments, const PlaceholderSyntax& syntax);

// The placeholders as each target writes them. A placeholder the target takes as written, or
// refuses before its writer runs, stays as it is; so do they all for a name that is no target.
// The studio targets (Visual Studio, SQL Server Management Studio) share StudioPlaceholders().
PlaceholderSyntax TargetPlaceholders(const std::string& target);
PlaceholderSyntax StudioPlaceholders();
