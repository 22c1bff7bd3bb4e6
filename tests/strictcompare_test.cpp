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
        {"x;\nconnect a/b@c\n", "x;\n  CONNECT A/B@C\n"},
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
        {"x;\nconnect a/b@c\n", "x;\nconnect a / b@c\n"},
    };
    for (const pair& row : rows) {
        strictresult result = strictcompare(row.original, row.formatted);
        EXPECT_FALSE(result.same) << row.original;
        EXPECT_FALSE(result.difference.empty()) << row.original;
    }
}

TEST(strictcompare, namesthefirstdifferenceanditsline) {
    strictresult result = strictcompare("x;\nrem x\nb;", "x;\nREM x\nb;");
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

// The SQL*Plus meaning check: command lines where no statement is open (after ";", a "/" line
// or another command, a PL/SQL unit only after its "/" line) keep their words and blanks;
// letter case and indentation may change.
TEST(sqlpluscompare, letscaseandindentationofcommandlineschange) {
    const pair rows[] = {
        {"select 1 from dual\n/\nconnect oe/pw@db\n", "SELECT 1\n  FROM dual\n/\n  CONNECT OE/PW@DB\n"},
        {"grant x to &&owner;\n@@install.sql a/b\n", "GRANT x TO &&owner;\n@@install.sql a/b  \n"},
        {"begin\n  x := a -\n   b;\nend;\n/\ndefine x = a-b\n", "BEGIN\n  x := a -\n  b;\nEND;\n/\nDEFINE X = A-B\n"},
        {"update t\nset a = 1;\n", "UPDATE t SET a = 1;\n"},   // SET inside a statement
        {"create procedure p is\nbegin\n  null;\nend;\nset x on\n/\n", "CREATE PROCEDURE p IS BEGIN NULL; END; SET x ON\n/\n"},
    };
    for (const pair& row : rows) {
        sqlplusresult result = sqlpluscompare(row.original, row.formatted);
        EXPECT_TRUE(result.same) << row.original << ": " << result.difference;
    }
    sqlplusresult counted = sqlpluscompare("set a -\n  b\ninsert into t values (1 -\n, 2); -- x -\n", "set a -\n b\nINSERT INTO t VALUES (1 -\n, 2); -- x -\n");
    EXPECT_EQ(counted.lines, 2);
    EXPECT_EQ(counted.hyphens, 2);
}

TEST(sqlpluscompare, catcheschangedjoinedandlostcommandlinesandcontinuations) {
    const pair rows[] = {
        {"select 1 from dual\n/\nconnect oe/pw@db\n", "SELECT 1 FROM dual\n/\nCONNECT oe / pw@db\n"},
        {"select 1 from dual;\ndefine x = a-b\n", "SELECT 1 FROM dual;\ndefine x = a - b\n"},
        {"select 1 from dual;\ndefine x = a  b\n", "SELECT 1 FROM dual;\ndefine x = a b\n"},
        {"select 1 from dual;\n@@x.sql 'a/b'\n", "SELECT 1 FROM dual;\n@@x.sql\n'a/b'\n"},
        {"x;\ncolumn a format a10,\nselect 1 from dual;\n", "x;\ncolumn a format a10, SELECT 1 FROM dual;\n"},
        {"exec p( -\n  1)\n", "exec p( - 1)\n"},
        {"insert into t values (1726-\n,'CA'-\n);\n", "INSERT INTO t VALUES (1726 -,\n'CA' -\n);\n"},
        {"x := a -\n  b;\n", "x := a - b;\n"},
        {"x := a - b;\n", "x := a -\n  b;\n"},
        {"rem a\n", ""},
    };
    for (const pair& row : rows) {
        sqlplusresult result = sqlpluscompare(row.original, row.formatted);
        EXPECT_FALSE(result.same) << row.original;
        EXPECT_FALSE(result.difference.empty()) << row.original;
    }
    EXPECT_EQ(sqlpluscompare("x;\nset a  b\n", "x;\nSET a b\n").difference,
              "SQL*Plus line 1 (input line 2, output line 2): \"set a  b\" became \"SET a b\"");
}
