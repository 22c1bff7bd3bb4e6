// Facts about the 95 Oracle character sets that the tables must honour, kept apart from the
// generated data so that tests of both deliverables can check the data against them.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace oraclecharsetfacts {

// Every set, in the order in which the tables are filled.
inline const std::vector<std::string> names = {
    "HU8ABMOD", "AR8ASMO708PLUS", "LT8PC774", "WE8PC850", "LA8ISO6937", "CEL8ISO8859P14",
    "EE8ISO8859P2", "LT8MSWIN921", "AR8ARABICMACS", "NEE8ISO8859P4", "EE8MACCES", "TR8PC857",
    "IW8ISO8859P8", "CL8MSWIN1251", "WE8ISO8859P9", "TR8MSWIN1254", "SE8ISO8859P3", "AR8MSWIN1256",
    "AR8ADOS710", "EL8PC851", "CDN8PC863", "LV8RST104090", "RU8PC866", "IW8MACHEBREWS",
    "WE8ISO8859P1", "AR8ADOS710T", "CL8MACCYRILLICS", "TR8DEC", "EE8PC852", "LA8PASSPORT",
    "WE8ROMAN8", "BLT8MSWIN1257", "BG8MSWIN", "TH8TISASCII", "BLT8PC775", "EL8ISO8859P7",
    "N8PC865", "AR8ASMO8X", "BN8BSCII", "IW8MSWIN1255", "WE8NCR4970", "LT8PC772", "AR8APTEC715T",
    "EL8DEC", "AR8SAKHR707T", "BLT8CP921", "AR8NAFITHA711T", "LV8PC1117", "BG8PC437S", "RU8PC855",
    "EL8PC869", "AR8ISO8859P6", "WE8MACROMAN8S", "AR8MUSSAD768", "CL8ISO8859P5", "US7ASCII",
    "AR8HPARABIC8T", "WE8DEC", "AR8SAKHR706", "CL8KOI8U", "AR8NAFITHA711", "RU8BESTA",
    "AR8MUSSAD768T", "LV8PC8LR", "WE8MSWIN1252", "EE8MSWIN1250", "TH8MACTHAIS", "BLT8ISO8859P13",
    "VN8MSWIN1258", "AR8ADOS720", "CL8ISOIR111", "EL8PC437S", "WE8PC860", "AR8NAFITHA721",
    "AR8APTEC715", "EE8MACCROATIANS", "US8PC437", "WE8NEXTSTEP", "TR8MACTURKISHS", "HU8CWI2",
    "NE8ISO8859P10", "EL8MACGREEKS", "IN8ISCII", "CL8KOI8R", "ET8MSWIN923", "AR8SAKHR707",
    "AR8NAFITHA721T", "WE8DG", "IW8PC1507", "IS8PC861", "EL8MSWIN1253", "VN8VN3", "WE8PC858",
    "AR8ADOS720T", "WE8ISO8859P15",
};

// Sets whose case pairs are the ASCII ones only.
inline const std::vector<std::string> withoutnationalpairs = {
    "AR8ASMO708PLUS", "IW8ISO8859P8", "AR8ADOS710", "AR8ADOS710T", "TH8TISASCII", "BN8BSCII",
    "IW8MSWIN1255", "AR8APTEC715T", "AR8SAKHR707T", "AR8NAFITHA711T", "AR8ISO8859P6",
    "AR8MUSSAD768", "US7ASCII", "AR8HPARABIC8T", "AR8NAFITHA711", "AR8MUSSAD768T", "TH8MACTHAIS",
    "AR8ADOS720", "AR8NAFITHA721", "AR8APTEC715", "IN8ISCII", "AR8SAKHR707", "AR8NAFITHA721T",
    "AR8ADOS720T",
};

// Sets whose three strings are the same.
inline const std::vector<std::pair<std::string, std::string>> identicalpairs = {
    {"LT8MSWIN921", "BLT8CP921"},     {"AR8ADOS710", "AR8ADOS710T"},
    {"WE8NCR4970", "WE8DEC"},         {"AR8APTEC715", "AR8APTEC715T"},
    {"AR8SAKHR707", "AR8SAKHR707T"},  {"AR8NAFITHA711", "AR8NAFITHA711T"},
    {"AR8MUSSAD768", "AR8MUSSAD768T"}, {"AR8ADOS720", "AR8ADOS720T"},
    {"AR8NAFITHA721", "AR8NAFITHA721T"},
};

