// brelm's safety and per-statement control as a whole: a result that fails the integrity
// check is never written; -ifs blocks apply to the statements that begin with their
// keywords, also from an in-source options comment.
#include "programrun.h"

namespace {

class integrityfailure : public programtest {
protected:
    // -pcr moves the comma in front of the comment: the text itself changes.
    const std::string source = "SELECT a -- first\n, b\nFROM t;\n";
    std::string failuretext(const std::string& dumps) {
        return "Around 1:--first,bFROMt;\n"
               "Around 2:,--firstbFROMt;\n"
               "file1 " + dumps + "/orifile.txt\n"
               "file2 " + dumps + "/newfile.txt\n"
               "Integrity failure. Stop. Nothing is changed.\n";
    }
};

TEST_F(integrityfailure, nothingiswrittenandbothtextsaredumped) {
    writefile("a.sql", source);
    programresult run = brelm({"-i", "a.sql", "-o", "a.sql", "-pcr"});
    EXPECT_EQ(run.err, failuretext(backups.path().string()) + "a.sql formatting failed because of errors.\n");
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_EQ(readfile("a.sql"), source);
    EXPECT_FALSE(std::filesystem::exists(backups / "a_b1.sql.bak"));
    EXPECT_EQ(backups.read("orifile.txt"), "SELECTa--first,bFROMt;");
    EXPECT_EQ(backups.read("newfile.txt"), "SELECTa,--firstbFROMt;");

    // A separate output is not made either; the next file of the run still is.
    writefile("b.sql", "select 1 from dual;\n");
    run = brelm({"-i", "a.sql", "-o", "a.out", "-i", "b.sql", "-o", "b.out", "-pcr", "-soe-", "-bdir", folder.string() + "/"});
    EXPECT_EQ(run.err, failuretext(folder.string()) +
                           "a.sql -> a.out formatting failed because of errors.\n"
                           "b.sql -> b.out formatting is done.\n");
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_FALSE(exists("a.out"));
    EXPECT_EQ(readfile("b.out"), "SELECT 1 FROM dual;\n");
    EXPECT_EQ(readfile("orifile.txt"), "SELECTa--first,bFROMt;");
}

TEST_F(integrityfailure, adumpthatcannotbewrittenendsthefile) {
    writefile("a.sql", source);
    const std::string missing = (folder / "missing").string();
    programresult run = brelm({"-i", "a.sql", "-o", "a.out", "-pcr", "-bdir", missing});
    EXPECT_EQ(run.err, "Around 1:--first,bFROMt;\nAround 2:,--firstbFROMt;\n"
                       "could not write " + missing + "/orifile.txt\n"
                       "a.sql -> a.out formatting failed because of errors.\n");
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_FALSE(exists("a.out"));
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
