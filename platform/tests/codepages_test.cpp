// ANSI code pages: from the locale, and conversions to and from UTF-8.
#include "codepages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>

namespace {

struct localecase {
    const char* locale;
    int codepage;
};

const localecase localecases[] = {
    {"de_DE.UTF-8", 1252}, {"en", 1252}, {"en_US", 1252}, {"fr_CA.ISO-8859-1", 1252}, {"nb_NO.UTF-8", 1252},
    {"ca_ES@valencia", 1252}, {"is_IS", 1252}, {"pl_PL", 1250}, {"cs_CZ.UTF-8", 1250}, {"ro_RO", 1250},
    {"ru_RU.KOI8-R", 1251}, {"uk_UA", 1251}, {"sr_RS@latin", 1251}, {"mk_MK", 1251}, {"el_GR", 1253},
    {"tr_TR.UTF-8", 1254}, {"he_IL", 1255}, {"ar_EG", 1256}, {"fa_IR", 1256}, {"et_EE", 1257},
    {"lt_LT", 1257}, {"vi_VN", 1258}, {"th_TH.TIS-620", 874}, {"ja_JP.eucJP", 932}, {"ko_KR.UTF-8", 949},
    {"zh_CN.GB18030", 936}, {"zh_TW.Big5", 950}, {"zh_HK.UTF-8", 950}, {"zh_SG", -1}, {"zh", -1},
    {"zh.UTF-8", -1}, {"C", -1}, {"POSIX", -1}, {"C.UTF-8", -1}, {"", -1}, {"eo", -1},
    {"english", -1}, {"xx_YY", -1}, {"_DE", -1},
};

// Sets locale variables for one test and restores them afterwards.
class localevariables {
public:
    localevariables() {
        for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
            const char* value = std::getenv(name);
            saved[name] = value ? std::optional<std::string>(value) : std::nullopt;
        }
    }
    ~localevariables() {
        for (const auto& [name, value] : saved) set(name.c_str(), value ? value->c_str() : nullptr);
    }
    void set(const char* name, const char* value) {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    void setall(const char* all, const char* ctype, const char* lang) {
        set("LC_ALL", all);
        set("LC_CTYPE", ctype);
        set("LANG", lang);
    }

private:
    std::map<std::string, std::optional<std::string>> saved;
};

}  // namespace

TEST(codepages, thelanguageofthelocalechoosesthepage) {
    for (const localecase& c : localecases) EXPECT_EQ(ansicodepageoflocale(c.locale), c.codepage) << c.locale;
}

TEST(codepages, lcallcomesbeforelcctypeandlang) {
    localevariables env;
    env.setall("ru_RU.UTF-8", "pl_PL", "de_DE");
    EXPECT_EQ(ansicodepage(), 1251);
    env.setall("", "pl_PL", "de_DE");
    EXPECT_EQ(ansicodepage(), 1250);
    env.setall(nullptr, nullptr, "ja_JP.UTF-8");
    EXPECT_EQ(ansicodepage(), 932);
    env.setall("C", nullptr, "de_DE");   // set, so it counts
    EXPECT_EQ(ansicodepage(), -1);
    env.setall(nullptr, "POSIX", "de_DE");
    EXPECT_EQ(ansicodepage(), -1);
    env.setall(nullptr, nullptr, nullptr);
    EXPECT_EQ(ansicodepage(), -1);
    env.setall("", "", "");
    EXPECT_EQ(ansicodepage(), -1);
}

TEST(codepages, westerneuropeanroundtrip) {
    EXPECT_EQ(tocodepage("\xc3\xa9", 1252), "\xe9");
    EXPECT_EQ(fromcodepage("\xe9", 1252), "\xc3\xa9");
    const std::string text = "Gr\xc3\xbc\xc3\x9f" "e \xe2\x82\xac 5";   // Grüße € 5
    EXPECT_EQ(tocodepage(text, 1252), "Gr\xfc\xdf" "e \x80 5");
    EXPECT_EQ(fromcodepage(tocodepage(text, 1252), 1252), text);
    EXPECT_EQ(tocodepage(std::string("a\0b", 3), 1252), std::string("a\0b", 3));
    EXPECT_EQ(tocodepage("", 1252), "");

    std::string large;
    for (int i = 0; i < 20000; ++i) large += "\xc3\xa9x";
    EXPECT_EQ(tocodepage(large, 1252).size(), 40000u);
    EXPECT_EQ(fromcodepage(tocodepage(large, 1252), 1252), large);
}

TEST(codepages, whatthepagelacksbecomesaquestionmark) {
    EXPECT_EQ(tocodepage("a\xe2\x86\x92" "b", 1252), "a?b");              // →
    EXPECT_EQ(tocodepage("\xd0\x96\xd0\x96", 1252), "??");              // ЖЖ, one by one
    EXPECT_EQ(tocodepage("x\xf0\x9f\x98\x80y", 1252), "x?y");            // a character outside the BMP
    EXPECT_EQ(tocodepage("a\xff" "b\xc3", 1252), "a?b?");                // bytes that are no UTF-8
    EXPECT_EQ(fromcodepage("\x81\x8d", 1252), "\xc2\x81\xc2\x8d");       // undefined in 1252
    EXPECT_EQ(fromcodepage("\x98", 1251), "\xc2\x98");
    // 1258 holds a letter back for a combining mark; it still comes first.
    EXPECT_EQ(fromcodepage("a\xcc", 1258), "\xc3\xa0");
    EXPECT_EQ(fromcodepage("a\x81", 1258), "a\xc2\x81");
}

TEST(codepages, cyrillic) {
    const std::string privet = "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82";   // Привет
    EXPECT_EQ(tocodepage(privet, 1251), "\xcf\xf0\xe8\xe2\xe5\xf2");
    EXPECT_EQ(fromcodepage("\xcf\xf0\xe8\xe2\xe5\xf2", 1251), privet);
    EXPECT_EQ(tocodepage("\xc3\xa9", 1251), "?");
}

TEST(codepages, multibytejapanese) {
    const std::string nihon = "\xe6\x97\xa5\xe6\x9c\xac";   // 日本
    EXPECT_EQ(tocodepage(nihon, 932), "\x93\xfa\x96\x7b");
    EXPECT_EQ(fromcodepage("\x93\xfa\x96\x7b", 932), nihon);
    EXPECT_EQ(fromcodepage("a\x93", 932), "a\xc2\x93");   // a lead byte cut off at the end
    EXPECT_EQ(tocodepage("\xd0\x96", 932), "\x84\x47");    // Ж is in 932
}

TEST(codepages, nopageleavesthetextasitis) {
    const std::string bytes = "\xc3\xa9 \xff\x81";
    EXPECT_EQ(tocodepage(bytes, -1), bytes);
    EXPECT_EQ(fromcodepage(bytes, -1), bytes);
    EXPECT_EQ(tocodepage(bytes, 12345), bytes);   // no converter
    EXPECT_EQ(fromcodepage(bytes, 12345), bytes);
}
