// Decimal and hexadecimal texts.
#include "core/numbers.h"

#include <charconv>

namespace {

template <class Number>
std::optional<Number> parsedecimal(std::string_view text) {
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
    Number value{};
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

int hexdigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<int32_t> ParseInt32(std::string_view text) { return parsedecimal<int32_t>(text); }

std::optional<int64_t> ParseInt64(std::string_view text) { return parsedecimal<int64_t>(text); }

std::string ToHex(std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (char c : bytes) {
        unsigned char b = static_cast<unsigned char>(c);
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

std::optional<std::string> FromHex(std::string_view hex) {
    if (hex.size() % 2) return std::nullopt;
    std::string bytes;
    bytes.reserve(hex.size() / 2);
    for (size_t i = 0; i < hex.size(); i += 2) {
        int high = hexdigit(hex[i]), low = hexdigit(hex[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

size_t SkipDigits(const std::string& text, size_t start) {
    while (start < text.size() && text[start] >= '0' && text[start] <= '9') ++start;
    return start;
}
