// The Pspad writer on real links.ini files.
#include "fakewritercontext.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string brelmblock =
    "\tbrelm\n"
    "\t\tCommand=/opt/brelm\n"
    "\t\tParams=-i %File% -l %Line% -s %SelText%\n"
    "\t\tDefaultDir=/work\n"
    "\t\tCaptureOutp=1\n"
    "\t\tLogParser=%F:%L\n"
    "\t\tLogType=0\n";

const std::string otherblock = "\tother\n\t\tCommand=other.exe\n\t\tLogType=0\n";

class Pspad : public testing::Test {
protected:
    testfolder folder;
    FakeWriterContext context{folder};
    std::string Location() const { return (folder / "pspad").string(); }
    std::string Links() const { return (folder / "pspad/links.ini").string(); }
    void WriteLinks(const std::string& text) const { folder.write("pspad/links.ini", text); }
    std::string ReadLinks() const { return folder.read("pspad/links.ini"); }

    PreparedTool Brelm(bool checkOnly = false) const {
        PreparedTool tool = Prepared("Pspad", Location(), "brelm", "/opt/brelm", "-i %File% -l %Line% -s %SelText%", checkOnly);
        tool.currentDirectory = "/work";
        tool.logParser = "%F:%L";
        return tool;
    }
    bool Install(bool checkOnly = false) { return InstallPspadTool(Brelm(checkOnly), context); }
};

TEST_F(Pspad, ANewToolGoesAtTheEndOfTheToolsSectionAndANameThatOnlyBeginsAlikeIsAnotherTool) {
    const std::string before = "[Config]\nWWW\nhttp://x\n+Tools\n\tbrelm (all files)\n\t\tCommand=b.exe\n";
    const std::string after = "+Other\n\tbrelm\n";
    WriteLinks(before + after);
    EXPECT_FALSE(Install(true));
    EXPECT_TRUE(Install());
    EXPECT_EQ(ReadLinks(), before + brelmblock + after);
    EXPECT_TRUE(context.asked.empty());
    ASSERT_EQ(context.backups.size(), 1u);
    EXPECT_EQ(context.backups[0].target, "Pspad");
    EXPECT_EQ(context.backups[0].toolName, "brelm");
    EXPECT_EQ(context.backups[0].location, Links());
    EXPECT_EQ(context.backups[0].extra, "");
    EXPECT_EQ(context.backups[0].content, before + after);   // taken before the write
    EXPECT_EQ(context.installed, (std::vector<std::pair<std::string, std::string>>{{"brelm", "Pspad"}}));
    EXPECT_TRUE(context.errors.empty());
    EXPECT_TRUE(Install(true));
}

TEST_F(Pspad, WithTheToolsSectionLastTheToolIsAppended) {
    WriteLinks("WWW\r\n+Tools\r\n" + std::string("\tother\r\n\t\tCommand=o\r\n"));
    EXPECT_TRUE(Install());
    EXPECT_EQ(ReadLinks(), "WWW\n+Tools\n\tother\n\t\tCommand=o\n" + brelmblock);
    WriteLinks("WWW\n+Tools");   // no line break at the end
    EXPECT_TRUE(Install());
    EXPECT_EQ(ReadLinks(), "WWW\n+Tools\n" + brelmblock);
}

TEST_F(Pspad, OverwritingReplacesTheBlockAndKeepsTheNextTool) {
    const std::string old = "\tbrelm   \n\t\tCommand=old\n\t\tParams=old\n\t\tExtra=1\n";
    WriteLinks("WWW\n+Tools\n" + old + otherblock + "+End\n");
    EXPECT_TRUE(Install(true));   // trailing blanks of the header do not count
    context.overwriteAnswers = {false};
    EXPECT_TRUE(Install());
    EXPECT_EQ(ReadLinks(), "WWW\n+Tools\n" + old + otherblock + "+End\n");
    EXPECT_TRUE(context.backups.empty());
    EXPECT_TRUE(context.installed.empty());

    context.overwriteAnswers = {true};
    EXPECT_TRUE(Install());
    EXPECT_EQ(ReadLinks(), "WWW\n+Tools\n" + brelmblock + otherblock + "+End\n");
    EXPECT_EQ(context.asked, (std::vector<std::string>{"brelm", "brelm"}));
    EXPECT_EQ(context.installed.size(), 1u);
    // The block last in the file.
    WriteLinks("WWW\n+Tools\n" + otherblock + old);
    context.overwriteAnswers = {true};
    EXPECT_TRUE(Install());
    EXPECT_EQ(ReadLinks(), "WWW\n+Tools\n" + otherblock + brelmblock);
}

