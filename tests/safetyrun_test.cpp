// brelm's safety and per-statement control as a whole: a result that fails the integrity
// check is never written; -ifs blocks apply to the statements that begin with their
// keywords, also from an in-source options comment.
#include "programrun.h"

namespace {

// -pcr once moved such a comma in front of the comment, which changed the text and failed
// the integrity check; the comma now stays, and the file is formatted. The failure itself,
// its dumps and a dump that cannot be written are covered by the engine's integrity tests.
class integrityfailure : public programtest {
protected:
    const std::string source = "select a -- first\n, b\nfrom t;\n";
    // Keywords in upper case; the comma where it was.
    const std::string formatted = "SELECT a -- first\n, b\nFROM t;\n";
};

TEST_F(integrityfailure, acommaafteracommentstaysandthefileisformatted) {
    writefile("a.sql", source);
    programresult run = brelm({"-i", "a.sql", "-o", "a.sql", "-pcr"});
    EXPECT_EQ(run.err, "a.sql formatting is done.\n");
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_EQ(readfile("a.sql"), formatted);
    EXPECT_FALSE(std::filesystem::exists(backups / "orifile.txt"));

    // Under a missing dump directory too: no dump is needed.
    writefile("b.sql", source);
    const std::string missing = (folder / "missing").string();
    run = brelm({"-i", "b.sql", "-o", "b.out", "-pcr", "-bdir", missing});
    EXPECT_EQ(run.err, "b.sql -> b.out formatting is done.\n");
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_EQ(readfile("b.out"), formatted);
}

class conditionalblocks : public programtest {
protected:
    std::string format(const std::string& text, std::vector<std::string> switches) {
        writefile("in.sql", text);
        std::vector<std::string> arguments = {"-i", "in.sql", "-o", "stdout", "-sr-"};
        arguments.insert(arguments.end(), switches.begin(), switches.end());
        programresult run = brelm(arguments);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.exitcode, 0);
        return run.out;
    }
};

const std::string queries =
    "begin\n"
    "  select a into b from dual;\n"
    "  update t set a=1;\n"
    "  select c into d from dual;\n"
    "end;\n";

TEST_F(conditionalblocks, ablockappliestoeachstatementthatbeginswithitskeywords) {
    EXPECT_EQ(format(queries, {"-ifs", "select", "-uk-", "-ei"}),
              "BEGIN\n  select a into b from dual;\n  UPDATE t SET a = 1;\n  select c into d from dual;\nEND;\n");
    // Written in capitals the keywords name the same statements.
    EXPECT_EQ(format(queries, {"-ifs", "SELECT", "-uk-", "-ei"}), format(queries, {"-ifs", "select", "-uk-", "-ei"}));
}

TEST_F(conditionalblocks, thedeepestkeywordreacheddecides) {
    const std::string updates = "begin\n  update t set a=1;\n  update u set a=1;\nend;\n";
    // "update t" gets only its own block; "update u" stops at "update".
    EXPECT_EQ(format(updates, {"-ifs", "update", "-uk-", "-ei", "-ifs", "update t", "-sao-", "-ei"}),
              "BEGIN\n  UPDATE t SET a=1;\n  update u set a = 1;\nEND;\n");
    // Blocks inside blocks of code: an IF condition, a statement inside it, a FOR header
    // (whose settings last to the first ";" inside the loop).
    EXPECT_EQ(format("begin\n  if a=1 then\n    select a+1 into b from dual;\n  end if;\n"
                     "  for r in (select a+1 from dual) loop\n    null;\n  end loop;\nend;\n",
                     {"-ifs", "select", "-uk-", "-ei", "-ifs", "if", "-sao-", "-ei", "-ifs", "for", "-lk", "-ei"}),
              "BEGIN\n  IF a=1 THEN\n    select a + 1 into b from dual;\n  END IF;\n"
              "  for r in (select a + 1 from dual) loop\n    null;\n  END LOOP;\nEND;\n");
}

TEST_F(conditionalblocks, allswitchesoffinsideablock) {
    const std::string text = "begin\n  x:=1;\n  select a+1 into b from dual;\n  y:=2;\nend;\n";
    EXPECT_EQ(format(text, {"-ifs", "select", "-0", "-ei"}),
              "BEGIN\n  x := 1;\n  select a+1 into b from dual;\n  y := 2;\nEND;\n");
    // -0 outside a block forgets the blocks given before it.
    EXPECT_EQ(format(text, {"-ifs", "select", "-uk-", "-ei", "-0", "-uk", "-in", "-co", "-sao"}),
              format(text, {"-0", "-uk", "-in", "-co", "-sao"}));
}

TEST_F(conditionalblocks, fromaninsourceoptionscomment) {
    const std::string text = "/*brelm options: -ifs select -uk- -ei */\n" + queries;
    EXPECT_EQ(format(text, {"-gsfif"}), "/*brelm options: -ifs select -uk- -ei */\nBEGIN\n"
                                        "  select a into b from dual;\n  UPDATE t SET a = 1;\n"
                                        "  select c into d from dual;\nEND;\n");
}

}  // namespace
