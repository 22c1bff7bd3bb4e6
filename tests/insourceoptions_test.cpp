// brelm with -gsfif: the switches of a "/*brelm options:" comment apply to its file only;
// paths, backups and the error stream cannot be chosen there; usage errors fail the file.
#include "programrun.h"

namespace {

const std::string hint = "\n(Give -h as option if you want to see the usage info)\n";

class insourceoptions : public programtest {
protected:
    // Formats in.sql holding text into out.sql; returns the run.
    programresult formattext(const std::string& text, std::vector<std::string> more = {}) {
        writefile("in.sql", text);
        std::vector<std::string> arguments = {"-i", "in.sql", "-o", "out.sql", "-gsfif", "-sr-"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return brelm(arguments);
    }
};

TEST_F(insourceoptions, theswitchesapplytotheirfileonly) {
    writefile("a.sql", "/*brelm options: -sao- */\nx:=1;\n");
    writefile("b.sql", "x:=1;\n");
    programresult run = brelm({"-i", "a.sql", "-o", "a.out", "-i", "b.sql", "-o", "b.out", "-gsfif"});
    EXPECT_EQ(run.err, "a.sql -> a.out formatting is done.\nb.sql -> b.out formatting is done.\n");
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_EQ(readfile("a.out"), "/*brelm options: -sao- */\nx:=1;\n");
    EXPECT_EQ(readfile("b.out"), "x := 1;\n");
    // Without -gsfif the comment is only a comment.
    run = brelm({"-i", "a.sql", "-o", "a.out", "-sr-"});
    EXPECT_EQ(readfile("a.out"), "/*brelm options: -sao- */\nx := 1;\n");
}

struct commentcase {
    std::string text;
    std::string output;
};

TEST_F(insourceoptions, onlythefirstcommentthatbeginswiththemarkercounts) {
    for (const commentcase& c : {
             // -sao- from the first comment; the second one's -co- is not read.
             commentcase{"/*brelm options: -sao- */\n/*brelm options: -co- */\nx := 1 ;\n",
                         "/*brelm options: -sao- */\n/*brelm options: -co- */\nx:=1 ;\n"},
             // An earlier ordinary comment does not hide it.
             commentcase{"/* header */\n/*brelm options: -co- -sao- */\nx := 1 ;\n",
                         "/* header */\n/*brelm options: -co- -sao- */\nx := 1 ;\n"},
             // Spread over lines, with a "--" comment inside.
             commentcase{"/*brelm options:\n  -co-   -- keep blanks\n  -sao-\n*/\nx := 1 ;\n",
                         "/*brelm options:\n  -co-   -- keep blanks\n  -sao-\n*/\nx := 1 ;\n"},
             // Not the marker as written: a blank after the opener, capitals, the marker inside.
             commentcase{"/* brelm options: -sao- */\nx:=1;\n", "/* brelm options: -sao- */\nx := 1;\n"},
             commentcase{"/*BRELM OPTIONS: -sao- */\nx:=1;\n", "/*BRELM OPTIONS: -sao- */\nx := 1;\n"},
             commentcase{"/* see /*brelm options: -sao- */\nx:=1;\n", "/* see /*brelm options: -sao- */\nx := 1;\n"},
             commentcase{"-- /*brelm options: -sao- */\nx:=1;\n", "-- /*brelm options: -sao- */\nx := 1;\n"},
             // No switches: nothing changes.
             commentcase{"/*brelm options:*/\nx:=1;\n", "/*brelm options:*/\nx := 1;\n"},
         }) {
        programresult run = formattext(c.text);
        EXPECT_EQ(run.err, "") << c.text;
        EXPECT_EQ(readfile("out.sql"), c.output) << c.text;
    }
}

TEST_F(insourceoptions, backupsandpathscannotbechosenthere) {
    writefile("a.sql",
              "/*brelm options: -b=0 -bdir=elsewhere -o other.sql -io x.sql -od outdir -odr outdir2 "
              "-oe txt -ef a.sql -i more.sql -ir more2.sql -ls none.cfg -slsf sync.txt -e=err.txt "
              "-ae pkb -ht template.html -sao- */\nx:=1;\n");
    programresult run = brelm({"-i", "a.sql", "-o", "a.sql", "-gsfif"});
    EXPECT_EQ(run.err, "a.sql formatting is done.\n");
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_EQ(readfile("a.sql").substr(readfile("a.sql").find("*/")), "*/\nx:=1;\n");
    // The backup of the command line's settings, in the run's backup folder.
    EXPECT_NE(testfolder::readall(mirror("a_b1.sql.bak")), "");
    for (const char* name : {"elsewhere", "other.sql", "x.sql", "outdir", "outdir2", "a.txt", "sync.txt",
                             "err.txt", "a.sql.txt"})
        EXPECT_FALSE(exists(name)) << name;
}

TEST_F(insourceoptions, ausageerrorfailsthefilewithcodetwo) {
    writefile("bad.sql", "/*brelm options: -ei */\nx:=1;\n");
    writefile("good.sql", "x:=1;\n");
    programresult run = brelm({"-i", "bad.sql", "-o", "bad.out", "-i", "good.sql", "-o", "good.out", "-gsfif", "-soe-"});
    EXPECT_EQ(run.err, "Error:there is no corresponding opening -ifs for -ei\n" + hint +
                           "bad.sql -> bad.out formatting failed because of errors.\n"
                           "good.sql -> good.out formatting is done.\n");
    EXPECT_EQ(run.exitcode, 2);
    EXPECT_FALSE(exists("bad.out"));
    EXPECT_EQ(readfile("good.out"), "x := 1;\n");

    // A block left open, and the -ifs refusal of a switch that needs a whole file.
    for (const commentcase& c : {
             commentcase{"/*brelm options: -ifs select -sao- */\n", "-ifs is not closed by -ei\n\n" + hint},
             commentcase{"/*brelm options: -ifs select -sbi.ml 3 -ei */\n",
                         "sbi.ml cannot be used in -ifs\n" + hint},
         }) {
        run = formattext(c.text);
        EXPECT_EQ(run.err, c.output + "in.sql -> out.sql formatting failed because of errors.\n") << c.text;
        EXPECT_EQ(run.exitcode, 2);
    }
}

TEST_F(insourceoptions, parsermessagesreachthestreamalsowithmte) {
    for (const char* mte : {"-mte-", "-mte+"}) {
        programresult run = formattext("/*brelm options: -nosuchswitch -sao- */\nx:=1;\n", {mte});
        EXPECT_EQ(run.err, "Argument -nosuchswitch is ignored\n") << mte;
        EXPECT_EQ(readfile("out.sql"), "/*brelm options: -nosuchswitch -sao- */\nx:=1;\n");
    }
}

TEST_F(insourceoptions, theexplanationshowstheswitchesofthecomment) {
    // -x in the comment ends the file after explaining the switches, as -x given on the
    // command line together with the comment's switches does.
    programresult fromcomment = formattext("/*brelm options: -x -sao- -t 8 */\nx:=1;\n");
    EXPECT_EQ(fromcomment.exitcode, 0);
    EXPECT_FALSE(exists("out.sql"));
    writefile("plain.sql", "x:=1;\n");
    programresult fromcommandline =
        brelm({"-i", "in.sql", "-o", "out.sql", "-gsfif", "-sr-", "-x", "-sao-", "-t", "8"});
    EXPECT_EQ(fromcomment.err, fromcommandline.err);
    EXPECT_NE(fromcomment.err.find("A tab size is equal to 8 spaces.(-t)\n"), std::string::npos);

    // The comment's parse starts afresh: -v of the command line does not survive it.
    programresult verbose = formattext("/*brelm options: -sao- */\nx:=1;\n", {"-v"});
    EXPECT_EQ(verbose.err, "");
    EXPECT_EQ(readfile("out.sql"), "/*brelm options: -sao- */\nx:=1;\n");
}

TEST_F(insourceoptions, tabsizesofthecommentcount) {
    // -ctis turns TABs after the line start into blanks by the tab stops in force.
    programresult run = formattext("/*brelm options: -t 8 */\nx\ty;\n", {"-ctis", "-c-"});
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(readfile("out.sql"), "/*brelm options: -t 8 */\nx       y;\n");
    run = formattext("x\ty;\n", {"-ctis", "-c-"});
    EXPECT_EQ(readfile("out.sql"), "x   y;\n");
}

}  // namespace
