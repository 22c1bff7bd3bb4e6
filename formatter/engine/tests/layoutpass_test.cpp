// The column limit (-mcs): lines shortened by blanks, indentation and comment decoration,
// comments broken, statements moved, lines broken before a token, and the block rules that
// wait for the layout pass.
#include "enginetesting.h"

#include <limits>
#include <tuple>
#include <type_traits>

namespace {

struct layoutcase {
    std::string label;   // the switches it stands for
    enginetesting::adjustment adjust;
    std::string input;
    std::string expected;
};

class columnlimit : public enginetesting::formatrun {
protected:
    void verifyall(const std::vector<layoutcase>& cases, std::source_location where = std::source_location::current()) {
        for (const layoutcase& c : cases) {
            SCOPED_TRACE(c.label);
            verifyformat(c.expected, c.input, c.adjust, where);
        }
    }
};

const std::string sum = "BEGIN\n  v_total := v_first + v_second + v_third;\nEND;\n";

TEST_F(columnlimit, withoutalimitnothingmoves) {
    const std::string longline = "BEGIN\n  v_total := v_first + v_second + v_third + v_fourth + v_fifth + v_sixth + v_seventh;\nEND;\n";
    verifyall({
        {"defaults", {}, longline, longline},
        {"-mcs 0 -acs -aci -amso", [](settings& s) { s.mcs = 0; s.acs = 1; s.aci = 1; s.amso = 1; }, longline, longline},
        // Lines within the limit stay as they are.
        {"-mcs 45", [](settings& s) { s.mcs = 45; }, sum, sum},
    });
}

TEST_F(columnlimit, thelinebreaksbeforethetokenthatcrossesthelimit) {
    verifyall({
        // v_second would end at column 31: the blank before it becomes the line break.
        {"-mcs 30", [](settings& s) { s.mcs = 30; },
         sum, "BEGIN\n  v_total := v_first +\n  v_second + v_third;\nEND;\n"},
        // Each new line is broken again where it crosses.
        {"-mcs 16", [](settings& s) { s.mcs = 16; },
         sum, "BEGIN\n  v_total :=\n  v_first +\n  v_second +\n  v_third;\nEND;\n"},
        // The token after a "/" may move, the "/" itself never does.
        {"-mcs 10", [](settings& s) { s.mcs = 10; }, "BEGIN\n  x := a / b;\nEND;\n", "BEGIN\n  x := a /\n  b;\nEND;\n"},
        // With -pcr a comma stays at the end of its line, the next item moves instead.
        {"-mcs 14 -pcr", [](settings& s) { s.mcs = 14; s.pcr = 1; },
         "BEGIN\n  f(aaaa, bbbb, cccc);\nEND;\n", "BEGIN\n  f(aaaa, bbbb,\n    cccc);\nEND;\n"},
        // The ";" that ends a cursor declaration moves to a new line and still closes it.
        {"-mcs 39", [](settings& s) { s.mcs = 39; },
         "DECLARE\nCURSOR c IS SELECT a FROM t WHERE b = 1;\nBEGIN\n  NULL;\nEND;\n",
         "DECLARE\nCURSOR c IS SELECT a FROM t WHERE b = 1\n            ;\nBEGIN\n  NULL;\nEND;\n"},
        // The empty line that -mlacd keeps after a cursor declaration follows its ";", also
        // when the ";" moves to a new line.
        {"-mcs 39 -mlacd", [](settings& s) { s.mcs = 39; s.mlacd = 1; },
         "DECLARE\nCURSOR c IS SELECT a FROM t WHERE b = 1;\nx NUMBER;\nBEGIN\n  NULL;\nEND;\n",
         "DECLARE\nCURSOR c IS SELECT a FROM t WHERE b = 1\n            ;\n\nx NUMBER;\nBEGIN\n  NULL;\nEND;\n"},
        // A sign stays with its number: only the ";" can move.
        {"-mcs 12", [](settings& s) { s.mcs = 12; },
         "BEGIN\n  x := y - -1;\nEND;\n", "BEGIN\n  x := y - -1\n  ;\nEND;\n"},
        // A literal that starts its line cannot be shortened.
        {"-mcs 20", [](settings& s) { s.mcs = 20; }, "BEGIN\n  v := 'a literal longer than the limit';\nEND;\n",
         "BEGIN\n  v :=\n  'a literal longer than the limit'\n  ;\nEND;\n"},
        // The statement after END IF moved to a line of its own gets the empty line that
        // -mlai keeps after the block, as it gets where it starts its line.
        {"-mcs 34 -mlai", [](settings& s) { s.mcs = 34; s.mlai = 1; },
         "begin\n  if a > 0 then x := 1; end if; yyyyyyyy := 2;\nend;\n",
         "BEGIN\n  IF a > 0 THEN x := 1; END IF;\n\n  yyyyyyyy := 2;\nEND;\n"},
        // An AND that the limit moves still goes under its BETWEEN (-plouwh).
        {"-mcs 34 -plouwh", [](settings& s) { s.mcs = 34; s.plouwh = 1; },
         "begin\n  select a into v from t\n   where x between yyyyyyyyyyyy and zzzzzzzzzzzz;\nend;\n",
         "BEGIN\n  SELECT a INTO v FROM t\n   WHERE x BETWEEN yyyyyyyyyyyy\n               AND zzzzzzzzzzzz;\nEND;\n"},
        // A ";" moved to a line of its own ends the aligned list its line began in, and so
        // stands at the block's indentation, as a ";" that starts a line does.
        {"-mcs 40 -as", [](settings& s) { s.mcs = 40; s.as = 1; },
         "begin\nopen c for select a from t where b = 'xxxxxxxxxx';\nend;\n",
         "BEGIN\n  OPEN c FOR SELECT a FROM t WHERE b =\n                                   'xxxxxxxxxx'\n  ;\nEND;\n"},
        {"-mcs 40 -as", [](settings& s) { s.mcs = 40; s.as = 1; },
         "begin\n  /* count */ select count(*) into v_cnt from user_triggers where status = 'ENABLED';\nend;\n",
         "BEGIN\n"
         "  /* count */ SELECT COUNT(*) INTO v_cnt\n"
         "              FROM user_triggers WHERE\n"
         "                                       status\n"
         "                                       =\n"
         "                                       'ENABLED'\n"
         "  ;\n"
         "END;\n"},
    });
}

TEST_F(columnlimit, blocksandbracketsbeyondthelimitstillopenandclose) {
    verifyall({
        // END IF crosses the limit: it moves to its own line and still closes the IF.
        {"-mcs 22", [](settings& s) { s.mcs = 22; }, "BEGIN\n  IF a > 1 THEN NULL; END IF;\nEND;\n",
         "BEGIN\n  IF a > 1 THEN NULL;\n  END IF;\nEND;\n"},
        // Every word crosses a limit of 3: the block structure is kept all the same.
        {"-mcs 3", [](settings& s) { s.mcs = 3; }, "BEGIN\n  NULL;\nEND;\n", "BEGIN\n  NULL\n  ;\nEND\n;\n"},
        // A ")" beyond the limit starts a line of the bracketed list and still closes it.
        {"-mcs 13", [](settings& s) { s.mcs = 13; },
         "BEGIN\n  x := f(a, b);\nEND;\n", "BEGIN\n  x := f(a, b\n         );\nEND;\n"},
        {"-mcs 12", [](settings& s) { s.mcs = 12; }, "CREATE PROCEDURE p IS\nBEGIN\n  NULL;\nEND;\n",
         "CREATE\nPROCEDURE p\nIS\nBEGIN\n  NULL;\nEND;\n"},
        // A SQL*Plus line after a unit's "/" is no code: it is neither broken nor read for
        // block words ("package" would open a level).
        {"-mcs 20", [](settings& s) { s.mcs = 20; },
         "BEGIN\n  NULL;\nEND;\n/\nPROMPT Creating package p (part one)\nBEGIN\n  NULL;\nEND;\n/\n",
         "BEGIN\n  NULL;\nEND;\n/\nPROMPT Creating package p (part one)\nBEGIN\n  NULL;\nEND;\n/\n"},
    });
}

TEST_F(columnlimit, blanksandindentationgiveupthecolumnsbeyond) {
    verifyall({
        // -acs: three blanks before the comment lose the one column too many.
        {"-mcs 20 -acs -c-", [](settings& s) { s.mcs = 20; s.acs = 1; s.c = 0; },
         "BEGIN\n  v := 1;   -- abcdef\nEND;\n", "BEGIN\n  v := 1;  -- abcdef\nEND;\n"},
        // One blank always stays: a single one cannot help, and a comment moves only with -amc.
        {"-mcs 20 -acs", [](settings& s) { s.mcs = 20; s.acs = 1; },
         "BEGIN\n  v := 1; -- abcdefgh\nEND;\n", "BEGIN\n  v := 1; -- abcdefgh\nEND;\n"},
        // -aci: the indentation of the line gives up the column.
        {"-mcs 20 -aci", [](settings& s) { s.mcs = 20; s.aci = 1; },
         "BEGIN\n  IF a THEN\n    v_value := 12345;\n  END IF;\nEND;\n",
         "BEGIN\n  IF a THEN\n   v_value := 12345;\n  END IF;\nEND;\n"},
        // The statement's line gives up its indentation; its next line keeps its place
        // relative to it (-rs), so a second run finds the same.
        {"-mcs 50 -aci", [](settings& s) { s.mcs = 50; s.aci = 1; },
         "BEGIN\n  FOR r IN (SELECT id FROM t) LOOP\n    UPDATE tab2666 SET amount = amount + 1, changed = SYSDATE WHERE id = 73;\n    NULL;\n  END LOOP;\nEND;\n",
         "BEGIN\n  FOR r IN (SELECT id FROM t) LOOP\n UPDATE tab2666 SET amount = amount + 1, changed =\n SYSDATE WHERE id = 73;\n    NULL;\n  END LOOP;\nEND;\n"},
        // A query in brackets whose line gives up indentation: its lines keep their place
        // relative to its SELECT, not to where the SELECT stood before.
        {"-mcs 40 -aci", [](settings& s) { s.mcs = 40; s.aci = 1; },
         "WITH r AS (\n  SELECT a, bbbbbbbbbb, cccccccc FROM t\n   WHERE a = 1\n)\nSELECT 1 FROM r;\n",
         "WITH r AS (\n   SELECT a, bbbbbbbbbb, cccccccc FROM t\n    WHERE a = 1\n )\nSELECT 1 FROM r;\n"},
        // The items of a bracketed list stay under its first item when the bracket's line
        // gives up indentation.
        {"-mcs 50 -aci", [](settings& s) { s.mcs = 50; s.aci = 1; },
         "BEGIN\n  IF a THEN\n    proc_with_long_name(p_first => 1, p_second => 22,\n"
         "                        p_third => 333);\n  END IF;\nEND;\n",
         "BEGIN\n  IF a THEN\n proc_with_long_name(p_first => 1, p_second => 22,\n"
         "                     p_third => 333);\n  END IF;\nEND;\n"},
        // The statement's lines keep their place relative to it also past the END of a
        // CASE expression, whose level kept the shift measured before the line gave way.
        {"-mcs 30 -aci -acs -amso", [](settings& s) { s.mcs = 30; s.aci = 1; s.acs = 1; s.amso = 1; },
         "BEGIN\n  UPDATE t SET a = CASE WHEN b = 1 THEN 2 ELSE 3 END WHERE c = 4;\nEND;\n",
         "BEGIN\nUPDATE t SET a = CASE WHEN b =\n1 THEN 2 ELSE 3 END WHERE c =\n4;\nEND;\n"},
        // The blank that -rsbcb takes from before ")" is gone before the limit is measured:
        // the line fits without giving up indentation.
        {"-mcs 17 -aci -rsbcb", [](settings& s) { s.mcs = 17; s.aci = 1; s.rsbcb = 1; },
         "BEGIN\n  IF a THEN\n    v := f(12345 )\n      + 1;\n  END IF;\nEND;\n",
         "BEGIN\n  IF a THEN\n    v := f(12345)\n    + 1;\n  END IF;\nEND;\n"},
        // -aci with -acs: the indentation goes, and the blanks inside the line give the rest.
        {"-mcs 20 -aci -acs -c-", [](settings& s) { s.mcs = 20; s.aci = 1; s.acs = 1; s.c = 0; },
         "BEGIN\n  v := 12;  -- abcdefgh\nEND;\n",
         "BEGIN\nv := 12; -- abcdefgh\nEND;\n"},
    });
}

TEST_F(columnlimit, commentdecorationisshortened) {
    verifyall({
        // The two dashes beyond column 30 go.
        {"-mcs 30 -asc", [](settings& s) { s.mcs = 30; s.asc = 1; }, "BEGIN\n  NULL; -- checks --------------\nEND;\n",
         "BEGIN\n  NULL; -- checks ------------\nEND;\n"},
        {"-mcs 15 -asc", [](settings& s) { s.mcs = 15; s.asc = 1; },
         "BEGIN\n  NULL; /* x ***/\nEND;\n", "BEGIN\n  NULL; /* x */\nEND;\n"},
        // Blanks after the decoration stay, and the decoration before them goes.
        {"-mcs 20 -asc", [](settings& s) { s.mcs = 20; s.asc = 1; },
         "BEGIN\n  ------------------------ \n  NULL; /* x ****** */\nEND;\n",
         "BEGIN\n  ----------------- \n  NULL; /* x **** */\nEND;\n"},
        {"-mcs 15 -asc", [](settings& s) { s.mcs = 15; s.asc = 1; },
         "BEGIN\n  NULL; /* x --*/\nEND;\n", "BEGIN\n  NULL; /* x */\nEND;\n"},
        // Too little decoration: the comment stays, and moves only with -amc.
        {"-mcs 18 -asc", [](settings& s) { s.mcs = 18; s.asc = 1; },
         "BEGIN\n  NULL; -- checks --\nEND;\n", "BEGIN\n  NULL; -- checks --\nEND;\n"},
        {"-mcs 18 -asc -amc", [](settings& s) { s.mcs = 18; s.asc = 1; s.amc = 1; },
         "BEGIN\n  NULL; -- checks --\nEND;\n",
         "BEGIN\n  NULL;\n  -- checks --\nEND;\n"},
        // The stars of the comment marks are no decoration.
        {"-mcs 10 -asc", [](settings& s) { s.mcs = 10; s.asc = 1; },
         "BEGIN\n  NULL; /**/\nEND;\n", "BEGIN\n  NULL; /**/\nEND;\n"},
        // The end-of-block information is never shortened, broken or moved.
        {"-sbi -sbi.ml 1 -mcs 16 -asc -abuc -amc -acs -aci",
        [](settings& s) { s.sbi = 1; s.sbi_ml = 1; s.mcs = 16; s.asc = 1; s.abuc = 1; s.amc = 1; s.acs = 1; s.aci = 1; },
         "BEGIN\n  IF a THEN\n    NULL;\n  END IF;\nEND;\n",
         "BEGIN\n  IF a THEN\n    NULL;\n  END IF;/*of block:IF a */\nEND;\n"},
    });
}

TEST_F(columnlimit, commentsarebrokenattheirlastblankbeforethelimit) {
    verifyall({
        // A single-line comment alone on its line goes on as another one.
        {"-mcs 20 -abusc -acoslc", [](settings& s) { s.mcs = 20; s.abusc = 1; s.acoslc = 1; },
         "BEGIN\n  -- one two three four five six\n  NULL;\nEND;\n",
         "BEGIN\n  -- one two three\n  -- four five six\n  NULL;\nEND;\n"},
        // After code it becomes a block comment over two lines.
        {"-mcs 20 -abuc -acoslc", [](settings& s) { s.mcs = 20; s.abuc = 1; s.acoslc = 1; },
         "BEGIN\n  NULL; -- one two three four five\nEND;\n",
         "BEGIN\n  NULL; /* one two\n  three four five */\nEND;\n"},
        // A "*/" inside a converted comment cannot close it early.
        {"-mcs 20 -abuc -acoslc", [](settings& s) { s.mcs = 20; s.abuc = 1; s.acoslc = 1; },
         "BEGIN\n  NULL; -- a */ b three four five\nEND;\n",
         "BEGIN\n  NULL; /* a * / b\n  three four five */\nEND;\n"},
        // -abusc leaves comments after code alone; single-line ones need -acoslc.
        {"-mcs 20 -abusc -acoslc", [](settings& s) { s.mcs = 20; s.abusc = 1; s.acoslc = 1; },
         "BEGIN\n  NULL; -- one two three four five\nEND;\n",
         "BEGIN\n  NULL; -- one two three four five\nEND;\n"},
        {"-mcs 20 -abuc", [](settings& s) { s.mcs = 20; s.abuc = 1; },
         "BEGIN\n  -- one two three four five six\n  NULL;\nEND;\n",
         "BEGIN\n  -- one two three four five six\n  NULL;\nEND;\n"},
        {"-mcs 20 -abusc", [](settings& s) { s.mcs = 20; s.abusc = 1; },
         "BEGIN\n  /* one two three four five */\n  NULL;\nEND;\n",
         "BEGIN\n  /* one two three\n  four five */\n  NULL;\nEND;\n"},
        {"-mcs 14 -abuc", [](settings& s) { s.mcs = 14; s.abuc = 1; },
         "BEGIN\n  NULL; /* one two */\nEND;\n", "BEGIN\n  NULL; /* one\n  two */\nEND;\n"},
        // A long piece of a comment over several lines is broken where it crosses.
        {"-mcs 20 -abusc", [](settings& s) { s.mcs = 20; s.abusc = 1; },
         "BEGIN\n  /* one\n  two three four five six */\n  NULL;\nEND;\n",
         "BEGIN\n  /* one\n  two three four\n  five six */\n  NULL;\nEND;\n"},
        // A later line of a comment is its own line: its rest keeps the line's blanks, and
        // -aci finds no indentation to take from it (not that of the line broken off before).
        {"-mcs 20 -abuc -aci -isc", [](settings& s) { s.mcs = 20; s.abuc = 1; s.aci = 1; s.isc = 1; },
         "BEGIN\n  /*\n     one two three four five\n     seventy six ten.\n  */\n  NULL;\nEND;\n",
         "BEGIN\n  /*\n     one two three\n     four five\n     seventy six\n     ten.\n  */\n  NULL;\nEND;\n"},
        // A line broken off a comment moves with -iic as the comment's other lines do.
        {"-mcs 20 -abuc -iic", [](settings& s) { s.mcs = 20; s.abuc = 1; s.iic = 1; },
         "BEGIN\n      /* one two three four five */\n  NULL;\nEND;\n",
         "BEGIN\n      /* one two\n  three four five */\n  NULL;\nEND;\n"},
        // -amc never breaks a comment before one of its own lines.
        {"-mcs 20 -amc", [](settings& s) { s.mcs = 20; s.amc = 1; },
         "BEGIN\n  x := 1; /* note\n  abcdefghijklmnopqrstuvw */\nEND;\n",
         "BEGIN\n  x := 1; /* note\n  abcdefghijklmnopqrstuvw */\nEND;\n"},
    });
}

TEST_F(columnlimit, statementsmovetoanewline) {
    const std::string three = "BEGIN\n  x := 1; y := 2; z := 345;\nEND;\n";
    const std::string commented = "BEGIN\n  x := 1; /* c */ y := 2;\nEND;\n";
    verifyall({
        // Without -amso the line breaks before the token that crosses the limit.
        {"-mcs 20", [](settings& s) { s.mcs = 20; }, three, "BEGIN\n  x := 1; y := 2; z\n  := 345;\nEND;\n"},
        {"-mcs 20 -amso", [](settings& s) { s.mcs = 20; s.amso = 1; },
         three, "BEGIN\n  x := 1; y := 2;\n  z := 345;\nEND;\n"},
        // A comment in front of the statement moves with it only with -amc.
        {"-mcs 20 -amso", [](settings& s) { s.mcs = 20; s.amso = 1; },
         commented, "BEGIN\n  x := 1; /* c */ y\n  := 2;\nEND;\n"},
        {"-mcs 20 -amso -amc", [](settings& s) { s.mcs = 20; s.amso = 1; s.amc = 1; },
         commented, "BEGIN\n  x := 1;\n  /* c */ y := 2;\nEND;\n"},
        // A statement that starts its line breaks where it crosses.
        {"-mcs 20 -amso", [](settings& s) { s.mcs = 20; s.amso = 1; },
         sum, "BEGIN\n  v_total := v_first\n  + v_second +\n  v_third;\nEND;\n"},
        // END IF moves as a statement of its own.
        {"-mcs 30 -amso", [](settings& s) { s.mcs = 30; s.amso = 1; },
         "BEGIN\n  x := 1; IF a THEN y := 2; END IF;\nEND;\n",
         "BEGIN\n  x := 1; IF a THEN y := 2;\n  END IF;\nEND;\n"},
        // The indentation that the line gave up for the moved statement's first word comes
        // back: only the statements left on the line count.
        {"-mcs 22 -aci -amso", [](settings& s) { s.mcs = 22; s.aci = 1; s.amso = 1; },
         "BEGIN\n  x := 1; y := 2; zzz := 345;\nEND;\n",
         "BEGIN\n  x := 1; y := 2;\n  zzz := 345;\nEND;\n"},
        // The AS that crosses the limit ends the CREATE also when formatted again on its new
        // line: OBJECT starts a statement, which moves when the comment stays too long.
        {"-mcs 50 -amso", [](settings& s) { s.mcs = 50; s.amso = 1; },
         "create or replace type t_obj authid current_user as object (\n  id integer\n"
         "  -- a remark that is longer than the limit of the line\n)\nnot final;\n/\n",
         "CREATE OR REPLACE TYPE t_obj AUTHID CURRENT_USER\nAS\nOBJECT (\n        id INTEGER\n"
         "  -- a remark that is longer than the limit of the line\n        )\nNOT final;\n/\n"},
        // A statement that follows END LOOP on its line and moves to a line of its own gets
        // the empty line that -mlal keeps after the loop.
        {"-mcs 30 -amso -mlal -rlal", [](settings& s) { s.mcs = 30; s.amso = 1; s.mlal = 1; s.rlal = 1; },
         "BEGIN\n  LOOP NULL; END LOOP; x := 1234567890;\nEND;\n",
         "BEGIN\n  LOOP NULL; END LOOP;\n\n  x := 1234567890;\nEND;\n"},
        // A statement that opened a block stays (formatting it again would open the block
        // twice): the line breaks before the token instead.
        {"-mcs 20 -amso", [](settings& s) { s.mcs = 20; s.amso = 1; },
         "BEGIN\n  x := 1; IF a > 1 THEN y := 2; END IF;\nEND;\n",
         "BEGIN\n  x := 1; IF a > 1\n    THEN y := 2; END\n  IF;\nEND;\n"},
    });
}

// -ctis: TABs after the start of a line become the blanks that reach the same column.
TEST_F(columnlimit, tabsinsidelinesbecomeblanks) {
    verifyall({
        {"-ctis -c-", [](settings& s) { s.ctis = 1; s.c = 0; },
         "SELECT a\tb FROM t; -- x\ty\n", "SELECT a    b FROM t; -- x  y\n"},
        {"-ctis -c- -t 8", [](settings& s) { s.ctis = 1; s.c = 0; s.t = {8}; },
         "SELECT a\tb FROM t;\n", "SELECT a        b FROM t;\n"},
        {"-c-", [](settings& s) { s.c = 0; }, "SELECT a\tb FROM t; -- x\ty\n", "SELECT a\tb FROM t; -- x\ty\n"},
    });
}

// The limit, the text changes of comments and the integrity check together: shortened and
// broken comments are no integrity failure.
TEST_F(columnlimit, changedcommentspasstheintegritycheck) {
    auto result = format("BEGIN\n  NULL; -- one two three four five\nEND;\n",
                         [](settings& s) { s.mcs = 20; s.abuc = 1; s.acoslc = 1; });
    EXPECT_EQ(result.thrown, "");
    EXPECT_TRUE(result.written);
    result = format("BEGIN\n  NULL; -- checks --------------\nEND;\n", [](settings& s) { s.mcs = 30; s.asc = 1; });
    EXPECT_EQ(result.thrown, "");
}

}  // namespace

