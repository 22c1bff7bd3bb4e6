// Tests of brelm's Oracle character-set tables: the data of the 95 sets, a text's set made from
// them and case conversion through it.
#include "charsets.h"

#include "tests/oraclecharsetfacts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace facts = oraclecharsetfacts;

namespace {

class charsets : public ::testing::Test {
protected:
    void SetUp() override { buildcharsettables(); }
};

std::string byte(int b) { return std::string(1, static_cast<char>(b)); }

std::string allbytes() {
    std::string text;
    for (int b = 0; b < 256; ++b) text += static_cast<char>(b);
    return text;
}

std::string nationalpart(const std::string& text, const std::string& asciipart) {
    EXPECT_EQ(text.substr(0, asciipart.size()), asciipart);
    return text.substr(std::min(asciipart.size(), text.size()));
}

// The index of the last pair whose byte at offset (0 upper, 1 lower) is b.
int lastpairwith(const std::string& pairs, size_t offset, char b) {
    int last = -1;
    for (size_t i = 0; i + 1 < pairs.size(); i += 2)
        if (pairs[i + offset] == b) last = static_cast<int>(i);
    return last;
}

// Checks that each case pair converts both ways through the set and round-trips, as far as
// no later pair overrides it; returns how many pairs round-tripped.
size_t checkroundtrips(const charset& set, const std::string& pairs) {
    size_t checked = 0;
    for (size_t i = 0; i + 1 < pairs.size(); i += 2) {
        std::string upper(1, pairs[i]), lower(1, pairs[i + 1]);
        bool lastforupper = lastpairwith(pairs, 0, upper[0]) == static_cast<int>(i);
        bool lastforlower = lastpairwith(pairs, 1, lower[0]) == static_cast<int>(i);
        if (lastforupper) {
            EXPECT_EQ(set.lc(upper), lower);
        }
        if (lastforlower) {
            EXPECT_EQ(set.uc(lower), upper);
        }
        if (lastforupper && lastforlower) {
            EXPECT_EQ(set.uc(set.lc(upper)), upper);
            EXPECT_EQ(set.lc(set.uc(lower)), lower);
            ++checked;
        }
    }
    return checked;
}

}  // namespace

TEST_F(charsets, everynameisinthetableandselectable) {
    EXPECT_EQ(facts::names.size(), 95u);
    EXPECT_EQ(charsetlettersmap.size(), 95u);
    EXPECT_EQ(charsetidentmap.size(), 95u);
    EXPECT_EQ(charsetcasepairsmap.size(), 95u);
    for (const std::string& name : facts::names) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(charsetexists(name));
        const charset set(name);
        EXPECT_EQ(set.letters(), charsetlettersmap[name]);
        EXPECT_EQ(set.identchars(), charsetidentmap[name]);
        EXPECT_EQ(set.uc("select x from dual"), "SELECT X FROM DUAL");
        EXPECT_EQ(set.lc("SELECT X FROM DUAL"), "select x from dual");
    }
}

TEST_F(charsets, unknownnamesstayunknown) {
    for (std::string name : {"we8iso8859p1", "", "UTF8", "US7ASCII "}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(charsetexists(name));
        for (const charset& set : {charset(name), charset()}) {
            EXPECT_EQ(set.letters(), "");
            EXPECT_EQ(set.identchars(), "");
            EXPECT_EQ(set.uc(allbytes()), allbytes());
            EXPECT_EQ(set.lc(allbytes()), allbytes());
        }
        EXPECT_FALSE(charsetexists(name));
        EXPECT_EQ(charsetlettersmap.size(), 95u);
        EXPECT_EQ(charsetidentmap.size(), 95u);
        EXPECT_EQ(charsetcasepairsmap.size(), 95u);
    }
}

TEST_F(charsets, us7asciiconvertsonlyasciilettersandcountseveryhighbyteasletter) {
    const charset set("US7ASCII");
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        int upper = (b >= 'a' && b <= 'z') ? b - 32 : b;
        int lower = (b >= 'A' && b <= 'Z') ? b + 32 : b;
        EXPECT_EQ(set.uc(byte(b)), byte(upper));
        EXPECT_EQ(set.lc(byte(b)), byte(lower));
        if (b >= 0x80) {
            EXPECT_NE(set.letters().find(static_cast<char>(b)), std::string::npos);
            EXPECT_NE(set.identchars().find(static_cast<char>(b)), std::string::npos);
        }
    }
}

