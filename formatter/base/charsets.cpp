// Oracle character sets for brelm: the tables of the 95 sets and case conversion through the
// current one.
#include "charsets.h"

#include "oraclecharsets.inc"

std::map<std::string, std::string> charsetlettersmap;
std::map<std::string, std::string> charsetidentmap;
std::map<std::string, std::string> charsetcasepairsmap;

std::string charsetletters;
std::string charsetidentchars;
unsigned char lowercasetable[256];
unsigned char uppercasetable[256];

namespace {

bool highbytecasekept = false;

void setidentity(unsigned char* table) {
    for (int b = 0; b < 256; ++b) table[b] = static_cast<unsigned char>(b);
}

// Conversion before any set is selected leaves every byte alone.
const bool tablesstartasidentity = (setidentity(lowercasetable), setidentity(uppercasetable), true);

std::string lookup(const std::map<std::string, std::string>& map, const std::string& name) {
    auto found = map.find(name);
    return found == map.end() ? std::string() : found->second;
}

std::string convert(std::string_view text, const unsigned char* table) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(table[static_cast<unsigned char>(c)]);
    return result;
}

}  // namespace

void buildcharsettables() {
    for (const oraclecharset& set : oraclecharsets) {
        std::string name(set.name);
        charsetlettersmap[name] = set.letters;
        charsetidentmap[name] = set.identchars;
        charsetcasepairsmap[name] = set.casepairs;
    }
}

void selectcharset(const std::string& name) {
    charsetletters = lookup(charsetlettersmap, name);
    charsetidentchars = lookup(charsetidentmap, name);
    setidentity(lowercasetable);
    setidentity(uppercasetable);
    std::string pairs = lookup(charsetcasepairsmap, name);
    // Pairs apply in order: a later pair naming the same byte wins.
    for (size_t i = 0; i + 1 < pairs.size(); i += 2) {
        auto upper = static_cast<unsigned char>(pairs[i]);
        auto lower = static_cast<unsigned char>(pairs[i + 1]);
        if (highbytecasekept && (upper > 127 || lower > 127)) continue;
        lowercasetable[upper] = lower;
        uppercasetable[lower] = upper;
    }
}

std::string charsetlc(std::string_view text) { return convert(text, lowercasetable); }

std::string charsetuc(std::string_view text) { return convert(text, uppercasetable); }

bool charsetexists(const std::string& name) { return charsetlettersmap.count(name) != 0; }

bool charsetcaseshighbytes(const std::string& name) {
    const std::string pairs = lookup(charsetcasepairsmap, name);
    for (char byte : pairs)
        if (static_cast<unsigned char>(byte) > 127) return true;
    return false;
}

void keephighbytecase(bool keep) { highbytecasekept = keep; }

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
        size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
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
