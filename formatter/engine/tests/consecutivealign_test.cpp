// Consecutive alignment of :=, => and =, with its second pass over the group, the blank
// collapsing, and the alignment of declaration types and aliases, formatted twice.
#include "alignmenttesting.h"

namespace {

class consecutive : public enginetesting::goldenrun {};

TEST_F(consecutive, assignments) {
    verifyall({
        // The := of the three lines stand where the line of l_bbb already had it.
        {"-acav", [](settings& s) { s.acav = 1; }, "BEGIN\n  l_a := 1;\n  l_bbb := l_a + 2;\n  l_cc := 'x';\nEND;\n",
         "BEGIN\n  l_a   := 1;\n  l_bbb := l_a + 2;\n  l_cc  := 'x';\nEND;\n"},
        {"defaults", {}, "BEGIN\n  l_a := 1;\n  l_bbb := 2;\nEND;\n", "BEGIN\n  l_a := 1;\n  l_bbb := 2;\nEND;\n"},
        // A line with two := ends the run above it and takes no part.
        {"-acav", [](settings& s) { s.acav = 1; },
         "BEGIN\n  l_aaaaaaa := 1;\n  l_b := 2; l_c := 3;\n  l_dd := 4;\n  l_eeeeee := 5;\nEND;\n",
         "BEGIN\n  l_aaaaaaa := 1;\n  l_b := 2; l_c := 3;\n  l_dd     := 4;\n  l_eeeeee := 5;\nEND;\n"},
        // The blanks put in front of := stay when the group is laid out a second time,
        // whether the operator spacing adds blanks or not.
        {"-acav -sao-", [](settings& s) { s.acav = 1; s.sao = 0; },
         "BEGIN\n  l_a:=1;\n  l_bbb:=2;\nEND;\n", "BEGIN\n  l_a  :=1;\n  l_bbb:=2;\nEND;\n"},
        {"-acav -sao-", [](settings& s) { s.acav = 1; s.sao = 0; },
         "BEGIN\n  l_a   :=   1;\n  l_bbb :=2;\nEND;\n", "BEGIN\n  l_a  :=1;\n  l_bbb:=2;\nEND;\n"},
        {"-acav", [](settings& s) { s.acav = 1; },
         "BEGIN\n  l_a:=1;\n  l_bbb    :=2;\nEND;\n", "BEGIN\n  l_a   := 1;\n  l_bbb := 2;\nEND;\n"},
        // No line break and no END after the group: the closing token still ends it.
        {"-acav", [](settings& s) { s.acav = 1; }, "l_x := 1;\nl_yyy := 2;", "l_x   := 1;\nl_yyy := 2;"},
        // A line broken before the group's first := (the column limit) goes on at the
        // block's indentation: the := makes its -aroa request only after the break.
        {"-acav -aroa -mcs 48", [](settings& s) { s.acav = 1; s.aroa = 1; s.mcs = 48; },
         "begin if p_a > 0 then v_x := p_a * 2; else v_x := 0; end if; end;\n",
         "BEGIN IF p_a > 0 THEN v_x := p_a * 2; ELSE v_x\n    := 0; END IF; END;\n"},
        // The column limit breaks a line with two := at once: the line takes no part in
        // the group, so nothing waits for it.
        {"-acav -mcs 24", [](settings& s) { s.acav = 1; s.mcs = 24; },
         "BEGIN\n  a := 1; bbbbbbbbbbbbbbbbbbbbbbbb := 2;\n  c := 3;\nEND;\n",
         "BEGIN\n  a := 1;\n  bbbbbbbbbbbbbbbbbbbbbbbb\n  := 2;\n  c := 3;\nEND;\n"},
        // The := of the ELSIF branch shares its source line with the one after ELSE, which the
        // limit moves to the next line only after the group has ended at ELSE: the group is
        // formed again with it.
        {"-acav -mcs 38", [](settings& s) { s.acav = 1; s.mcs = 38; },
         "begin\n  if p_a > 0 then v_x := p_a * 2; elsif p_a < 0 then v_x := -p_a; else v_x := 0; end if;\nend;\n",
         "BEGIN\n  IF p_a > 0 THEN v_x    := p_a * 2;\n  ELSIF p_a < 0 THEN v_x := -p_a; ELSE\n    v_x := 0; END IF;\nEND;\n"},
        // The padding that the unbroken line of the first row took is dropped once the limit
        // has broken it, and -aci gives its indentation back: so the output is read again.
        {"-acav -mcs 60 -aci", [](settings& s) { s.acav = 1; s.mcs = 60; s.aci = 1; },
         "BEGIN\n   l_owner := cfg_utility_pkg.get_parm_value('&&app_code', '&&release', 'owner_pattern');\n"
         "   l_read_only_owner_pattern := cfg_utility_pkg.get_parm_value('&&app_code', '&&release', 'read_only_owner');\n"
         "END;\n/\n",
         "BEGIN\n  l_owner := cfg_utility_pkg.get_parm_value(\n                '&&app_code', '&&release', 'owner_pattern');\n"
         "l_read_only_owner_pattern := cfg_utility_pkg.get_parm_value(\n              '&&app_code', '&&release', 'read_only_owner');\n"
         "END;\n/\n"},
    });
}

TEST_F(consecutive, arrowsofnamedparameters) {
    const std::string mixed = "BEGIN\n  l_x := 1;\n  l_yyyy := f(p_a => 1,\n              p_bbbb => 2);\nEND;\n";
    // The arrow of the inner call does not line up with the arrows of the outer one.
    const std::string nested = "BEGIN\n"
                               "  log_event(p_source => 'batch',\n"
                               "            p_detail => format_detail(p_code => l_code,\n"
                               "                                      p_text => l_text),\n"
                               "            p_level => 1);\n"
                               "END;\n";
    verifyall({
        {"-acarv", [](settings& s) { s.acarv = 1; },
         "BEGIN\n  mail(p_to => l_to,\n       p_subject => l_subject,\n       p_body => l_body);\nEND;\n",
         "BEGIN\n  mail(p_to      => l_to,\n       p_subject => l_subject,\n       p_body    => l_body);\nEND;\n"},
        // Assignments and arrows form groups of their own; each switch aligns its operator.
        {"-acav -acarv", [](settings& s) { s.acav = 1; s.acarv = 1; }, mixed,
         "BEGIN\n  l_x    := 1;\n  l_yyyy := f(p_a    => 1,\n              p_bbbb => 2);\nEND;\n"},
        {"-acav", [](settings& s) { s.acav = 1; },
         mixed, "BEGIN\n  l_x    := 1;\n  l_yyyy := f(p_a => 1,\n              p_bbbb => 2);\nEND;\n"},
        {"-acarv", [](settings& s) { s.acarv = 1; }, nested, nested},
        // A line that keeps its place relative to a bracket (-rs) moves as far as the
        // padding moved the bracket.
        {"-acarv", [](settings& s) { s.acarv = 1; },
         "begin\n  select f(a => 1,\n    bb => g('x',\n      'y')) into v from dual;\nend;\n",
         "BEGIN\n  SELECT f(a => 1,\n    bb       => g('x',\n            'y')) INTO v FROM dual;\nEND;\n"},
    });
}

TEST_F(consecutive, equalities) {
    verifyall({
        // WHERE ends the SET group and starts its own.
        {"-acev", [](settings& s) { s.acev = 1; },
         "UPDATE emp\n   SET sal = 1,\n       commission = 2\n WHERE empno = 7\n   AND deptno = 10;\n",
         "UPDATE emp\n   SET sal        = 1,\n       commission = 2\n WHERE empno  = 7\n   AND deptno = 10;\n"},
        // Two statements on consecutive lines do not line up their equality signs.
        {"-acev", [](settings& s) { s.acev = 1; }, "UPDATE emp SET sal = 1;\nUPDATE emp SET commission = 2;\n",
         "UPDATE emp SET sal = 1;\nUPDATE emp SET commission = 2;\n"},
        // Both = of the line leave it: no group is pending, so the END closes its block.
        {"-acev", [](settings& s) { s.acev = 1; }, "BEGIN\n  UPDATE t SET a=1, c = 2 WHERE id=30;\nEND;\n",
         "BEGIN\n  UPDATE t SET a = 1, c = 2 WHERE id = 30;\nEND;\n"},
        // The limit parts the two = of a line; the second, on a line of its own now, lines up
        // with the first, and the limit breaks its line after it.
        {"-acev -mcs 30", [](settings& s) { s.acev = 1; s.mcs = 30; },
         "begin\n  if a > 2 and (l_tab(1) = 'one' or l_tab(2) = 'two') then\n    null;\n  end if;\nend;\n",
         "BEGIN\n  IF a > 2 AND (l_tab(1) =\n                'one' OR l_tab\n                (2)      =\n                'two') THEN\n    NULL;\n  END IF;\nEND;\n"},
        // Judged again on its own line, the first = keeps the indentation -aci took from its
        // line, and the line the limit began after it moves with it.
        {"-acev -mcs 38 -aci", [](settings& s) { s.acev = 1; s.mcs = 38; s.aci = 1; },
         "BEGIN\n  SELECT a INTO b FROM v WHERE cccccc = 'x' AND d = 1;\nEND;\n",
         "BEGIN\n SELECT a INTO b FROM v WHERE cccccc =\n 'x' AND d = 1;\nEND;\n"},
    });
}

TEST_F(consecutive, blanksbetweenwordscollapse) {
    verifyall({
        {"defaults", {}, "BEGIN\n  RETURN    l_x;\nEND;\n", "BEGIN\n  RETURN l_x;\nEND;\n"},
        {"-c-", [](settings& s) { s.c = 0; }, "BEGIN\n  RETURN \t l_x;\nEND;\n", "BEGIN\n  RETURN \t l_x;\nEND;\n"},
        // The indentation at a line start is no run of blanks between words.
        {"-in-", [](settings& s) { s.in = 0; }, "BEGIN\n      NULL;\nEND;\n", "BEGIN\n      NULL;\nEND;\n"},
    });
}

}  // namespace

