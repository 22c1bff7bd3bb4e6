// Oracle character sets for brelm: the tables of the 95 sets, and a text's set with case
// conversion through it.
#include "charsets.h"

#include "oraclecharsets.inc"

#include <mutex>

std::map<std::string, std::string> charsetlettersmap;
std::map<std::string, std::string> charsetidentmap;
std::map<std::string, std::string> charsetcasepairsmap;

namespace {

std::string lookup(const std::map<std::string, std::string>& map, const std::string& name) {
    buildcharsettables();
    auto found = map.find(name);
    return found == map.end() ? std::string() : found->second;
}

std::string convert(std::string_view text, const std::array<unsigned char, 256>& table) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(table[static_cast<unsigned char>(c)]);
    return result;
}

}  // namespace

void buildcharsettables() {
    static std::once_flag built;
    std::call_once(built, [] {
        for (const oraclecharset& set : oraclecharsets) {
            std::string name(set.name);
            charsetlettersmap[name] = set.letters;
            charsetidentmap[name] = set.identchars;
            charsetcasepairsmap[name] = set.casepairs;
        }
    });
}

charset::charset() {
    for (int b = 0; b < 256; ++b) lowercase[b] = uppercase[b] = static_cast<unsigned char>(b);
}

charset::charset(const std::string& name, bool keephighbytecase)
    : charset(lookup(charsetlettersmap, name), lookup(charsetidentmap, name), lookup(charsetcasepairsmap, name),
              keephighbytecase) {}

charset::charset(std::string letters, std::string identchars, std::string_view casepairs, bool keephighbytecase)
    : charset() {
    letterbytes = std::move(letters);
    identbytes = std::move(identchars);
    for (size_t i = 0; i + 1 < casepairs.size(); i += 2) {
        auto upperbyte = static_cast<unsigned char>(casepairs[i]);
        auto lowerbyte = static_cast<unsigned char>(casepairs[i + 1]);
        if (keephighbytecase && (upperbyte > 127 || lowerbyte > 127)) continue;
        lowercase[upperbyte] = lowerbyte;
        uppercase[lowerbyte] = upperbyte;
    }
}

std::string charset::lc(std::string_view text) const { return convert(text, lowercase); }

std::string charset::uc(std::string_view text) const { return convert(text, uppercase); }

bool charsetexists(const std::string& name) {
    buildcharsettables();
    return charsetlettersmap.count(name) != 0;
}

bool charsetcaseshighbytes(const std::string& name) {
    const std::string pairs = lookup(charsetcasepairsmap, name);
    for (char byte : pairs)
        if (static_cast<unsigned char>(byte) > 127) return true;
    return false;
}

bool isutf8text(std::string_view text) {
    bool multibyte = false;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // The lead byte gives the length; overlong forms, surrogates and values beyond
        // U+10FFFF are not UTF-8.
        size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                        : lead >= 0xE0 && lead <= 0xEF ? 3
                        : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                       : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        const auto second = static_cast<unsigned char>(text[i + 1]);
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
            (lead == 0xF4 && second > 0x8F))
            return false;
        multibyte = true;
        i += length;
    }
    return multibyte;
}
