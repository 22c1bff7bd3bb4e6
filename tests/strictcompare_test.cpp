// The strict comparison of the corpus and golden checks: what it lets formatting change and
// what it catches.
#include "strictcompare.h"

#include <gtest/gtest.h>

namespace {

struct pair {
    const char* original;
    const char* formatted;
};

}  // namespace

TEST(strictcompare, letscaseandwhitespacebetweentokenschange) {
    const pair rows[] = {
        {"select a,b from t;", "SELECT a, b\n  FROM t;"},
        {"x:=1e127d+.5E-3;", "X := 1E127D + .5e-3;"},
        {"  rem it's =====\nprompt a -\n   b\n", "rem it's =====\n  prompt a -\nb\n"},
        {"v := N'abc' || n'd';", "v := n'abc' || n'd';"},
        {"$if $$debug $then x; $end", "$IF $$DEBUG $THEN\n  x;\n$END"},
        {"p(:new.a, &&1, &name)", "p(:NEW.a,&&1,&NAME)"},
        {"", "\n\n"},
    };
    for (const pair& row : rows) {
        strictresult result = strictcompare(row.original, row.formatted);
        EXPECT_TRUE(result.same) << row.original << ": " << result.difference;
    }
    EXPECT_EQ(strictcompare("select a from t;", "SELECT a FROM t;").tokens, 5);
}

TEST(strictcompare, catcheschangedliteralscommentsandscriptlines) {
    const pair rows[] = {
        {"x := 'a b';", "x := 'A B';"},
        {"x := q'[it's]';", "x := Q'[it's]';"},
        {"x := \"Mixed\";", "x := \"MIXED\";"},
        {"-- a  note\nx;", "-- a note\nx;"},
        {"/* a\n   b */ x;", "/* a\n b */ x;"},
        {"rem =====\n", "rem = = = = =\n"},
        {"prompt Done for all\n", "prompt Done FOR ALL\n"},
        {"prompt first -\nsecond part\n", "prompt first -\nSECOND part\n"},
        {"x := 2.718281828459e210d;", "x := 2.718281828459\ne210d;"},
        {"x := n'abc';", "x := n\n'abc';"},
        {"for i in 1..10 loop", "for i in 1. .10 loop"},
        {"a := b;", "a : = b;"},
        {"p(:new.a)", "p(: new.a)"},
        {"x;", "x; y;"},
        {"x; y;", "x;"},
    };
    for (const pair& row : rows) {
        strictresult result = strictcompare(row.original, row.formatted);
        EXPECT_FALSE(result.same) << row.original;
        EXPECT_FALSE(result.difference.empty()) << row.original;
    }
}

TEST(strictcompare, namesthefirstdifferenceanditsline) {
    strictresult result = strictcompare("a;\nrem x\nb;", "a;\nREM x\nb;");
    EXPECT_FALSE(result.same);
    EXPECT_EQ(result.difference, "token 3 (input line 2, output line 2): \"rem x\" became \"REM x\"");
    EXPECT_EQ(result.tokens, 2);
}

TEST(strictcompare, scriptlinesarelinesthatbeginwiththeirword) {
    std::vector<stricttoken> tokens = stricttokens("  REMARK a'b -\n  c\nx := prompt;\npromptly;\nPRO\n");
    ASSERT_EQ(tokens.size(), 9u);
    EXPECT_EQ(tokens[0].kind, stricttoken::scriptline);
    EXPECT_EQ(tokens[0].text, "REMARK a'b -");
    EXPECT_EQ(tokens[1].kind, stricttoken::scriptline);
    EXPECT_EQ(tokens[1].text, "c");
    EXPECT_EQ(tokens[1].line, 2);
    EXPECT_EQ(tokens[4].text, "prompt");   // a word inside a line
    EXPECT_EQ(tokens[4].kind, stricttoken::word);
    EXPECT_EQ(tokens[6].text, "promptly");
    EXPECT_EQ(tokens[6].kind, stricttoken::word);
    EXPECT_EQ(tokens[8].kind, stricttoken::scriptline);
    EXPECT_EQ(tokens[8].line, 5);
}