namespace {

// The alignment rule over a tokenized text, token by token, outside the token loop.
class consecutivebench : public testing::Test {
protected:
    void load(const std::string& text) {
        enginetesting::preparerules(f, text, [](settings& s) { s.acav = 1; });
    }
    // Runs the rule on each token up to (not including) the end tokens; false when it
    // asked for a rewind.
    bool walk() {
        for (position p = f.tokens.begin(); p->kind != endtoken; ++p) {
            f.currenttoken = p;
            f.currentword = p->text();
            if (f.alignconsecutive()) return false;
        }
        return true;
    }
    std::string text() const { return f.jointokentexts(f.tokens.begin(), f.tokens.end()); }
    formatter f;
};

TEST_F(consecutivebench, thecallafterthelooppadswithoutarewind) {
    load("l_a := 1;\nl_bbb := 2;\n");
    ASSERT_TRUE(walk());
    ASSERT_EQ(f.rewinds.alignrows.size(), 2u);
    EXPECT_TRUE(f.alignmentpending());
    // Later rules moved the block level; the final call must leave it as it is.
    f.blocks.blocklevel = 3;
    f.rewinds.loopdone = 1;
    f.currenttoken = std::prev(f.endsentinel);
    EXPECT_FALSE(f.alignconsecutive());
    EXPECT_EQ(f.blocks.blocklevel, 3);
    EXPECT_TRUE(f.rewinds.alignrows.empty());
    EXPECT_EQ(f.rewinds.alignline, 0);
    EXPECT_EQ(text(), "\nl_a   := 1;\nl_bbb := 2;\n");
}

TEST_F(consecutivebench, agroupendsintoarewindtoitsfirstoperator) {
    load("l_a := 1;\nl_bbb := 2;\nl_c => 3;\n");
    f.s.acarv = 1;
    EXPECT_FALSE(walk());
    // The => broke the group: the loop goes back to the first := with the state of then,
    // and no group starts again before the =>.
    EXPECT_EQ(f.currenttoken->text(), ":=");
    EXPECT_EQ(f.tokenline(f.currenttoken), 1);
    EXPECT_EQ(f.rewinds.alignenabled, 0);
    EXPECT_EQ(f.rewinds.resumetoken->text(), "=>");
    EXPECT_TRUE(f.rewinds.alignrows.empty());
    EXPECT_FALSE(f.alignmentpending());
    EXPECT_EQ(text(), "\nl_a   := 1;\nl_bbb := 2;\nl_c => 3;\n");
    // On the way again nothing starts until the => is reached; there a group of its own.
    for (position p = f.currenttoken; p->kind != endtoken; ++p) {
        f.currenttoken = p;
        f.currentword = p->text();
        EXPECT_FALSE(f.alignconsecutive());
        if (p->text() == ":=") {
            EXPECT_EQ(f.rewinds.alignline, 0);
        }
    }
    EXPECT_EQ(f.rewinds.alignenabled, 1);
    EXPECT_EQ(f.rewinds.alignop, "=>");
    EXPECT_EQ(f.rewinds.alignrows.size(), 1u);
}

TEST_F(consecutivebench, therewindgivesbackthesettingsofaconditionalblock) {
    load("l_a := 1;\nl_bbb := 2;\n");
    position first = std::next(f.tokens.begin(), 3);
    ASSERT_EQ(first->text(), ":=");
    // An -ifs block applies at the snapshot: its settings and the stack come back.
    f.savedsettings.push_back(f.s);
    f.s.co = 0;
    rewindstate snapshot;
    f.take(snapshot);
    f.s = f.savedsettings.back();
    f.savedsettings.pop_back();
    f.restore(snapshot, first);
    EXPECT_EQ(f.s.co, 0);
    ASSERT_EQ(f.savedsettings.size(), 1u);
    EXPECT_EQ(f.savedsettings.back().co, 1);
    EXPECT_EQ(f.currenttoken, first);
    // A block applied only after the snapshot: the file's settings come back.
    f.s = f.savedsettings.back();
    f.savedsettings.clear();
    f.take(snapshot);
    f.savedsettings.push_back(f.s);
    f.s.sao = 0;
    f.restore(snapshot, first);
    EXPECT_EQ(f.s.sao, 1);
    EXPECT_TRUE(f.savedsettings.empty());
}

// A field of each part of the loop state, changed after the snapshot, comes back.
TEST_F(consecutivebench, therewindgivesbackeverypartoftheloopstate) {
    load("l_a := 1;\nl_bbb := 2;\n");
    position first = std::next(f.tokens.begin(), 3);
    const loopstate before = f;
    rewindstate snapshot;
    f.take(snapshot);
    f.blocks.blocklevel += 5;
    f.blocks.subprogramnames.push_back("procedure");
    f.statement.statementstate += 3;
    f.statement.statementword += "select";
    f.outputline.linecolumn += 40;
    f.outputline.tokenposition += 9;
    f.brackets.bracketdepth += 2;
    f.brackets.listcolumn += 7;
    f.alignment.alistlevel += 3;
    f.alignment.declarationalignment.active = !f.alignment.declarationalignment.active;
    f.directives.directivetext += 2;
    f.restore(snapshot, first);
    EXPECT_EQ(f.blocks.blocklevel, before.blocks.blocklevel);
    EXPECT_EQ(f.blocks.subprogramnames, before.blocks.subprogramnames);
    EXPECT_EQ(f.statement.statementstate, before.statement.statementstate);
    EXPECT_EQ(f.statement.statementword, before.statement.statementword);
    EXPECT_EQ(f.outputline.linecolumn, before.outputline.linecolumn);
    EXPECT_EQ(f.outputline.tokenposition, before.outputline.tokenposition);
    EXPECT_EQ(f.brackets.bracketdepth, before.brackets.bracketdepth);
    EXPECT_EQ(f.brackets.listcolumn, before.brackets.listcolumn);
    EXPECT_EQ(f.alignment.alistlevel, before.alignment.alistlevel);
    EXPECT_EQ(f.alignment.declarationalignment.active, before.alignment.declarationalignment.active);
    EXPECT_EQ(f.directives.directivetext, before.directives.directivetext);
}

// A branch of conditional compilation takes the blocks, statements, brackets and alignment
// of its start, and goes on from the line, the line-break request, the operator blanks and
// the open directives as they are.
TEST_F(consecutivebench, abranchgoesonfromitsstartbutkeepsthelineandthedirectives) {
    load("l_a := 1;\nl_bbb := 2;\n");
    auto start = std::make_shared<rewindstate>();
    f.take(*start);
    f.blocks.blocklevel += 4;
    f.statement.statementstate += 3;
    f.brackets.bracketdepth += 1;
    f.alignment.alistlevel += 2;
    f.outputline.linecolumn = 17;
    f.outputline.lineitems = 2;
    f.outputline.linebreakstate = 1;
    f.outputline.tokenposition = 6;
    f.outputline.spacingallowed = 0;
    f.directives.directivetext = 1;
    f.directives.conditionals.push_back({start, nullptr, 4});
    f.restore(*start, f.currenttoken, keptparts::lineanddirectives);
    EXPECT_EQ(f.blocks.blocklevel, start->loop.blocks.blocklevel);
    EXPECT_EQ(f.statement.statementstate, start->loop.statement.statementstate);
    EXPECT_EQ(f.brackets.bracketdepth, start->loop.brackets.bracketdepth);
    EXPECT_EQ(f.alignment.alistlevel, start->loop.alignment.alistlevel);
    EXPECT_EQ(f.outputline.linecolumn, 17);
    EXPECT_EQ(f.outputline.lineitems, 2);
    EXPECT_EQ(f.outputline.linebreakstate, 1);
    EXPECT_EQ(f.outputline.tokenposition, 6);
    EXPECT_EQ(f.outputline.spacingallowed, 0);
    EXPECT_EQ(f.directives.directivetext, 1);
    ASSERT_EQ(f.directives.conditionals.size(), 1u);
    EXPECT_EQ(f.directives.conditionals.back().column, 4);
}

}  // namespace
