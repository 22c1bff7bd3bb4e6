// The EditPadPro writer: the two tool records, the store a target uses, and the ini file:
// numbering, "ToolCount=", replacing known keys only, sections that only look like tools, the
// code page of version 6 and the file version 7 creates.
#include "fakewritercontext.h"
#include "registryfixtures.h"
#include "scopedenvironment.h"

#include "core/codepage.h"
#include "core/targetlocations.h"
#include "core/writers/editpadprorecords.h"
#include "core/xml.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string crlf(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// The ini lines of a record, version 6 or 7, as this program writes them.
std::string recordlines(const EditPadProToolRecord& record) {
    std::string text;
    for (const auto& [key, value] : record) text += key + "=" + RegValueText(value) + "\r\n";
    return text;
}

class EditPadPro : public testing::Test {
protected:
    testfolder folder;
    std::string ini6 = (folder / "epp6/EditPadPro.ini").string();
    std::string ini7 = (folder / "epp7/EditPadPro7.ini").string();

    PreparedTool Tool(const std::string& target, const std::string& name = "brelm") const {
        PreparedTool tool;
        tool.target = target;
        tool.location = (folder / (target == EditPadPro6Target ? "epp6" : "epp7")).string();
        tool.toolName = name;
        tool.currentDirectory = "/work";
        tool.program = "/opt/tolvane/brelm";
        tool.argumentLine = "-i %File% -c %Col% -l %Line%";
        return tool;
    }
    const std::string commandline = "/opt/tolvane/brelm -i %FILE% -c %COL% -l %LINE%";
};

}  // namespace

TEST(EditPadProRecords, TheTwoVersionsInOrder) {
    EditPadProToolRecord six = MakeEditPadPro6Tool("brelm", "b.exe x", "/w");
    ASSERT_EQ(six.size(), 31u);
    EXPECT_EQ(recordlines(six),
              crlf({"Caption=brelm", "Hint=", "CommandLine=b.exe x", "WorkingFolder=/w", "ShortCut=0", "AllFileTypes=0",
                    "FileTypes=YNNN", "UserFileTypes=NNNNNNNNNNNNNNNNNNNNNNNNNNNNNN", "FileSave=1", "FileSaveTemp=0",
                    "SelSaveTemp=0", "ReloadFile=1", "FileOpenTemp=0", "MsgOpenTemp=0", "SelOpenTemp=0",
                    "OpenTempFileType=0", "OpenTempUserFileType=0", "OpenTempSyntax=None", "StdIn=0", "StdOut=2",
                    "StdOutModified=1", "StdOutClose=0", "StdOutFileType=0", "StdOutUserFileType=0",
                    "StdOutSyntax=None", "StdErr=1", "StdErrModified=1", "StdErrClose=0", "StdErrFileType=0",
                    "StdErrUserFileType=0", "StdErrSyntax=None"}));
    // Bare numbers are integers, quoted ones texts.
    EXPECT_EQ(six[4].second, RegValue(int32_t(0)));
    EXPECT_EQ(six[5].second, RegValue(std::string("0")));
    EXPECT_EQ(six[19].second, RegValue(int32_t(2)));
    EditPadProToolRecord seven = MakeEditPadPro7Tool("brelm", "b.exe x", "/w");
    ASSERT_EQ(seven.size(), 30u);
    EXPECT_EQ(recordlines(seven),
              crlf({"Caption=brelm", "Hint=", "CommandLine=b.exe x", "WorkingFolder=/w", "Toolbar=1", "ToolbarCaption=0",
                    "ShortCut=0", "FileTypes=*", "FileSave=1", "FileSaveTemp=0", "SelSaveTemp=0", "ReloadFile=1",
                    "FileOpenTemp=0", "MsgOpenTemp=0", "ReplaceTemp=0", "SelOpenTemp=0", "OpenTempFileType=txt",
                    "OpenTempSyntax=None", "StdIn=0", "StdOut=2", "StdOutModified=1", "StdOutClose=0",
                    "StdOutFileType=0", "StdOutUserFileType=txt", "StdOutSyntax=None", "StdErr=1", "StdErrModified=1",
                    "StdErrClose=0", "StdErrFileType=txt", "StdErrSyntax=None"}));
    EXPECT_EQ(seven[22].second, RegValue(int32_t(0)));
    EXPECT_EQ(seven[28].second, RegValue(std::string("txt")));
}

