// Checks of UTF-8 text.
#include "utf8.h"

size_t utf8sequencelength(std::string_view text, size_t at) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data()) + at;
    size_t left = text.size() - at;
    unsigned char c = p[0];
    if (c < 0x80) return 1;
    size_t length = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    if (length == 0 || left < length) return 0;
    for (size_t i = 1; i < length; ++i)
        if ((p[i] & 0xC0) != 0x80) return 0;
    if ((c == 0xE0 && p[1] < 0xA0) || (c == 0xED && p[1] > 0x9F) || (c == 0xF0 && p[1] < 0x90) ||
        (c == 0xF4 && p[1] > 0x8F))
        return 0;
    return length;
}

bool wellformedutf8(std::string_view text) {
    for (size_t at = 0; at < text.size();) {
        size_t length = utf8sequencelength(text, at);
        if (length == 0) return false;
        at += length;
    }
    return true;
}