TEST_F(charsets, nationalcaseconversion) {
    struct row {
        const char* set;
        int from, upper, lower;  // byte, its upper and its lower case
    };
    const row rows[] = {
        {"WE8ISO8859P1", 0xE9, 0xC9, 0xE9}, {"WE8ISO8859P1", 0xC9, 0xC9, 0xE9},
        {"WE8ISO8859P1", 0xDF, 0xDF, 0xDF}, {"WE8ISO8859P1", 0xFF, 0xFF, 0xFF},
        {"WE8ISO8859P1", 0xD7, 0xD7, 0xD7}, {"WE8MSWIN1252", 0xFF, 0x9F, 0xFF},
        {"WE8MSWIN1252", 0x9F, 0x9F, 0xFF}, {"CL8MSWIN1251", 0x81, 0x81, 0x83},
        {"CL8MSWIN1251", 0x83, 0x81, 0x83}, {"CL8MSWIN1251", 0xFF, 0xDF, 0xFF},
        {"EE8MSWIN1250", 0xB9, 0xA5, 0xB9}, {"WE8PC850", 0x81, 0x9A, 0x81},
        {"WE8PC850", 0xEC, 0xED, 0xEC},     {"TH8TISASCII", 0xA1, 0xA1, 0xA1},
        {"US7ASCII", 0xC9, 0xC9, 0xC9},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(std::string(r.set) + " " + std::to_string(r.from));
        const charset set(r.set);
        EXPECT_EQ(set.uc(byte(r.from)), byte(r.upper));
        EXPECT_EQ(set.lc(byte(r.from)), byte(r.lower));
        EXPECT_EQ(set.upper(static_cast<unsigned char>(r.from)), r.upper);
        EXPECT_EQ(set.lower(static_cast<unsigned char>(r.from)), r.lower);
    }
    const charset latin("WE8ISO8859P1");
    EXPECT_EQ(latin.uc("caf\xE9 na\xEFve \xDF"), "CAF\xC9 NA\xCFVE \xDF");
    EXPECT_EQ(latin.lc(std::string_view("\xC4\0X", 3)), std::string_view("\xE4\0x", 3));
}

TEST_F(charsets, thaidigitsareidentifiercharactersbutnotletters) {
    const charset set("TH8TISASCII");
    for (int b = 0xF0; b <= 0xF9; ++b) {
        SCOPED_TRACE(b);
        EXPECT_NE(set.identchars().find(static_cast<char>(b)), std::string::npos);
        EXPECT_EQ(set.letters().find(static_cast<char>(b)), std::string::npos);
    }
}

// Keeping the case of high bytes leaves a set's letters and its ASCII pairs as they are.
TEST_F(charsets, keepinghighbytecasedropsonlythehighpairs) {
    for (std::string name : {"CL8MSWIN1251", "WE8PC850", "US7ASCII"}) {
        SCOPED_TRACE(name);
        const charset cased(name), kept(name, true);
        EXPECT_EQ(kept.letters(), cased.letters());
        EXPECT_EQ(kept.identchars(), cased.identchars());
        const std::string high = allbytes().substr(0x80), ascii = allbytes().substr(0, 0x80);
        EXPECT_EQ(kept.lc(high), high);
        EXPECT_EQ(kept.uc(high), high);
        EXPECT_EQ(kept.lc(ascii), cased.lc(ascii));
        EXPECT_EQ(kept.uc(ascii), cased.uc(ascii));
    }
    EXPECT_NE(charset("CL8MSWIN1251").lc("\xC0"), "\xC0");
}