// A section without a caption is numbered all the same: a new tool never repeats its number.
TEST_F(EditPadPro, ANewToolFollowsTheHighestSectionWithACaptionOrNot) {
    const std::string before = "[Pro]\nToolCount=7\nOther=x\n"
                               "[Tool0]\nCaption=a\n[Tool1]\r\nCaption=b\r\n[Tool9]\nHint=no caption\n"
                               "[Tool3]\nCaption=c\n[Editor]\nCaption=not a tool";
    folder.write("epp7/EditPadPro7.ini", before);
    FakeWriterContext context(folder);
    PreparedTool tool = Tool(EditPadPro7Target);
    tool.argumentLine += " \"%SelText%\"";
    ASSERT_TRUE(InstallEditPadProTool(tool, context));
    EditPadProToolRecord record = MakeEditPadPro7Tool("brelm", commandline + " \"%SELECTION%\"", "/work");
    EXPECT_EQ(folder.read("epp7/EditPadPro7.ini"),
              crlf({"[Pro]", "ToolCount=8", "Other=x", "[Tool0]", "Caption=a", "[Tool1]", "Caption=b", "[Tool9]",
                    "Hint=no caption", "[Tool3]", "Caption=c", "[Editor]", "Caption=not a tool", "[Tool10]"}) +
                  recordlines(record));
    ASSERT_EQ(context.backups.size(), 1u);
    EXPECT_EQ(context.backups[0].target, "EditPadPro 7");
    EXPECT_EQ(context.backups[0].location, ini7);
    EXPECT_EQ(context.backups[0].extra, "");
    EXPECT_EQ(context.installed, (std::vector<std::pair<std::string, std::string>>{{"brelm", "EditPadPro 7"}}));
    EXPECT_TRUE(context.errors.empty());
}

TEST_F(EditPadPro, WithoutAToolCountLineASecondProSectionIsAdded) {
    folder.write("epp6/EditPadPro.ini", crlf({"[Pro]", "Something=1", "[Toolbar]", "Caption=brelm"}));
    FakeWriterContext context(folder);
    ASSERT_TRUE(InstallEditPadProTool(Tool(EditPadPro6Target), context));
    EXPECT_TRUE(context.asked.empty());   // "[Toolbar]" holds no tool
    EXPECT_EQ(folder.read("epp6/EditPadPro.ini"),
              crlf({"[Pro]", "Something=1", "[Toolbar]", "Caption=brelm", "[Pro]", "ToolCount=1", "[Tool0]"}) +
                  recordlines(MakeEditPadPro6Tool("brelm", commandline, "/work")));
    // A count that is no number becomes the count of the sections up to the new one.
    folder.write("epp6/EditPadPro.ini", crlf({"[Pro]", "ToolCount=99999999999", "[Tool2]", "Caption=x"}));
    ASSERT_TRUE(InstallEditPadProTool(Tool(EditPadPro6Target, "y"), context));
    std::string start = crlf({"[Pro]", "ToolCount=4", "[Tool2]", "Caption=x", "[Tool3]", "Caption=y"});
    EXPECT_EQ(folder.read("epp6/EditPadPro.ini").substr(0, start.size()), start);
}

