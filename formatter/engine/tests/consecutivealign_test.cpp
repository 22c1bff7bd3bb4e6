// Consecutive alignment of :=, => and =, with its second pass over the group, the blank
// collapsing, and the alignment of declaration types and aliases, formatted twice.
#include "enginetesting.h"

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
    verifyformat("BEGIN\n"
                 "  l_x    := 1;\n"
                 "  l_yyyy := f(p_a    => 1,\n"
                 "              p_bbbb => 2);\n"
                 "END;\n",
                 "BEGIN\n"
                 "  l_x := 1;\n"
                 "  l_yyyy := f(p_a => 1,\n"
                 "              p_bbbb => 2);\n"
                 "END;\n",
                 {"-acav", "-acarv"});
    verifyformat("BEGIN\n"
                 "  l_x    := 1;\n"
                 "  l_yyyy := f(p_a => 1,\n"
                 "              p_bbbb => 2);\n"
                 "END;\n",
                 "BEGIN\n"
                 "  l_x := 1;\n"
                 "  l_yyyy := f(p_a => 1,\n"
                 "              p_bbbb => 2);\n"
                 "END;\n",
                 {"-acav"});
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

}  // namespace
