// Consecutive alignment of :=, => and =, with its second pass over the group, the blank
// collapsing, and the alignment of declaration types and aliases, formatted twice.
#include "rulebench.h"

namespace {

using enginetesting::formatrun;

class consecutive : public formatrun {};

struct golden {
    std::string input;
    std::string expected;
};

TEST_F(consecutive, assignmentslineupatthewidestname) {
    // The := of the three lines stand where the line of l_bbb already had it.
    verifyformat("BEGIN\n"
                 "  l_a   := 1;\n"
                 "  l_bbb := l_a + 2;\n"
                 "  l_cc  := 'x';\n"
                 "END;\n",
                 "BEGIN\n"
                 "  l_a := 1;\n"
                 "  l_bbb := l_a + 2;\n"
                 "  l_cc := 'x';\n"
                 "END;\n",
                 {"-acav"});
    // Without the switch nothing moves.
    verifyformat("BEGIN\n  l_a := 1;\n  l_bbb := 2;\nEND;\n",
                 "BEGIN\n  l_a := 1;\n  l_bbb := 2;\nEND;\n");
}

TEST_F(consecutive, alinewithtwooperatorsendstherunaboveit) {
    verifyformat("BEGIN\n"
                 "  l_aaaaaaa := 1;\n"
                 "  l_b := 2; l_c := 3;\n"
                 "  l_dd     := 4;\n"
                 "  l_eeeeee := 5;\n"
                 "END;\n",
                 "BEGIN\n"
                 "  l_aaaaaaa := 1;\n"
                 "  l_b := 2; l_c := 3;\n"
                 "  l_dd := 4;\n"
                 "  l_eeeeee := 5;\n"
                 "END;\n",
                 {"-acav"});
}

TEST_F(consecutive, paddingsurvivesoperatorspacing) {
    // The blanks put in front of := are not taken away again when the group is laid out a
    // second time, whether the operator spacing adds blanks or not.
    for (const golden& g : {
             golden{"BEGIN\n  l_a:=1;\n  l_bbb:=2;\nEND;\n", "BEGIN\n  l_a  :=1;\n  l_bbb:=2;\nEND;\n"},
             golden{"BEGIN\n  l_a   :=   1;\n  l_bbb :=2;\nEND;\n",
                    "BEGIN\n  l_a  :=1;\n  l_bbb:=2;\nEND;\n"},
         })
        verifyformat(g.expected, g.input, {"-acav", "-sao-"});
    verifyformat("BEGIN\n  l_a   := 1;\n  l_bbb := 2;\nEND;\n",
                 "BEGIN\n  l_a:=1;\n  l_bbb    :=2;\nEND;\n", {"-acav"});
}

TEST_F(consecutive, theendofthetextpadsthelastgroup) {
    // No line break and no END after the group: the closing token still ends it.
    verifyformat("l_x   := 1;\nl_yyy := 2;", "l_x := 1;\nl_yyy := 2;", {"-acav"});
}

TEST_F(consecutive, arrowsofnamedparameters) {
    verifyformat("BEGIN\n"
                 "  send_mail(p_to      => l_to,\n"
                 "            p_subject => l_subject,\n"
                 "            p_body    => l_body);\n"
                 "END;\n",
                 "BEGIN\n"
                 "  send_mail(p_to => l_to,\n"
                 "            p_subject => l_subject,\n"
                 "            p_body => l_body);\n"
                 "END;\n",
                 {"-acarv"});
    // Assignments and arrows form groups of their own; each switch aligns its operator.
    const std::string mixed = "BEGIN\n"
                              "  l_x := 1;\n"
                              "  l_yyyy := f(p_a => 1,\n"
                              "              p_bbbb => 2);\n"
                              "END;\n";
    for (const auto& [switches, call] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"-acav", "-acarv"}, "  l_yyyy := f(p_a    => 1,\n"},
             {{"-acav"}, "  l_yyyy := f(p_a => 1,\n"},
         })
        verifyformat("BEGIN\n  l_x    := 1;\n" + call + "              p_bbbb => 2);\nEND;\n", mixed,
                     switches);
}

