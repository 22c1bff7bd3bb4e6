// The EditPlus writer on real UTF-16LE tool_u.ini files, with and without a byte-order mark.
#include "core/targetlocations.h"
#include "fakewritercontext.h"

#include <gtest/gtest.h>

namespace {

// UTF-8 text of the basic plane as UTF-16LE bytes.
std::string utf16(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        unsigned code;
        if (c < 0x80) {
            code = c;
            i += 1;
        } else if (c < 0xE0) {
            code = (c & 0x1Fu) << 6 | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
            i += 2;
        } else {
            code = (c & 0x0Fu) << 12 | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6 |
                   (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
            i += 3;
        }
        out += static_cast<char>(code & 0xFF);
        out += static_cast<char>(code >> 8);
    }
    return out;
}

const std::string bom = "\xFF\xFE";

std::string crlf(std::initializer_list<std::vector<std::string>> parts) {
    std::string text;
    for (const auto& part : parts)
        for (const std::string& line : part) text += line + "\r\n";
    return text;
}

std::vector<std::string> section(const std::string& number, const std::string& name, const std::string& command) {
    return {"[Tools\\0\\" + number + "]", "Command=" + command, "Text=" + name, "Argument=$(FilePath)",
            "InitDir=$(FileDir)", "RedirOut=0", "Stdin=0", "Plugin=0", "Save=0", "Pattern=1",
            "Pattern Regex=^([^(]+)\\(([0-9]+)\\)", "Close=1", "Hide=1", "Help=0"};
}

std::vector<std::string> written(const std::string& number, const std::string& dir = "/src") {
    return {"[Tools\\0\\" + number + "]", "Command=/opt/tolvane/brelm", "Text=brelm",
            "Argument=-i \"$(FilePath)\" -c $(CurCol) -l $(CurLine) -s $(CurSel)", "InitDir=" + dir,
            "RedirOut=1", "Stdin=0", "Plugin=0", "Save=1", "Pattern=0", "Pattern Regex=", "Close=0", "Hide=0", "Help=0"};
}

class EditPlus : public testing::Test {
protected:
    testfolder folder;
    FakeWriterContext context{folder};
    std::string dir = (folder / "EditPlus 3").string();
    std::string ini = dir + "/tool_u.ini";

    PreparedTool Tool(const std::string& currentDirectory = "/src") {
        PreparedTool tool = Prepared(EditPlusTarget, dir, "brelm", "/opt/tolvane/brelm",
                                     "-i \"%File%\" -c %Col% -l %Line% -s %SelText%");
        tool.currentDirectory = currentDirectory;
        return tool;
    }
    void Write(const std::string& bytes) { folder.write("EditPlus 3/tool_u.ini", bytes); }
    std::string Read() const { return folder.read("EditPlus 3/tool_u.ini"); }
    bool Install(const PreparedTool& tool) { return InstallEditPlusTool(tool, context); }
    bool Present() { return InstallEditPlusTool(CheckOnly(Tool()), context); }
};

}  // namespace

TEST_F(EditPlus, AddsANumberedSectionAndKeepsTheByteOrderMark) {
    std::string before = crlf({{"[Tools\\0]", "Count=2"}, section("0", "Notepad", "C:\\notepad.exe"),
                               section("1", "✓ é", "/usr/bin/ché")});
    Write(bom + utf16(before));
    EXPECT_FALSE(Present());
    ASSERT_TRUE(Install(Tool()));
    std::string after = crlf({{"[Tools\\0]", "Count=3"}, section("0", "Notepad", "C:\\notepad.exe"),
                              section("1", "✓ é", "/usr/bin/ché"), written("2")});
    EXPECT_EQ(Read(), bom + utf16(after));
    ASSERT_EQ(context.backups.size(), 1u);
    EXPECT_EQ(context.backups[0].location, ini);
    EXPECT_EQ(context.backups[0].content, bom + utf16(before));
    EXPECT_EQ(context.installed, (std::vector<std::pair<std::string, std::string>>{{"brelm", EditPlusTarget}}));
    EXPECT_TRUE(context.errors.empty());
    EXPECT_TRUE(Present());
}

TEST_F(EditPlus, AFileWithoutMarkGetsNone) {
    Write(utf16(crlf({{"[Options]", "x=1", "[Tools\\0]", "Count=0"}})));
    ASSERT_TRUE(Install(Tool()));
    EXPECT_EQ(Read(), utf16(crlf({{"[Options]", "x=1", "[Tools\\0]", "Count=1"}, written("0")})));
}

