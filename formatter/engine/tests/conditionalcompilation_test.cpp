// Conditional compilation: directive words are one token each and open no blocks; each branch
// is laid out from the state at its $if, and the rules go on after $end from the first
// branch's end. Golden cases under the defaults, alignment under a column limit and more.
#include "alignmenttesting.h"

namespace {

using enginetesting::outcome;

class conditional : public enginetesting::goldenrun {};

TEST_F(conditional, branchesformatfromthestateoftheirif) {
    verifydefaultandlimit({
        {"declare\n"
         "  $if dbms_db_version.version >= 18 $then\n"
         "    c constant number := 1;\n"
         "  $else\n"
         "    c constant number := 2;\n"
         "  $end\n"
         "  l number;\n"
         "begin\n"
         "  null;\n"
         "end;\n",
         "DECLARE\n"
         "$IF dbms_db_version.version >= 18 $THEN\n"
         "c CONSTANT NUMBER := 1;\n"
         "$ELSE\n"
         "c CONSTANT NUMBER := 2;\n"
         "$END\n"
         "l NUMBER;\n"
         "BEGIN\n"
         "  NULL;\n"
         "END;\n"},
        {"create or replace package body log_pkg is\n"
         "$if dbms_db_version.version >= 18 $then\n"
         "procedure write_entry(p_level in pls_integer) is\n"
         "l_scope varchar2(128);\n"
         "$elsif $$legacy $then\n"
         "procedure write_entry(p_level in pls_integer, p_unused number) is\n"
         "$else\n"
         "function write_entry(p_level in pls_integer) return number is\n"
         "l_count number;\n"
         "$end\n"
         "begin\n"
         "if p_level > 1 then\n"
         "return;\n"
         "end if;\n"
         "end write_entry;\n"
         "end log_pkg;\n"
         "/\n",
         "CREATE OR REPLACE PACKAGE BODY log_pkg IS\n"
         "  $IF dbms_db_version.version >= 18 $THEN\n"
         "  PROCEDURE write_entry(p_level IN PLS_INTEGER) IS\n"
         "  l_scope VARCHAR2(128);\n"
         "  $ELSIF $$legacy $THEN\n"
         "  PROCEDURE write_entry(p_level IN PLS_INTEGER, p_unused NUMBER) IS\n"
         "  $ELSE\n"
         "  FUNCTION write_entry(p_level IN PLS_INTEGER) RETURN NUMBER IS\n"
         "  l_count NUMBER;\n"
         "  $END\n"
         "  BEGIN\n"
         "    IF p_level > 1 THEN\n"
         "      RETURN;\n"
         "    END IF;\n"
         "  END write_entry;\n"
         "END log_pkg;\n"
         "/\n"},
        {"create or replace package body p is\n"
         "g_level pls_integer := $if $$debug $then 8 $else 4 $end;\n"
         "procedure q(a number $if $$x $then , b number $end) is\n"
         "l_unit varchar2(128) := $$PLSQL_Unit;\n"
         "begin\n"
         "$if $$x $then\n"
         "for i in 1..a loop\n"
         "$else\n"
         "while a > 0 loop\n"
         "$end\n"
         "null;\n"
         "end loop;\n"
         "end q;\n"
         "end p;\n"
         "/\n",
         "CREATE OR REPLACE PACKAGE BODY p IS\n"
         "  g_level PLS_INTEGER := $IF $$debug $THEN 8 $ELSE 4 $END;\n"
         "  PROCEDURE q(a NUMBER $IF $$x $THEN, b NUMBER $END) IS\n"
         "  l_unit VARCHAR2(128) := $$PLSQL_Unit;\n"
         "  BEGIN\n"
         "    $IF $$x $THEN\n"
         "    FOR i IN 1..a LOOP\n"
         "    $ELSE\n"
         "    WHILE a > 0 LOOP\n"
         "    $END\n"
         "      NULL;\n"
         "    END LOOP;\n"
         "  END q;\n"
         "END p;\n"
         "/\n"},
        {"begin\n"
         "$if $$debug $then\n"
         "$if dbms_db_version.version >= 19 $then\n"
         "dbms_output.put_line($$plsql_unit || ':' || $$plsql_line);\n"
         "$else\n"
         "$error 'debug needs 19, this is ' || dbms_db_version.version $end\n"
         "$end\n"
         "$end\n"
         "null;\n"
         "end;\n"
         "/\n",
         "BEGIN\n"
         "  $IF $$debug $THEN\n"
         "  $IF dbms_db_version.version >= 19 $THEN\n"
         "  dbms_output.put_line($$plsql_unit || ':' || $$plsql_line);\n"
         "  $ELSE\n"
         "  $ERROR 'debug needs 19, this is ' || dbms_db_version.version $END\n"
         "  $END\n"
         "  $END\n"
         "  NULL;\n"
         "END;\n"
         "/\n"},
    });
    verifyall({
        // -kitt joins a THEN to its condition within its branch, never across a directive.
        {"-kitt", [](settings& s) { s.kitt = 1; },
         "begin\n"
         "if a is not null\n"
         "$if $$mail $then\n"
         "or b\n"
         "then p(a, b);\n"
         "$else\n"
         "then p(a);\n"
         "$end\n"
         "end if;\n"
         "end;\n",
         "BEGIN\n"
         "  IF a IS NOT NULL\n"
         "    $IF $$mail $THEN\n"
         "    OR b THEN p(a, b);\n"
         "    $ELSE\n"
         "    THEN p(a);\n"
         "    $END\n"
         "  END IF;\n"
         "END;\n"},
        {"-id -lk -is 3", [](settings& s) { s.id = 1; s.lk = 1; s.uk = 0; s.is = "3"; },
         "begin\n"
         "$if $$debug $then\n"
         "$if dbms_db_version.version >= 19 $then\n"
         "dbms_output.put_line($$plsql_unit || ':' || $$plsql_line);\n"
         "$else\n"
         "$error 'debug needs 19, this is ' || dbms_db_version.version $end\n"
         "$end\n"
         "$end\n"
         "null;\n"
         "end;\n"
         "/\n",
         "begin\n"
         "   $if $$debug $then\n"
         "   $if dbms_db_version.version >= 19 $then\n"
         "   dbms_output.put_line($$plsql_unit || ':' || $$plsql_line);\n"
         "   $else\n"
         "   $error 'debug needs 19, this is ' || dbms_db_version.version $end\n"
         "   $end\n"
         "   $end\n"
         "   null;\n"
         "end;\n"
         "/\n"},
        {"-id -is 3", [](settings& s) { s.id = 1; s.is = "3"; },
         "create or replace package body log_pkg is\n"
         "$if dbms_db_version.version >= 18 $then\n"
         "procedure write_entry(p_level in pls_integer) is\n"
         "l_scope varchar2(128);\n"
         "$elsif $$legacy $then\n"
         "procedure write_entry(p_level in pls_integer, p_unused number) is\n"
         "$else\n"
         "function write_entry(p_level in pls_integer) return number is\n"
         "l_count number;\n"
         "$end\n"
         "begin\n"
         "if p_level > 1 then\n"
         "return;\n"
         "end if;\n"
         "end write_entry;\n"
         "end log_pkg;\n"
         "/\n",
         "CREATE OR REPLACE PACKAGE BODY log_pkg IS\n"
         "   $IF dbms_db_version.version >= 18 $THEN\n"
         "   PROCEDURE write_entry(p_level IN PLS_INTEGER) IS\n"
         "      l_scope VARCHAR2(128);\n"
         "   $ELSIF $$legacy $THEN\n"
         "   PROCEDURE write_entry(p_level IN PLS_INTEGER, p_unused NUMBER) IS\n"
         "   $ELSE\n"
         "   FUNCTION write_entry(p_level IN PLS_INTEGER) RETURN NUMBER IS\n"
         "      l_count NUMBER;\n"
         "   $END\n"
         "   BEGIN\n"
         "      IF p_level > 1 THEN\n"
         "         RETURN;\n"
         "      END IF;\n"
         "   END write_entry;\n"
         "END log_pkg;\n"
         "/\n"},
        {"-ui -lk", [](settings& s) { s.ui = 1; s.lk = 1; s.uk = 0; },
         "create or replace package body p is\n"
         "g_level pls_integer := $if $$debug $then 8 $else 4 $end;\n"
         "procedure q(a number $if $$x $then , b number $end) is\n"
         "l_unit varchar2(128) := $$PLSQL_Unit;\n"
         "begin\n"
         "null;\n"
         "end q;\n"
         "end p;\n"
         "/\n",
         "create or replace package body P is\n"
         "  G_LEVEL pls_integer := $if $$debug $then 8 $else 4 $end;\n"
         "  procedure Q(A number $if $$x $then, B number $end) is\n"
         "  L_UNIT varchar2(128) := $$PLSQL_Unit;\n"
         "  begin\n"
         "    null;\n"
         "  end Q;\n"
         "end P;\n"
         "/\n"},
    });
}

TEST_F(conditional, syntaxerrorsinsideabranchareseen) {
    outcome result = format("begin\n$if $$x $then\nif a then\n$else\nif b then\n$end\nnull;\nend loop;\nend;\n/\n");
    EXPECT_EQ(result.thrown, "2\n");
    EXPECT_NE(result.messages.find(":'end if' not found but found 'end loop'\n"), std::string::npos) << result.messages;
    EXPECT_FALSE(result.written);
    // A branch that leaves a block open where the others do not: the first one counts.
    outcome unbalanced = format("begin\n$if $$x $then\nnull;\n$else\nbegin\n$end\nnull;\nend;\n/\n");
    EXPECT_EQ(unbalanced.thrown, "") << unbalanced.messages;
}

TEST_F(conditional, directivewordsareonetokenandinquiriesstayastheyare) {
    std::vector<enginetesting::seen> expected{{"$IF", identifier}, {" ", whitespace}, {"$$Debug", identifier},
                                              {" ", whitespace}, {"$then", identifier}};
    EXPECT_EQ(enginetesting::tokensof("$IF $$Debug $then"), expected);
    outcome result = format("x := $$Plsql_Line;\n", [](settings& s) { s.ui = 1; });
    EXPECT_EQ(result.output, "X := $$Plsql_Line;\n");
}

}  // namespace

// The header walks read a branch on past the others: a header in the first branch finds the
// IS after $end, one in the last branch finds it too.
TEST(conditionalwalk, nextcodewordpassesovertheotherbranches) {
    formatter f;
    enginetesting::preparerules(f, "a $if x $then b $elsif y $then c $if z $then d $end $else e $end f $error 'm' $end g");
    auto word = [&f](std::string_view text) {
        for (position p = f.tokens.begin(); p != f.tokens.end(); ++p)
            if (p->text() == text) return p;
        return f.tokens.end();
    };
    EXPECT_EQ(f.nextcodeword(word("a"))->text(), "b");
    EXPECT_EQ(f.nextcodeword(word("b"))->text(), "f");
    EXPECT_EQ(f.nextcodeword(word("c"))->text(), "d");
    EXPECT_EQ(f.nextcodeword(word("d"))->text(), "f");
    EXPECT_EQ(f.nextcodeword(word("f"))->text(), "g");
    EXPECT_EQ(f.nextcodeword(word("g"))->kind, endtoken);
}
