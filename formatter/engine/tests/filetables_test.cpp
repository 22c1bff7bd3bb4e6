// The file tables: the word sets, the patterns, and the keyword tables that follow the
// alignment and line-break switches.
#include "enginetesting.h"

#include <map>

namespace {

TEST(wordsets, reservedwordsandsqlpluscommands) {
    const filetables t = buildfiletables(enginetesting::defaultsettings());
    EXPECT_EQ(t.reservedwords.size(), 533u);
    for (const char* word : {"delete", "all", "binary_integer", "case", "zone", "varchar2"})
        EXPECT_EQ(t.reservedwords.count(word), 1u) << word;
    EXPECT_EQ(t.reservedwords.count("DELETE"), 0u);
    for (const char* command : {"acc", "accept", "a", "append", "tim", "timng", "rem", "remark",
                                "doc", "document", "prompt", "pro", "exit", "newpage", "quit"})
        EXPECT_EQ(t.sqlpluscommands.count(command), 1u) << command;
    for (const char* absent : {"acce", "prom", "@", "@@", ""})
        EXPECT_EQ(t.sqlpluscommands.count(absent), 0u) << absent;
}

TEST(patterns, unitkindandtrailingbreak) {
    const filetables t = buildfiletables(enginetesting::defaultsettings());
    patternmatch m;
    ASSERT_TRUE(t.unitkind->partialmatch("PROCEDURE", &m));
    EXPECT_TRUE(m.matched(1));
    ASSERT_TRUE(t.unitkind->partialmatch("Trigger", &m));
    EXPECT_TRUE(m.matched(3));
    EXPECT_FALSE(t.unitkind->partialmatch("procedures"));
    ASSERT_TRUE(t.trailingbreak->partialmatch("x\r\n \t", &m));
    EXPECT_EQ(m.str(1), "\r\n");
    EXPECT_EQ(m.str(2), " \t");
}

// Each switch puts its keywords in their table with their mode; without them the tables are empty.
TEST(keywordtables, followtheswitches) {
    using modes = std::map<std::string, int32_t>;
    struct row {
        const char* label;
        enginetesting::adjustment adjust;
        modes aligned;   // keyword -> aligned-list mode
        modes breaks;    // keyword -> line-break flags
    };
    const modes selectlist{{"select", 2}, {"distinct", 2}, {"into", 3}};
    const modes updatelist{{"update", 2}};
    const modes wherelist{{"where", 2}};
    for (const row& r : std::vector<row>{
             {"defaults", {}, {}, {}},
             {"-as", [](settings& s) { s.as = 1; }, selectlist, {}},
             {"-ins with -isis", [](settings& s) { s.ins = 1; s.isis = 1; }, selectlist, {}},
             {"-ins without -isis", [](settings& s) { s.ins = 1; s.isis = 0; }, {}, {}},
             {"-au", [](settings& s) { s.au = 1; }, updatelist, {}},
             {"-iu with -isis", [](settings& s) { s.iu = 1; s.isis = 1; }, updatelist, {}},
             {"-aaw", [](settings& s) { s.aaw = 1; }, wherelist, {}},
             {"-iaw with -isis", [](settings& s) { s.iaw = 1; s.isis = 1; }, wherelist, {}},
             {"-ac", [](settings& s) { s.ac = 1; }, {{"if", 1}, {"elsif", 1}, {"when", 1}, {"while", 1}}, {}},
             {"-aroa", [](settings& s) { s.aroa = 1; }, {{":=", 1}}, {}},
             {"-bus", [](settings& s) { s.bus = 1; }, {},
              {{"from", 2}, {"into", 1}, {"where", 1}, {"group", 1}, {"order", 1}, {"having", 1},
               {"union", 13}, {"minus", 5}, {"intersect", 5}}},
             {"-bbj", [](settings& s) { s.bbj = 1; }, {},
              {{"join", 2}, {"cross", 2}, {"inner", 2}, {"natural", 2}, {"left", 2}, {"right", 2}, {"full", 2}}},
         }) {
        settings s = enginetesting::defaultsettings();
        if (r.adjust) r.adjust(s);
        const filetables t = buildfiletables(s);
        modes aligned, breaks;
        for (const auto& [word, entry] : t.alignmentwords) aligned[word] = entry.mode;
        for (const auto& [word, flags] : t.breakkeywords) breaks[word] = flags;
        EXPECT_EQ(aligned, r.aligned) << r.label;
        EXPECT_EQ(breaks, r.breaks) << r.label;
        EXPECT_EQ(alignsupdate(s), r.aligned.count("update") == 1) << r.label;
        EXPECT_EQ(t.breakfollowers.empty(), r.breaks.empty()) << r.label;
        EXPECT_EQ(t.statementstarters.size(), 25u) << r.label;
    }
    settings s = enginetesting::defaultsettings();
    s.as = s.bus = s.bbj = 1;
    const filetables t = buildfiletables(s);
    EXPECT_EQ(t.alignmentwords.at("into").statementword, "fetch");
    EXPECT_EQ(t.breakfollowers.at("union"), std::vector<std::string>{"all"});
    EXPECT_EQ(t.breakfollowers.at("left"), (std::vector<std::string>{"outer", "join"}));
}

}  // namespace
