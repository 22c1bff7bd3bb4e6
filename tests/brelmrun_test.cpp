// brelm's run as a whole: result lines, the summary, stop-on-error and exit codes.
#include "programrun.h"

#include <algorithm>
#include <fstream>

namespace {

const std::string hint = "\n(Give -h as option if you want to see the usage info)\n";
const std::string source = "begin\n  null;\nend;\n/\n";

class brelmrun : public programtest {
protected:
    void SetUp() override {
        programtest::SetUp();
        writefile("a.sql", source);
        writefile("b.sql", source);
    }
};

}  // namespace

TEST_F(brelmrun, resultlinesnametheaslianofinputandoutput) {
    struct row {
        std::vector<std::string> arguments;
        std::string err;
    } rows[] = {
        {{"-i", "a.sql", "-o", "null"}, "a.sql -> null formatting is done.\n"},
        {{"-i=a.sql", "-o=null"}, "a.sql -> null formatting is done.\n"},
        {{"-i", "a.sql", "-o", "a.sql"}, "a.sql formatting is done.\n"},
        {{"-i", "a.sql", "-o", "null", "-sr-"}, ""},
        {{"-sr-", "-sr", "-i", "a.sql", "-o", "null"}, "a.sql -> null formatting is done.\n"},
        {{"-i", "a.sql", "-o", "null", "-i", "b.sql", "-o", "null"},
         "a.sql -> null formatting is done.\nb.sql -> null formatting is done.\n"},
    };
    for (const row& r : rows) {
        programresult run = brelm(r.arguments);
        EXPECT_EQ(run.err, r.err);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.exitcode, 0);
    }
}

TEST_F(brelmrun, inputwithoutoutputgetstheoutputextension) {
    programresult run = brelm({"-i", "a.sql", "-i", "b.sql"});
    EXPECT_EQ(run.err, "a.sql -> a.sql.vmq formatting is done.\nb.sql -> b.sql.vmq formatting is done.\n");
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_TRUE(exists("a.sql.vmq"));
    EXPECT_TRUE(exists("b.sql.vmq"));
    EXPECT_EQ(readfile("a.sql"), source);
}

TEST_F(brelmrun, formattinginplacekeepsthefilespermissions) {
    namespace fs = std::filesystem;
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(folder / "a.sql", mode);
    programresult run = brelm({"-i", "a.sql", "-o", "a.sql"});
    EXPECT_EQ(run.err, "a.sql formatting is done.\n");
    EXPECT_EQ(fs::status(folder / "a.sql").permissions(), mode);
    EXPECT_FALSE(readfile("a.sql").empty());
}

TEST_F(brelmrun, standardinputandoutputcarrythetext) {
    programresult run = brelm({"-i", "stdin", "-o", "stdout"}, std::string());
    EXPECT_EQ(run.err, "stdin -> stdout formatting is done.\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.exitcode, 0);

    writefile("empty.sql", "");
    run = brelm({"-i", "empty.sql", "-o", "stdout", "-sr-"});
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.exitcode, 0);
}

TEST_F(brelmrun, afailedfilestopstherunandsetstheexitcode) {
    programresult run = brelm({"-i", "missing.sql", "-o", "null", "-i", "a.sql", "-o", "null", "-ss"});
    EXPECT_EQ(run.err,
              "can't open missing.sql: No such file or directory\n"
              "missing.sql -> null formatting failed because of errors.\n"
              "Formatting summary: all 2, tried 1, done 0, failed 1.\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.exitcode, 255);
}

TEST_F(brelmrun, withoutstoponerrorsthelastfailuredecides) {
    programresult run = brelm({"-soe-", "-i", "missing.sql", "-o", "null", "-i", "a.sql", "-o", "null", "-ss"});
    EXPECT_EQ(run.err,
              "can't open missing.sql: No such file or directory\n"
              "missing.sql -> null formatting failed because of errors.\n"
              "a.sql -> null formatting is done.\n"
              "Formatting summary: all 2, tried 2, done 1, failed 1.\n");
    EXPECT_EQ(run.exitcode, 255);

    run = brelm({"-soe-", "-i", "a.sql", "-o", "null", "-i", "missing.sql", "-o", "missing.sql", "-sr-"});
    EXPECT_EQ(run.err,
              "can't open missing.sql: No such file or directory\n"
              "missing.sql formatting failed because of errors.\n");
    EXPECT_EQ(run.exitcode, 255);
}

TEST_F(brelmrun, summarycountsonlywhenasked) {
    programresult run = brelm({"-i", "a.sql", "-o", "null", "-ss", "-ss-"});
    EXPECT_EQ(run.err, "a.sql -> null formatting is done.\n");
    run = brelm({"-i", "a.sql", "-o", "null", "-i", "b.sql", "-o", "null", "-ss", "-sr-"});
    EXPECT_EQ(run.err, "Formatting summary: all 2, tried 2, done 2, failed 0.\n");
    EXPECT_EQ(run.exitcode, 0);
}

TEST_F(brelmrun, anunwritableoutputfailsthefileandleavesnothingbehind) {
    writefile("taken/keep.txt", "kept");  // a directory cannot be replaced by the output
    programresult run = brelm({"-i", "a.sql", "-o", "taken", "-i", "a.sql", "-o", "nodir/out.sql", "-soe-"});
    EXPECT_EQ(run.err,
              "could not write taken: Is a directory\n"
              "a.sql -> taken formatting failed because of errors.\n"
              "could not write nodir/out.sql: No such file or directory\n"
              "a.sql -> nodir/out.sql formatting failed because of errors.\n");
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_EQ(readfile("taken/keep.txt"), "kept");
    EXPECT_FALSE(exists("nodir"));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.sql", "b.sql", "taken"}));
}

TEST_F(brelmrun, usageerrorsendwithcodetwo) {
    struct row {
        std::vector<std::string> arguments;
        std::string err;
    } rows[] = {
        {{}, "No input file is given.\n" + hint},
        {{"a.sql"}, "Argument a.sql is ignored\nNo input file is given.\n" + hint},
        {{"-o", "b.sql"}, "The input file (-i) is missing before -o b.sql\n" + hint},
        {{"-i", "a.sql", "-o", "b.sql", "-o", "c.sql"}, "The input file (-i) is missing before -o c.sql\n" + hint},
        {{"-i"}, "You have some incomplete option specified in your command line.\n(Input file is not given.)\n" + hint},
    };
    for (const row& r : rows) {
        programresult run = brelm(r.arguments);
        EXPECT_EQ(run.err, r.err);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.exitcode, 2);
    }
    EXPECT_FALSE(exists("c.sql"));
}

TEST_F(brelmrun, runningoutofmemoryendswithcodethree) {
#ifdef BRELM_SANITIZED
    GTEST_SKIP() << "AddressSanitizer cannot start under the address-space limit this test sets";
#endif
    // A source larger than the address space allowed: reading it exhausts memory.
    std::string line(1023, 'x');
    line += '\n';
    std::ofstream big(folder / "big.sql", std::ios::binary);
    for (int k = 0; k < 64 * 1024; ++k) big << line;
    big.close();
    programresult run = runprogram("/bin/sh", {"-c", "ulimit -v 100000 && exec \"$0\" -i big.sql -o null", programfile("brelm")},
                                   folder, std::nullopt, environment);
    EXPECT_EQ(run.err, "Error:program ran out of memory.\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.exitcode, 3);
}
