// The block stack: END lines and BEGIN lines placed by their blocks under the indentation
// switches, end-of-block information, the END checks, block words outside blocks, "/" at
// level 0, and the -l listing.
#include "enginetesting.h"

namespace {

using enginetesting::formatrun;

class blockstack : public formatrun {};

struct golden {
    std::string what;
    enginetesting::adjustment adjust;
    std::string input, expected;
};

TEST_F(blockstack, endandbeginlinesstandwheretheirblocks) {
    for (const golden& c : std::vector<golden>{
             {"nested blocks", {},
              "DECLARE\n"
              "x NUMBER;\n"
              "    BEGIN\n"
              "  IF x > 1 THEN\n"
              "    x := 2;\n"
              "      END IF;\n"
              "  FOR i IN 1..3 LOOP\n"
              "    NULL;\n"
              "END LOOP;\n"
              "  WHILE x < 10 LOOP\n"
              "    x := x + 1;\n"
              "          END LOOP;\n"
              "  x := CASE WHEN x > 1 THEN 1 ELSE 2 END;\n"
              " END;\n",
              "DECLARE\n"
              "x NUMBER;\n"
              "BEGIN\n"
              "  IF x > 1 THEN\n"
              "    x := 2;\n"
              "  END IF;\n"
              "  FOR i IN 1..3 LOOP\n"
              "    NULL;\n"
              "  END LOOP;\n"
              "  WHILE x < 10 LOOP\n"
              "    x := x + 1;\n"
              "  END LOOP;\n"
              "  x := CASE WHEN x > 1 THEN 1 ELSE 2 END;\n"
              "END;\n"},
             {"-il gives one level its own step", [](settings& s) { s.il.at(2) = 6; },
              "BEGIN\n  LOOP\n        LOOP\n          NULL;\n     END LOOP;\n END LOOP;\nEND;\n",
              "BEGIN\n  LOOP\n        LOOP\n          NULL;\n        END LOOP;\n  END LOOP;\nEND;\n"},
             {"-iibe- leaves the body of BEGIN where BEGIN is", [](settings& s) { s.iibe = 0; },
              "BEGIN\nIF ready THEN\n  go;\n  END IF;\nEND;\n",
              "BEGIN\nIF ready THEN\n  go;\nEND IF;\nEND;\n"},
             {"an IF right after ELSE adds no level", {},
              "BEGIN\n  IF a THEN\n    x := 1;\n  ELSE IF b THEN\n    x := 2;\n    END IF;\n    END IF;\nEND;\n",
              "BEGIN\n  IF a THEN\n    x := 1;\n  ELSE IF b THEN\n    x := 2;\n  END IF;\n  END IF;\nEND;\n"},
             {"-iiie gives it its level", [](settings& s) { s.iiie = 1; },
              "BEGIN\n  IF a THEN\n    x := 1;\n  ELSE IF b THEN\n      x := 2;\n  END IF;\n  END IF;\nEND;\n",
              "BEGIN\n  IF a THEN\n    x := 1;\n  ELSE IF b THEN\n      x := 2;\n    END IF;\n  END IF;\nEND;\n"},
             {"-in- keeps every line as it is", [](settings& s) { s.in = 0; },
              "BEGIN\n      IF a THEN\n b;\n         END IF;\n END;\n",
              "BEGIN\n      IF a THEN\n b;\n         END IF;\n END;\n"},
         }) {
        SCOPED_TRACE(c.what);
        verifyformat(c.expected, c.input, c.adjust);
    }
}

// An IF block of the given number of lines, END IF included, with a header of the condition.
std::string ifblock(int lines, const std::string& endline) {
    std::string text = "BEGIN\n  IF v_count > 10 AND v_flag = 'Y' THEN\n";
    for (int i = 0; i < lines - 2; ++i) text += "    v_count := v_count + 1;\n";
    return text + endline + "END;\n";
}

TEST_F(blockstack, endofblockinformation) {
    const std::string info = "/*of block:IF v_count > 10 AND v_flag = 'Y' */";
    for (const golden& c : std::vector<golden>{
             {"a block of 19 lines gets none", [](settings& s) { s.sbi = 1; },
              ifblock(19, "  END IF;\n"), ifblock(19, "  END IF;\n")},
             {"one of 20 lines gets it after the ;", [](settings& s) { s.sbi = 1; }, ifblock(20, "  END IF;\n"),
              ifblock(20, "  END IF;" + info + "\n")},
             {"an old one is replaced", [](settings& s) { s.sbi = 1; },
              ifblock(20, "  END IF;   /*of block:old text*/ -- keep\n"),
              ifblock(20, "  END IF;" + info + " -- keep\n")},
             {"-rbi takes it away", [](settings& s) { s.rbi = 1; }, ifblock(20, "  END IF; /*of block:IF x*/\n"),
              ifblock(20, "  END IF;\n")},
             {"-rbi leaves other comments", [](settings& s) { s.rbi = 1; }, ifblock(3, "  END IF; /* of block:x */\n"),
              ifblock(3, "  END IF; /* of block:x */\n")},
             {"-sbi.ml sets the least length", [](settings& s) { s.sbi = 1; s.sbi_ml = 3; }, ifblock(3, "  END IF;\n"),
              ifblock(3, "  END IF;" + info + "\n")},
             // The lines count as written: the limit made the block four lines long.
             {"-sbi.ml counts the lines the limit made", [](settings& s) { s.sbi = 1; s.sbi_ml = 4; s.mcs = 30; },
              "BEGIN\n  IF a THEN\n    x := bbbbbbbbbb + cccccccccc;\n  END IF;\nEND;\n",
              "BEGIN\n  IF a THEN\n    x := bbbbbbbbbb +\n    cccccccccc;\n  END IF;/*of block:IF a */\nEND;\n"},
             {"-sbi.max cuts the header", [](settings& s) { s.sbi = 1; s.sbi_ml = 1; s.sbi_max = 12; },
              ifblock(3, "  END IF;\n"),
              ifblock(3, "  END IF;/*of block:IF v_count >...*/\n")},
             {"-sbi.m sets the marker", [](settings& s) { s.sbi = 1; s.sbi_ml = 1; s.sbi_m = "end:"; },
              ifblock(3, "  END IF;\n"),
              ifblock(3, "  END IF;/*end:IF v_count > 10 AND v_flag = 'Y' */\n")},
             {"loops show their header up to LOOP", [](settings& s) { s.sbi = 1; s.sbi_ml = 1; },
              "BEGIN\n  FOR r IN (SELECT 1 FROM dual) LOOP\n    NULL;\n  END LOOP;\n  LOOP\n    EXIT;\n  END LOOP;\nEND;\n",
              "BEGIN\n  FOR r IN (SELECT 1 FROM dual) LOOP\n    NULL;\n  END LOOP;/*of block:FOR r IN (SELECT 1 FROM dual) */\n"
              "  LOOP\n    EXIT;\n  END LOOP;/*of block:loop*/\nEND;\n"},
             // The comment goes after the label, so a second run finds it there.
             {"END LOOP with a label", [](settings& s) { s.sbi = 1; s.sbi_ml = 1; },
              "BEGIN\n  <<outer>> WHILE a < 1 LOOP\n    a := a + 1;\n  END LOOP outer;\nEND;\n",
              "BEGIN\n  <<outer>> WHILE a < 1 LOOP\n    a := a + 1;\n  END LOOP outer;/*of block:WHILE a < 1 */\nEND;\n"},
             {"a header that spans lines is squeezed, without comment closers",
             [](settings& s) { s.sbi = 1; s.sbi_ml = 1; },
              "BEGIN\n  IF v_ok /* ok? */ IS NOT NULL\n    AND b < 2 THEN\n    NULL;\n  END IF;\nEND;\n",
              "BEGIN\n  IF v_ok /* ok? */ IS NOT NULL\n    AND b < 2 THEN\n    NULL;\n"
              "  END IF;/*of block:IF v_ok /* ok? IS NOT NULL AND b < 2 */\nEND;\n"},
         }) {
        SCOPED_TRACE(c.what);
        verifyformat(c.expected, c.input, c.adjust);
    }
}

TEST_F(blockstack, blockinformationtext) {
    EXPECT_EQ(blockinfotext("  IF a\r\n\t  AND b */ THEN\n", 40), "IF a AND b THEN");
    EXPECT_EQ(blockinfotext("IF a > b \n", 40), "IF a > b ");
    EXPECT_EQ(blockinfotext("x **// y", 40), "x y");   // no "*/" is left to close the comment
    EXPECT_EQ(blockinfotext("abcdef", 3), "abc...");
    EXPECT_EQ(blockinfotext("abc", 3), "abc");
    EXPECT_EQ(blockinfotext("abc", -1), "...");
}

TEST_F(blockstack, wrongendsfailthefile) {
    std::string file = inputname;
    struct endcase {
        std::string what, input, messages;
    };
    for (const endcase& c : std::vector<endcase>{
             {"END IF closing a LOOP",
              "BEGIN\n  LOOP\n    NULL;\n  END IF;\nEND;\n",
              "expected loop\nat " + file + " line 4:'end loop' not found but found 'end if'\n" +
                  file + " line 2 loop \"LOOP\"\n" + file + " line 1 begin \"BEGIN\"\n"},
             {"END; closing an IF", "BEGIN\n  IF a THEN\n    NULL;\n  END;\nEND;\n",
              "expected if\nat " + file + " line 4:'end if' not found but found 'end ;'\n" +
                  file + " line 2 if \"IF a THEN\"\n" + file + " line 1 begin \"BEGIN\"\n"},
             {"END LOOP closing a BEGIN", "begin\n  null;\nend loop;\n",
              "expected <nothing>\nat " + file + " line 3:'end <nothing>' not found but found 'end loop'\n" +
                  file + " line 1 begin \"begin\"\n"},
             {"too many ENDs", "BEGIN\n  NULL;\nEND;\nEND IF;\n",
              file + " line 4 Syntax error:Too many End if/loop or end\n"},
             {"an ELSE part shows in the listing", "BEGIN\n  IF a THEN\n    x;\n  ELSE\n    y;\n  END LOOP;\nEND;\n",
              "expected if\nat " + file + " line 6:'end if' not found but found 'end loop'\n" + file +
                  " line 4 else \"ELSE\"\n" + file + " line 2 if \"IF a THEN\"\n" + file + " line 1 begin \"BEGIN\"\n"},
         }) {
        SCOPED_TRACE(c.what);
        auto result = format(c.input);
        EXPECT_EQ(result.messages, c.messages);
        EXPECT_EQ(result.thrown, "2\n");
        EXPECT_FALSE(result.written);
    }
    // The listing in the other order and without the file name.
    auto plain = format("BEGIN\n  LOOP\n    NULL;\n  END IF;\nEND;\n", [](settings& s) { s.rl = 0; s.sf = 0; });
    EXPECT_EQ(plain.messages, "expected loop\nat " + file +
                                  " line 4:'end loop' not found but found 'end if'\nline 1 begin \"BEGIN\"\nline 2 loop \"LOOP\"\n");
}

TEST_F(blockstack, endwordsthatfit) {
    for (const std::string& text : {
             std::string("BEGIN\n  LOOP\n    EXIT;\n  END LOOP;\nEND;\n"),
             std::string("BEGIN\n  x := CASE y WHEN 1 THEN 2 END;\n  SELECT CASE WHEN a = 1 THEN 'x' END INTO v FROM dual;\nEND;\n"),
             std::string("BEGIN\n  NULL;\nEXCEPTION\n  WHEN no_data_found THEN\n    NULL;\n  WHEN OTHERS THEN\n    RAISE;\nEND;\n"),
             // A CASE statement that opens the body of a FOR or WHILE loop.
             std::string("BEGIN\n  FOR i IN 1 .. 2 LOOP\n    CASE x WHEN 1 THEN NULL; ELSE NULL; END CASE;\n  END LOOP;\n"
                         "  WHILE a > 1 LOOP\n    CASE WHEN b THEN NULL; END CASE;\n  END LOOP;\nEND;\n"),
         }) {
        auto result = format(text);
        EXPECT_EQ(result.thrown, "") << text << result.messages;
        EXPECT_EQ(result.output, text);
    }
}

TEST_F(blockstack, blockwordsoutsideblocks) {
    std::string file = inputname;
    auto result = format("ELSE x;\ny := 1; LOOP\nz ELSE\n", [](settings& s) { s.w = 1; });
    EXPECT_EQ(result.messages, "Warning:ELSE is ignored as it is not in a block at line 1 col 1 in " + file +
                                   "\nWarning:LOOP is ignored as it is not in a block at line 2 col 9 in " + file + "\n");
    EXPECT_EQ(result.output, "ELSE x;\ny := 1; LOOP\nz ELSE\n");
    EXPECT_EQ(format("ELSE x;\n").messages, "");
}

TEST_F(blockstack, slashatlevelzeroendsaunit) {
    verifyformat("BEGIN\n  NULL;\nEND;\n/\nBEGIN\n  NULL;\nEND;\n/\n",
                 "BEGIN\n  NULL;\nEND;\n   /\nBEGIN\n  NULL;\nEND;\n/\n");
    std::string file = inputname;
    // Inside a block a "/" ends nothing: the open block is found at the end of the text.
    auto open = format("BEGIN\n  NULL;\n/\nBEGIN\n  NULL;\nEND;\n");
    EXPECT_EQ(open.messages, file + " line 6 col 5 Syntax error:not found \"end\", the pair of begin, block level 1 \n");
    EXPECT_EQ(open.thrown, "2\n");
    // A "/" inside a line is a division.
    EXPECT_EQ(format("BEGIN\n  x := a / b;\nEND;\n").output, "BEGIN\n  x := a / b;\nEND;\n");
}

// -l N lists the blocks open at line N and the ENDs that close them; the file is not written.
TEST_F(blockstack, blocklistingatalinenumber) {
    std::string file = inputname;
    std::string text =
        "BEGIN\n"
        "  <<outer>> LOOP\n"
        "    EXIT outer WHEN x > 1;\n"
        "    CONTINUE WHEN y;\n"
        "    EXIT WHEN z;\n"
        "    IF a THEN\n"
        "      x := x + 1;\n"
        "    ELSE\n"
        "      x := 0;\n"
        "    END IF;\n"
        "  END LOOP outer;\n"
        "END;\n";
    auto listed = format(text, [](settings& s) { s.l = 9; });
    EXPECT_EQ(listed.messages,
              file + " line 1 begin \"BEGIN\"\n" + file + " line 2 loop \"<<outer>> LOOP\"\n" + file +
                  " line 6 if \"IF a THEN\"\n" + file + " line 8 else \"ELSE\"\n" + file + " line 9 NOW\n" + file +
                  " line 10 END if of \"IF a THEN\"\n" + file + " line 11 END loop of \"<<outer>> LOOP\"\n" + file +
                  " line 12 END begin of \"BEGIN\"\n");
    EXPECT_FALSE(listed.written);
    // EXIT WHEN and CONTINUE WHEN open no level.
    auto early = format(text, [](settings& s) { s.l = 6; });
    EXPECT_EQ(early.messages.substr(0, early.messages.find(" NOW")),
              file + " line 1 begin \"BEGIN\"\n" + file + " line 2 loop \"<<outer>> LOOP\"\n" + file + " line 6");
}

TEST_F(blockstack, columnlimittest) {
    formatter f;
    f.s = enginetesting::defaultsettings();
    f.sourcetext = "BEGIN\n  IF a THEN\n\tLOOP\n";
    f.tokenizesource();
    auto at = [&f](const std::string& word) {
        for (position p = f.tokens.begin(); p != f.tokens.end(); ++p)
            if (p->text() == word) return p;
        return f.tokens.end();
    };
    EXPECT_EQ(f.tokenendcolumn(at("IF")), 4);
    EXPECT_EQ(f.tokenendcolumn(at("THEN")), 11);
    EXPECT_EQ(f.tokenendcolumn(at("LOOP")), 8);   // after a TAB to column 5
    f.currenttoken = at("THEN");
    EXPECT_FALSE(f.beyondcolumnlimit());          // no limit
    f.s.mcs = 11;
    EXPECT_FALSE(f.beyondcolumnlimit());
    f.s.mcs = 10;
    EXPECT_TRUE(f.beyondcolumnlimit());
}

}  // namespace