TEST_F(consecutive, equalitiesendataclausewordoratasemicolon) {
    verifyformat("UPDATE emp\n"
                 "   SET sal        = 1,\n"
                 "       commission = 2\n"
                 " WHERE empno  = 7\n"
                 "   AND deptno = 10;\n",
                 "UPDATE emp\n"
                 "   SET sal = 1,\n"
                 "       commission = 2\n"
                 " WHERE empno = 7\n"
                 "   AND deptno = 10;\n",
                 {"-acev"});
    // Two statements on consecutive lines do not line up their equality signs.
    verifyformat("UPDATE emp SET sal = 1;\nUPDATE emp SET commission = 2;\n",
                 "UPDATE emp SET sal = 1;\nUPDATE emp SET commission = 2;\n", {"-acev"});
}

TEST_F(consecutive, blanksbetweenwordscollapse) {
    verifyformat("BEGIN\n  RETURN l_x;\nEND;\n", "BEGIN\n  RETURN    l_x;\nEND;\n");
    verifyformat("BEGIN\n  RETURN \t l_x;\nEND;\n", "BEGIN\n  RETURN \t l_x;\nEND;\n", {"-c-"});
    // The indentation at a line start is no run of blanks between words.
    verifyformat("BEGIN\n      NULL;\nEND;\n", "BEGIN\n      NULL;\nEND;\n", {"-in-"});
}

TEST_F(consecutive, agroupleftwithoutrowswaitsfornothing) {
    // Both = of the line leave it: no group is pending, so the END closes its block.
    verifyformat("BEGIN\n  UPDATE t SET a = 1, c = 2 WHERE id = 30;\nEND;\n",
                 "BEGIN\n  UPDATE t SET a=1, c = 2 WHERE id=30;\nEND;\n", {"-acev"});
}

TEST_F(consecutive, thesecondpasskeepsthesettingsofaconditionalblock) {
    // The block switches the operator blanks off for the statement that starts with l_a;
    // laying the group out again from its := must do so as well.
    verifyformat("BEGIN\n  l_a   :=1;\n  l_bbb := 2;\nEND;\n", "BEGIN\n  l_a:=1;\n  l_bbb:=2;\nEND;\n",
                 {"-acav", "-ifs", "l_a", "-co-", "-sao-", "-ei"});
}

TEST_F(consecutive, achangeofbracketdepthbreaksthegroup) {
    // The arrow of the inner call does not line up with the arrows of the outer one.
    const std::string call = "BEGIN\n"
                             "  log_event(p_source => 'batch',\n"
                             "            p_detail => format_detail(p_code => l_code,\n"
                             "                                      p_text => l_text),\n"
                             "            p_level => 1);\n"
                             "END;\n";
    verifyformat(call, call, {"-acarv"});
    verifyformat("BEGIN\n"
                 "  l_result := calculate(p_amount => l_amount,\n"
                 "                        p_rate   => l_rate);\n"
                 "END;\n",
                 "BEGIN\n"
                 "  l_result := calculate(p_amount => l_amount,\n"
                 "                        p_rate => l_rate);\n"
                 "END;\n",
                 {"-acarv"});
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
    ASSERT_EQ(f.alignrows.size(), 2u);
    EXPECT_TRUE(f.alignmentpending());
    // Later rules moved the block level; the final call must leave it as it is.
    f.blocklevel = 3;
    f.loopdone = 1;
    f.currenttoken = std::prev(f.endsentinel);
    EXPECT_FALSE(f.alignconsecutive());
    EXPECT_EQ(f.blocklevel, 3);
    EXPECT_TRUE(f.alignrows.empty());
    EXPECT_EQ(f.alignline, 0);
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
    EXPECT_EQ(f.alignenabled, 0);
    EXPECT_EQ(f.resumetoken->text(), "=>");
    EXPECT_TRUE(f.alignrows.empty());
    EXPECT_FALSE(f.alignmentpending());
    EXPECT_EQ(text(), "\nl_a   := 1;\nl_bbb := 2;\nl_c => 3;\n");
    // On the way again nothing starts until the => is reached; there a group of its own.
    for (position p = f.currenttoken; p->kind != endtoken; ++p) {
        f.currenttoken = p;
        f.currentword = p->text();
        EXPECT_FALSE(f.alignconsecutive());
        if (p->text() == ":=") {
            EXPECT_EQ(f.alignline, 0);
        }
    }
    EXPECT_EQ(f.alignenabled, 1);
    EXPECT_EQ(f.alignop, "=>");
    EXPECT_EQ(f.alignrows.size(), 1u);
}

