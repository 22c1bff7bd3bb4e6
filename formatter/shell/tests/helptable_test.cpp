// The help table: its sections, the keys derived from the lines and the layout of lines.
#include "helptable.h"

#include <gtest/gtest.h>

namespace {

class helptabletest : public ::testing::Test {
protected:
    void SetUp() override { buildhelptable(); }

    const helprecord& lineof(const std::string& start) {
        for (const helprecord& record : helptable)
            if (record.line.rfind(start, 0) == 0) return record;
        static const helprecord none;
        ADD_FAILURE() << "no help line starts with " << start;
        return none;
    }
};

}  // namespace


TEST_F(helptabletest, sharedkeyskeepthelaterlineinthemap) {
    EXPECT_EQ(helpbykey.size(), 159u);
    EXPECT_EQ(helpbykey.at("isc").line, lineof("-isc2").line);
    EXPECT_EQ(helpbykey.at("pp.").line, lineof("-pp.D").line);
    EXPECT_EQ(helpbykey.at("").line, lineof("-0 ").line);
    EXPECT_EQ(helpbykey.count("oe"), 0u);
    EXPECT_EQ(helpbykey.at("-ie").line, lineof("-oe ").line);
    for (const char* given : {"-i[r]", "-o", "-io[r]", "-od[r]", "-ef[r]"}) EXPECT_EQ(helpbykey.count(given), 1u);
}

TEST_F(helptabletest, rebuildingdoesnotaddlinestwice) {
    buildhelptable();
    EXPECT_EQ(helptable.size(), 161u);
    EXPECT_EQ(helptable.front().key, "-i[r]");
    EXPECT_EQ(helptable.back().key, "pp.kld");
}


TEST_F(helptabletest, keysfollowthelettersafterthedash) {
    struct row {
        const char* text;
        const char* key;
    } rows[] = {
        {"-uk[+-]", "uk"},          {"  -sbi.ml 5 ", "sbi.ml"}, {"-isc2+ ", "isc"},
        {"-pp.I \"a\" ", "pp."},    {"-pp.pf x", "pp.pf"},      {"-tag[keyword] x", "tag"},
        {"-0 ", ""},                {" -ifs \"select\" ", "ifs"}, {"-Uk", ""},
    };
    for (const row& r : rows) EXPECT_EQ(switchkey(r.text, "none"), r.key) << r.text;
}

TEST_F(helptabletest, atextwithoutadashisaninternalerror) {
    for (const char* text : {"", "   ", "uk", " +uk"}) {
        try {
            switchkey(text, "Internal error: there is no switch");
            ADD_FAILURE() << "no error for '" << text << "'";
        } catch (const std::string& message) {
            EXPECT_EQ(message, "Internal error: there is no switch");
        }
    }
    EXPECT_THROW(addhelpline("x", "", "no switch here"), std::string);
}

