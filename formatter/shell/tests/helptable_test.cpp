// The help table: its sections, the keys derived from the lines and the layout of lines.
#include "helptable.h"

#include <gtest/gtest.h>

#include <set>

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

TEST_F(helptabletest, elevensectionsintheirorderandsize) {
    std::vector<std::pair<std::string, size_t>> sections;
    for (const helprecord& record : helptable) {
        if (sections.empty() || sections.back().first != record.section) sections.push_back({record.section, 0});
        ++sections.back().second;
    }
    std::vector<std::pair<std::string, size_t>> expected = {
        {"general", 24}, {"wrapping", 9}, {"spaces", 6}, {"indentation", 14},
        {"alignments", 12}, {"sql", 11}, {"linebreaks", 20}, {"other", 44},
        {"styles", 8}, {"html", 3}, {"Pl/Sql preprocessor", 10}};
    EXPECT_EQ(sections, expected);
    EXPECT_EQ(helptable.size(), 161u);
    EXPECT_EQ(helptable.front().key, "-i[r]");
    EXPECT_EQ(helptable.back().key, "pp.kld");
}

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
}

TEST_F(helptabletest, descriptionsstartatthecolumnoftheirsection) {
    const char* lines[] = {
        "-uk[+-]         uppercase keywords yes/no",
        "-io[r] filename same input and output file [recursively]",
        "-il[Le] size(t) indent size in spaces or in tabs at (Le)vel(specific)",
        " -mcs size      maximum allowed size of columns",
        "-c[+-]         compactify, remove redundant spaces/keep",
        "-sbi.max chars maximum characters to show from the start of the block",
        "-ei            end if",
        "-0             sets all switches to off",
        "-isis size     indentation size (in spaces) in Sql clauses",
        " -iaw[+-]       extra indentation after where clauses",
        "-html[+-]      format of output is html",
        " -ht filename   filename of html template",
        " -tag\\[type\\] tags use html tags for token type",
        "-pp[+-]           preprocess(yes/no)",
        "-pp.D macro=value define macros",
        "-pp.pf filename   preload this file",
    };
    for (const char* line : lines) {
        std::string text = line;
        EXPECT_EQ(lineof(text.substr(0, text.find(' ', 1) + 1)).line, text);
    }
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

TEST_F(helptabletest, everylinebeginswithitsswitch) {
    std::set<std::string> sectionnames;
    for (const helprecord& record : helptable) {
        size_t dash = record.line.find_first_not_of(' ');
        EXPECT_LE(dash, 1u) << record.line;
        EXPECT_EQ(record.line[dash], '-') << record.line;
        EXPECT_EQ(record.line.back() == ' ', false) << record.line;
        sectionnames.insert(record.section);
    }
    EXPECT_EQ(sectionnames.size(), 11u);
}
