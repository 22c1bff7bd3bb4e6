// Tests of the character-set data as a whole: brelm's and the preprocessor's copies agree, and
// the generator still writes the committed data file.
#include "charsets.h"
#include "charsettables.h"

#include "tests/oraclecharsetfacts.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace facts = oraclecharsetfacts;
namespace fs = std::filesystem;

namespace {

const fs::path sourcedir = CHARSETS_SOURCE_DIR;

std::string readfile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool onpath(const std::string& program) {
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

class generator : public ::testing::Test {
protected:
    fs::path folder;
    void SetUp() override {
        char name[] = "/tmp/charsetgenXXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        folder = name;
    }
    void TearDown() override { fs::remove_all(folder); }

    // Runs the generator in the temporary folder; returns its exit code.
    int rungenerator(const std::string& arguments) {
        std::string command = "cd '" + folder.string() + "' && python3 '" + (sourcedir / "generate.py").string() +
                              "' " + arguments + " >stdout.txt 2>stderr.txt";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

}  // namespace

TEST(charsetcopies, bothcopiesagreeoneveryset) {
    buildcharsettables();
    buildcharsettable();
    for (const std::string& name : facts::names) {
        SCOPED_TRACE(name);
        EXPECT_EQ(charsetlettersmap[name], charsettable.letters[name]);
        EXPECT_EQ(charsetidentmap[name], charsettable.identchars[name]);
        EXPECT_EQ(charsetcasepairsmap[name], charsettable.casepairs[name]);
        const charset named(name);
        casemap lowercase;
        ASSERT_TRUE(choosecharset(name, lowercase));
        for (int b = 0; b < 256; ++b)
            EXPECT_EQ(named.lower(static_cast<unsigned char>(b)), lowercase[b]) << "byte " << b;
    }
}

TEST_F(generator, rewritesthecommitteddatafile) {
    if (!onpath("python3") || !onpath("iconv")) GTEST_SKIP() << "python3 or iconv is not installed";
    ASSERT_EQ(rungenerator("oraclecharsets.inc"), 0) << readfile(folder / "stderr.txt");
    EXPECT_EQ(readfile(folder / "stdout.txt"), "");
    EXPECT_EQ(readfile(folder / "stderr.txt"), "");
    std::string committed = readfile(sourcedir / "oraclecharsets.inc");
    ASSERT_FALSE(committed.empty());
    EXPECT_TRUE(readfile(folder / "oraclecharsets.inc") == committed)
        << "charsets/oraclecharsets.inc is not what charsets/generate.py writes";
}

TEST_F(generator, verbosereportswherethefixedrowsdifferfromthecodepages) {
    if (!onpath("python3") || !onpath("iconv")) GTEST_SKIP() << "python3 or iconv is not installed";
    ASSERT_EQ(rungenerator("--verbose out.inc"), 0);
    std::string report = readfile(folder / "stderr.txt");
    // 0x88 of Windows page 1252 is a modifier letter, which the fixed row leaves out.
    EXPECT_NE(report.find("WE8MSWIN1252: the fixed row differs from cp1252: letters -88; pairs same\n"),
              std::string::npos)
        << report;
    // The pairs of page 850 are fixed in another order than ascending upper bytes.
    EXPECT_NE(report.find("WE8PC850: the fixed row differs from cp850: letters same; pairs order\n"),
              std::string::npos);
    EXPECT_EQ(readfile(folder / "out.inc"), readfile(sourcedir / "oraclecharsets.inc"));
}