TEST_F(Pspad, WithoutTheToolsSectionAfterWwwNothingIsWritten) {
    const std::string message = "Install failed,could not find the +Tools section in configuration file for Pspad:";
    for (const std::string& text : {std::string("+Tools\nWWW\n\tbrelm\n"), std::string("WWW\n+tools\n"),
                                    std::string("WWW \n+Tools\n"), std::string("")}) {
        WriteLinks(text);
        EXPECT_FALSE(Install(true));
        EXPECT_TRUE(context.errors.empty());
        EXPECT_FALSE(Install());
        EXPECT_EQ(context.errors, std::vector<std::string>{message + Links()});
        EXPECT_EQ(ReadLinks(), text);
        context.errors.clear();
    }
    EXPECT_TRUE(context.backups.empty());
    EXPECT_TRUE(context.installed.empty());
}

TEST_F(Pspad, AMissingLinksFileIsReportedOnlyWhenInstalling) {
    EXPECT_FALSE(Install(true));
    EXPECT_TRUE(context.errors.empty());
    EXPECT_FALSE(Install());
    EXPECT_EQ(context.errors, std::vector<std::string>{"Configuration file for Pspad is not found:" + Links()});
    EXPECT_FALSE(std::filesystem::exists(Links()));
    std::filesystem::create_directories(Links());   // a folder is no file
    EXPECT_FALSE(Install());
    EXPECT_EQ(context.errors.size(), 2u);
}

TEST_F(Pspad, TheFileIsFoundIgnoringCaseAndTheFolderMayEndWithASlash) {
    folder.write("pspad/LINKS.INI", "WWW\n+Tools\n");
    PreparedTool tool = Brelm();
    tool.location += "/";
    EXPECT_TRUE(InstallPspadTool(tool, context));
    EXPECT_EQ(folder.read("pspad/LINKS.INI"), "WWW\n+Tools\n" + brelmblock);
    EXPECT_FALSE(std::filesystem::exists(Links()));
    EXPECT_EQ(context.backups.at(0).location, (folder / "pspad/LINKS.INI").string());
}

TEST_F(Pspad, AFailedBackupLeavesTheFileAlone) {
    WriteLinks("WWW\n+Tools\n");
    context.backupSucceeds = false;
    EXPECT_FALSE(Install());
    EXPECT_EQ(ReadLinks(), "WWW\n+Tools\n");
    EXPECT_TRUE(context.installed.empty());
    EXPECT_TRUE(context.errors.empty());   // the backup gives its own line
}

// The file is written back with LF alone, so every CR before a line's LF is dropped when
// reading: "+Tools" then reads the same before and after, and the tool is found again.
TEST_F(Pspad, LinesReadTheSameAfterTheRewriteSoAToolIsNeverAddedTwice) {
    WriteLinks("WWW\r\n+Tools\r\r\n\tother\r\r\n\t\tCommand=other.exe\r\n");
    EXPECT_TRUE(Install());
    const std::string installed = "WWW\n+Tools\n\tother\n\t\tCommand=other.exe\n" + brelmblock;
    EXPECT_EQ(ReadLinks(), installed);
    EXPECT_TRUE(Install(true));
    context.overwriteAnswers = {true};
    EXPECT_TRUE(Install());
    EXPECT_EQ(ReadLinks(), installed);
    EXPECT_EQ(context.asked, std::vector<std::string>{"brelm"});
}

}  // namespace
