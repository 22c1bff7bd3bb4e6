// Windows ANSI code pages: chosen by the locale's language, converted through iconv.
#include "codepages.h"

#include "utf8.h"

#include <iconv.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

namespace {

struct languagepage {
    const char* language;
    int codepage;
};

const languagepage languagepages[] = {
    {"en", 1252}, {"de", 1252}, {"fr", 1252}, {"es", 1252}, {"it", 1252}, {"pt", 1252}, {"nl", 1252}, {"da", 1252},
    {"sv", 1252}, {"nb", 1252}, {"nn", 1252}, {"no", 1252}, {"fi", 1252}, {"is", 1252}, {"ca", 1252}, {"pl", 1250},
    {"cs", 1250}, {"sk", 1250}, {"hu", 1250}, {"sl", 1250}, {"hr", 1250}, {"ro", 1250}, {"ru", 1251}, {"uk", 1251},
    {"bg", 1251}, {"be", 1251}, {"sr", 1251}, {"mk", 1251}, {"el", 1253}, {"tr", 1254}, {"he", 1255}, {"ar", 1256},
    {"fa", 1256}, {"et", 1257}, {"lv", 1257}, {"lt", 1257}, {"vi", 1258}, {"th", 874},  {"ja", 932},  {"ko", 949},
};

std::string folded(std::string_view text, bool upper) {
    std::string result(text);
    for (char& c : result) {
        if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return result;
}

int chinesepage(std::string_view territory) {
    if (territory == "CN") return 936;
    if (territory == "TW" || territory == "HK") return 950;
    return -1;
}

// Appends the stand-in for the input the converter rejects at p; gives the bytes it covers.
using standin = size_t (*)(std::string_view rest, std::string& out);

// Appends what the converter still holds and resets its state.
void flush(iconv_t converter, std::string& out) {
    char buffer[256];
    char* o = buffer;
    size_t oleft = sizeof buffer;
    ::iconv(converter, nullptr, nullptr, &o, &oleft);
    out.append(buffer, static_cast<size_t>(o - buffer));
}

// Converts through "CP<n>" in the given direction; false when there is no converter.
bool convert(const std::string& input, int codepage, bool tocodepage, standin replace, std::string& out) {
    if (codepage < 0) return false;
    std::string page = "CP" + std::to_string(codepage);
    iconv_t converter = tocodepage ? ::iconv_open(page.c_str(), "UTF-8") : ::iconv_open("UTF-8", page.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1)) return false;
    char* in = const_cast<char*>(input.data());
    size_t inleft = input.size();
    while (inleft > 0) {
        char buffer[8192];
        char* o = buffer;
        size_t oleft = sizeof buffer;
        size_t done = ::iconv(converter, &in, &inleft, &o, &oleft);
        out.append(buffer, static_cast<size_t>(o - buffer));
        if (done != static_cast<size_t>(-1) || errno == E2BIG) continue;
        if (errno != EILSEQ && errno != EINVAL) break;
        flush(converter, out);  // what the converter holds goes first
        size_t covered = replace(std::string_view(in, inleft), out);
        in += covered;
        inleft -= covered;
    }
    flush(converter, out);
    ::iconv_close(converter);
    return true;
}

size_t questionmark(std::string_view rest, std::string& out) {
    out += '?';
    size_t length = utf8sequencelength(rest, 0);
    return length ? length : 1;
}

size_t latin1(std::string_view rest, std::string& out) {
    auto byte = static_cast<unsigned char>(rest[0]);
    if (byte < 0x80) {
        out += static_cast<char>(byte);
    } else {
        out += static_cast<char>(0xC0 | byte >> 6);
        out += static_cast<char>(0x80 | (byte & 0x3F));
    }
    return 1;
}

}  // namespace

int ansicodepageoflocale(const std::string& locale) {
    size_t languageend = locale.find_first_of("_.@");
    std::string language = folded(std::string_view(locale).substr(0, languageend), false);
    if (language == "zh") {
        if (languageend == std::string::npos || locale[languageend] != '_') return -1;
        size_t territoryend = locale.find_first_of(".@", languageend);
        std::string_view territory = std::string_view(locale).substr(languageend + 1, territoryend - languageend - 1);
        return chinesepage(folded(territory, true));
    }
    for (const languagepage& entry : languagepages)
        if (language == entry.language) return entry.codepage;
    return -1;
}

int ansicodepage() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return ansicodepageoflocale(value);
    }
    return -1;
}

std::string tocodepage(const std::string& utf8, int codepage) {
    std::string out;
    return convert(utf8, codepage, true, questionmark, out) ? out : utf8;
}

std::string fromcodepage(const std::string& bytes, int codepage) {
    std::string out;
    return convert(bytes, codepage, false, latin1, out) ? out : bytes;
}
