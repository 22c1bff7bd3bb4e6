// brelm's switches as a whole program: usage errors, the error-stream redirection,
// "brelm.cfg" beside the program and -ls files.
#include "programrun.h"

#include <sys/stat.h>

namespace {

const std::string hint = "\n(Give -h as option if you want to see the usage info)\n";
const std::string source = "begin\n  null;\nend;\n/\n";

class switches : public programtest {
protected:
    void SetUp() override {
        programtest::SetUp();
        writefile("a.sql", source);
    }

    // A copy of the program in its own folder, so that a "brelm.cfg" can lie beside it.
    std::string programwithconfiguration(const std::string& configuration) {
        const std::filesystem::path bin = folder / "bin";
        std::filesystem::create_directories(bin);
        const std::filesystem::path built = std::filesystem::path(programfile("brelm")).parent_path();
        for (const auto& entry : std::filesystem::directory_iterator(built)) {
            const std::string name = entry.path().filename().string();
            if (name == "brelm" || name.ends_with(".so"))
                std::filesystem::copy_file(entry.path(), bin / name);
        }
        writefile("bin/brelm.cfg", configuration);
        return (bin / "brelm").string();
    }
};

struct usagecase {
    std::vector<std::string> arguments;
    std::string err;
};

}  // namespace

TEST_F(switches, usageerrorsprinttheirmessageandendwithtwo) {
    const usagecase cases[] = {
        {{"-i", "a.sql", "-sbi.ml"},
         "You have some incomplete option specified in your command line.\n(Minimum lines in a block is not given.)\n" + hint},
        {{"-ifs", "select", "-i", "a.sql"}, "Error:-i cannot be used in -ifs\n" + hint},
        {{"-i", "a.sql", "-ifs", "select", "-sbi.ml=5", "-ei"}, "sbi.ml cannot be used in -ifs\n" + hint},
        {{"-i", "a.sql", "-ifs", "select"}, "-ifs is not closed by -ei\n\n" + hint},
        {{"-i", "a.sql", "-ei"}, "Error:there is no corresponding opening -ifs for -ei\n" + hint},
        {{"-i", "a.sql", "-ifs", "select ", "-ei"},
         "Error using -ifs:argument is incorrect, it does not consist of keywords\n" + hint},
        {{"-i", "a.sql", "-tag[bold]=<b>"},
         "-tag[bold]=<b> is not valid,token type bold is not known\nProper values are:doublequotes,identifier,"
         "keyword,multilinecomment,number,other,qquotes,singlelinecomment,singlequotes,whitespace\n\n" + hint},
        {{"-i", "a.sql", "-ps", "0"}, "Padding size is 0 which is an incorrect value.\n" + hint},
        {{"-i", "a.sql", "-t", "4,0"}, "Tab size 4,0 is not correct, every tab width must be 1 or more.\n" + hint},
        {{"-i", "a.sql", "-il5000=2"}, "Indent level 5000 is too large, the highest level is 1000.\n" + hint},
        {{"-i", "a.sql", "-cs", "klingon"}, "Character set KLINGON is not correct or not supported.\n" + hint},
        {{"-io", "a.sql", "-html"}, "-io and -html cannot be used at the same time.\n\n" + hint},
        {{"-i", "a.sql", "-ae=pkb"},
         "The file a.sql with extension sql is not allowed/skipped as specified.\nAll files skipped. Nothing is done.\n"},
    };
    for (const usagecase& c : cases) {
        programresult run = brelm(c.arguments);
        EXPECT_EQ(run.err, c.err) << testing::PrintToString(c.arguments);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.exitcode, 2);
    }
    EXPECT_FALSE(exists("a.sql.vmq"));
}

TEST_F(switches, helpendswithtwo) {
    for (const char* word : {"-h", "--help"}) {
        programresult run = brelm({word, "-i"});
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.exitcode, 2);
    }
}

TEST_F(switches, showdefaultsendsbeforeanyswitchisapplied) {
    programresult run = brelm({"-ps=0", "-sdw"});
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_EQ(run.out, "");
}

TEST_F(switches, switchesbeforeafailureareappliedandtheinputisformatted) {
    programresult run = brelm({"-lk", "-ifs", "select", "-uk", "-ei", "-i", "a.sql", "-b=0"});
    EXPECT_EQ(run.err, "a.sql -> a.sql.vmq formatting is done.\n");
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_TRUE(exists("a.sql.vmq"));
}

TEST_F(switches, errorstreamredirectionreceiveseverylatermessage) {
    programresult run = brelm({"-e=errors.txt", "-i", "a.sql", "-ps", "0"});
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.exitcode, 2);
    EXPECT_EQ(readfile("errors.txt"), "Padding size is 0 which is an incorrect value.\n" + hint);

    programresult done = brelm({"-i", "a.sql", "-e=log.txt", "-ss"});
    EXPECT_EQ(done.err, "");
    EXPECT_EQ(done.exitcode, 0);
    EXPECT_EQ(readfile("log.txt"),
              "a.sql -> a.sql.vmq formatting is done.\nFormatting summary: all 1, tried 1, done 1, failed 0.\n");

    // The name is taken as written: no mode prefix is read from it.
    programresult named = brelm({"-i", "a.sql", "-e=>>odd.txt"});
    EXPECT_EQ(named.out, "");
    EXPECT_EQ(readfile(">>odd.txt"), "a.sql -> a.sql.vmq formatting is done.\n");
}

