// Text replacement as the tool command lines need it.
#include "core/textreplace.h"

std::string ReplaceAll(std::string text, const std::string& what, const std::string& with) {
    if (what.empty()) return text;
    std::string result;
    result.reserve(text.size());
    size_t from = 0;
    for (size_t found; (found = text.find(what, from)) != std::string::npos; from = found + what.size()) {
        result.append(text, from, found - from);
        result += with;
    }
    result.append(text, from, std::string::npos);
    return result;
}

std::string TranslatePlaceholders(const std::string& arguments, const PlaceholderSyntax& syntax) {
    std::string text = ReplaceAll(arguments, "%File%", syntax.file);
    text = ReplaceAll(std::move(text), "%Col%", syntax.column);
    text = ReplaceAll(std::move(text), "%Line%", syntax.line);
    return ReplaceAll(std::move(text), "%SelText%", syntax.selection);
}