// Sets whose own ten digits (first byte given) follow the letters among identifier characters.
inline const std::vector<std::pair<std::string, unsigned char>> digitsets = {
    {"AR8ARABICMACS", 0xB0}, {"AR8HPARABIC8T", 0xB0}, {"TH8TISASCII", 0xF0},
    {"TH8MACTHAIS", 0xF0},   {"BN8BSCII", 0x86},      {"IN8ISCII", 0xF1},
};

inline const std::string asciiletters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
inline const std::string asciiidentchars =
    "#$0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz";
inline const std::string asciicasepairs = "AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz";

// Bytes written as hexadecimal items, "C0-D6" standing for a range: "AA B5 C0-D6".
inline std::string bytesfromranges(const std::string& text) {
    std::string bytes;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find(' ', pos);
        if (end == std::string::npos) end = text.size();
        std::string item = text.substr(pos, end - pos);
        int first = std::stoi(item.substr(0, 2), nullptr, 16);
        int last = item.size() > 2 ? std::stoi(item.substr(3, 2), nullptr, 16) : first;
        for (int b = first; b <= last; ++b) bytes += static_cast<char>(b);
        pos = end + 1;
    }
    return bytes;
}

// Case pairs written as upper/lower items, ranges pairing byte by byte: "8A/9A C0-D6/E0-F6".
inline std::string pairsfromranges(const std::string& text) {
    std::string pairs;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find(' ', pos);
        if (end == std::string::npos) end = text.size();
        std::string item = text.substr(pos, end - pos);
        size_t slash = item.find('/');
        std::string uppers = bytesfromranges(item.substr(0, slash));
        std::string lowers = bytesfromranges(item.substr(slash + 1));
        for (size_t i = 0; i < uppers.size() && i < lowers.size(); ++i) pairs += {uppers[i], lowers[i]};
        pos = end + 1;
    }
    return pairs;
}

// Sets whose national letters and case pairs are fixed byte for byte.
struct fixedset {
    std::string name, letters, casepairs;
};
inline const std::vector<fixedset> fixedsets = {
    {"US7ASCII", "80-FF", ""},
    {"WE8ISO8859P1", "AA B5 BA C0-D6 D8-F6 F8-FF", "C0-D6/E0-F6 D8-DE/F8-FE"},
    {"WE8MSWIN1252", "83 8A 8C 8E 9A 9C 9E-9F AA B5 BA C0-D6 D8-F6 F8-FF",
     "8A/9A 8C/9C 8E/9E 9F/FF C0-D6/E0-F6 D8-DE/F8-FE"},
    {"EE8MSWIN1250", "8A 8C-8F 9A 9C-9F A1 A3 A5 AA AF B3 B5 B9-BA BC BE-D6 D8-F6 F8-FF",
     "8A/9A 8C/9C 8D/9D 8E/9E 8F/9F A3/B3 A5/B9 AA/BA AF/BF BC/BE C0-D6/E0-F6 D8-DE/F8-FE"},
    {"CL8MSWIN1251", "80-81 83 8A 8C-90 9A 9C-9F A1-A3 A5 A8 AA AF B2-B5 B8 BA BC-FF",
     "80/90 81/83 8A/9A 8C/9C 8D/9D 8E/9E 8F/9F A1/A2 A3/BC A5/B4 A8/B8 AA/BA AF/BF B2/B3 BD/BE "
     "C0-DF/E0-FF"},
    {"WE8PC850", "80-9B 9D 9F-A7 B5-B7 C6-C7 D0-D8 DE E0-ED",
     "80/87 9A/81 90/82 B6/83 8E/84 B7/85 8F/86 D2/88 D3/89 D4/8A D8/8B D7/8C DE/8D 92/91 E2/93 "
     "99/94 E3/95 EA/96 EB/97 9D/9B B5/A0 D6/A1 E0/A2 E9/A3 A5/A4 C7/C6 D1/D0 E5/E4 E8/E7 ED/EC"},
    {"TH8TISASCII", "A1-CE D0-DE E0-E5 E7-ED FC-FF", ""},
    {"EE8ISO8859P2", "80-9F A1 A3 A5 A6 A9-AC AE AF B1 B3 B5-B7 B9-BC BE-D6 D8-F6 F8-FF",
     "A1/B1 A3/B3 A5/B5 A6/B6 A9/B9 AA/BA AB/BB AC/BC AE/BE AF/BF C0-D6/E0-F6 D8-DE/F8-FE"},
};

}  // namespace oraclecharsetfacts