namespace {

// A negative limit: every line is then beyond the limit, by however much, and the smallest
// number shortens lines as -1 does (its excess is held at the largest number).
TEST_F(columnlimit, anegativelimitshortenseverylinealike) {
    const std::string input =
        "BEGIN\n  v_total    :=    v_first    +    v_second; -- note -----\n  p(a,    b);\nEND;\n";
    auto withlimit = [&](int32_t limit) {
        return format(input, [limit](settings& s) {
            s.mcs = limit;
            s.abuc = 1; s.asc = 1; s.aci = 1; s.acs = 1; s.amso = 1;
        });
    };
    const auto reference = withlimit(-1);
    EXPECT_EQ(reference.thrown, "");
    EXPECT_NE(reference.output, input);
    for (const int32_t limit : {-2, -1000, -2147483647, std::numeric_limits<int32_t>::min()}) {
        const auto result = withlimit(limit);
        EXPECT_EQ(result.thrown, "") << limit;
        EXPECT_EQ(result.output, reference.output) << limit;
    }
}

}  // namespace

namespace {

// The slice a token formatted anew gets back: every value, changed in the loop state by
// restore, is what take reads again, so a field missing from either hand list fails here. The
// binding names each field: a new one does not compile until it is named and set.
TEST(layoutslice, eachvaluecomesbackthroughbothlists) {
    loopstate loop;
    loop.blocks.subprogramnames.assign(200, "procedure");
    loop.blocks.subprogrambegins.assign(200, 0);
    layoutvalues start;
    start.take(loop);
    layoutvalues changed;
    auto& [linecolumn, lineitems, alignmentrequested, alistlevel, processingalignedlist, alistcol, endalistcomma,
           loopheaderopen, afterend, keeprelative, relativeindent, relativeindentsequence, andcolumn, logicalcolumn,
           keywordcolumn, statementstate, statementcountdown, headerpending, createpending, linebreakstate,
           keeplinebreak, removelinebreaks, blocklevel, begincount, units] = changed;
    int32_t next = 100;
    auto setapart = [&next](auto&... field) {
        ((field = static_cast<std::remove_reference_t<decltype(field)>>(next++)), ...);
    };
    setapart(linecolumn, lineitems, alignmentrequested, alistlevel, processingalignedlist, alistcol, endalistcomma,
             loopheaderopen, afterend, keeprelative, relativeindent, relativeindentsequence, andcolumn, logicalcolumn,
             keywordcolumn, statementstate, statementcountdown, headerpending, createpending, linebreakstate,
             keeplinebreak, removelinebreaks, blocklevel, begincount, units);
    changed.restore(loop);
    layoutvalues back;
    back.take(loop);
    EXPECT_EQ(back, changed);
    EXPECT_EQ(loop.blocks.subprogrambegins.size(), changed.units);
    // Back to the start: routine headers dropped stay dropped.
    start.restore(loop);
    back.take(loop);
    layoutvalues expected = start;
    expected.units = changed.units;
    EXPECT_EQ(back, expected);
}

}  // namespace
