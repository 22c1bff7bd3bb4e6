// brelm on files with unbalanced brackets: a ")" without its "(" and a statement that ends
// with a "(" open fail the file with code 2, the messages and the block-stack listing, and
// nothing is written; the next file is still formatted with -soe off.
#include "programrun.h"

namespace {

class brackets : public programtest {};

}  // namespace

TEST_F(brackets, unbalancedbracketsfailthefile) {
    writefile("stray.sql", "BEGIN\n  IF f(a)) THEN\n    NULL;\n  END IF;\nEND;\n");
    writefile("open.sql", "SELECT f(a FROM dual;\n");
    writefile("good.sql", "select f( a ) from dual;\n");
    programresult run = brelm({"-i", "stray.sql", "-o", "stray.out"});
    EXPECT_EQ(run.exitcode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "Syntax error:\nToo many closing brackets at line 2 col 10 in stray.sql \n"
              "stray.sql line 2 if \"IF f(a)) THEN\"\n"
              "stray.sql line 1 begin \"BEGIN\"\n"
              "stray.sql -> stray.out formatting failed because of errors.\n");
    EXPECT_FALSE(exists("stray.out"));

    run = brelm({"-i", "open.sql", "-o", "open.out"});
    EXPECT_EQ(run.exitcode, 2);
    EXPECT_EQ(run.err,
              "Bracket problem found at open.sql line 1 col 21\n"
              "Syntax error:Brackets are unbalanced, open brackets:1\n"
              "Last opening bracket starts at open.sql line 1 col 9\n"
              "open.sql -> open.out formatting failed because of errors.\n");
    EXPECT_FALSE(exists("open.out"));

    // With -soe off the run goes on; the exit code is the one of the last failed file.
    run = brelm({"-soe-", "-i", "open.sql", "-i", "good.sql", "-o", "stdout", "-sr-"});
    EXPECT_EQ(run.exitcode, 2);
    EXPECT_EQ(run.out, "SELECT f(a ) FROM dual;\n");
}
