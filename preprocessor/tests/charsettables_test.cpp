// Tests of the preprocessor's character-set tables: its copy of the 95 sets, lower-casing through
// the chosen set and the identifier tables.
#include "charsettables.h"

#include "tests/oraclecharsetfacts.h"

#include <gtest/gtest.h>

namespace facts = oraclecharsetfacts;

namespace {

class charsettables : public ::testing::Test {
protected:
    void SetUp() override { buildcharsettable(); }
    casemap lowercase;
};

std::string allbytes() {
    std::string text;
    for (int b = 0; b < 256; ++b) text += static_cast<char>(b);
    return text;
}

std::string asciilowered(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return text;
}

}  // namespace

TEST_F(charsettables, everynameischosen) {
    EXPECT_EQ(charsettable.letters.size(), 95u);
    EXPECT_EQ(charsettable.identchars.size(), 95u);
    EXPECT_EQ(charsettable.casepairs.size(), 95u);
    for (const std::string& name : facts::names) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(choosecharset(name, lowercase));
        EXPECT_EQ(charsetlower(lowercase, "DEFINE __LINE__ IfDef"), "define __line__ ifdef");
    }
}

TEST_F(charsettables, unknownnameisrefusedandchangesnothing) {
    for (std::string name : {"we8iso8859p1", "", "UTF8", "CL8MSWIN1251 "}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(choosecharset("CL8MSWIN1251", lowercase));
        std::string before = charsetlower(lowercase, allbytes());
        EXPECT_FALSE(choosecharset(name, lowercase));
        EXPECT_EQ(charsetlower(lowercase, allbytes()), before);
        EXPECT_EQ(charsetlower(lowercase, "\x80\xC0"), "\x90\xE0");
        EXPECT_EQ(charsettable.letters.count(name), 0u);
        EXPECT_EQ(charsettable.casepairs.count(name), 0u);
    }
}

TEST_F(charsettables, us7asciilowercasesonlyasciicapitals) {
    ASSERT_TRUE(choosecharset("US7ASCII", lowercase));
    EXPECT_EQ(charsetlower(lowercase, allbytes()), asciilowered(allbytes()));
}

TEST_F(charsettables, nationallowercasing) {
    struct row {
        const char* set;
        std::string text, lowered;
    };
    const row rows[] = {
        {"WE8ISO8859P1", "\xC4\x4E\x44\x45\x52\x4E", "\xE4\x6E\x64\x65\x72\x6E"},
        {"WE8ISO8859P1", "\xE4ndern \xDF\xFF\xD7", "\xE4ndern \xDF\xFF\xD7"},
        {"CL8MSWIN1251", "\x80\xC0\xDF\x81", "\x90\xE0\xFF\x83"},
        {"WE8MSWIN1252", "\x9F\x8A", "\xFF\x9A"},
        {"EE8ISO8859P2", "\xA1\xAF\xDE", "\xB1\xBF\xFE"},
        {"TH8TISASCII", "\xA1\xF0X", "\xA1\xF0x"},
        {"US7ASCII", "\xC4X", "\xC4x"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.set);
        ASSERT_TRUE(choosecharset(r.set, lowercase));
        EXPECT_EQ(charsetlower(lowercase, r.text), r.lowered);
    }
    ASSERT_TRUE(choosecharset("WE8ISO8859P1", lowercase));
    EXPECT_EQ(charsetlower(lowercase, std::string_view("\xC4\0N", 3)), std::string_view("\xE4\0n", 3));
}

TEST_F(charsettables, alaterpairnamingthesamebytewins) {
    charsettable.letters["PAIRTEST"] = facts::asciiletters;
    charsettable.identchars["PAIRTEST"] = facts::asciiidentchars;
    charsettable.casepairs["PAIRTEST"] = facts::asciicasepairs + "\xC0\xE0\xC0\xE1\xC1\xE1";
    ASSERT_TRUE(choosecharset("PAIRTEST", lowercase));
    EXPECT_EQ(charsetlower(lowercase, "\xC0\xC1\xE0"), "\xE1\xE1\xE0");
    charsettable.letters.erase("PAIRTEST");
    charsettable.identchars.erase("PAIRTEST");
    charsettable.casepairs.erase("PAIRTEST");
}

TEST_F(charsettables, everypairlowercasesunlessalaterpairoverridesit) {
    for (const std::string& name : facts::names) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(choosecharset(name, lowercase));
        const std::string& pairs = charsettable.casepairs[name];
        std::string expected = allbytes();
        for (size_t i = 0; i + 1 < pairs.size(); i += 2)
            expected[static_cast<unsigned char>(pairs[i])] = pairs[i + 1];
        EXPECT_EQ(charsetlower(lowercase, allbytes()), expected);
    }
}

TEST_F(charsettables, identifiertablesarefixed) {
    buildidentifiertables();
    const std::string notnational = "\xC2\xC7\xC8\xCA\xD2\xD3\xD4\xD5\xD6";
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        bool asciiletter = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
        bool national = b >= 0x80 && notnational.find(static_cast<char>(b)) == std::string::npos;
        bool start = asciiletter || b == '_' || national;
        EXPECT_EQ(identifierstart[b], start);
        EXPECT_EQ(identifierpart[b], start || (b >= '0' && b <= '9') || b == '#' || b == '$');
    }
    // The character set chosen does not change them.
    ASSERT_TRUE(choosecharset("TH8TISASCII", lowercase));
    buildidentifiertables();
    EXPECT_FALSE(identifierpart[0xD2]);
    EXPECT_TRUE(identifierstart[0xD7]);
    EXPECT_FALSE(identifierstart['9']);
}
