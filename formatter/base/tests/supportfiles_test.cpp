// Stream, file and clipboard operations of the support library.
#include "supportfiles.h"

#include "../../../tests/testfolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

using strings = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

class supportfiles : public testing::Test {
protected:
    testfolder temporary;
    const fs::path& folder = temporary.path();
    void TearDown() override { unsetenv("BRELM_CLIPBOARD_FILE"); }
    std::string readall(const fs::path& p) { return testfolder::readall(p); }
};

}  // namespace

TEST(readlines, crendsalineandtakesafollowinglf) {
    struct row {
        std::string text;
        strings lines;
    } rows[] = {
        {"a\r\nb\n", {"a\r\n", "b\n", ""}},
        {"a\rb", {"a\r", "b"}},
        {"a\n\rb", {"a\n", "\r", "b"}},
        {"a\r\r\n", {"a\r", "\r\n", ""}},
        {"", {""}},
        {"abc", {"abc"}},
        {"a\r", {"a\r", ""}},  // a final CR ends its line like a final LF
        {std::string("x\0y\n", 4), {std::string("x\0y\n", 4), ""}},
    };
    for (const row& r : rows) {
        std::istringstream in(r.text);
        EXPECT_EQ(readlines(in), r.lines);
    }
}

TEST(readlines, readlinestopsatthestreamend) {
    std::istringstream in("one\ntwo");
    EXPECT_EQ(readline(in), "one\n");
    EXPECT_TRUE(in.good());
    EXPECT_EQ(readline(in), "two");
    EXPECT_FALSE(in.good());
    EXPECT_EQ(readline(in), "");
}

TEST_F(supportfiles, openbymodereadswritesandappends) {
    fs::path file = folder / "out.sql";
    std::fstream writer;
    ASSERT_TRUE(openbymode(writer, "  >  " + file.string()));
    writer << "first\r\n";
    closestream(writer);
    EXPECT_FALSE(writer.fail());

    std::fstream appender;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(openbymode(appender, ">>", file.string()));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), file.string());
    appender << "second\n";
    closestream(appender);
    EXPECT_EQ(readall(file), "first\r\nsecond\n");

    std::fstream truncater;
    ASSERT_TRUE(openbymode(truncater, "> ", file.string()));
    truncater << "third";
    closestream(truncater);
    EXPECT_EQ(readall(file), "third");

    for (std::string name : {"< " + file.string(), file.string()}) {
        std::fstream reader;
        ASSERT_TRUE(openbymode(reader, name)) << name;
        EXPECT_EQ(readlines(reader), strings{"third"});
    }
}

TEST_F(supportfiles, openbymodefailsonmissingfiles) {
    std::fstream reader;
    EXPECT_FALSE(openbymode(reader, "<", (folder / "missing.sql").string()));
    EXPECT_TRUE(reader.fail());
    std::fstream writer;
    EXPECT_FALSE(openbymode(writer, ">", (folder / "no" / "such" / "dir.sql").string()));
}

TEST_F(supportfiles, isdirectoryfollowsthefilesystem) {
    std::ofstream(folder / "plain.txt") << "x";
    EXPECT_TRUE(isdirectory(folder.string()));
    EXPECT_FALSE(isdirectory((folder / "plain.txt").string()));
    EXPECT_FALSE(isdirectory((folder / "missing").string()));
}

TEST_F(supportfiles, clipboardtextstopsatthefirstzerobyte) {
    fs::path board = folder / "clipboard";
    setenv("BRELM_CLIPBOARD_FILE", board.c_str(), 1);
    std::string text = "stale";
    EXPECT_EQ(getclipboardtext(text), 0);  // nothing copied yet
    EXPECT_EQ(text, "");

    EXPECT_EQ(setclipboardtext(std::string("begin\r\nnull;\0tail", 17)), 0);
    EXPECT_EQ(readall(board), "begin\r\nnull;");
    EXPECT_EQ(getclipboardtext(text), 13);
    EXPECT_EQ(text, "begin\r\nnull;");

    std::ofstream(board, std::ios::binary) << std::string("ab\0cd", 5);
    EXPECT_EQ(getclipboardtext(text), 6);
    EXPECT_EQ(text, "ab");

    EXPECT_EQ(setclipboardtext(""), 0);
    EXPECT_EQ(getclipboardtext(text), 0);
}

TEST_F(supportfiles, clipboardfailuresgiveareason) {
    setenv("BRELM_CLIPBOARD_FILE", (folder / "no" / "board").c_str(), 1);
    std::string reason;
    EXPECT_EQ(setclipboardtext("x", &reason), -1);
    EXPECT_NE(reason.find("No such file or directory"), std::string::npos) << reason;

    setenv("BRELM_CLIPBOARD_FILE", folder.c_str(), 1);  // a directory cannot be read as text
    std::string text = "stale";
    reason.clear();
    EXPECT_EQ(getclipboardtext(text, &reason), -1);
    EXPECT_EQ(text, "");
    EXPECT_FALSE(reason.empty());
}

namespace {

// A stream that cannot seek, as a pipe: its text comes only through reads.
class unseekablebuffer : public std::stringbuf {
public:
    using std::stringbuf::stringbuf;

protected:
    pos_type seekoff(off_type, std::ios::seekdir, std::ios::openmode) override { return pos_type(off_type(-1)); }
    pos_type seekpos(pos_type, std::ios::openmode) override { return pos_type(off_type(-1)); }
};

std::string patterned(size_t size) {
    std::string text(size, ' ');
    for (size_t i = 0; i < size; ++i) text[i] = static_cast<char>('a' + i % 23);
    return text;
}

}  // namespace

TEST_F(supportfiles, readtextreadsthewholerestofafileorapipe) {
    const std::string text = patterned(200 * 1024 + 17) + std::string("\0\r\n", 3);
    fs::path file = folder / "big.sql";
    std::ofstream(file, std::ios::binary) << text;

    std::ifstream whole(file, std::ios::binary);
    std::string read;
    ASSERT_TRUE(readtext(whole, read));
    EXPECT_EQ(read, text);

    // After a first line has been taken, only the rest comes.
    std::ifstream started(file, std::ios::binary);
    char first[10];
    started.read(first, sizeof first);
    ASSERT_TRUE(readtext(started, read));
    EXPECT_EQ(read, text.substr(sizeof first));

    unseekablebuffer pipe(text);
    std::istream piped(&pipe);
    ASSERT_TRUE(readtext(piped, read));
    EXPECT_EQ(read, text);

    std::ifstream empty(folder / "missing.sql");
    EXPECT_FALSE(readtext(empty, read));
    EXPECT_EQ(read, "");
}
