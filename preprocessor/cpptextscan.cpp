// Text-position routines of the directive reader.
#include "cpptextscan.h"

#include "cpperrors.h"

namespace {

bool isidentifierletter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

bool isidentifierbyte(char c) { return isidentifierletter(c) || (c >= '0' && c <= '9'); }

}  // namespace

bool skipcomment(errorreporter errors, size_t& position, std::string_view text) {
    if (text.substr(position, 2) != "/*") return false;
    size_t end = text.find("*/", position + 2);
    if (end == std::string_view::npos) raiseerror(errors, "closing */ not found", position, text);
    position = end + 2;
    return true;
}

void skiplineblanks(errorreporter errors, size_t& position, std::string_view text) {
    while (position < text.size()) {
        char c = text[position];
        if (c == ' ' || c == '\t') ++position;
        else if (c == '\\' && position + 1 < text.size() && text[position + 1] == '\n') ++position;
        else if (!skipcomment(errors, position, text)) return;
    }
}

std::string scanrun(size_t& position, std::string_view text, bool (*first)(char), bool (*rest)(char)) {
    size_t start = position;
    if (position < text.size() && first(text[position])) {
        ++position;
        while (position < text.size() && rest(text[position])) ++position;
    }
    return std::string(text.substr(start, position - start));
}

std::string scanidentifier(size_t& position, std::string_view text) {
    return scanrun(position, text, isidentifierletter, isidentifierbyte);
}
