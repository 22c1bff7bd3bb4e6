// The engine's golden checks for the cases that only switch words set up: the presets, -ifs
// blocks, an options comment and the switch displays, read by the command line's parser.
#include "switchwords.h"

#include <sstream>

namespace {

using enginetesting::words;

class switchwords : public enginetesting::wordrun {};

// The golden helper reads switch words: operator blanks follow -co/-sao as given.
TEST_F(switchwords, switchwordsreachthesettings) {
    verifyformat("v := b;\n", "v:=b;\n");
    verifyformat("v:=b;\n", "v:=b;\n", words({"-co-", "-sao-"}));
}

TEST_F(switchwords, switchdisplayendsthefilequietly) {
    for (auto adjust : {+[](settings& s) { s.x = 1; }, +[](settings& s) { s.sw = 1; },
                        +[](settings& s) { s.swx = 1; }}) {
        auto result = format("a", adjust);
        EXPECT_EQ(result.thrown, "0\n");
        EXPECT_FALSE(result.written);
    }
    EXPECT_TRUE(format("a", [](settings& s) { s.v = 1; }).written);
}

// The comment's parse starts afresh: -v given before it does not survive, and the writer
// and the backup see that.
TEST_F(switchwords, insourceoptionsshowinthesettingsgivenback) {
    settings s = enginetesting::defaultsettings();
    s.inputfile = s.inputfilealias = "in.sql";
    s.outputfile = s.outputfilealias = "out.sql";
    messagestream sink;
    sink.stringmode = 1;
    std::ostringstream listed;
    s.gsfif = 1;
    s.v = 1;
    s.inputfiles.at(0) = "in.sql";   // the parser wants an input to format
    formattedtext result = formattext(s, switches(), "/*brelm options: -sao- */\nx:=1;\n", sink, listed);
    EXPECT_EQ(result.s.v, 0);
    EXPECT_EQ(result.s.sao, 0);
    EXPECT_EQ(s.v, 1);   // the caller's settings stay as they were
    EXPECT_EQ(result.text, "/*brelm options: -sao- */\nx:=1;\n");
}

// A $then or $else inside a declaration's value starts no declaration of its own: the
// branch words stay under the column limit like any other word, and a second run keeps
// the layout the first one gave.
TEST_F(switchwords, abranchinsideavaluestartsnodeclaration) {
    const std::string input =
        "create or replace package body log_pkg is\n"
        "  g_level pls_integer := $if $$log_debug $then c_level_debug $else c_level_info $end;\n"
        "end;\n/\n";
    const std::string expected =
        "CREATE OR REPLACE PACKAGE BODY log_pkg IS\n"
        "  g_level PLS_INTEGER := $IF $$log_debug $THEN c_level_debug\n"
        "                                               $ELSE\n"
        "                                                     c_level_info\n"
        "                                                     $END;\n"
        "END;\n\n/\n";
    verifyformat(expected, input, words({"-mcs", "60", "-al"}));
    // Declarations that a branch holds still line up.
    verifyformat("DECLARE\n"
                 "  $IF $$x $THEN\n"
                 "  a      NUMBER;\n"
                 "  bbbbbb DATE;\n"
                 "  $END\n"
                 "BEGIN\n"
                 "  NULL;\n"
                 "END;\n",
                 "declare\n$if $$x $then\na number;\nbbbbbb date;\n$end\nbegin\nnull;\nend;\n", words({"-al"}));
}

// DELETE, MERGE and OPEN as names under the presets.
TEST_F(switchwords, subprogramsnamedlikekeywordsunderpresets) {
    // The select list of a query that calls MERGE is laid out as any other (-bus, -as).
    verifyformat("BEGIN\n  SELECT merge(1)\n    INTO x\n  FROM dual;\nEND;\n", "begin\nselect merge(1) into x from dual;\nend;\n",
                 words({"-al"}));
    // The parameter list of a procedure named DELETE stays where -ol put it.
    verifyformat(
        "CREATE OR REPLACE PACKAGE BODY p AS\n"
        "  PROCEDURE DELETE\n"
        "  (a IN NUMBER,\n"
        "   b IN VARCHAR2) AS\n"
        "  l NUMBER;\n"
        "  BEGIN\n"
        "    NULL;\n"
        "  END;\n"
        "\n"
        "END;\n"
        "\n",
        "create or replace package body p as\nprocedure delete (a in number,\nb in varchar2) as\nl number;\nbegin\nnull;\nend;\nend;\n",
        words({"-ol"}));
}

// Aliases of a select list with leading commas under -al.
TEST_F(switchwords, aliasesunderthealignpreset) {
    verifyformat("SELECT e.ename  name,\n       COUNT(*) cnt,\n       e.deptno AS dept_no\nFROM emp e;\n",
                 "select e.ename name\n     , count(*) cnt\n     , e.deptno as dept_no\nfrom emp e;\n", words({"-al"}));
}

// Alignment under a column limit reaches in one run the layout that a second run keeps: the
// group is formed again from the lines the limit made.
TEST_F(switchwords, alignedgroupsarejudgedonthelinesthelimitmade) {
    // The first row's padding is dropped once the limit has broken its line: with it the
    // line's first part would reach past the limit.
    verifyformat("BEGIN\n"
                 "  l_report := report_pkg.render(p_rows, 'Qtr1',\n"
                 "                                'SALES_SUMMARY',\n"
                 "                                'LANDSCAPE_WIDE'\n"
                 "                                );\n"
                 "  l_settings(report_pkg.g_page_width_option) := page_width;\n"
                 "END;\n/\n",
                 "begin\n"
                 "    l_report := report_pkg.render( p_rows, 'Qtr1', 'SALES_SUMMARY', 'LANDSCAPE_WIDE' );\n"
                 "    l_settings( report_pkg.g_page_width_option )  := page_width;\n"
                 "end;\n/\n",
                 words({"-mcs", "80", "-al"}));
    // So is the last row's, whose line the limit breaks after the CASE that ended the group.
    verifyformat("BEGIN\n"
                 "  l_name        := m.method_name;\n"
                 "  l_is_function := m.is_function;\n"
                 "  l := CASE WHEN l_is_function THEN 'function' ELSE 'procedure' END ||\n"
                 "       ' ' || l_name;\n"
                 "END;\n/\n",
                 "begin\n"
                 "    l_name := m.method_name;\n"
                 "    l_is_function := m.is_function;\n"
                 "    l := case when l_is_function then 'function' else 'procedure' end || ' ' || l_name;\n"
                 "end;\n/\n",
                 words({"-al", "-mcs", "80", "-aci"}));
    // The second = lay beyond the limit; on a line of its own it lines up with the first.
    verifyformat("SELECT COUNT(*)\n"
                 "FROM orders o\n"
                 "WHERE o.customer_ident    =\n"
                 "      p_customer_ident AND\n"
                 "      o.order_status_code =\n"
                 "      p_status_code;\n",
                 "select count(*) from orders o\n"
                 " where o.customer_ident = p_customer_ident and o.order_status_code = p_status_code;\n",
                 words({"-mcs", "40", "-al"}));
    // The first = is judged again with the indentation that -aci took from its line since.
    verifyformat("SELECT col.table_name || ' '\n"
                 " || CASE WHEN col.data_type = 'DATE' AND col.nullable IS NULL AND col.data_scale\n"
                 "              = 0 THEN 'DAY' ELSE col.data_type END kind\n"
                 "FROM user_tab_columns col;\n",
                 "select col.table_name || ' '\n"
                 "       || case when col.data_type = 'DATE' and col.nullable is null and col.data_scale = 0 "
                 "then 'DAY' else col.data_type end kind\n"
                 "from user_tab_columns col;\n",
                 words({"-al", "-mcs", "80", "-aci"}));
}

TEST_F(switchwords, conditionalswitchesholdforonestatement) {
    // The block applies at each SELECT, also the first in a block or after THEN, and its
    // statement's end puts the switches back.
    verifyformat(
        "select a from t;\n"
        "UPDATE t SET a = 1;\n"
        "BEGIN\n"
        "  select a from t;\n"
        "  UPDATE t SET a = 1;\n"
        "  IF x THEN\n"
        "    select b from u;\n"
        "  END IF;\n"
        "END;\n",
        "select a from t;\n"
        "update t set a = 1;\n"
        "begin\n"
        "  select a from t;\n"
        "  update t set a = 1;\n"
        "  if x then\n"
        "    select b from u;\n"
        "  end if;\n"
        "end;\n",
        words({"-ifs", "select", "-uk-", "-ei"}));
    // An IS inside a statement starts no new statement: NULL here is no statement's first
    // word.
    verifyformat("UPDATE t SET a = 1 WHERE b IS NULL AND c = 2;\n",
                 "update t set a = 1 where b is null and c = 2;\n", words({"-ifs", "null", "-lk", "-ei"}));
}

// A conditional block switches the operator blanks off for the statement that starts with
// l_a; laying the group of consecutive := out again from its := does so as well.
TEST_F(switchwords, aconditionalblockholdsinthealignedgroup) {
    verifyformat("BEGIN\n  l_a   :=1;\n  l_bbb := 2;\nEND;\n", "BEGIN\n  l_a:=1;\n  l_bbb:=2;\nEND;\n",
                 words({"-acav", "-ifs", "l_a", "-co-", "-sao-", "-ei"}));
}

// A statement moved to a new line under the column limit keeps its -ifs block, and the
// statement after it is free of it.
TEST_F(switchwords, amovedstatementkeepsitsconditionalblock) {
    verifyformat("BEGIN\n  x := 1;\n  select a, b, c into d, e, f from t\n  where x = 1;\n  y := 2;\nEND;\n",
                 "begin\n  x := 1; select a, b, c into d, e, f from t where x = 1;\n  y := 2;\nend;\n",
                 words({"-mcs", "40", "-amso", "-ifs", "select", "-uk-", "-ei"}));
}

}  // namespace