TEST_F(EditPadPro, ReplacingRewritesTheKeysTheSectionHasAndNoOthers) {
    const std::string before = crlf({"[Pro]", "ToolCount=2", "[Tool0]", "Caption=first", "CommandLine=keep",
                                     "[Tool1]", "Caption=brelm", "CommandLine=old.exe", "Custom=stays", "no equals sign",
                                     "ShortCut=9", "[Tool1x]", "Hint=not this section"});
    folder.write("epp6/EditPadPro.ini", before);
    FakeWriterContext context(folder);
    EXPECT_TRUE(InstallEditPadProTool(Tool(EditPadPro6Target), context));   // No
    EXPECT_EQ(context.asked, std::vector<std::string>{"brelm"});
    EXPECT_TRUE(context.backups.empty());
    EXPECT_EQ(folder.read("epp6/EditPadPro.ini"), before);
    context.overwriteAnswers = {true};
    ASSERT_TRUE(InstallEditPadProTool(Tool(EditPadPro6Target), context));
    EXPECT_EQ(folder.read("epp6/EditPadPro.ini"),
              crlf({"[Pro]", "ToolCount=2", "[Tool0]", "Caption=first", "CommandLine=keep", "[Tool1]", "Caption=brelm",
                    "CommandLine=" + commandline, "Custom=stays", "no equals sign", "ShortCut=0", "[Tool1x]",
                    "Hint=not this section"}));
    EXPECT_EQ(context.backups.size(), 1u);
    EXPECT_EQ(context.installed.size(), 1u);
}

TEST_F(EditPadPro, CheckOnlyAnswersWithoutMessages) {
    folder.write("epp6/EditPadPro.ini", crlf({"[Pro]", "ToolCount=1", "[Tool0]", "Caption=brelm"}));
    folder.write("epp7/EditPadPro7.ini", "");
    FakeWriterContext context(folder);
    PreparedTool check = Tool(EditPadPro6Target);
    check.checkOnly = true;
    check.program = check.argumentLine = "";
    EXPECT_TRUE(InstallEditPadProTool(check, context));
    check.toolName = "brelm2";
    EXPECT_FALSE(InstallEditPadProTool(check, context));
    PreparedTool check7 = Tool(EditPadPro7Target);
    check7.checkOnly = true;
    EXPECT_FALSE(InstallEditPadProTool(check7, context));   // empty file
    check7.location = (folder / "none").string();
    EXPECT_FALSE(InstallEditPadProTool(check7, context));   // no file
    EXPECT_TRUE(context.errors.empty());
    EXPECT_TRUE(context.asked.empty());
    EXPECT_TRUE(context.backups.empty());
}

TEST_F(EditPadPro, AMissingOrEmptyFileIsCreatedOnlyForVersion7InTheRegistry) {
    FakeWriterContext context(folder);
    EXPECT_FALSE(InstallEditPadProTool(Tool(EditPadPro7Target), context));
    EXPECT_FALSE(InstallEditPadProTool(Tool(EditPadPro6Target), context));
    folder.write("epp6/EditPadPro.ini", "");
    EXPECT_FALSE(InstallEditPadProTool(Tool(EditPadPro6Target), context));
    EXPECT_EQ(context.errors, (std::vector<std::string>{"Configuration file for EditPadPro is not found:" + ini7,
                                                        "Configuration file for EditPadPro is not found:" + ini6,
                                                        "could not open configuration file for EditPadPro:" + ini6}));
    EXPECT_TRUE(context.backups.empty());
    EXPECT_FALSE(std::filesystem::exists(ini7));

    ASSERT_TRUE(RegWriteValue(context.registry, "Software\\JGsoft\\EditPadPro7\\Recent", "x", std::string("1"), false));
    std::filesystem::create_directories(folder / "epp7");
    context.errors.clear();
    ASSERT_TRUE(InstallEditPadProTool(Tool(EditPadPro7Target), context));
    EXPECT_EQ(folder.read("epp7/EditPadPro7.ini"), crlf({"[Pro]", "ToolCount=1", "[Tool0]"}) +
                                                       recordlines(MakeEditPadPro7Tool("brelm", commandline, "/work")));
    EXPECT_EQ(context.backups.size(), 1u);
    EXPECT_TRUE(context.errors.empty());
    // Without its folder the file cannot be written.
    PreparedTool nofolder = Tool(EditPadPro7Target);
    nofolder.location = (folder / "gone").string();
    EXPECT_FALSE(InstallEditPadProTool(nofolder, context));
    EXPECT_EQ(context.errors, std::vector<std::string>{"Install failed,could not save configuration file for EditPadPro:" +
                                                       nofolder.location + "/EditPadPro7.ini"});
    EXPECT_EQ(context.installed.size(), 1u);
}

