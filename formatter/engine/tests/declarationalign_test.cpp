// Alignment of declaration types (-actv, -actvct) and of select-list and table aliases
// (-aav): the types of a run start -ps columns after its longest name, formatted twice.
#include "enginetesting.h"

namespace {

using enginetesting::formatrun;
using enginetesting::outcome;

class declarations : public formatrun {};

const std::string declaresection =
    "DECLARE\n"
    "  l_count NUMBER := 0;\n"
    "  l_name VARCHAR2(30);\n"
    "  c_limit CONSTANT PLS_INTEGER := 10;\n"
    "  l_emp emp%ROWTYPE;\n"
    "  PRAGMA AUTONOMOUS_TRANSACTION;\n"
    "  TYPE t_ids IS TABLE OF NUMBER;\n"
    "  l_ids t_ids;\n"
    "  e_failed EXCEPTION;\n"
    "BEGIN\n"
    "  NULL;\n"
    "END;\n";

TEST_F(declarations, typesofadeclarationsectionlineup) {
    // TYPE ends the first run and BEGIN the second; the PRAGMA line is no declaration.
    verifyformat("DECLARE\n"
                 "  l_count NUMBER := 0;\n"
                 "  l_name  VARCHAR2(30);\n"
                 "  c_limit CONSTANT PLS_INTEGER := 10;\n"
                 "  l_emp   emp%ROWTYPE;\n"
                 "  PRAGMA AUTONOMOUS_TRANSACTION;\n"
                 "  TYPE t_ids IS TABLE OF NUMBER;\n"
                 "  l_ids    t_ids;\n"
                 "  e_failed EXCEPTION;\n"
                 "BEGIN\n"
                 "  NULL;\n"
                 "END;\n",
                 declaresection, {"-actv", "-id"});
    verifyformat(declaresection, declaresection, {"-id"});
}

TEST_F(declarations, paddingsizeandassignmentsbesidethetypes) {
    verifyformat("DECLARE\n"
                 "  l_count   NUMBER               := 0;\n"
                 "  l_name    VARCHAR2(30);\n"
                 "  c_limit   CONSTANT PLS_INTEGER := 10;\n"
                 "  l_emp     emp%ROWTYPE;\n"
                 "  PRAGMA AUTONOMOUS_TRANSACTION;\n"
                 "  TYPE t_ids IS TABLE OF NUMBER;\n"
                 "  l_ids      t_ids;\n"
                 "  e_failed   EXCEPTION;\n"
                 "BEGIN\n"
                 "  NULL;\n"
                 "END;\n",
                 declaresection, {"-actv", "-id", "-ps=3", "-acav"});
}

TEST_F(declarations, thelongestnameisnevergluedtoitstype) {
    // A padding size below 1 (the command line refuses one) still leaves one blank.
    for (int32_t size : {0, -4}) {
        outcome result = format(declaresection, [size](settings& s) {
            s.actv = 1;
            s.id = 1;
            s.ps = size;
        });
        EXPECT_NE(result.output.find("  l_count NUMBER := 0;\n  l_name  VARCHAR2(30);\n"),
                  std::string::npos)
            << result.output;
        EXPECT_NE(result.output.find("  e_failed EXCEPTION;\n"), std::string::npos) << result.output;
    }
}

TEST_F(declarations, underacolumnlimittherunislaidoutagain) {
    verifyformat("DECLARE\n  l_a       NUMBER;\n  l_bbbbbbb VARCHAR2(10);\nBEGIN\n  NULL;\nEND;\n",
                 "DECLARE\n  l_a NUMBER;\n  l_bbbbbbb VARCHAR2(10);\nBEGIN\n  NULL;\nEND;\n",
                 {"-actv", "-id", "-mcs=200"});
    // The END of a CASE inside an alias list closes its block while the run waits.
    verifyformat("BEGIN\n"
                 "  SELECT CASE WHEN a = 1 THEN 'x' END flag,\n"
                 "         b                            name\n"
                 "    INTO l_a, l_b\n"
                 "    FROM t;\n"
                 "END;\n",
                 "BEGIN\n"
                 "  SELECT CASE WHEN a = 1 THEN 'x' END flag,\n"
                 "         b name\n"
                 "    INTO l_a, l_b\n"
                 "    FROM t;\n"
                 "END;\n",
                 {"-aav", "-mcs=200"});
}

TEST_F(declarations, recordfieldsandcursorparameters) {
    verifyformat("DECLARE\n"
                 "  TYPE t_rec IS RECORD (id          NUMBER,\n"
                 "                        description VARCHAR2(100),\n"
                 "                        amount      NUMBER(10, 2) := 0);\n"
                 "  CURSOR c_emp(p_deptno    NUMBER,\n"
                 "               p_job_title VARCHAR2) IS\n"
                 "    SELECT ename FROM emp;\n"
                 "BEGIN\n"
                 "  NULL;\n"
                 "END;\n",
                 "DECLARE\n"
                 "  TYPE t_rec IS RECORD (id NUMBER,\n"
                 "                        description VARCHAR2(100),\n"
                 "                        amount NUMBER(10, 2) := 0);\n"
                 "  CURSOR c_emp(p_deptno NUMBER,\n"
                 "               p_job_title VARCHAR2) IS\n"
                 "    SELECT ename FROM emp;\n"
                 "BEGIN\n"
                 "  NULL;\n"
                 "END;\n",
                 {"-actv", "-id"});
}

TEST_F(declarations, parametersofasubprogramheader) {
    const std::string function = "CREATE OR REPLACE FUNCTION net_pay(p_gross IN NUMBER,\n"
                                 "                                   p_tax_rate IN NUMBER DEFAULT 0.2) RETURN NUMBER IS\n"
                                 "BEGIN\n"
                                 "  RETURN p_gross * (1 - p_tax_rate);\n"
                                 "END net_pay;\n"
                                 "/\n";
    verifyformat("CREATE OR REPLACE FUNCTION net_pay(p_gross    IN NUMBER,\n"
                 "                                   p_tax_rate IN NUMBER DEFAULT 0.2) RETURN NUMBER IS\n"
                 "BEGIN\n"
                 "  RETURN p_gross * (1 - p_tax_rate);\n"
                 "END net_pay;\n"
                 "/\n",
                 function, {"-actv"});
    verifyformat(function, function, {"-actvct"});
}

TEST_F(declarations, createtablecolumnsandobjectattributes) {
    // A constraint line ends the run; a type and its bracketed size count as one type.
    verifyformat("CREATE TABLE emp_copy (empno    NUMBER(4) NOT NULL,\n"
                 "                       ename    VARCHAR2(10),\n"
                 "                       hiredate DATE DEFAULT SYSDATE,\n"
                 "                       CONSTRAINT emp_copy_pk PRIMARY KEY (empno));\n",
                 "CREATE TABLE emp_copy (empno NUMBER(4) NOT NULL,\n"
                 "                       ename VARCHAR2(10),\n"
                 "                       hiredate DATE DEFAULT SYSDATE,\n"
                 "                       CONSTRAINT emp_copy_pk PRIMARY KEY (empno));\n",
                 {"-actvct"});
    verifyformat("CREATE TYPE t_point AS OBJECT (x            NUMBER,\n"
                 "                               y_coordinate NUMBER,\n"
                 "                               MEMBER FUNCTION dist RETURN NUMBER);\n"
                 "/\n",
                 "CREATE TYPE t_point AS OBJECT (x NUMBER,\n"
                 "                               y_coordinate NUMBER,\n"
                 "                               MEMBER FUNCTION dist RETURN NUMBER);\n"
                 "/\n",
                 {"-actvct"});
    // -actv alone leaves table columns alone.
    const std::string table = "CREATE TABLE t (id NUMBER,\n                name VARCHAR2(10));\n";
    verifyformat(table, table, {"-actv"});
}

TEST_F(declarations, aliasesofaselectlistandofitstables) {
    const std::string query = "SELECT e.ename name,\n"
                              "       COUNT(*) cnt,\n"
                              "       e.deptno AS dept_no,\n"
                              "       'x' \"Label\",\n"
                              "       x\n"
                              "  FROM employees e,\n"
                              "       departments d\n"
                              " WHERE e.deptno = d.deptno\n"
                              " GROUP BY e.ename, e.deptno;\n";
    verifyformat("SELECT e.ename  name,\n"
                 "       COUNT(*) cnt,\n"
                 "       e.deptno AS dept_no,\n"
                 "       'x'      \"Label\",\n"
                 "       x\n"
                 "  FROM employees   e,\n"
                 "       departments d\n"
                 " WHERE e.deptno = d.deptno\n"
                 " GROUP BY e.ename, e.deptno;\n",
                 query, {"-aav"});
    verifyformat(query, query);
}

TEST_F(declarations, aquerywithinaselectlistkeepstheouteraliasesinline) {
    // The bracket gives the outer alias list back after the inner query's own lists.
    verifyformat("SELECT e.ename                                                name,\n"
                 "       (SELECT d.dname FROM dept d WHERE d.deptno = e.deptno) dept_name,\n"
                 "       e.sal                                                  AS salary,\n"
                 "       NVL(e.comm, 0)                                         \"Commission\"\n"
                 "  FROM emp e\n"
                 " WHERE e.sal > 0;\n",
                 "SELECT e.ename name,\n"
                 "       (SELECT d.dname FROM dept d WHERE d.deptno = e.deptno) dept_name,\n"
                 "       e.sal AS salary,\n"
                 "       NVL(e.comm, 0) \"Commission\"\n"
                 "  FROM emp e\n"
                 " WHERE e.sal > 0;\n",
                 {"-aav"});
}

TEST_F(declarations, wordsthatareornotaliases) {
    // The word after CASE ... END is an alias; BULK COLLECT before INTO is none.
    verifyformat("DECLARE\n"
                 "  l_names t_names;\n"
                 "  l_flags t_flags;\n"
                 "BEGIN\n"
                 "  SELECT e.ename                                   name,\n"
                 "         CASE WHEN e.sal > 0 THEN 'y' ELSE 'n' END flag,\n"
                 "         e.sal BULK COLLECT INTO l_names, l_flags\n"
                 "    FROM emp e;\n"
                 "END;\n",
                 "DECLARE\n"
                 "  l_names t_names;\n"
                 "  l_flags t_flags;\n"
                 "BEGIN\n"
                 "  SELECT e.ename name,\n"
                 "         CASE WHEN e.sal > 0 THEN 'y' ELSE 'n' END flag,\n"
                 "         e.sal BULK COLLECT INTO l_names, l_flags\n"
                 "    FROM emp e;\n"
                 "END;\n",
                 {"-aav", "-id"});
}

}  // namespace
