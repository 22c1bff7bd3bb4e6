// Numbers read from files and the registry, without exceptions: a text that is not a decimal
// number of the type, sign and digits only, or does not fit it, is no number.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

std::optional<int32_t> ParseInt32(std::string_view text);
std::optional<int64_t> ParseInt64(std::string_view text);

// Bytes as two lower-case hexadecimal digits each, and back (either case; nullopt for an odd
// length or a character that is no digit).
std::string ToHex(std::string_view bytes);
std::optional<std::string> FromHex(std::string_view hex);

// The first index from start on whose character is no decimal digit; the text's length when
// the digits run to the end; start itself when it is at or past the end.
size_t SkipDigits(const std::string& text, size_t start);
