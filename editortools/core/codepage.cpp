// Code-page conversion over the platform's iconv converters.
#include "core/codepage.h"

#include "codepages.h"

int UserCodePage() { return ansicodepage(); }

std::string ToCodePage(const std::string& text, int codePage) {
    std::string converted = tocodepage(text, codePage);
    return converted.empty() ? text : converted;
}

std::string FromCodePage(const std::string& bytes, int codePage) {
    std::string converted = fromcodepage(bytes, codePage);
    return converted.empty() ? bytes : converted;
}
