// The formatter's word data: keyword classes, clause words, the token-context reset and the
// FROM-list names.
#include "enginetesting.h"

namespace {

TEST(keywordclasses, thecodesofthemap) {
    std::map<std::string, int32_t> map(keywordclasstable().begin(), keywordclasstable().end());
    EXPECT_EQ(map.size(), 50u);
    std::set<int32_t> codes;
    for (const auto& [word, code] : map) codes.insert(code);
    EXPECT_EQ(codes.size(), 50u);
    EXPECT_EQ(*codes.begin(), 1);
    EXPECT_EQ(*codes.rbegin(), 53);
    for (int32_t unused : {3, 4, 5}) EXPECT_EQ(codes.count(unused), 0u);
    EXPECT_EQ(map.at("by"), 1);
    EXPECT_EQ(map.at("then"), 6);
    EXPECT_EQ(map.at("select"), 17);
    EXPECT_EQ(map.at("and"), 25);
    EXPECT_EQ(map.at("from"), 28);
    EXPECT_EQ(map.at("between"), 46);
    EXPECT_EQ(map.at("materialized"), 50);
    EXPECT_EQ(map.at("fetch"), 53);
}

TEST(clausekeywords, thirteenwordsinorder) {
    clausekeywords part;
    EXPECT_EQ(part.clausewordlist,
              (std::vector<std::string>{"select", "from", "where", "group", "order", "having", "for",
                                        "union", "intersect", "minus", "into", "connect", "start"}));
    EXPECT_EQ(part.clausewords.size(), 13u);
}

TEST(blocklevels, startemptywithroomforten) {
    linetable blockstack;
    EXPECT_EQ(blockstack.size(), 0);
    EXPECT_EQ(blockstack.capacity(), 10);
    EXPECT_EQ(blockstack.at(3).isasreached, 1);
    EXPECT_EQ(blockstack.at(3).startcolumn, 0);
}

TEST(reset, leavesonlytheleadingtoken) {
    formatter f;
    EXPECT_EQ(f.linebreaktext, "\n");
    f.linebreaktext = "\r\n";
    f.resettokencontext();
    f.tokenize("a b");
    f.resettokencontext();
    ASSERT_EQ(std::distance(f.tokens.begin(), f.tokens.end()), 1);
    const token& leading = *f.tokens.begin();
    EXPECT_EQ(leading.text(), "\r\n");
    EXPECT_EQ(leading.kind, whitespace);
    EXPECT_EQ(leading.sequence, 0);
    EXPECT_EQ(leading.line, 1);
    EXPECT_EQ(f.firsttoken, f.tokens.begin());
    EXPECT_TRUE(f.linebreakcounts.empty());
    f.tokenize("x");
    EXPECT_EQ(std::next(f.tokens.begin())->sequence, 1);
}

TEST(fromlists, tablenamesofthefromlist) {
    struct row {
        std::string text;
        std::vector<std::string> names;
    };
    for (const row& r : {row{"select 1 from a, b.c x, (select 2 from d) e , f where z", {"a", "b.c", "f"}},
                         row{"select * from dual;", {"dual"}},
                         row{"delete from t", {"t"}},
                         row{"select 1 from \"Q\" order by 1", {"\"Q\""}}}) {
        formatter f;
        f.resettokencontext();
        f.tokenize(r.text);
        f.appendendtokens();
        position from = f.tokens.begin();
        while (from->classcode != classfrom) ++from;
        EXPECT_EQ(f.fromtablenames(from), r.names) << r.text;
    }
}

}  // namespace