TEST_F(EditPadPro, AFailedBackupLeavesTheFile) {
    const std::string before = crlf({"[Pro]", "ToolCount=0"});
    folder.write("epp7/editpadpro7.INI", before);
    FakeWriterContext context(folder);
    context.backupSucceeds = false;
    EXPECT_FALSE(InstallEditPadProTool(Tool(EditPadPro7Target), context));
    ASSERT_EQ(context.backups.size(), 1u);
    EXPECT_EQ(context.backups[0].location, (folder / "epp7/editpadpro7.INI").string());
    EXPECT_EQ(folder.read("epp7/editpadpro7.INI"), before);
    EXPECT_TRUE(context.installed.empty());
}

TEST_F(EditPadPro, TheStorageMustBeWhereTheTargetSays) {
    folder.write("epp6/EditPadPro.ini", crlf({"[Pro]", "ToolCount=0"}));
    FakeWriterContext context(folder);
    PreparedTool registry = Tool(EditPadPro6Target);
    registry.location = LocatedInRegistry;
    EXPECT_FALSE(InstallEditPadProTool(registry, context));
    ASSERT_TRUE(RegWriteValue(context.registry, "Software\\JGsoft\\EditPadPro6\\EPPrefs\\Pro", "ToolCount", int32_t(0),
                              false));
    EXPECT_FALSE(InstallEditPadProTool(Tool(EditPadPro6Target), context));
    EXPECT_EQ(context.errors,
              (std::vector<std::string>{"EditPadPro is NOW stored in an ini file, not in registry, use autodetect.",
                                        "EditPadPro is NOW stored in the registry,not in an ini file, use autodetect."}));
    PreparedTool check = Tool(EditPadPro6Target);
    check.checkOnly = true;
    EXPECT_FALSE(InstallEditPadProTool(check, context));
    EXPECT_EQ(context.errors.size(), 2u);
    EXPECT_EQ(folder.read("epp6/EditPadPro.ini"), crlf({"[Pro]", "ToolCount=0"}));
    // EditPadPro 7 keeps its ini file whatever version 6 does.
    folder.write("epp7/EditPadPro7.ini", crlf({"[Pro]", "ToolCount=0"}));
    EXPECT_TRUE(InstallEditPadProTool(Tool(EditPadPro7Target), context));
    EXPECT_EQ(context.installed.size(), 1u);
}

TEST_F(EditPadPro, Version6IsWrittenInTheCodePageAndVersion7AsItIs) {
    ScopedEnvironment locale{{"LC_ALL", std::nullopt}, {"LC_CTYPE", std::nullopt}, {"LANG", "de_DE.UTF-8"}};
    FakeWriterContext context(folder);
    context.codePage = UserCodePage();
    ASSERT_EQ(context.codePage, 1252);
    folder.write("epp6/EditPadPro.ini", crlf({"[Pro]", "ToolCount=0"}));
    folder.write("epp7/EditPadPro7.ini", crlf({"[Pro]", "ToolCount=0"}));
    PreparedTool six = Tool(EditPadPro6Target, "Grüße");
    six.currentDirectory = "/tmp/Bücher";
    ASSERT_TRUE(InstallEditPadProTool(six, context));
    std::string text = folder.read("epp6/EditPadPro.ini");
    EXPECT_NE(text.find("\r\nCaption=Gr\xFC\xDF" "e\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nWorkingFolder=/tmp/B\xFC" "cher\r\n"), std::string::npos);
    // Found again by its name.
    context.overwriteAnswers = {true};
    ASSERT_TRUE(InstallEditPadProTool(six, context));
    EXPECT_EQ(context.asked, std::vector<std::string>{"Grüße"});
    EXPECT_EQ(folder.read("epp6/EditPadPro.ini"), text);
    PreparedTool seven = Tool(EditPadPro7Target, "Grüße");
    ASSERT_TRUE(InstallEditPadProTool(seven, context));
    EXPECT_NE(folder.read("epp7/EditPadPro7.ini").find("\r\nCaption=Grüße\r\n"), std::string::npos);
}
