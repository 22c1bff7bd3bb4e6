// brelm on texts with structural errors and block diagnostics: the exact messages, the
// block-stack listing, what is written and the exit codes.
#include "programrun.h"

namespace {

class blocks : public programtest {};

struct errorcase {
    std::string what, text, err;
};

TEST_F(blocks, structuralerrorsfailthefilewithcode2) {
    for (const errorcase& c : std::vector<errorcase>{
             {"wrong END", "BEGIN\n  LOOP\n    NULL;\n  END IF;\nEND;\n",
              "expected loop\nat w.sql line 4:'end loop' not found but found 'end if'\n"
              "w.sql line 2 loop \"LOOP\"\nw.sql line 1 begin \"BEGIN\"\n"},
             {"too many ENDs", "begin\n  null;\nend;\nend;\n", "w.sql line 4 Syntax error:Too many End if/loop or end\n"},
             {"END missing at the end", "begin\n  if a then\n    null;\n  end if;\n",
              "w.sql line 4 col 10 Syntax error:not found \"end\", the pair of begin, block level 1 \n"},
         }) {
        SCOPED_TRACE(c.what);
        writefile("w.sql", c.text);
        programresult run = brelm({"-i", "w.sql", "-o", "w.out"});
        EXPECT_EQ(run.exitcode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, c.err + "w.sql -> w.out formatting failed because of errors.\n");
        EXPECT_FALSE(exists("w.out"));
        EXPECT_EQ(readfile("w.sql"), c.text);
    }
}

// A "/" that starts a line outside every block ends the unit: its brackets must balance.
TEST_F(blocks, aslashchecksthebracketsoftheunit) {
    writefile("u.sql", "select f(a\n/\nselect 1 from dual;\n");
    programresult run = brelm({"-i", "u.sql", "-o", "u.out"});
    EXPECT_EQ(run.exitcode, 2);
    EXPECT_EQ(run.err,
              "Bracket problem found at u.sql line 2 col 1\n"
              "Syntax error:Brackets are unbalanced, open brackets:1\n"
              "Last opening bracket starts at u.sql line 1 col 9\n"
              "u.sql -> u.out formatting failed because of errors.\n");
    // With -ifsib a "/" inside brackets ends nothing: the brackets are found open at the end.
    run = brelm({"-i", "u.sql", "-o", "u.out", "-ifsib"});
    EXPECT_EQ(run.exitcode, 2);
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "Bracket problem found at u.sql line 3 col 19");
    EXPECT_FALSE(exists("u.out"));
}

TEST_F(blocks, thenextfilegoesonwithsoeoff) {
    writefile("bad.sql", "begin\n  null;\nend loop;\n");
    writefile("good.sql", "begin\nnull;\n   end;\n");
    programresult run = brelm({"-i", "bad.sql", "-o", "bad.out", "-i", "good.sql", "-o", "good.out", "-soe-"});
    EXPECT_EQ(run.exitcode, 2);
    EXPECT_EQ(run.err,
              "expected <nothing>\nat bad.sql line 3:'end <nothing>' not found but found 'end loop'\n"
              "bad.sql line 1 begin \"begin\"\n"
              "bad.sql -> bad.out formatting failed because of errors.\n"
              "good.sql -> good.out formatting is done.\n");
    EXPECT_EQ(readfile("good.out"), "BEGIN\n  NULL;\nEND;\n");
    // With -soe the run stops at the failed file.
    run = brelm({"-i", "bad.sql", "-o", "bad.out", "-i", "good.sql", "-o", "other.out"});
    EXPECT_EQ(run.exitcode, 2);
    EXPECT_FALSE(exists("other.out"));
}

TEST_F(blocks, reportsandwarningsdonotfailthefile) {
    writefile("m.sql", "begin\n  if a\n    null;\n  end if;\nend;\nloop\n");
    programresult run = brelm({"-i", "m.sql", "-o", "m.out", "-cmk", "-w"});
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_EQ(run.err,
              "Syntax error:then is missing after if (m.sql line 2)\n"
              "Warning:LOOP is ignored as it is not in a block at line 6 col 1 in m.sql\n"
              "m.sql -> m.out formatting is done.\n");
    EXPECT_EQ(readfile("m.out"), "BEGIN\n  IF a\n    NULL;\n  END IF;\nEND;\nLOOP\n");
}

TEST_F(blocks, blockinformationiswrittenintothefile) {
    std::string text = "begin\n  while x < 3 loop\n    x := x + 1;\n  end loop;\nend;\n";
    writefile("s.sql", text);
    programresult run = brelm({"-i", "s.sql", "-o", "s.sql", "-sbi", "-sbi.ml", "2", "-b", "0"});
    EXPECT_EQ(run.exitcode, 0) << run.err;
    std::string shown = "BEGIN\n  WHILE x < 3 LOOP\n    x := x + 1;\n  END LOOP;/*of block:WHILE x < 3 */\nEND;\n";
    EXPECT_EQ(readfile("s.sql"), shown);
    run = brelm({"-i", "s.sql", "-o", "s.sql", "-rbi", "-b", "0"});
    EXPECT_EQ(run.exitcode, 0) << run.err;
    EXPECT_EQ(readfile("s.sql"), "BEGIN\n  WHILE x < 3 LOOP\n    x := x + 1;\n  END LOOP;\nEND;\n");
}

}  // namespace
