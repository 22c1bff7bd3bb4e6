// The per-token statement rules on real PL/SQL and SQL: breaks before clause keywords and
// joins (-bus, -bbj), long item lists (-mlipl), commas moved right (-pcr), IS/AS, THEN and
// LOOP kept on their header's line, insert comments, headers, the statement state and the
// end of statements.
#include "enginetesting.h"

#include <iostream>
#include <sstream>

namespace {

using enginetesting::formatrun;

class statementrules : public formatrun {};

TEST_F(statementrules, clausekeywordsstartnewlines) {
    // FROM breaks only in a SELECT; GROUP BY, ORDER BY and UNION ALL move as one; UNION,
    // MINUS and INTERSECT stand on a line of their own.
    verifyformat(
        "BEGIN\n"
        "  SELECT a, b\n"
        "  FROM t1\n"
        "  WHERE x = 1\n"
        "  GROUP BY a\n"
        "  HAVING COUNT(*) > 1\n"
        "  ORDER BY b;\n"
        "  SELECT a\n"
        "  FROM t\n"
        "  UNION\n"
        "  SELECT b\n"
        "  FROM u\n"
        "  MINUS\n"
        "  SELECT c\n"
        "  FROM v;\n"
        "  DELETE FROM t\n"
        "  WHERE a = 1;\n"
        "END;\n",
        "BEGIN\n"
        "  SELECT a, b FROM t1 WHERE x = 1 GROUP BY a HAVING COUNT(*) > 1 ORDER BY b;\n"
        "  SELECT a FROM t UNION SELECT b FROM u MINUS SELECT c FROM v;\n"
        "  DELETE FROM t WHERE a = 1;\n"
        "END;\n",
        [](settings& s) { s.bus = 1; });
    // The SELECT after UNION ALL stays on its line; its own clauses go under it.
    verifyformat(
        "SELECT a\n"
        "FROM t\n"
        "UNION ALL SELECT b\n"
        "          FROM u;\n",
        "SELECT a FROM t UNION ALL SELECT b FROM u;\n", [](settings& s) { s.bus = 1; });
    // Without -rs the new lines take the indentation of the block.
    verifyformat(
        "BEGIN\n"
        "  IF x THEN\n"
        "    SELECT a\n"
        "    INTO v\n"
        "    FROM t\n"
        "    WHERE b = 1;\n"
        "  END IF;\n"
        "END;\n",
        "BEGIN\n"
        "  IF x THEN\n"
        "    SELECT a INTO v FROM t WHERE b = 1;\n"
        "  END IF;\n"
        "END;\n",
        [](settings& s) { s.bus = 1; s.rs = 0; });
}

TEST_F(statementrules, joinsstartnewlines) {
    verifyformat(
        "SELECT a\n"
        "FROM t1\n"
        "JOIN t2 ON t1.id = t2.id\n"
        "LEFT OUTER JOIN t3 ON t3.id = t1.id\n"
        "LEFT JOIN t4 ON t4.id = t1.id\n"
        "INNER JOIN t5 ON t5.id = t1.id\n"
        "CROSS JOIN t6;\n",
        "SELECT a FROM t1 JOIN t2 ON t1.id = t2.id LEFT OUTER JOIN t3 ON t3.id = t1.id "
        "LEFT JOIN t4 ON t4.id = t1.id INNER JOIN t5 ON t5.id = t1.id CROSS JOIN t6;\n",
        [](settings& s) { s.bus = 1; s.bbj = 1; });
    // Join words outside a SELECT and without -bbj stay where they are.
    verifyformat("SELECT a\nFROM t1 JOIN t2 ON t1.id = t2.id;\n",
                 "SELECT a FROM t1 JOIN t2 ON t1.id = t2.id;\n", [](settings& s) { s.bus = 1; });
}

TEST_F(statementrules, longitemlistsbreakafterthemaximum) {
    verifyformat(
        "BEGIN\n"
        "  p(1, 2, 3,\n"
        "    4, 5);\n"
        "  INSERT INTO t (a, b, c,\n"
        "                 d, e) VALUES (1, 2,\n"
        "                               3, 4, 5);\n"
        "END;\n",
        "BEGIN\n"
        "  p(1, 2, 3, 4, 5);\n"
        "  INSERT INTO t (a, b, c, d, e) VALUES (1, 2, 3, 4, 5);\n"
        "END;\n",
        [](settings& s) { s.mlipl = 3; });
    // The commas of a NUMBER(p, s) are no list items.
    verifyformat(
        "DECLARE\n"
        "  v NUMBER(10, 2) := f(a,\n"
        "                       b);\n"
        "BEGIN\n"
        "  NULL;\n"
        "END;\n",
        "DECLARE\n"
        "  v NUMBER(10, 2) := f(a, b);\n"
        "BEGIN\n"
        "  NULL;\n"
        "END;\n",
        [](settings& s) { s.mlipl = 1; s.id = 1; });
}

TEST_F(statementrules, shortlistlinesjointhelineabove) {
    // Lines of fewer than three items join the next one; a comment after the comma keeps
    // its line break.
    verifyformat(
        "BEGIN\n"
        "  p(a, b, c, d,\n"
        "    e);\n"
        "  q(x, -- note\n"
        "    y);\n"
        "END;\n",
        "BEGIN\n"
        "  p(a,\n"
        "    b,\n"
        "    c, d,\n"
        "    e);\n"
        "  q(x, -- note\n"
        "    y);\n"
        "END;\n",
        [](settings& s) { s.milipl = 3; s.pcr = 1; });
}

// The blank between two joined lines is the one the blank rules of the word before the line
// break leave there: -co takes it after a comma (-sao puts one back, but not before a ")")
// and, without -ncb, after a bracket.
TEST_F(statementrules, joinedlinesgettheblanksoftheirwords) {
    const std::string list = "select f(a,\n\n  b,\n) from dual;\nselect g(a,\n  b) from dual;\n";
    verifyformat("SELECT f(a, b,) FROM dual;\nSELECT g(a, b) FROM dual;\n", list,
                 [](settings& s) { s.milipl = 3; s.pcr = 1; });
    verifyformat("SELECT f(a,b,) FROM dual;\nSELECT g(a,b) FROM dual;\n", list,
                 [](settings& s) { s.milipl = 3; s.pcr = 1; s.sao = 0; });
    // An empty line joined and then broken for the column limit leaves no blank at the end.
    verifyformat("BEGIN\n  p(alpha, beta,\n    gamma);\nEND;\n", "BEGIN\n  p(alpha, beta,\n\n    gamma);\nEND;\n",
                 [](settings& s) { s.milipl = 3; s.mcs = 18; });
    verifyformat(
        "PROCEDURE p(a NUMBER)IS\nBEGIN\n  IF f(a)THEN\n    NULL;\n  END IF;\n"
        "  FOR i IN 1..f(a)LOOP\n    NULL;\n  END LOOP;\nEND;\n",
        "procedure p(a number)\nis\nbegin\n  if f(a)\n  then\n    null;\n  end if;\n"
        "  for i in 1..f(a)\n  loop\n    null;\n  end loop;\nend;\n",
        [](settings& s) { s.kpit = 1; s.kitt = 1; s.kflt = 1; s.ncb = 0; });
}

TEST_F(statementrules, commasmovetotheendoftheline) {
    verifyformat(
        "BEGIN\n"
        "  p(a,\n"
        "    b,\n"
        "    c);\n"
        "  SELECT x,\n"
        "         y\n"
        "    INTO v, w\n"
        "    FROM t;\n"
        "END;\n",
        "BEGIN\n"
        "  p(a\n"
        "    , b\n"
        "    , c);\n"
        "  SELECT x\n"
        "       , y\n"
        "    INTO v, w\n"
        "    FROM t;\n"
        "END;\n",
        [](settings& s) { s.pcr = 1; });
    // A comma alone on its line leaves no empty line behind.
    verifyformat("BEGIN\n  f(a,\n    b,\n    c);\nEND;\n", "begin\n  f(a\n    ,\n    b\n    ,   \n    c);\nend;\n",
                 [](settings& s) { s.pcr = 1; });
    // Behind a comment the comma stays: before it the text would change order, after a
    // single-line one it would be commented out.
    verifyformat(
        "BEGIN\n"
        "  p(a -- first\n"
        "    , b /* second */\n"
        "    , c,\n"
        "    d);\n"
        "END;\n",
        "BEGIN\n"
        "  p(a -- first\n"
        "    , b /* second */\n"
        "    , c\n"
        "    , d);\n"
        "END;\n",
        [](settings& s) { s.pcr = 1; });
    // A moved comma counts among the items of the line it now ends, for -milipl and -mlipl.
    verifyformat("BEGIN\n  p(a, b, c,\n    d, e);\nEND;\n", "begin\n  p(a\n    , b, c\n    , d\n    , e);\nend;\n",
                 [](settings& s) { s.pcr = 1; s.milipl = 2; s.mlipl = 3; });
}

TEST_F(statementrules, isandasstayontheheaderline) {
    verifyformat(
        "CREATE OR REPLACE PROCEDURE p(a NUMBER) IS\n"
        "BEGIN\n"
        "  NULL;\n"
        "END;\n"
        "/\n"
        "CREATE OR REPLACE PROCEDURE q -- keeps its comment\n"
        "IS\n"
        "BEGIN\n"
        "  NULL;\n"
        "END;\n"
        "/\n",
        "CREATE OR REPLACE PROCEDURE p(a NUMBER)\n"
        "IS\n"
        "BEGIN\n"
        "  NULL;\n"
        "END;\n"
        "/\n"
        "CREATE OR REPLACE PROCEDURE q -- keeps its comment\n"
        "IS\n"
        "BEGIN\n"
        "  NULL;\n"
        "END;\n"
        "/\n",
        [](settings& s) { s.kpit = 1; });
    // Blanks at the end of the header line and a blank line before IS go in one run.
    verifyformat("PROCEDURE q AS\nBEGIN\n  NULL;\nEND;\n", "procedure q \nas\nbegin\nnull;\nend;\n",
                 [](settings& s) { s.kpit = 1; });
    verifyformat(
        "CREATE OR REPLACE PACKAGE BODY p AS\n"
        "  PROCEDURE a(a IN NUMBER,\n"
        "              b IN NUMBER) IS\n"
        "  BEGIN\n"
        "    NULL;\n"
        "  END;\n"
        "END;\n"
        "/\n",
        "create or replace package body p as\n"
        "procedure a(a in number,\n"
        "b in number)  \n"
        "\n"
        "is\n"
        "begin\n"
        "null;\n"
        "end;\n"
        "end;\n"
        "/\n",
        [](settings& s) { s.kpit = 1; });
    // IS BEGIN joined to the parameter line: BEGIN puts that line, not the one IS left,
    // at the header's indentation.
    verifyformat(
        "CREATE OR REPLACE PACKAGE BODY p AS\n"
        "  PROCEDURE a(a IN NUMBER,\n"
        "  b IN NUMBER) IS BEGIN\n"
        "    NULL;\n"
        "  END;\n"
        "END;\n"
        "/\n",
        "create or replace package body p as\n"
        "procedure a(a in number,\n"
        "b in number)\n"
        "is begin\n"
        "null;\n"
        "end;\n"
        "end;\n"
        "/\n",
        [](settings& s) { s.kpit = 1; });
}

TEST_F(statementrules, thenandloopstayontheconditionline) {
    std::string input =
        "BEGIN\n"
        "  IF a = 1\n"
        "     AND b = 2\n"
        "  THEN\n"
        "    NULL;\n"
        "  END IF;\n"
        "  IF c = 1 -- why\n"
        "  THEN\n"
        "    NULL;\n"
        "  END IF;\n"
        "  FOR i IN 1 .. 10\n"
        "  LOOP\n"
        "    NULL;\n"
        "  END LOOP;\n"
        "  WHILE x < 10\n"
        "  LOOP\n"
        "    x := x + 1;\n"
        "  END LOOP;\n"
        "  CASE\n"
        "    WHEN a = 1\n"
        "    THEN\n"
        "      NULL;\n"
        "  END CASE;\n"
        "END;\n";
    verifyformat(
        "BEGIN\n"
        "  IF a = 1\n"
        "    AND b = 2 THEN\n"
        "    NULL;\n"
        "  END IF;\n"
        "  IF c = 1 -- why\n"
        "    THEN\n"
        "    NULL;\n"
        "  END IF;\n"
        "  FOR i IN 1 .. 10 LOOP\n"
        "    NULL;\n"
        "  END LOOP;\n"
        "  WHILE x < 10 LOOP\n"
        "    x := x + 1;\n"
        "  END LOOP;\n"
        "  CASE\n"
        "    WHEN a = 1 THEN\n"
        "      NULL;\n"
        "  END CASE;\n"
        "END;\n",
        input, [](settings& s) { s.kitt = 1; s.kflt = 1; s.kwlt = 1; s.kwtt = 1; });
    // Each switch joins only its own keyword.
    verifyformat(
        "BEGIN\n"
        "  FOR i IN 1 .. 10\n"
        "    LOOP\n"
        "    NULL;\n"
        "  END LOOP;\n"
        "  WHILE x < 10 LOOP\n"
        "    x := x + 1;\n"
        "  END LOOP;\n"
        "END;\n",
        "BEGIN\n"
        "  FOR i IN 1 .. 10\n"
        "  LOOP\n"
        "    NULL;\n"
        "  END LOOP;\n"
        "  WHILE x < 10\n"
        "  LOOP\n"
        "    x := x + 1;\n"
        "  END LOOP;\n"
        "END;\n",
        [](settings& s) { s.kwlt = 1; });
}

TEST_F(statementrules, insertcommentsnamethecolumnofeachvalue) {
    std::string input =
        "BEGIN\n"
        "  INSERT INTO emp (empno, \"Odd*/Name\", sal) VALUES (1, f(2, 3), 100);\n"
        "  INSERT INTO emp (empno, ename) VALUES (2/*empno<-*/, 'Jones');\n"
        "  INSERT INTO emp SELECT * FROM emp2;\n"
        "END;\n";
    // The name's "*/" is defused so that the comment stays one comment.
    verifyformat(
        "BEGIN\n"
        "  INSERT INTO emp (empno, \"Odd*/Name\", sal) VALUES (1/*empno<-*/, f(2, 3)/*\"Odd* /Name\"<-*/, 100);\n"
        "  INSERT INTO emp (empno, ename) VALUES (2/*empno<-*/, 'Jones');\n"
        "  INSERT INTO emp SELECT * FROM emp2;\n"
        "END;\n",
        input, [](settings& s) { s.sic = 1; });
    verifyformat(
        "BEGIN\n"
        "  INSERT INTO emp (empno, \"Odd*/Name\", sal) VALUES (1, f(2, 3), 100);\n"
        "  INSERT INTO emp (empno, ename) VALUES (2, 'Jones');\n"
        "  INSERT INTO emp SELECT * FROM emp2;\n"
        "END;\n",
        input, [](settings& s) { s.ric = 1; });
    // Another marker: the old comments are no longer recognised.
    verifyformat(
        "BEGIN\n"
        "  INSERT INTO emp (empno, ename) VALUES (2/*empno<-*//*empno=*/, 'Jones');\n"
        "END;\n",
        "BEGIN\n"
        "  INSERT INTO emp (empno, ename) VALUES (2/*empno<-*/, 'Jones');\n"
        "END;\n",
        [](settings& s) { s.sic = 1; s.sic_m = "="; });
}

TEST_F(statementrules, headersopentheirlevels) {
    // The package, its subprograms and a forward declaration: the forward declaration
    // opens nothing, so every END closes the right level.
    verifyformat(
        "CREATE OR REPLACE PACKAGE BODY pkg IS\n"
        "  PROCEDURE later;\n"
        "  FUNCTION f(a NUMBER) RETURN NUMBER IS\n"
        "  BEGIN\n"
        "    RETURN a;\n"
        "  END f;\n"
        "  PROCEDURE later IS\n"
        "  BEGIN\n"
        "    NULL;\n"
        "  END later;\n"
        "END pkg;\n"
        "/\n",
        "create or replace package body pkg is\n"
        "procedure later;\n"
        "function f(a number) return number is\n"
        "begin\n"
        "return a;\n"
        "end f;\n"
        "procedure later is\n"
        "begin\n"
        "null;\n"
        "end later;\n"
        "end pkg;\n"
        "/\n");
    verifyformat(
        "PACKAGE pkg AS\n"
        "  FUNCTION f RETURN NUMBER;\n"
        "END;\n",
        "package pkg as\nfunction f return number;\nend;\n");
    // A trigger: its header words are no SQL statement.
    verifyformat(
        "CREATE OR REPLACE TRIGGER trg BEFORE INSERT ON t FOR EACH ROW\n"
        "BEGIN\n"
        "  :new.a := 1;\n"
        "END;\n"
        "/\n",
        "create or replace trigger trg before insert on t for each row\n"
        "begin\n"
        ":new.a := 1;\n"
        "end;\n"
        "/\n");
}

TEST_F(statementrules, subprogramsnamedlikekeywords) {
    // DELETE, MERGE and OPEN are not reserved: as names they start no statement, after END
    // they close nothing, and their calls inside a statement start none either.
    verifyformat("PROCEDURE DELETE IS\nBEGIN\n  NULL;\nEND;\n", "procedure delete is\nbegin\nnull;\nend;\n");
    verifyformat(
        "CREATE OR REPLACE PACKAGE BODY p AS\n"
        "  PROCEDURE merge(a NUMBER) IS\n"
        "  BEGIN\n"
        "    DELETE(a);\n"
        "  END merge;\n"
        "  FUNCTION OPEN RETURN NUMBER IS\n"
        "  BEGIN\n"
        "    RETURN 1;\n"
        "  END OPEN;\n"
        "  PROCEDURE LOOP IS\n"
        "  x NUMBER;\n"
        "  BEGIN\n"
        "    x := merge(1) + OPEN;\n"
        "    SELECT merge(x) INTO x FROM dual WHERE OPEN(x) = 1;\n"
        "  END LOOP;\n"
        "END p;\n"
        "/\n",
        "create or replace package body p as\n"
        "procedure merge(a number) is\n"
        "begin\n"
        "delete(a);\n"
        "end merge;\n"
        "function open return number is\n"
        "begin\n"
        "return 1;\n"
        "end open;\n"
        "procedure loop is\n"
        "x number;\n"
        "begin\n"
        "x := merge(1) + open;\n"
        "select merge(x) into x from dual where open(x) = 1;\n"
        "end loop;\n"
        "end p;\n"
        "/\n");
}

TEST_F(statementrules, objecttypemembersopennolevel) {
    // Member declarations of an object type end at their comma or at the closing bracket;
    // the AS of RETURN SELF AS RESULT is no header's AS, so -kpit keeps the IS instead.
    const std::string input =
        "create type pt as object (\nx number,\nmember function len return number,\n"
        "constructor function pt(x number) return self as result\n);\n/\n"
        "create type body pt is\nconstructor function pt(x number)\nreturn self as result\n"
        "is\nbegin\nself.x := x;\nreturn;\nend;\nend;\n/\n";
    const std::string spec =
        "CREATE TYPE pt AS OBJECT (\n"
        "                          x NUMBER,\n"
        "                          MEMBER FUNCTION len RETURN NUMBER,\n"
        "                          constructor FUNCTION pt(x NUMBER) RETURN self AS result\n"
        "                          );\n"
        "/\n"
        "CREATE TYPE BODY pt IS\n"
        "  constructor FUNCTION pt(x NUMBER)\n";
    verifyformat(spec + "  RETURN self AS result\n  IS\n"
                        "  BEGIN\n    self.x := x;\n    RETURN;\n  END;\nEND;\n/\n",
                 input);
    verifyformat(spec + "  RETURN self AS result IS\n"
                        "  BEGIN\n    self.x := x;\n    RETURN;\n  END;\nEND;\n/\n",
                 input, [](settings& s) { s.kpit = 1; });
}

TEST_F(statementrules, mergegoesonpastitsthens) {
    // WHEN MATCHED THEN ends no statement: the MERGE keeps its shape up to its ";", and the
    // statement after it stands at the block's indentation.
    const std::string merge =
        "BEGIN\n"
        "  MERGE INTO t\n"
        "  USING s ON (t.id = s.id)\n"
        "  WHEN MATCHED THEN\n"
        "    UPDATE SET t.a = s.a\n"
        "  WHEN NOT MATCHED THEN\n"
        "    INSERT (id) VALUES (s.id);\n"
        "  x := 1;\n"
        "END;\n";
    verifyformat(merge, merge,
                 [](settings& s) { s.si["matched"] = "MATCHED"; s.si["merge"] = "MERGE"; s.sigiven = 1; });
}

TEST_F(statementrules, editionattributesofexportedcode) {
    // EDITIONABLE and NONEDITIONABLE stand between CREATE OR REPLACE and the object.
    verifyformat(
        "CREATE OR REPLACE EDITIONABLE PACKAGE BODY p AS\n"
        "  PROCEDURE x IS\n"
        "  BEGIN\n"
        "    NULL;\n"
        "  END;\n"
        "END p;\n"
        "/\n"
        "CREATE OR REPLACE NONEDITIONABLE TRIGGER trg BEFORE INSERT ON t FOR EACH ROW\n"
        "BEGIN\n"
        "  :new.a := 1;\n"
        "END;\n"
        "/\n",
        "create or replace editionable package body p as\nprocedure x is\nbegin\nnull;\nend;\nend p;\n/\n"
        "create or replace noneditionable trigger trg before insert on t for each row\nbegin\n:new.a := 1;\nend;\n/\n",
        [](settings& s) {
            s.si["editionable"] = "EDITIONABLE";
            s.si["noneditionable"] = "NONEDITIONABLE";
            s.sigiven = 1;
        });
}

TEST_F(statementrules, callspecificationsopennolevel) {
    // A subprogram whose body is in Java or C has no BEGIN: its IS or AS opens nothing.
    verifyformat(
        "CREATE OR REPLACE PROCEDURE jp(p IN VARCHAR2) AS LANGUAGE JAVA NAME 'Util.run(java.lang.String)';\n"
        "/\n"
        "CREATE OR REPLACE PACKAGE BODY pk AS\n"
        "  FUNCTION f RETURN NUMBER IS EXTERNAL LIBRARY lib NAME \"f\" LANGUAGE C;\n"
        "  PROCEDURE p IS\n"
        "  BEGIN\n"
        "    NULL;\n"
        "  END;\n"
        "END;\n"
        "/\n",
        "create or replace procedure jp(p in varchar2) as language java name 'Util.run(java.lang.String)';\n/\n"
        "create or replace package body pk as\nfunction f return number is external library lib name \"f\" language c;\n"
        "procedure p is\nbegin\nnull;\nend;\nend;\n/\n",
        [](settings& s) {
            s.si["c"] = "C";
            s.si["external"] = "EXTERNAL";
            s.si["language"] = "LANGUAGE";
            s.si["name"] = "NAME";
            s.sigiven = 1;
        });
}

TEST_F(statementrules, compoundtriggerholdsitstimingpoints) {
    // Each timing point's END closes only its section; the trigger's own END closes it.
    verifyformat(
        "CREATE OR REPLACE TRIGGER trg\n"
        "FOR UPDATE OF sal ON emp\n"
        "COMPOUND TRIGGER\n"
        "  g_n PLS_INTEGER := 0;\n"
        "  BEFORE STATEMENT IS\n"
        "  BEGIN\n"
        "    g_n := 0;\n"
        "  END BEFORE STATEMENT;\n"
        "  AFTER EACH ROW IS\n"
        "  BEGIN\n"
        "    g_n := g_n + 1;\n"
        "  END AFTER EACH ROW;\n"
        "END trg;\n"
        "/\n",
        "create or replace trigger trg\nfor update of sal on emp\ncompound trigger\n"
        "g_n pls_integer := 0;\nbefore statement is\nbegin\ng_n := 0;\nend before statement;\n"
        "after each row is\nbegin\ng_n := g_n + 1;\nend after each row;\nend trg;\n/\n",
        [](settings& s) { s.si["compound"] = "COMPOUND"; s.si["statement"] = "STATEMENT"; s.sigiven = 1; });
}

TEST_F(statementrules, triggerheaderswithupdateofseveralcolumns) {
    // The "," of UPDATE OF sal, comm ends no header: the DECLARE and BEGIN are the trigger's,
    // and the FOR of the next trigger's header opens no loop.
    verifyformat(
        "CREATE OR REPLACE TRIGGER emp_sal_check\n"
        "BEFORE UPDATE OF sal, comm ON emp\n"
        "FOR EACH ROW\n"
        "WHEN (new.sal > 0)\n"
        "DECLARE\n"
        "l_max emp.sal%TYPE;\n"
        "BEGIN\n"
        "  IF :new.sal > l_max THEN\n"
        "    :new.sal := l_max;\n"
        "  END IF;\n"
        "END emp_sal_check;\n"
        "/\n"
        "CREATE OR REPLACE TRIGGER emp_totals\n"
        "FOR INSERT OR UPDATE OF sal, comm OR DELETE ON emp\n"
        "COMPOUND TRIGGER\n"
        "  AFTER EACH ROW IS\n"
        "  BEGIN\n"
        "    NULL;\n"
        "  END AFTER EACH ROW;\n"
        "END emp_totals;\n"
        "/\n"
        "CREATE TRIGGER emp_check BEFORE UPDATE OF sal, comm ON emp FOR EACH ROW\n"
        "BEGIN\n"
        "  :new.comm := least(:new.comm, :new.sal);\n"
        "END;\n"
        "/\n",
        "create or replace trigger emp_sal_check\nbefore update of sal, comm on emp\nfor each row\n"
        "when (new.sal > 0)\ndeclare\nl_max emp.sal%type;\nbegin\nif :new.sal > l_max then\n"
        ":new.sal := l_max;\nend if;\nend emp_sal_check;\n/\n"
        "create or replace trigger emp_totals\nfor insert or update of sal, comm or delete on emp\n"
        "compound trigger\nafter each row is\nbegin\nnull;\nend after each row;\nend emp_totals;\n/\n"
        "create trigger emp_check before update of sal, comm on emp for each row\nbegin\n"
        ":new.comm := least(:new.comm, :new.sal);\nend;\n/\n",
        [](settings& s) { s.si["compound"] = "COMPOUND"; s.sigiven = 1; });
}

TEST_F(statementrules, multitableinsertsgoonpasttheirthensandelses) {
    // WHEN ... THEN and ELSE of INSERT ALL and INSERT FIRST choose INTO clauses: they open
    // and end nothing, the lines of the INSERT keep their shape up to its ";", and the
    // statement after it stands at the block's indentation.
    const std::string inserts =
        "BEGIN\n"
        "  INSERT ALL\n"
        "    WHEN credit >= 10000 THEN\n"
        "      INTO premium (id, name) VALUES (id, name)\n"
        "    WHEN credit BETWEEN 1000 AND 9999 THEN\n"
        "      INTO standard (id, name) VALUES (id, name)\n"
        "    ELSE\n"
        "      INTO basic (id, name) VALUES (id, name)\n"
        "  SELECT id, name, credit FROM stage;\n"
        "  INSERT FIRST WHEN email IS NULL THEN INTO issues (id) VALUES (id) ELSE INTO contacts (id) VALUES (id)\n"
        "  SELECT id, email FROM stage;\n"
        "  IF x > 0 THEN\n"
        "    x := 1;\n"
        "  ELSE\n"
        "    x := 2;\n"
        "  END IF;\n"
        "END;\n"
        "/\n";
    verifyformat(inserts, inserts, [](settings& s) { s.si["first"] = "FIRST"; s.sigiven = 1; });
    verifyformat(inserts,
                 "begin\ninsert all\n  when credit >= 10000 then\n    into premium (id, name) values (id, name)\n"
                 "  when credit between 1000 and 9999 then\n    into standard (id, name) values (id, name)\n"
                 "  else\n    into basic (id, name) values (id, name)\nselect id, name, credit from stage;\n"
                 "insert first when email is null then into issues (id) values (id) else into contacts (id) values (id)\n"
                 "select id, email from stage;\nif x > 0 then\nx := 1;\nelse\nx := 2;\nend if;\nend;\n/\n",
                 [](settings& s) { s.si["first"] = "FIRST"; s.sigiven = 1; });
}

TEST_F(statementrules, linebreaksafterthesubprogramname) {
    verifyformat(
        "CREATE OR REPLACE PROCEDURE p(a NUMBER) IS\n"
        "BEGIN\n"
        "  NULL;\n"
        "END;\n",
        "CREATE OR REPLACE PROCEDURE p\n"
        "(a NUMBER) IS\n"
        "BEGIN\n"
        "  NULL;\n"
        "END;\n",
        [](settings& s) { s.rlafu = 1; });
    verifyformat(
        "CREATE OR REPLACE PROCEDURE p\n"
        "(a NUMBER) IS\n"
        "BEGIN\n"
        "  NULL;\n"
        "END;\n",
        "CREATE OR REPLACE PROCEDURE p(a NUMBER) IS\n"
        "BEGIN\n"
        "  NULL;\n"
        "END;\n",
        [](settings& s) { s.mlafu = 1; });
}

TEST_F(statementrules, casestatementsandcaseexpressions) {
    // A CASE that starts a statement ends with END CASE; one inside an assignment or a
    // query with a bare END.
    verifyformat(
        "BEGIN\n"
        "  CASE x\n"
        "    WHEN 1 THEN\n"
        "      y := 1;\n"
        "    ELSE\n"
        "      y := 2;\n"
        "  END CASE;\n"
        "  y := CASE WHEN x = 1 THEN 'a' ELSE 'b' END;\n"
        "  SELECT CASE WHEN a = 1 THEN 'x' ELSE 'y' END INTO v FROM t;\n"
        "  <<named>>\n"
        "  CASE\n"
        "    WHEN x > 1 THEN\n"
        "      NULL;\n"
        "  END CASE;\n"
        "END;\n",
        "begin\n"
        "case x\n"
        "when 1 then\n"
        "y := 1;\n"
        "else\n"
        "y := 2;\n"
        "end case;\n"
        "y := case when x = 1 then 'a' else 'b' end;\n"
        "select case when a = 1 then 'x' else 'y' end into v from t;\n"
        "<<named>>\n"
        "case\n"
        "when x > 1 then\n"
        "null;\n"
        "end case;\n"
        "end;\n");
    // END CASE after a CASE expression is a wrong END.
    auto wrong = format("BEGIN\n  y := CASE WHEN x = 1 THEN 1 END CASE;\nEND;\n");
    EXPECT_EQ(wrong.thrown, "2\n");
    EXPECT_NE(wrong.messages.find("'end <nothing>' not found but found 'end case'"), std::string::npos)
        << wrong.messages;
}

TEST_F(statementrules, linebreaksaftercursordeclarations) {
    std::string input =
        "DECLARE\n"
        "  CURSOR c IS SELECT a FROM t;\n"
        "  v NUMBER;\n"
        "  CURSOR d IS SELECT b FROM u WHERE b > 1 FOR UPDATE;\n"
        "\n"
        "\n"
        "  w NUMBER;\n"
        "BEGIN\n"
        "  NULL;\n"
        "END;\n";
    verifyformat(
        "DECLARE\n"
        "  CURSOR c IS SELECT a FROM t;\n"
        "\n"
        "  v NUMBER;\n"
        "  CURSOR d IS SELECT b FROM u WHERE b > 1 FOR UPDATE;\n"
        "\n"
        "\n"
        "  w NUMBER;\n"
        "BEGIN\n"
        "  NULL;\n"
        "END;\n",
        input, [](settings& s) { s.id = 1; s.mlacd = 1; });
    verifyformat(
        "DECLARE\n"
        "  CURSOR c IS SELECT a FROM t;\n"
        "  v NUMBER;\n"
        "  CURSOR d IS SELECT b FROM u WHERE b > 1 FOR UPDATE;\n"
        "  w NUMBER;\n"
        "BEGIN\n"
        "  NULL;\n"
        "END;\n",
        input, [](settings& s) { s.id = 1; s.rlacd = 1; });
}

TEST_F(statementrules, sqlpluscommandsstartlinesagainafterastatement) {
    // After the SELECT ends, PROMPT starts a SQL*Plus line again: its quote is no literal.
    verifyformat(
        "SELECT 1 FROM dual;\n"
        "PROMPT Don't panic\n"
        "SELECT 2 FROM dual;\n",
        "select 1 from dual;\n"
        "PROMPT Don't panic\n"
        "select 2 from dual;\n");
    // "a" is APPEND: a line that starts with it after a statement is left alone.
    verifyformat("x := 1;\na:=2;\n", "x:=1;\na:=2;\n");
    // Inside a statement a line that starts with a command word is no command.
    verifyformat("UPDATE t\nSET a = 1;\n", "update t\nset a=1;\n");
}

TEST_F(statementrules, tablenamesafterfromarelisted) {
    std::ostringstream captured;
    std::streambuf* old = std::cout.rdbuf(captured.rdbuf());
    auto result = format("SELECT a FROM emp e, dept d WHERE e.d = d.id;\n"
                             "SELECT b FROM bonus;\n",
                             [](settings& s) { s.lt = 1; });
    std::cout.rdbuf(old);
    EXPECT_EQ(result.thrown, "");
    EXPECT_EQ(captured.str(), "bonusdeptemp");
}

// A formatter over a text with the current token at the first whitespace token that holds
// a line break.
struct joinsetup {
    formatter f;
    explicit joinsetup(const std::string& text) {
        f.s = enginetesting::defaultsettings();
        f.resettokencontext();
        f.tokenize(text);
        f.appendendtokens();
        f.currenttoken = std::next(f.tokens.begin());
        while (f.currenttoken->kind != whitespace || !haslinebreak(f.currenttoken->text())) ++f.currenttoken;
    }
    std::string text() const { return f.jointokentexts(std::next(f.tokens.begin()), f.tokens.end()); }
};

TEST(joinaftercomma, joinsonlyalinebreakrightafteracomma) {
    struct row {
        std::string text;
        bool joined;
        std::string result;
    } rows[] = {
        {"a,\n  b", true, "a, b"},
        {"a, \n  b", true, "a, b"},
        {"a, /* c */\n  b", true, "a, /* c */ b"},
        // A single-line comment would swallow the next line.
        {"a, -- c\n  b", false, "a, -- c\n  b"},
        {"a\n  , b", false, "a\n  , b"},
    };
    for (const row& r : rows) {
        joinsetup j(r.text);
        EXPECT_EQ(j.f.joinaftercomma(), r.joined) << r.text;
        EXPECT_EQ(j.text(), r.result) << r.text;
        if (r.joined) {
            EXPECT_EQ(j.f.currentword, "b");
        }
    }
    // A line break that a rule made stays, and so do the line pieces of a literal.
    joinsetup made("a,\n  b");
    made.f.currenttoken->classcode = classinserted;
    EXPECT_FALSE(made.f.joinaftercomma());
    joinsetup literal("a, 'x\ny'");
    literal.f.currenttoken = std::prev(literal.f.tokens.end(), 3);
    ASSERT_EQ(literal.f.currenttoken->kind, stringliteral);
    EXPECT_FALSE(literal.f.joinaftercomma());
    EXPECT_EQ(literal.text(), "a, 'x\ny'");
}

TEST(textcomparison, findsaboutwherethetextsdiffer) {
    const charset ascii("US7ASCII");
    EXPECT_TRUE(firstdifference(ascii, "SelectAFromT", "selectafromt").equal);
    for (const auto& [first, second, at] : std::vector<std::tuple<std::string, std::string, int64_t>>{
             {"abcdefgh", "abcdXfgh", 4},
             {"abc", "abcd", 3},
             {"xbc", "abc", 0},
             {"selecta,bfromt", "selecta;bfromt", 7},
         }) {
        textcomparison c = firstdifference(ascii, first, second);
        EXPECT_FALSE(c.equal) << first;
        EXPECT_EQ(c.position, at) << first << " / " << second;
    }
}

}  // namespace
