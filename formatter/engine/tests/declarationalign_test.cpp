// Alignment of declaration types (-actv, -actvct) and of select-list and table aliases
// (-aav): the types of a run start -ps columns after its longest name, formatted twice.
#include "alignmenttesting.h"

namespace {

class declarations : public enginetesting::goldenrun {};

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

TEST_F(declarations, typesofadeclarationsection) {
    verifyall({
        // TYPE ends the first run and BEGIN the second; the PRAGMA line is no declaration.
        {"-actv -id", [](settings& s) { s.actv = 1; s.id = 1; }, declaresection,
         "DECLARE\n"
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
         "END;\n"},
        {"-id", [](settings& s) { s.id = 1; }, declaresection, declaresection},
        // The padding size, and the assignments lined up after the padded types.
        {"-actv -id -ps=3 -acav", [](settings& s) { s.actv = 1; s.id = 1; s.ps = 3; s.acav = 1; }, declaresection,
         "DECLARE\n"
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
         "END;\n"},
        // Under a column limit the run is laid out again from its first declaration.
        {"-actv -id -mcs=200", [](settings& s) { s.actv = 1; s.id = 1; s.mcs = 200; },
         "DECLARE\n  l_a NUMBER;\n  l_bbbbbbb VARCHAR2(10);\nBEGIN\n  NULL;\nEND;\n",
         "DECLARE\n  l_a       NUMBER;\n  l_bbbbbbb VARCHAR2(10);\nBEGIN\n  NULL;\nEND;\n"},
    });
}

TEST_F(declarations, thelongestnameisnevergluedtoitstype) {
    // A padding size below 1 (the command line refuses one) still leaves one blank.
    for (int32_t size : {0, -4}) {
        enginetesting::outcome result = format(declaresection, [size](settings& s) {
            s.actv = 1;
            s.id = 1;
            s.ps = size;
        });
        EXPECT_NE(result.output.find("  l_count NUMBER := 0;\n  l_name  VARCHAR2(30);\n"), std::string::npos)
            << result.output;
        EXPECT_NE(result.output.find("  e_failed EXCEPTION;\n"), std::string::npos) << result.output;
    }
}

TEST_F(declarations, bracketedlists) {
    const std::string function = "CREATE OR REPLACE FUNCTION net_pay(p_gross IN NUMBER,\n"
                                 "                                   p_tax_rate IN NUMBER DEFAULT 0.2) RETURN NUMBER IS\n"
                                 "BEGIN\n"
                                 "  RETURN p_gross * (1 - p_tax_rate);\n"
                                 "END net_pay;\n"
                                 "/\n";
    const std::string table = "CREATE TABLE t (id NUMBER,\n                name VARCHAR2(10));\n";
    verifyall({
        // Fields that -mlipl puts on a line of their own are a row of their own.
        {"-actv -id -mlipl 2", [](settings& s) { s.actv = 1; s.id = 1; s.mlipl = 2; },
         "DECLARE\n  TYPE t_stock IS RECORD (item_id NUMBER, on_hand NUMBER, \"Reserved Qty\" NUMBER);\nBEGIN\n  NULL;\nEND;\n",
         "DECLARE\n  TYPE t_stock IS RECORD (item_id        NUMBER, on_hand NUMBER,\n"
         "                          \"Reserved Qty\" NUMBER);\nBEGIN\n  NULL;\nEND;\n"},
        // Record fields and cursor parameters.
        {"-actv -id", [](settings& s) { s.actv = 1; s.id = 1; },
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
         "DECLARE\n"
         "  TYPE t_rec IS RECORD (id          NUMBER,\n"
         "                        description VARCHAR2(100),\n"
         "                        amount      NUMBER(10, 2) := 0);\n"
         "  CURSOR c_emp(p_deptno    NUMBER,\n"
         "               p_job_title VARCHAR2) IS\n"
         "    SELECT ename FROM emp;\n"
         "BEGIN\n"
         "  NULL;\n"
         "END;\n"},
        // The parameters of a subprogram header.
        {"-actv", [](settings& s) { s.actv = 1; }, function,
         "CREATE OR REPLACE FUNCTION net_pay(p_gross    IN NUMBER,\n"
         "                                   p_tax_rate IN NUMBER DEFAULT 0.2) RETURN NUMBER IS\n"
         "BEGIN\n"
         "  RETURN p_gross * (1 - p_tax_rate);\n"
         "END net_pay;\n"
         "/\n"},
        {"-actvct", [](settings& s) { s.actvct = 1; }, function, function},
        // Table columns: a constraint ends the run; a type and its bracketed size are one.
        {"-actvct", [](settings& s) { s.actvct = 1; },
         "CREATE TABLE emp_copy (empno NUMBER(4) NOT NULL,\n"
         "                       ename VARCHAR2(10),\n"
         "                       hiredate DATE DEFAULT SYSDATE,\n"
         "                       CONSTRAINT emp_copy_pk PRIMARY KEY (empno));\n",
         "CREATE TABLE emp_copy (empno    NUMBER(4) NOT NULL,\n"
         "                       ename    VARCHAR2(10),\n"
         "                       hiredate DATE DEFAULT SYSDATE,\n"
         "                       CONSTRAINT emp_copy_pk PRIMARY KEY (empno));\n"},
        {"-actv", [](settings& s) { s.actv = 1; }, table, table},
        // Object type attributes: MEMBER ends the run.
        {"-actvct", [](settings& s) { s.actvct = 1; },
         "CREATE TYPE t_point AS OBJECT (x NUMBER,\n"
         "                               y_coordinate NUMBER,\n"
         "                               MEMBER FUNCTION dist RETURN NUMBER);\n/\n",
         "CREATE TYPE t_point AS OBJECT (x            NUMBER,\n"
         "                               y_coordinate NUMBER,\n"
         "                               MEMBER FUNCTION dist RETURN NUMBER);\n/\n"},
    });
}

TEST_F(declarations, aliases) {
    const std::string query = "SELECT e.ename name,\n"
                              "       COUNT(*) cnt,\n"
                              "       e.deptno AS dept_no,\n"
                              "       'x' \"Label\",\n"
                              "       x\n"
                              "  FROM employees e,\n"
                              "       departments d\n"
                              " WHERE e.deptno = d.deptno\n"
                              " GROUP BY e.ename, e.deptno;\n";
    verifyall({
        {"-aav", [](settings& s) { s.aav = 1; }, query,
         "SELECT e.ename  name,\n"
         "       COUNT(*) cnt,\n"
         "       e.deptno AS dept_no,\n"
         "       'x'      \"Label\",\n"
         "       x\n"
         "  FROM employees   e,\n"
         "       departments d\n"
         " WHERE e.deptno = d.deptno\n"
         " GROUP BY e.ename, e.deptno;\n"},
        {"defaults", {}, query, query},
        // The bracket gives the outer alias list back after the inner query's own lists.
        {"-aav", [](settings& s) { s.aav = 1; },
         "SELECT e.ename name,\n"
         "       (SELECT d.dname FROM dept d WHERE d.deptno = e.deptno) dept_name,\n"
         "       e.sal AS salary,\n"
         "       NVL(e.comm, 0) \"Commission\"\n"
         "  FROM emp e\n"
         " WHERE e.sal > 0;\n",
         "SELECT e.ename                                                name,\n"
         "       (SELECT d.dname FROM dept d WHERE d.deptno = e.deptno) dept_name,\n"
         "       e.sal                                                  AS salary,\n"
         "       NVL(e.comm, 0)                                         \"Commission\"\n"
         "  FROM emp e\n"
         " WHERE e.sal > 0;\n"},
        // The word after CASE ... END is an alias, BULK COLLECT before INTO is none; the
        // END closes its CASE while the run waits under a column limit.
        {"-aav -mcs=200", [](settings& s) { s.aav = 1; s.mcs = 200; },
         "BEGIN\n"
         "  SELECT e.ename name,\n"
         "         CASE WHEN e.sal > 0 THEN 'y' ELSE 'n' END flag,\n"
         "         e.sal BULK COLLECT INTO l_names, l_flags\n"
         "    FROM emp e;\n"
         "END;\n",
         "BEGIN\n"
         "  SELECT e.ename                                   name,\n"
         "         CASE WHEN e.sal > 0 THEN 'y' ELSE 'n' END flag,\n"
         "         e.sal BULK COLLECT INTO l_names, l_flags\n"
         "    FROM emp e;\n"
         "END;\n"},
        // The GROUP of WITHIN GROUP ends no list: the item's alias is the word after it.
        {"-aav", [](settings& s) { s.aav = 1; },
         "select d.dname dept,\n       listagg(e.ename, ', ') within group (order by e.ename) names\n  from dept d;\n",
         "SELECT d.dname                                                dept,\n"
         "       listagg(e.ename, ', ') within GROUP (ORDER BY e.ename) names\n"
         "  FROM dept d;\n"},
        // Commas that -pcr moves to the line end end their items at once: the aliases line
        // up in the same run.
        {"-pcr -aav", [](settings& s) { s.pcr = 1; s.aav = 1; }, "select 1 as a\n      ,2016 as b\nfrom dual;\n",
         "SELECT 1    AS a,\n       2016 AS b\nFROM dual;\n"},
        // Under a column limit a row whose padding would take its line past the limit keeps
        // one blank: here the longest item's line is beyond the limit anyway.
        {"-acav -actv -acarv -as -aav -mcs 100",
        [](settings& s) { s.acav = 1; s.actv = 1; s.acarv = 1; s.as = 1; s.aav = 1; s.mcs = 100; },
         "create or replace package body p as\n"
         "  function f(a_random_seed in number) return number is\n"
         "    l_result number;\n"
         "  begin\n"
         "    with src as (\n"
         "      select s.id,\n"
         "             case when a_random_seed is null then s.line_no end line_no,\n"
         "             case when a_random_seed is null then dbms_random.value(1, 1000000) else dbms_random.value(a_random_seed, a_random_seed * 1000) end random_seed\n"
         "        from suites s\n"
         "    )\n"
         "    select count(*) into l_result from src;\n"
         "    return l_result;\n"
         "  end f;\n"
         "end p;\n"
         "/\n",
         "CREATE OR REPLACE PACKAGE BODY p AS\n"
         "  FUNCTION f(a_random_seed IN NUMBER) RETURN NUMBER IS\n"
         "  l_result NUMBER;\n"
         "  BEGIN\n"
         "    WITH src AS (\n"
         "                 SELECT s.id,\n"
         "                        CASE WHEN a_random_seed IS NULL THEN s.line_no END line_no,\n"
         "                        CASE WHEN a_random_seed IS NULL THEN dbms_random.value(1, 1000000) ELSE dbms_random.value(a_random_seed, a_random_seed * 1000) END random_seed\n"
         "                   FROM suites s\n"
         "                        )\n"
         "    SELECT COUNT(*) INTO l_result FROM src;\n"
         "    RETURN l_result;\n"
         "  END f;\n"
         "END p;\n"
         "/\n"},
        // The parameter list's snapshot is spent when the list has been laid out again: the
        // view after it has its blanks collapsed, as it has without the header before it.
        {"-actv -aav -mcs 40", [](settings& s) { s.actv = 1; s.aav = 1; s.mcs = 40; },
         "declare\n"
         "  procedure add_emp(id in integer, f_name in varchar2, l_name in varchar2, dept in integer) is begin null; end;\n"
         "begin\n  null;\nend;\n/\n"
         "create view v as\nselect\n    d.dept_id, d_name as dept_name, location\n"
         "    , e.emp_id, e.f_name || ' ' || e.l_name as emp_name\nfrom d, e\n/\n",
         "DECLARE\n"
         "PROCEDURE add_emp(id IN INTEGER, f_name IN VARCHAR2, l_name IN VARCHAR2, dept IN INTEGER\n"
         ") IS BEGIN NULL; END;\n"
         "BEGIN\n  NULL;\nEND;\n/\n"
         "CREATE VIEW v AS\nSELECT\n    d.dept_id, d_name                       AS dept_name, location\n"
         "    , e.emp_id, e.f_name || ' ' || e.l_name AS emp_name\nFROM d, e\n/\n"},
        {"-aav -mcs 30", [](settings& s) { s.aav = 1; s.mcs = 30; },
         "select aaaa a,\n       bbbbbbbbbbbb b,\n       c cc_a_long_alias_xyz\nfrom t;\n",
         "SELECT aaaa         a,\n       bbbbbbbbbbbb b,\n       c cc_a_long_alias_xyz\nFROM t;\n"},
        // An AS that -kpit joins to its expression, past blanks at the end of that line, is
        // a row on the first run as on the second.
        {"-aav -kpit", [](settings& s) { s.aav = 1; s.kpit = 1; },
         "select\n   f(ts)  as stamp\n  ,g(msg, 1) \n          as elapsed\n  ,app  as appname\nfrom b;\n",
         "SELECT\n   f(ts)      AS stamp\n  , g(msg, 1) AS elapsed\n  , app       AS appname\nFROM b;\n"},
        // A row's line is judged by what the limit leaves on it: the ")" that goes to the
        // next line does not make the padding free, and a padded row broken before the
        // words after its ")" is laid out as the next run lays it out.
        {"-actv -mcs 40", [](settings& s) { s.actv = 1; s.mcs = 40; },
         "create or replace package body p\nas\nprocedure set_from (p_query in out t_query,\n"
         "                    p_name in varchar2)\nas\nbegin\n  null;\nend set_from;\nend p;\n/\n",
         "CREATE OR REPLACE PACKAGE BODY p\n  AS\n  PROCEDURE set_from (p_query IN OUT t_query,\n"
         "                      p_name IN VARCHAR2\n                      )\n  AS\n  BEGIN\n    NULL;\n"
         "  END set_from;\nEND p;\n/\n"},
        // RESULT after RETURN SELF AS is no declaration that the next one would align with.
        {"-actv", [](settings& s) { s.actv = 1; },
         "create or replace type body t as\nconstructor function t(p_cursor sys_refcursor,\n"
         "                       p_default_fmt varchar2 := null) return self as result is\n"
         "v_rows row_list := row_list();\nbegin\nreturn;\nend;\nend;\n/\n",
         "CREATE OR REPLACE TYPE BODY t AS\n  constructor FUNCTION t(p_cursor      sys_refcursor,\n"
         "                         p_default_fmt VARCHAR2 := NULL) RETURN self AS result IS\n"
         "  v_rows row_list := row_list();\n  BEGIN\n    RETURN;\n  END;\nEND;\n/\n"},
        {"-actv -kpit -mcs 60 -aci", [](settings& s) { s.actv = 1; s.kpit = 1; s.mcs = 60; s.aci = 1; },
         "create or replace package body p as\nfunction get_date_tab (p_calendar_string in varchar2,\n"
         "                       p_to_date in date := null) return t_date_array pipelined\nas\nbegin\n"
         "  return;\nend;\nend p;\n/\n",
         "CREATE OR REPLACE PACKAGE BODY p AS\n  FUNCTION get_date_tab (p_calendar_string IN VARCHAR2,\n"
         "      p_to_date         IN DATE := NULL) RETURN t_date_array\n  pipelined AS\n  BEGIN\n"
         "    RETURN;\n  END;\nEND p;\n/\n"},
    });
}

}  // namespace
