// Input reading: files with their line ends, standard input, the clipboard and a preset
// text, the -sl/-el range, and the messages of inputs that cannot be read.
#include "inputreading.h"
#include "settings.h"
#include "supportfiles.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

using lines = std::vector<std::string>;

class inputreading : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() / ("brelminput_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        std::filesystem::remove_all(folder);
        ::unsetenv("BRELM_CLIPBOARD_FILE");
    }
    std::string file(const std::string& name, const std::string& text) {
        std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    // The text to format as read, split at its line ends.
    lines read(const std::string& name, int32_t sl = 0, int32_t el = 0, const std::string& preset = "") {
        return splitkeepingends(readinto(name, sl, el, preset).text);
    }
    static inputtext readinto(const std::string& name, int32_t sl, int32_t el, const std::string& preset) {
        settings s;
        setdefaults(s);
        s.inputfile = name;
        s.sl = sl;
        s.el = el;
        return readinput(s, preset);
    }
    std::string failure(const std::string& name) {
        try {
            read(name);
        } catch (const std::string& message) {
            return message;
        }
        return "";
    }
    std::filesystem::path folder;
};

TEST_F(inputreading, filelineskeeptheirterminators) {
    EXPECT_EQ(read(file("a.sql", "a\r\nb\nc\rd")), (lines{"a\r\n", "b\n", "c\r", "d"}));
    EXPECT_EQ(read(file("b.sql", "x\n")), (lines{"x\n", ""}));
    EXPECT_EQ(read(file("c.sql", "")), (lines{""}));
    // Without a range the text stays whole, byte for byte.
    const std::string bytes("a\r\nb\0\x01\n\rc\n\n", 11);
    inputtext whole = readinto(file("d.sql", bytes), 0, 0, "");
    EXPECT_EQ(whole.text, bytes);
    EXPECT_FALSE(whole.cut);
    EXPECT_EQ(whole.bytes, "");
    EXPECT_EQ(readinto(file("e.sql", ""), 0, 0, "").text, "");
}

TEST_F(inputreading, rangeoflinesasread) {
    std::string name = file("r.sql", "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n");
    EXPECT_EQ(read(name, 2).front(), "2\n");
    EXPECT_EQ(read(name, 0, 1), (lines{"1\n", ""}));
    EXPECT_EQ(read(name, 1).size(), 13u);
    EXPECT_EQ(read(name, 5, 10), (lines{"5\n", "6\n", "7\n", "8\n", "9\n", "10\n", ""}));
    EXPECT_EQ(read(name, 5, 3), lines{""});
    EXPECT_EQ(read(name, 40), lines{""});
    // A cut keeps the whole file for the backup.
    inputtext cut = readinto(name, 5, 10, "");
    EXPECT_TRUE(cut.cut);
    EXPECT_EQ(cut.bytes, "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n");
}

TEST_F(inputreading, standardinputinanycase) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ASSERT_EQ(::write(ends[1], "one\ntwo\nthree\n", 14), 14);
    ::close(ends[1]);
    const int saved = ::dup(0);
    ::dup2(ends[0], 0);
    ::close(ends[0]);
    lines got = read("StdIn");
    ::dup2(saved, 0);
    ::close(saved);
    EXPECT_EQ(got, (lines{"one\n", "two\n", "three\n", ""}));
}

TEST_F(inputreading, clipboardandpresettextlosetheirterminators) {
    ::setenv("BRELM_CLIPBOARD_FILE", file("clip", "a\r\nb").c_str(), 1);
    EXPECT_EQ(read("CLIPBOARD"), (lines{"a\n", "b"}));
    ::setenv("BRELM_CLIPBOARD_FILE", file("empty", "").c_str(), 1);
    EXPECT_EQ(read("clipboard"), (lines{""}));
    EXPECT_EQ(read("", 0, 0, "x\r\ny\rz\n"), (lines{"x\n", "y\n", "z\n", ""}));
    EXPECT_EQ(read("", 2, 0, "x\r\ny\rz\n"), (lines{"y\n", "z\n", ""}));
}

TEST_F(inputreading, unreadableinputsfailwiththereason) {
    std::string missing = (folder / "missing.sql").string();
    EXPECT_EQ(failure(missing), "can't open " + missing + ": No such file or directory\n");
    EXPECT_EQ(failure(folder.string()), "can't open " + folder.string() + ": Is a directory\n");
    EXPECT_EQ(failure(""), "can't open : No such file or directory\n");
    ::setenv("BRELM_CLIPBOARD_FILE", folder.c_str(), 1);  // a clipboard that cannot be read
    EXPECT_EQ(failure("clipboard").rfind("can't open clipboard: ", 0), 0u);
    // A name that looks like a stream prefix is the file's own name.
    std::string odd = file("<odd.sql", "q");
    EXPECT_EQ(read(odd), (lines{"q"}));
}

}  // namespace