TEST_F(charsets, alaterpairnamingthesamebytewins) {
    const std::string pairs = facts::asciicasepairs + "\xC0\xE0\xC0\xE1\xC2\xE2\xC3\xE2";
    const charset set(facts::asciiletters, facts::asciiidentchars, pairs);
    EXPECT_EQ(checkroundtrips(set, pairs), 26u + 2);  // C0/E1 and C3/E2 are overridden nowhere
    EXPECT_EQ(set.lc("\xC0\xC2\xC3"), "\xE1\xE2\xE2");
    EXPECT_EQ(set.uc("\xE0\xE1\xE2"), "\xC0\xC0\xC3");
}

TEST_F(charsets, fixedsetsmatchbyteforbyte) {
    for (const facts::fixedset& set : facts::fixedsets) {
        SCOPED_TRACE(set.name);
        std::string national = facts::bytesfromranges(set.letters);
        EXPECT_EQ(charsetlettersmap[set.name], facts::asciiletters + national);
        EXPECT_EQ(charsetcasepairsmap[set.name], facts::asciicasepairs + facts::pairsfromranges(set.casepairs));
    }
    EXPECT_EQ(charsetcasepairsmap["WE8ISO8859P1"].size(), 52u + 2 * 30);
    EXPECT_EQ(charsetcasepairsmap["CL8MSWIN1251"].size(), 52u + 2 * 47);
}

TEST_F(charsets, everysetfollowstheshapeofthethreestrings) {
    for (const std::string& name : facts::names) {
        SCOPED_TRACE(name);
        std::string letters = nationalpart(charsetlettersmap[name], facts::asciiletters);
        std::string identchars = nationalpart(charsetidentmap[name], facts::asciiidentchars);
        std::string pairs = nationalpart(charsetcasepairsmap[name], facts::asciicasepairs);
        EXPECT_TRUE(std::is_sorted(letters.begin(), letters.end(),
                                   [](char a, char b) { return (unsigned char)a < (unsigned char)b; }));
        EXPECT_TRUE(std::all_of(letters.begin(), letters.end(), [](char c) { return (unsigned char)c >= 0x80; }));
        auto digits = std::find_if(facts::digitsets.begin(), facts::digitsets.end(),
                                   [&](const auto& set) { return set.first == name; });
        std::string owndigits;
        if (digits != facts::digitsets.end())
            for (int d = 0; d < 10; ++d) owndigits += static_cast<char>(digits->second + d);
        EXPECT_EQ(identchars, letters + owndigits);
        EXPECT_EQ(pairs.size() % 2, 0u);
        for (char b : pairs) EXPECT_NE(letters.find(b), std::string::npos) << "pair byte " << (int)(unsigned char)b;
    }
}

TEST_F(charsets, setswithoutnationalpairsconvertonlyascii) {
    EXPECT_EQ(facts::withoutnationalpairs.size(), 24u);
    for (const std::string& name : facts::withoutnationalpairs) {
        SCOPED_TRACE(name);
        EXPECT_EQ(charsetcasepairsmap[name], facts::asciicasepairs);
        const charset set(name);
        std::string high = allbytes().substr(0x80);
        EXPECT_EQ(set.uc(high), high);
        EXPECT_EQ(set.lc(high), high);
    }
    size_t withpairs = std::count_if(facts::names.begin(), facts::names.end(), [](const std::string& name) {
        return charsetcasepairsmap[name].size() > facts::asciicasepairs.size();
    });
    EXPECT_GT(withpairs, 40u);  // the national pairs of most sets really reach the tables
}

TEST_F(charsets, identicalsetshaveidenticalstrings) {
    for (const auto& [first, second] : facts::identicalpairs) {
        SCOPED_TRACE(first + " " + second);
        EXPECT_EQ(charsetlettersmap[first], charsetlettersmap[second]);
        EXPECT_EQ(charsetidentmap[first], charsetidentmap[second]);
        EXPECT_EQ(charsetcasepairsmap[first], charsetcasepairsmap[second]);
    }
}

TEST_F(charsets, casepairsroundtripineveryset) {
    size_t checked = 0;
    for (const std::string& name : facts::names) {
        SCOPED_TRACE(name);
        checked += checkroundtrips(charset(name), charsetcasepairsmap[name]);
    }
    EXPECT_GT(checked, 95u * 26 + 1000);  // the ASCII pairs of every set and many national ones
}