TEST_F(EditPlus, ReplacingToolOneLeavesToolsTenAndElevenAlone) {
    auto tool1 = section("1", "brelm", "old.exe");
    tool1.insert(tool1.begin() + 3, "Extra=kept");
    std::string before = crlf({{"[Tools\\0]", "Count=3"}, section("10", "Ten", "ten.exe"), tool1,
                               section("11", "Eleven", "eleven.exe")});
    Write(utf16(before));
    context.overwriteAnswers = {false};
    EXPECT_TRUE(Install(Tool()));
    EXPECT_EQ(Read(), utf16(before));
    EXPECT_TRUE(context.backups.empty());
    context.overwriteAnswers = {true};
    ASSERT_TRUE(Install(Tool("/new")));
    auto replaced = written("1", "/new");
    replaced.insert(replaced.begin() + 3, "Extra=kept");
    // Count stays; "Pattern Regex=" is its own key and gets no "0".
    EXPECT_EQ(Read(), utf16(crlf({{"[Tools\\0]", "Count=3"}, section("10", "Ten", "ten.exe"), replaced,
                                  section("11", "Eleven", "eleven.exe")})));
    EXPECT_EQ(context.asked, (std::vector<std::string>{"brelm", "brelm"}));
}

TEST_F(EditPlus, ANewSectionNeverRepeatsANumber) {
    // Section 5 has no Text= line; the new tool still goes after it.
    Write(utf16(crlf({{"[Tools\\0]", "Count=2"}, section("0", "A", "a"), {"[Tools\\0\\5]", "Command=x"}})));
    ASSERT_TRUE(Install(Tool()));
    EXPECT_EQ(Read(), utf16(crlf({{"[Tools\\0]", "Count=3"}, section("0", "A", "a"), {"[Tools\\0\\5]", "Command=x"},
                                  written("6")})));
}

TEST_F(EditPlus, OddByteCounts) {
    Write("[");
    EXPECT_FALSE(Present());
    EXPECT_FALSE(Install(Tool()));
    EXPECT_EQ(context.errors, std::vector<std::string>{"could not open configuration file for EditPlus:" + ini});
    EXPECT_EQ(Read(), "[");
    // A stray last byte is dropped.
    Write(utf16(crlf({{"[Tools\\0]", "Count=0"}})) + "x");
    context.errors.clear();
    ASSERT_TRUE(Install(Tool()));
    EXPECT_EQ(Read(), utf16(crlf({{"[Tools\\0]", "Count=1"}, written("0")})));
    // A mark alone is no text.
    Write(bom);
    EXPECT_FALSE(Install(Tool()));
    EXPECT_EQ(context.errors, std::vector<std::string>{"could not open configuration file for EditPlus:" + ini});
}

TEST_F(EditPlus, WithoutAUsableCountNothingIsWritten) {
    for (std::string count : {"", "Count=", "Count=many", "Count=99999999999"}) {
        std::string before = utf16(crlf({{"[Tools\\0]", count}, section("0", "A", "a"), {"[Other]", "Count=4"}}));
        Write(before);
        context.errors.clear();
        EXPECT_FALSE(Present());
        EXPECT_TRUE(context.errors.empty());
        EXPECT_FALSE(Install(Tool())) << count;
        EXPECT_EQ(context.errors, std::vector<std::string>{
                                      "Install failed,could not find Count= in configuration file for EditPlus:" + ini});
        EXPECT_EQ(Read(), before);
    }
    EXPECT_TRUE(context.backups.empty());
    EXPECT_TRUE(context.installed.empty());
}

TEST_F(EditPlus, TheToolNameIsTheWholeTextValue) {
    Write(utf16(crlf({{"[Tools\\0]", "Count=1"}, section("0", "brelm2", "a")})));
    EXPECT_FALSE(Present());
    Write(utf16(crlf({{"[Tools\\0]", "Count=1"}, section("0", "brelm", "a")})));
    EXPECT_TRUE(Present());
    // Text= outside a tool section is no tool.
    Write(utf16(crlf({{"[Tools\\0]", "Count=1", "Text=brelm"}})));
    EXPECT_FALSE(Present());
}

TEST_F(EditPlus, AMissingFileIsAnErrorOnlyWhenInstalling) {
    EXPECT_FALSE(Present());
    EXPECT_TRUE(context.Silent());
    EXPECT_FALSE(Install(Tool()));
    EXPECT_EQ(context.errors, std::vector<std::string>{"Configuration file for EditPlus is not found:" + ini});
    EXPECT_FALSE(folder.read("EditPlus 3/tool_u.ini").size());
}

TEST_F(EditPlus, AFailedBackupWritesNothing) {
    std::string before = utf16(crlf({{"[Tools\\0]", "Count=0"}}));
    Write(before);
    context.backupSucceeds = false;
    EXPECT_FALSE(Install(Tool()));
    EXPECT_EQ(Read(), before);
    EXPECT_TRUE(context.installed.empty());
}