TEST_F(consecutivebench, therewindgivesbackthesettingsofaconditionalblock) {
    load("l_a := 1;\nl_bbb := 2;\n");
    position first = std::next(f.tokens.begin(), 3);
    ASSERT_EQ(first->text(), ":=");
    // An -ifs block applies at the snapshot: its settings and the stack come back.
    f.savedsettings.push_back(f.s);
    f.s.co = 0;
    f.takerewindsnapshot(first);
    f.s = f.savedsettings.back();
    f.savedsettings.pop_back();
    f.restorerewindsnapshot();
    EXPECT_EQ(f.s.co, 0);
    ASSERT_EQ(f.savedsettings.size(), 1u);
    EXPECT_EQ(f.savedsettings.back().co, 1);
    EXPECT_EQ(f.currenttoken, first);
    // A block applied only after the snapshot: the file's settings come back.
    f.s = f.savedsettings.back();
    f.savedsettings.clear();
    f.takerewindsnapshot(first);
    f.savedsettings.push_back(f.s);
    f.s.sao = 0;
    f.restorerewindsnapshot();
    EXPECT_EQ(f.s.sao, 1);
    EXPECT_TRUE(f.savedsettings.empty());
}

TEST_F(consecutivebench, therewindgivesbackthestateofthen) {
    load("l_a := 1;\nl_bbb := 2;\n");
    position first = std::next(f.tokens.begin(), 3);
    f.blocklevel = 2;
    f.bracketdepth = 1;
    f.bracketstack.push_back(bracketentry{});
    f.alistlevel = 1;
    f.alignedlists.at(1).word = "select";
    f.linebreakstate = 2;
    f.keeplinebreak = 1;
    f.statementword = "select";
    f.takerewindsnapshot(first);
    f.blocklevel = 0;
    f.bracketdepth = 0;
    f.bracketstack.clear();
    f.alistlevel = 0;
    f.alignedlists.at(1).word = "from";
    f.linebreakstate = f.keeplinebreak = 0;
    f.statementword.clear();
    f.restorerewindsnapshot();
    EXPECT_EQ(f.blocklevel, 2);
    EXPECT_EQ(f.bracketdepth, 1);
    EXPECT_EQ(f.bracketstack.size(), 1u);
    EXPECT_EQ(f.alistlevel, 1);
    EXPECT_EQ(f.alignedlists.at(1).word, "select");
    EXPECT_EQ(f.linebreakstate, 2);
    EXPECT_EQ(f.keeplinebreak, 1);
    EXPECT_EQ(f.statementword, "select");
    EXPECT_EQ(f.rewindline, 1);
}

TEST_F(consecutivebench, operatorsofothergroupsorswitchesdonotcount) {
    load("l_a = 1;\nl_bbb => 2;\n");
    EXPECT_TRUE(walk());
    EXPECT_TRUE(f.alignrows.empty());
    EXPECT_EQ(f.alignline, 0);
}

}  // namespace