TEST_F(switches, errorstreamthatcannotbeopenedendsthewholerun) {
    programresult run = brelm({"-i", "a.sql", "-e=nodir/errors.txt"});
    EXPECT_EQ(run.err, "can't redirect stderr to nodir/errors.txt:No such file or directory\n");
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_FALSE(exists("a.sql.vmq"));
}

TEST_F(switches, configurationbesidetheprogramcomesfirst) {
    const std::string program = programwithconfiguration("-- defaults of this site\n-i a.sql\n-sr-\n");
    programresult quiet = runprogram(program, {}, folder, std::nullopt, environment);
    EXPECT_EQ(quiet.err, "");
    EXPECT_EQ(quiet.exitcode, 0);
    EXPECT_TRUE(exists("a.sql.vmq"));

    programresult overridden = runprogram(program, {"-sr"}, folder, std::nullopt, environment);
    EXPECT_EQ(overridden.err, "a.sql -> a.sql.vmq formatting is done.\n");
    EXPECT_EQ(overridden.exitcode, 0);

    programresult refused = runprogram(program, {"-ps", "0"}, folder, std::nullopt, environment);
    EXPECT_EQ(refused.err, "Padding size is 0 which is an incorrect value.\n" + hint);
    EXPECT_EQ(refused.exitcode, 2);
}

TEST_F(switches, unterminatedquoteinconfigurationnamesthefile) {
    const std::string program = programwithconfiguration("-sbi.m \"end of -i a.sql\n");
    programresult run = runprogram(program, {"-i", "a.sql"}, folder, std::nullopt, environment);
    EXPECT_EQ(run.err, "Error:unterminated quoted word in settings file " + (folder / "bin/brelm.cfg").string() +
                           "\n" + hint);
    EXPECT_EQ(run.exitcode, 2);
}

// A configuration file that is a pipe nothing writes to is refused at once, not waited on.
TEST_F(switches, configurationthatisanunwrittenpipeisrefused) {
    const std::string program = programwithconfiguration("");
    std::filesystem::remove(folder / "bin/brelm.cfg");
    ASSERT_EQ(::mkfifo((folder / "bin/brelm.cfg").c_str(), 0600), 0);
    programresult run = runprogram(program, {"-i", "a.sql"}, folder, std::nullopt, environment);
    EXPECT_EQ(run.err, "could not load settings from " + (folder / "bin/brelm.cfg").string() +
                           ": no program writes to the pipe\n");
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_FALSE(exists("a.sql.vmq"));
}

// Identifier case under a single-byte character set: its own letters change case, while the
// bytes of UTF-8 text, which the set would take for letters, keep theirs, with a warning.
TEST_F(switches, utf8textkeepsitsbytesunderasinglebytecharacterset) {
    writefile("latin.sql", "x := NA\xcfVE;\n");
    writefile("utf8.sql", "x := NA\xc3\x8fVE;\n");
    programresult run = brelm({"-i", "latin.sql", "-o", "stdout", "-sr-", "-li", "-cs", "WE8ISO8859P1", "-b", "0"});
    EXPECT_EQ(run.out, "x := na\xefve;\n");
    EXPECT_EQ(run.err, "");
    run = brelm({"-i", "utf8.sql", "-o", "stdout", "-sr-", "-li", "-cs", "WE8ISO8859P1", "-b", "0"});
    EXPECT_EQ(run.out, "x := na\xc3\x8fve;\n");
    EXPECT_EQ(run.err, "Warning:utf8.sql is UTF-8 text; -cs WE8ISO8859P1 is a single-byte set, so its bytes above 127 "
                       "keep their case.\n");
    EXPECT_EQ(run.exitcode, 0);
}

TEST_F(switches, settingsfilesloadinplace) {
    writefile("site.txt", "-i a.sql -- the input\n-o \"out file.sql\"\n");
    programresult run = brelm({"-ls", "site.txt"});
    EXPECT_EQ(run.err, "a.sql -> out file.sql formatting is done.\n");
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_TRUE(exists("out file.sql"));

    writefile("loop.txt", "-ls loop.txt");
    programresult loop = brelm({"-i", "a.sql", "-ls", "loop.txt"});
    EXPECT_EQ(loop.err, "Error:settings file loop.txt loads itself through -ls\n" + hint);
    EXPECT_EQ(loop.exitcode, 2);

    programresult missing = brelm({"-i", "a.sql", "-ls", "missing.txt"});
    EXPECT_EQ(missing.err, "could not load settings from missing.txt: No such file or directory\n");
    EXPECT_EQ(missing.exitcode, 255);
}
