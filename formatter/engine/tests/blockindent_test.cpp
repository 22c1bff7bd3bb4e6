// Whole units re-indented by their block structure: package bodies with subprograms and an
// initialisation part, triggers, anonymous blocks with exception handlers and CASE
// statements, under the indentation, block-information and line-break switches.
#include "enginetesting.h"

namespace {

using enginetesting::formatrun;

class blockindent : public formatrun {};

const std::string flatpackage =
    "create or replace package body pk_orders is\n"
    "procedure add_order(p_id in number, p_qty in number) is\n"
    "v_total number := 0;\n"
    "cursor c_lines is select qty from order_lines where order_id = p_id for update;\n"
    "begin\n"
    "for r in c_lines loop\n"
    "v_total := v_total + r.qty;\n"
    "end loop;\n"
    "case\n"
    "when v_total > 100 then\n"
    "check_limit(p_id);\n"
    "when v_total < 0 then\n"
    "raise_application_error(c_error, 'negative');\n"
    "else\n"
    "null;\n"
    "end case;\n"
    "if p_qty > 0 then\n"
    "add_order(p_id, p_qty - 1);\n"
    "elsif p_qty < 0 then\n"
    "null;\n"
    "else\n"
    "loop\n"
    "exit when v_total > 10;\n"
    "v_total := v_total + 1;\n"
    "end loop;\n"
    "end if;\n"
    "exception\n"
    "when no_data_found then\n"
    "null;\n"
    "when others then\n"
    "raise;\n"
    "end add_order;\n"
    "function check_limit(p_id number) return boolean is\n"
    "begin\n"
    "return p_id > 0;\n"
    "end check_limit;\n"
    "begin\n"
    "init_all;\n"
    "end pk_orders;\n"
    "/\n";

TEST_F(blockindent, packagebody) {
    verifyformat(
        "CREATE OR REPLACE PACKAGE BODY pk_orders IS\n"
        "  PROCEDURE add_order(p_id IN NUMBER, p_qty IN NUMBER) IS\n"
        "  v_total NUMBER := 0;\n"
        "  CURSOR c_lines IS SELECT qty FROM order_lines WHERE order_id = p_id FOR UPDATE;\n"
        "  BEGIN\n"
        "    FOR r IN c_lines LOOP\n"
        "      v_total := v_total + r.qty;\n"
        "    END LOOP;\n"
        "    CASE\n"
        "      WHEN v_total > 100 THEN\n"
        "        check_limit(p_id);\n"
        "      WHEN v_total < 0 THEN\n"
        "        raise_application_error(c_error, 'negative');\n"
        "      ELSE\n"
        "        NULL;\n"
        "    END CASE;\n"
        "    IF p_qty > 0 THEN\n"
        "      add_order(p_id, p_qty - 1);\n"
        "    ELSIF p_qty < 0 THEN\n"
        "      NULL;\n"
        "    ELSE\n"
        "      LOOP\n"
        "        EXIT WHEN v_total > 10;\n"
        "        v_total := v_total + 1;\n"
        "      END LOOP;\n"
        "    END IF;\n"
        "  EXCEPTION\n"
        "    WHEN no_data_found THEN\n"
        "      NULL;\n"
        "    WHEN OTHERS THEN\n"
        "      RAISE;\n"
        "  END add_order;\n"
        "  FUNCTION check_limit(p_id NUMBER) RETURN BOOLEAN IS\n"
        "  BEGIN\n"
        "    RETURN p_id > 0;\n"
        "  END check_limit;\n"
        "BEGIN\n"
        "  init_all;\n"
        "END pk_orders;\n"
        "/\n",
        flatpackage);
}

TEST_F(blockindent, packagebodywithdeclarationsindentedandfoursteps) {
    std::string expected =
        "CREATE OR REPLACE PACKAGE BODY pk_orders IS\n"
        "    PROCEDURE add_order(p_id IN NUMBER, p_qty IN NUMBER) IS\n"
        "        v_total NUMBER := 0;\n"
        "        CURSOR c_lines IS SELECT qty FROM order_lines WHERE order_id = p_id FOR UPDATE;\n"
        "    BEGIN\n"
        "        FOR r IN c_lines LOOP\n"
        "            v_total := v_total + r.qty;\n"
        "        END LOOP;\n";
    auto result = format(flatpackage, [](settings& s) { s.id = 1; s.is = "4"; });
    EXPECT_EQ(result.output.substr(0, expected.size()), expected);
    EXPECT_EQ(format(result.output, [](settings& s) { s.id = 1; s.is = "4"; }).output, result.output);
}

TEST_F(blockindent, triggers) {
    verifyformat(
        "CREATE OR REPLACE TRIGGER trg_orders BEFORE INSERT ON orders FOR EACH ROW WHEN (new.qty > 0)\n"
        "DECLARE\n"
        "v_count NUMBER;\n"
        "BEGIN\n"
        "  IF :new.qty > 10 THEN\n"
        "    v_count := 1;\n"
        "  END IF;\n"
        "END trg_orders;\n"
        "/\n"
        "CREATE TRIGGER trg_audit AFTER UPDATE ON orders\n"
        "BEGIN\n"
        "  INSERT INTO audit_log (id) VALUES (1);\n"
        "END;\n"
        "/\n",
        "create or replace trigger trg_orders before insert on orders for each row when (new.qty > 0)\n"
        "  declare\n"
        "v_count number;\n"
        "    begin\n"
        "if :new.qty > 10 then\n"
        "v_count := 1;\n"
        "end if;\n"
        "  end trg_orders;\n"
        "/\n"
        "create trigger trg_audit after update on orders\n"
        "begin\n"
        "insert into audit_log (id) values (1);\n"
        "end;\n"
        "/\n");
}

TEST_F(blockindent, anonymousblocks) {
    const std::string flat =
        "declare\n"
        "v_id number;\n"
        "begin\n"
        "declare\n"
        "v_name varchar2(30);\n"
        "begin\n"
        "select name into v_name from emp where id = v_id;\n"
        "exception\n"
        "when no_data_found then\n"
        "v_name := null;\n"
        "end;\n"
        "case v_id\n"
        "when 1 then\n"
        "v_id := 2;\n"
        "end case;\n"
        "merge into t using s on (t.id = s.id)\n"
        "when matched then update set t.a = s.a\n"
        "when not matched then insert (id) values (s.id);\n"
        "while v_id < 10 loop\n"
        "v_id := v_id + 1;\n"
        "end loop;\n"
        "end;\n";
    // The statements of a handler or a CASE branch stand one step in from their WHEN; without
    // -iaew and -iacw they stand with it.
    auto expected = [](const std::string& branch) {
        return "DECLARE\n"
               "v_id NUMBER;\n"
               "BEGIN\n"
               "  DECLARE\n"
               "  v_name VARCHAR2(30);\n"
               "  BEGIN\n"
               "    SELECT name INTO v_name FROM emp WHERE id = v_id;\n"
               "  EXCEPTION\n"
               "    WHEN no_data_found THEN\n" +
               branch + "v_name := NULL;\n"
               "  END;\n"
               "  CASE v_id\n"
               "    WHEN 1 THEN\n" +
               branch + "v_id := 2;\n"
               "  END CASE;\n"
               "  merge INTO t USING s ON (t.id = s.id)\n"
               "  WHEN matched THEN UPDATE SET t.a = s.a\n"
               "  WHEN NOT matched THEN INSERT (id) VALUES (s.id);\n"
               "  WHILE v_id < 10 LOOP\n"
               "    v_id := v_id + 1;\n"
               "  END LOOP;\n"
               "END;\n";
    };
    verifyformat(expected("      "), flat);
    verifyformat(expected("    "), flat, [](settings& s) { s.iacw = 0; s.iaew = 0; });
}

// A cursor's query indents one step (-iac); -uts writes TABs and blanks for the rest.
TEST_F(blockindent, cursorsandtabs) {
    const std::string flat = "declare\ncursor c is\nselect a from t;\nbegin\nopen c;\nend;\n";
    verifyformat("DECLARE\nCURSOR c IS\n  SELECT a FROM t;\nBEGIN\n  OPEN c;\nEND;\n", flat);
    verifyformat("DECLARE\nCURSOR c IS\nSELECT a FROM t;\nBEGIN\n  OPEN c;\nEND;\n", flat,
                 [](settings& s) { s.iac = 0; });
    verifyformat("DECLARE\nCURSOR c IS\n\t  SELECT a FROM t;\nBEGIN\n\t  OPEN c;\nEND;\n", flat,
                 [](settings& s) { s.uts = 1; s.is = "6"; });
}

TEST_F(blockindent, nicelyindentedconditions) {
    verifyformat(
        "BEGIN\n"
        "  v_a := 1; IF v_a > 0 THEN\n"
        "              WHILE v_a < 5 LOOP\n"
        "                v_a := v_a + 1;\n"
        "              END LOOP;\n"
        "            END IF;\n"
        "END;\n",
        "begin\n"
        "v_a := 1; if v_a > 0 then\n"
        "while v_a < 5 loop\n"
        "v_a := v_a + 1;\n"
        "end loop;\n"
        "end if;\n"
        "end;\n",
        [](settings& s) { s.ni = 1; });
}

TEST_F(blockindent, blockinformationofunits) {
    verifyformat(
        "CREATE OR REPLACE PACKAGE BODY pk IS\n"
        "  PROCEDURE p IS\n"
        "  BEGIN\n"
        "    CASE v\n"
        "      WHEN 1 THEN\n"
        "        NULL;\n"
        "    END CASE;/*of block:CASE v*/\n"
        "  END p;/*of block:procedure p*/\n"
        "BEGIN\n"
        "  NULL;\n"
        "END pk;/*of block:package pk*/\n"
        "/\n",
        "create or replace package body pk is\n"
        "procedure p is\n"
        "begin\n"
        "case v\n"
        "when 1 then\n"
        "null;\n"
        "end case;\n"
        "end p;\n"
        "begin\n"
        "null;\n"
        "end pk;\n"
        "/\n",
        [](settings& s) { s.sbi = 1; s.sbi_ml = 1; });
}

TEST_F(blockindent, linebreaksafterblocks) {
    const std::string text =
        "begin\nif a then\nx := 1;\nend if;\ny := 2;\nloop\nexit;\nend loop;\n\n\n\nz := 3;\nend;\n";
    const std::string body = "BEGIN\n  IF a THEN\n    x := 1;\n  END IF;\n";
    verifyformat(body + "\n  y := 2;\n  LOOP\n    EXIT;\n  END LOOP;\n\n\n\n  z := 3;\nEND;\n", text,
                 [](settings& s) { s.mlai = 1; });
    verifyformat(body + "  y := 2;\n  LOOP\n    EXIT;\n  END LOOP;\n\n  z := 3;\nEND;\n", text,
                 [](settings& s) { s.mlal = 1; s.rlal = 1; });
    verifyformat(body + "  y := 2;\n  LOOP\n    EXIT;\n  END LOOP;\n  z := 3;\nEND;\n", text,
                 [](settings& s) { s.rlal = 1; });
    // The rule is dropped when the next statement starts on the END's line.
    verifyformat("BEGIN\n  IF a THEN\n    x := 1;\n  END IF; y := 2;\nEND;\n",
                 "begin\nif a then\nx := 1;\nend if; y := 2;\nend;\n", [](settings& s) { s.mlai = 1; });
}

// A block word that ends beyond -mcs is left to the layout pass, which breaks the line
// before it and runs the block rules again: the blocks still pair up.
TEST_F(blockindent, blockwordsbeyondthecolumnlimit) {
    verifyformat("BEGIN\n  x := 1; y := 2;\n  WHILE a < 10 LOOP\n    NULL;\n  END LOOP;\nEND;\n",
                 "begin\n  x := 1; y := 2; while a < 10 loop\nnull;\nend loop;\nend;\n",
                 [](settings& s) { s.mcs = 20; });
    verifyformat("BEGIN\n  IF abcdefgh THEN x := 1;\n  END IF;\nEND;\n",
                 "begin\n  if abcdefgh then x := 1; end if;\nend;\n", [](settings& s) { s.mcs = 29; });
}

TEST_F(blockindent, declarationspellingsfollowtheirscope) {
    verifyformat(
        "DECLARE\n"
        "v_Total NUMBER;\n"
        "BEGIN\n"
        "  v_Total := v_Total + 1;\n"
        "  DECLARE\n"
        "  V_total NUMBER;\n"
        "  BEGIN\n"
        "    V_total := 2;\n"
        "  END;\n"
        "  v_Total := 3;\n"
        "END;\n",
        "DECLARE\n"
        "v_Total NUMBER;\n"
        "BEGIN\n"
        "  V_TOTAL := v_total + 1;\n"
        "  DECLARE\n"
        "  V_total NUMBER;\n"
        "  BEGIN\n"
        "    v_total := 2;\n"
        "  END;\n"
        "  v_total := 3;\n"
        "END;\n",
        [](settings& s) { s.dbvn = 1; });
}

TEST_F(blockindent, subprogramwithoutbegin) {
    std::string file = inputname;
    auto result = format("create or replace procedure p is\n  x number;\nend p;\n");
    EXPECT_EQ(result.messages, file + " line 3 Syntax error:begin not found for PROCEDURE p\n" + file +
                                   " line 1 procedure \"create or replace procedure p is\"\n");
    EXPECT_EQ(result.thrown, "2\n");
    EXPECT_FALSE(result.written);
}

TEST_F(blockindent, calltree) {
    const std::string source =
        "CREATE OR REPLACE PACKAGE BODY pk IS\n"
        "  PROCEDURE a(n NUMBER) IS\n"
        "  BEGIN\n"
        "    IF n > 0 THEN\n"
        "      b(n - 1);\n"
        "    END IF;\n"
        "    dbms_output.put_line(n);\n"
        "  END a;\n"
        "  PROCEDURE b(n NUMBER) IS\n"
        "  BEGIN\n"
        "    A(n);\n"
        "  END b;\n"
        "  FUNCTION c RETURN NUMBER IS\n"
        "  BEGIN\n"
        "    RETURN 1;\n"
        "  END c;\n"
        "END pk;\n"
        "/\n";
    testing::internal::CaptureStdout();
    auto result = format(source, [](settings& s) { s.ct = 1; });
    std::string printed = testing::internal::GetCapturedStdout();
    std::string file = inputname;
    EXPECT_EQ(printed, "a " + file + ":2\n  b(n - 1) " + file + ":9\n    A(n)(recursion) " + file + ":2\n" +
                           "b " + file + ":9\n  A(n) " + file + ":2\n    b(n - 1)(recursion) " + file + ":9\n" +
                           "c " + file + ":13\n");
    EXPECT_EQ(result.thrown, "");
    EXPECT_FALSE(result.written);
}

}  // namespace
