// The UltraEdit writer on real uedit32.ini files: which slot it takes, what it writes, and
// when it writes nothing.
#include "core/targetlocations.h"
#include "fakewritercontext.h"

#include <gtest/gtest.h>

namespace {

std::string crlf(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::vector<std::string> slot(int n, const std::string& menu, const std::string& cmd = "", const std::string& dir = "",
                              const std::string& save = "0", const std::string& capture = "0") {
    std::string s = std::to_string(n);
    return {"Tool Menu" + s + "=\"" + menu + "\"", "Tool Cmd" + s + "=\"" + cmd + "\"", "Tool Dir" + s + "=\"" + dir + "\"",
            "Save Active File" + s + "=" + save, "Capture Mode" + s + "=" + capture};
}

class UltraEdit : public testing::Test {
protected:
    testfolder folder;
    FakeWriterContext context{folder};
    std::string dir = (folder / "UltraEdit").string();
    std::string ini = dir + "/uedit32.ini";

    UltraEdit() { context.installFolder = "/opt/tolvane"; }

    PreparedTool Tool(const std::string& name = "brelm") {
        PreparedTool tool = Prepared(UltraEditTarget, dir, name, "/opt/tolvane/brelm", "-i %File%");
        tool.currentDirectory = "/src";
        tool.commandLine = "%GRInstallDir%/brelm -i %File%";
        return tool;
    }
    void Write(const std::string& text) { folder.write("UltraEdit/uedit32.ini", text); }
    std::string Read() const { return folder.read("UltraEdit/uedit32.ini"); }
    bool Install(const PreparedTool& tool) { return InstallUltraEditTool(tool, context); }
    bool Present(const std::string& name) { return InstallUltraEditTool(CheckOnly(Tool(name)), context); }
};

std::string join(std::initializer_list<std::vector<std::string>> parts) {
    std::string text;
    for (const auto& part : parts)
        for (const std::string& line : part) text += line + "\r\n";
    return text;
}

}  // namespace

TEST_F(UltraEdit, TakesTheLowestFreeSlotAndWritesEveryLineWithCrLf) {
    // LF endings and no break after the last line: all come back as CR LF.
    std::string before = join({{"[Settings]", "Tool Menu1=\"\"", "[Tools]"}, slot(0, "Compile", "cl %F", "%P"), slot(7, ""),
                               slot(3, ""), {"[Other]", "Tool Menu2=\"\"", "Tool Cmd2=\"\""}});
    std::string lfonly;
    for (char c : before)
        if (c != '\r') lfonly += c;
    lfonly.pop_back();
    Write(lfonly);
    ASSERT_TRUE(Install(Tool()));
    std::string expected = join({{"[Settings]", "Tool Menu1=\"\"", "[Tools]"}, slot(0, "Compile", "cl %F", "%P"), slot(7, ""),
                                 slot(3, "brelm", "/opt/tolvane/brelm -i %F", "/src", "1", "3"),
                                 {"[Other]", "Tool Menu2=\"\"", "Tool Cmd2=\"\""}});
    EXPECT_EQ(Read(), expected);
    ASSERT_EQ(context.backups.size(), 1u);
    EXPECT_EQ(context.backups[0].target, UltraEditTarget);
    EXPECT_EQ(context.backups[0].toolName, "brelm");
    EXPECT_EQ(context.backups[0].location, ini);
    EXPECT_EQ(context.backups[0].extra, "");
    EXPECT_EQ(context.backups[0].content, lfonly);
    EXPECT_EQ(context.installed, (std::vector<std::pair<std::string, std::string>>{{"brelm", UltraEditTarget}}));
    EXPECT_TRUE(context.asked.empty());
    EXPECT_TRUE(context.errors.empty());
    EXPECT_TRUE(Present("brelm"));
    EXPECT_FALSE(Present("brel"));
}

TEST_F(UltraEdit, SlotOneIsNotSlotTen) {
    Write(join({{"[Tools]"}, slot(10, "Other", "other.exe"), slot(1, "")}));
    ASSERT_TRUE(Install(Tool()));
    EXPECT_EQ(Read(), join({{"[Tools]"}, slot(10, "Other", "other.exe"),
                            slot(1, "brelm", "/opt/tolvane/brelm -i %F", "/src", "1", "3")}));
    // Overwriting the tool in slot 1 leaves slot 10 alone too.
    PreparedTool again = Tool();
    again.currentDirectory = "/elsewhere";
    context.overwriteAnswers = {true};
    ASSERT_TRUE(Install(again));
    EXPECT_EQ(context.asked, std::vector<std::string>{"brelm"});
    EXPECT_EQ(Read(), join({{"[Tools]"}, slot(10, "Other", "other.exe"),
                            slot(1, "brelm", "/opt/tolvane/brelm -i %F", "/elsewhere", "1", "3")}));
}

TEST_F(UltraEdit, ShortOddAndHugeSlotLinesAreNoFreeSlots) {
    std::string text = crlf({"[Tools]", "Tool Menu1\"", "Tool Menu\"", "Tool Menu2=\"", "Tool Menu=\"\"", "Tool Menux=\"\"",
                             "Tool Menu4=x\"", "Tool Menu5=\"\"x", "Tool Menu99999999999=\"\"", "Tool Menu999=\"\"",
                             "Tool Menu1000=\"\"", "Tool Cmd999=\"\""});
    Write(text);
    EXPECT_FALSE(Install(Tool()));
    EXPECT_EQ(context.errors,
              std::vector<std::string>{"Install failed,no free tool slot in configuration file for UltraEdit:" + ini});
    EXPECT_EQ(Read(), text);
    EXPECT_TRUE(context.backups.empty());
    EXPECT_TRUE(context.installed.empty());
    EXPECT_FALSE(Present("brelm"));
}

TEST_F(UltraEdit, AToolInAHighSlotIsFoundAndReplacedInPlace) {
    Write(join({{"[Tools]"}, slot(0, ""), slot(1200, "brelm", "old", "/old", "0", "0")}));
    EXPECT_TRUE(Present("brelm"));
    context.overwriteAnswers = {false};
    std::string text = Read();
    EXPECT_TRUE(Install(Tool()));
    EXPECT_EQ(Read(), text);
    EXPECT_TRUE(context.backups.empty());
    EXPECT_TRUE(context.installed.empty());
    context.overwriteAnswers = {true};
    EXPECT_TRUE(Install(Tool()));
    EXPECT_EQ(Read(), join({{"[Tools]"}, slot(0, ""), slot(1200, "brelm", "/opt/tolvane/brelm -i %F", "/src", "1", "3")}));
    EXPECT_EQ(context.asked, (std::vector<std::string>{"brelm", "brelm"}));
}

TEST_F(UltraEdit, MissingLinesOfASlotAreNotAdded) {
    Write(crlf({"[Tools]", "Tool Menu2=\"\"", "Tool Cmd2=\"\"", "[tools]", "Tool Dir2=\"\""}));
    ASSERT_TRUE(Install(Tool()));
    EXPECT_EQ(Read(), crlf({"[Tools]", "Tool Menu2=\"brelm\"", "Tool Cmd2=\"/opt/tolvane/brelm -i %F\"", "[tools]",
                            "Tool Dir2=\"\""}));
}

TEST_F(UltraEdit, TheWholeCommandLineIsTranslatedButNotSystemRoot) {
    Write(crlf({"[Tools]", "Tool Menu0=\"\"", "Tool Cmd0=\"\""}));
    PreparedTool tool = Tool();
    tool.commandLine = "\"%GRInstallDir%/brelm\" -i %File% -c %Col% -l %Line% -s \"%SelText%\" -x %SystemRoot%/x";
    ASSERT_TRUE(Install(tool));
    EXPECT_EQ(Read(), crlf({"[Tools]", "Tool Menu0=\"brelm\"",
                            "Tool Cmd0=\"\"/opt/tolvane/brelm\" -i %F -c %col% -l %line% -s \"%sel%\" -x %SystemRoot%/x\""}));
}

TEST_F(UltraEdit, TheFileIsFoundIgnoringCaseAndNamedInMessages) {
    folder.write("UltraEdit/Uedit32.INI", "");
    std::string found = dir + "/Uedit32.INI";
    EXPECT_FALSE(Install(Tool()));
    EXPECT_EQ(context.errors, std::vector<std::string>{"could not open configuration file for UltraEdit:" + found});
    folder.write("UltraEdit/Uedit32.INI", crlf({"[Tools]", "Tool Menu0=\"\""}));
    context.errors.clear();
    EXPECT_TRUE(Install(Tool()));
    EXPECT_EQ(folder.read("UltraEdit/Uedit32.INI"), crlf({"[Tools]", "Tool Menu0=\"brelm\""}));
    EXPECT_EQ(context.backups.at(0).location, found);
}

TEST_F(UltraEdit, MissingOrEmptyFilesAreErrorsOnlyWhenInstalling) {
    EXPECT_FALSE(Present("brelm"));
    EXPECT_TRUE(context.Silent());
    EXPECT_FALSE(Install(Tool()));
    EXPECT_EQ(context.errors, std::vector<std::string>{"Configuration file for UltraEdit is not found:" + ini});
    Write("");
    context.errors.clear();
    EXPECT_FALSE(Present("brelm"));
    EXPECT_TRUE(context.errors.empty());
    EXPECT_FALSE(Install(Tool()));
    EXPECT_EQ(context.errors, std::vector<std::string>{"could not open configuration file for UltraEdit:" + ini});
    EXPECT_FALSE(folder.read("UltraEdit/uedit32.ini").size());
}

TEST_F(UltraEdit, AFailedBackupWritesNothing) {
    std::string text = crlf({"[Tools]", "Tool Menu0=\"\""});
    Write(text);
    context.backupSucceeds = false;
    EXPECT_FALSE(Install(Tool()));
    EXPECT_EQ(Read(), text);
    EXPECT_TRUE(context.installed.empty());
    EXPECT_EQ(context.backups.size(), 1u);
}

TEST_F(UltraEdit, DigitsWithLeadingZerosNameTheSameSlot) {
    Write(crlf({"[Tools]", "Tool Menu09=\"\"", "Tool Cmd09=\"\"", "Capture Mode9=0", "Tool Dir90=\"x\""}));
    ASSERT_TRUE(Install(Tool()));
    EXPECT_EQ(Read(), crlf({"[Tools]", "Tool Menu09=\"brelm\"", "Tool Cmd09=\"/opt/tolvane/brelm -i %F\"",
                            "Capture Mode9=3", "Tool Dir90=\"x\""}));
    EXPECT_TRUE(Present("brelm"));
}
