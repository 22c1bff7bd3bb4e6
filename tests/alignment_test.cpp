// brelm aligning a package body, a query read from standard input and a table definition:
// exact output, messages and exit codes, and a second run that changes nothing.
#include "programrun.h"

namespace {

const std::string package = "CREATE OR REPLACE PACKAGE BODY payroll IS\n"
                            "  g_rate NUMBER := 0.2;\n"
                            "  g_company_name VARCHAR2(50) := 'ACME';\n"
                            "\n"
                            "  PROCEDURE pay(p_empno IN NUMBER, p_bonus_amount IN NUMBER DEFAULT 0) IS\n"
                            "    l_sal NUMBER;\n"
                            "    l_total_pay NUMBER;\n"
                            "  BEGIN\n"
                            "    SELECT e.sal salary,\n"
                            "    e.comm commission_amount\n"
                            "    INTO l_sal, l_total_pay\n"
                            "    FROM emp e\n"
                            "    WHERE e.empno = p_empno;\n"
                            "    l_total_pay := l_sal + p_bonus_amount;\n"
                            "    g_rate := 0.3;\n"
                            "    log_payment(p_empno => p_empno,\n"
                            "    p_amount => l_total_pay);\n"
                            "  END pay;\n"
                            "END payroll;\n"
                            "/\n";

const std::string alignedpackage = "CREATE OR REPLACE PACKAGE BODY payroll IS\n"
                                   "  g_rate         NUMBER       := 0.2;\n"
                                   "  g_company_name VARCHAR2(50) := 'ACME';\n"
                                   "\n"
                                   "  PROCEDURE pay(p_empno IN NUMBER, p_bonus_amount IN NUMBER DEFAULT 0) IS\n"
                                   "    l_sal       NUMBER;\n"
                                   "    l_total_pay NUMBER;\n"
                                   "  BEGIN\n"
                                   "    SELECT e.sal  salary,\n"
                                   "           e.comm commission_amount\n"
                                   "    INTO l_sal, l_total_pay\n"
                                   "    FROM emp e\n"
                                   "    WHERE e.empno = p_empno;\n"
                                   "    l_total_pay := l_sal + p_bonus_amount;\n"
                                   "    g_rate      := 0.3;\n"
                                   "    log_payment(p_empno  => p_empno,\n"
                                   "                p_amount => l_total_pay);\n"
                                   "  END pay;\n"
                                   "END payroll;\n"
                                   "/\n";

const std::vector<std::string> allswitches = {"-acav", "-acarv", "-actv", "-aav", "-as", "-id"};

class alignmentrun : public programtest {};

std::vector<std::string> with(std::vector<std::string> arguments, const std::vector<std::string>& more) {
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

}  // namespace

TEST_F(alignmentrun, apackagebodywithallalignments) {
    writefile("payroll.sql", package);
    programresult run = brelm(with({"-i", "payroll.sql", "-o", "stdout"}, allswitches));
    EXPECT_EQ(run.out, alignedpackage);
    EXPECT_EQ(run.err, "payroll.sql -> stdout formatting is done.\n");
    EXPECT_EQ(run.exitcode, 0);

    // In place, then once more: the second run leaves the file as it is.
    run = brelm(with({"-i", "payroll.sql", "-o", "payroll.sql"}, allswitches));
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_EQ(run.err, "payroll.sql formatting is done.\n");
    EXPECT_EQ(readfile("payroll.sql"), alignedpackage);
    run = brelm(with({"-i", "payroll.sql", "-o", "again.sql", "-sr-"}, allswitches));
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_EQ(readfile("again.sql"), alignedpackage);
}

TEST_F(alignmentrun, equalitiesofaqueryonstandardinput) {
    programresult run = brelm({"-i", "stdin", "-o", "stdout", "-sr-", "-acev", "-aav"},
                              std::string("SELECT ename en, deptno dn\n"
                                          "  FROM emp e,\n"
                                          "       dept d\n"
                                          " WHERE e.deptno = d.deptno\n"
                                          "   AND e.job = 'CLERK';\n"));
    EXPECT_EQ(run.out, "SELECT ename en, deptno dn\n"
                       "  FROM emp  e,\n"
                       "       dept d\n"
                       " WHERE e.deptno = d.deptno\n"
                       "   AND e.job    = 'CLERK';\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.exitcode, 0);
}

TEST_F(alignmentrun, paddingsizeofatabledefinition) {
    writefile("t.sql", "CREATE TABLE dept (deptno NUMBER(2),\n                   dname VARCHAR2(14),\n"
                       "                   loc VARCHAR2(13));\n");
    programresult run = brelm({"-i", "t.sql", "-o", "stdout", "-sr-", "-actvct", "-ps", "2"});
    EXPECT_EQ(run.out, "CREATE TABLE dept (deptno  NUMBER(2),\n                   dname   VARCHAR2(14),\n"
                       "                   loc     VARCHAR2(13));\n");
    EXPECT_EQ(run.exitcode, 0);
}
