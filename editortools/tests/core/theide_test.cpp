// The theide writer: macro files byte for byte.
#include "fakewritercontext.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class TheIde : public testing::Test {
protected:
    testfolder folder;
    FakeWriterContext context{folder};
    void SetUp() override { std::filesystem::create_directories(folder / "upp/UppLocal"); }
    std::string Location() const { return (folder / "upp").string(); }
    std::string MacroPath(const std::string& digest) const {
        return (folder / ("upp/UppLocal/tool_" + digest + ".usc")).string();
    }
    std::string Macro(const std::string& digest) const { return folder.read("upp/UppLocal/tool_" + digest + ".usc"); }
    bool Install(const std::string& name, const std::string& program, const std::string& arguments,
                 bool checkOnly = false) {
        return InstallTheIdeTool(Prepared("Ultimate++ IDE", Location(), name, program, arguments, checkOnly), context);
    }
};

const std::string brelm = "d43ade19cbd1815adf90ae8140b227ef";   // MD5 of "brelm"

TEST_F(TheIde, AMacroWithoutSelection) {
    EXPECT_FALSE(Install("brelm", "", "", true));
    EXPECT_TRUE(Install("brelm", "/opt/brelm", "-i %File% -c %Col% -l %Line%"));
    EXPECT_EQ(Macro(brelm),
              "macro \"brelm\" { .SaveCurrentFile();.Execute(\"/opt/brelm \"+\"-i \"\n+FileName()+\" -c \"\n"
              "+to_string(GetColumn(GetCursor())+1)+\" -l \"\n+to_string(GetLine(GetCursor())+1)+\"\");}");
    EXPECT_TRUE(context.backups.empty());   // a new file needs none
    EXPECT_EQ(context.installed, (std::vector<std::pair<std::string, std::string>>{{"brelm", "Ultimate++ IDE"}}));
    EXPECT_TRUE(Install("brelm", "", "", true));
    EXPECT_TRUE(context.errors.empty());
}

TEST_F(TheIde, TheSelectionPrologueAndTheInstallFolder) {
    EXPECT_TRUE(Install("brelm", "/opt/brelm", "-s %SelText% -c %GRInstallDir%/brelm.cfg"));
    EXPECT_EQ(Macro(brelm),
              "macro \"brelm\" { .SaveCurrentFile();\n"
              "if(GetSelCount()>0) selection=Get(GetSelBegin(), GetSelCount());else selection=\"\";\n"
              ".Execute(\"/opt/brelm \"+\"-s \"\n+selection+\" -c " +
                  context.installFolder + "/brelm.cfg\");}");
}

TEST_F(TheIde, BackslashesThenQuotesAreEscapedButTheInstallFolderIsNot) {
    context.installFolder = "C:\\Gantrel \"x\"";
    EXPECT_TRUE(Install("say \"hi\"", "C:\\bin\\brelm.exe", "-o \"C:\\out\\\" %GRInstallDir%"));
    EXPECT_EQ(Macro("37cbf8fddc8cda72b90d2698fd9ccb41"),
              "macro \"say \\\"hi\\\"\" { .SaveCurrentFile();.Execute(\"C:\\\\bin\\\\brelm.exe \"+\"-o "
              "\\\"C:\\\\out\\\\\\\" C:\\Gantrel \"x\"\");}");
}

TEST_F(TheIde, NamesThatDifferInCaseAreTwoFiles) {
    EXPECT_TRUE(Install("brelm", "a", ""));
    EXPECT_TRUE(Install("Brelm", "b", ""));
    EXPECT_EQ(Macro(brelm), "macro \"brelm\" { .SaveCurrentFile();.Execute(\"a \"+\"\");}");
    EXPECT_EQ(Macro("8dabbe0422f1c9e66f2417c3f52e1e68"), "macro \"Brelm\" { .SaveCurrentFile();.Execute(\"b \"+\"\");}");
}

TEST_F(TheIde, AnExistingMacroIsReplacedOnlyOnYesAndAfterItsBackup) {
    folder.write("upp/UppLocal/tool_" + brelm + ".usc", "old");
    EXPECT_TRUE(Install("brelm", "new", ""));   // no
    EXPECT_EQ(Macro(brelm), "old");
    EXPECT_TRUE(context.backups.empty());
    context.overwriteAnswers = {true};
    context.backupSucceeds = false;
    EXPECT_FALSE(Install("brelm", "new", ""));
    EXPECT_EQ(Macro(brelm), "old");
    context.overwriteAnswers = {true};
    context.backupSucceeds = true;
    EXPECT_TRUE(Install("brelm", "new", ""));
    EXPECT_EQ(Macro(brelm), "macro \"brelm\" { .SaveCurrentFile();.Execute(\"new \"+\"\");}");
    ASSERT_EQ(context.backups.size(), 2u);
    EXPECT_EQ(context.backups[1].location, MacroPath(brelm));
    EXPECT_EQ(context.backups[1].content, "old");
    EXPECT_EQ(context.asked.size(), 3u);
    EXPECT_EQ(context.installed.size(), 1u);
}

TEST_F(TheIde, AFailedWriteIsReportedAndNotRecorded) {
    std::filesystem::remove(folder / "upp/UppLocal");
    EXPECT_FALSE(Install("brelm", "/opt/brelm", ""));
    EXPECT_EQ(context.errors, std::vector<std::string>{
                                  "Install failed,could not save configuration file for Ultimate++ IDE:" + MacroPath(brelm)});
    EXPECT_FALSE(std::filesystem::exists(folder / "upp/UppLocal"));   // never made
    EXPECT_TRUE(context.installed.empty());
    EXPECT_FALSE(Install("brelm", "", "", true));
    EXPECT_EQ(context.errors.size(), 1u);
    // Without a folder there is nowhere to look or write.
    EXPECT_FALSE(InstallTheIdeTool(Prepared("Ultimate++ IDE", "", "brelm", "", "", true), context));
    EXPECT_FALSE(InstallTheIdeTool(Prepared("Ultimate++ IDE", "", "brelm", "x", ""), context));
    EXPECT_EQ(context.errors.size(), 2u);
}

}  // namespace
