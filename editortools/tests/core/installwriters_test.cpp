// InstallTool into the UltraEdit, EditPlus, Code::Blocks and studio targets: which program text
// reaches the file, the automatic backup holds the old bytes, the check-only question sees
// what was written, and only discovered studio names reach the studio writer.
#include "scopedenvironment.h"
#include "sessiontest.h"

namespace {

std::string utf16(const std::string& ascii) {
    std::string out;
    for (char c : ascii) out += std::string{c, '\0'};
    return out;
}

class InstallWriters : public SessionTest {
protected:
    void SetUp() override {
        session->flags.noGui = true;
        session->backupDirectory = Path("backups");
        session->tools = {{"brelm", "", "", "", ""}};
    }
    std::string Lines() {
        std::string text = err.str();
        err.str("");
        return text;
    }
    bool Install(const std::string& target, const std::string& location, const std::string& commandLine,
                 const std::string& currentDirectory = "/src") {
        return session->InstallTool(target, location, "brelm", currentDirectory, commandLine, "", false);
    }
    // The one backup taken so far: its row and the bytes it holds.
    std::string BackupBytes(const std::string& target) {
        EXPECT_EQ(session->backups.size(), 1u);
        if (session->backups.empty()) return "";
        EXPECT_EQ(session->backups[0].name, target);
        EXPECT_EQ(session->backups[0].explanation, "before installing brelm backup");
        return testfolder::readall(session->backups[0].location);
    }
};

}  // namespace

TEST_F(InstallWriters, UltraEditGetsTheWholeCommandLineWithTheProgramFolder) {
    ScopedEnvironment env({{"SystemRoot", "C:\\Windows"}});
    std::string before = "[Tools]\r\nTool Menu0=\"\"\r\nTool Cmd0=\"\"\r\nTool Dir0=\"\"\r\n";
    Write("ue/Uedit32.ini", before);
    EXPECT_TRUE(Install("Ultraedit 16", Path("ue"), "%GRInstallDir%/brelm -i %File% -r %SystemRoot%"));
    EXPECT_EQ(Read("ue/Uedit32.ini"), "[Tools]\r\nTool Menu0=\"brelm\"\r\nTool Cmd0=\"" + Path("bin") +
                                          "/brelm -i %F -r %SystemRoot%\"\r\nTool Dir0=\"/src\"\r\n");
    EXPECT_EQ(Lines(), "Installed tool brelm in Ultraedit 16.\n");
    EXPECT_EQ(session->tools[0].installedin, "Ultraedit 16");
    EXPECT_EQ(BackupBytes("Ultraedit 16"), before);
    EXPECT_TRUE(session->IsToolPresent("Ultraedit 16", Path("ue"), "brelm"));
    EXPECT_FALSE(session->IsToolPresent("Ultraedit 16", Path("ue"), "Brelm"));
}

TEST_F(InstallWriters, EditPlusGetsTheExpandedProgramWord) {
    ScopedEnvironment env({{"SystemRoot", "/win"}});
    Write("ep/tool_u.ini", utf16("[Tools\\0]\r\nCount=0\r\n"));
    EXPECT_TRUE(Install("EditPlus 3.2", Path("ep"), "%SystemRoot%/brelm.exe %File% %GRInstallDir%"));
    std::string after = Read("ep/tool_u.ini");
    EXPECT_NE(after.find(utf16("Count=1\r\n[Tools\\0\\0]\r\nCommand=/win/brelm.exe\r\nText=brelm\r\n"
                               "Argument=$(FilePath) %GRInstallDir%\r\nInitDir=/src\r\n")),
              std::string::npos);
    EXPECT_EQ(Lines(), "Installed tool brelm in EditPlus 3.2.\n");
    EXPECT_TRUE(session->IsToolPresent("EditPlus 3.2", Path("ep"), "brelm"));
    // Asked again without -o and declined: nothing changes, no second backup.
    prompter.answers = {"no"};
    EXPECT_TRUE(Install("EditPlus 3.2", Path("ep"), "other.exe"));
    EXPECT_EQ(Read("ep/tool_u.ini"), after);
    EXPECT_EQ(session->backups.size(), 1u);
    EXPECT_EQ(Lines(), "");
}

TEST_F(InstallWriters, ABrokenCodeBlocksFileIsABoxAlsoForTheCheck) {
    Write("cb/default.conf", "<?xml version=\"1.0\"?>\n<CodeBlocksConfig>\n");
    EXPECT_FALSE(session->IsToolPresent("Code::Blocks 8-10", Path("cb"), "brelm"));
    EXPECT_FALSE(Install("Code::Blocks 8-10", Path("cb"), "brelm"));
    const std::string box =
        "Error reading the input file: " + Path("cb") + "/default.conf: line 3: the element <CodeBlocksConfig> is not closed";
    EXPECT_EQ(Boxes(), (std::vector<std::string>{box, box}));
    EXPECT_EQ(Lines(), "");
    EXPECT_TRUE(session->backups.empty());
}

TEST_F(InstallWriters, OnlyADiscoveredStudioNameReachesTheStudioWriter) {
    const std::string file = "Documents/Visual Studio 2010/Settings/CurrentSettings.vssettings";
    const std::string before = "<UserSettings><Category name=\"Environment_Group\">"
                               "<Category name=\"Environment_ExternalTools\"/></Category></UserSettings>";
    Write(file, before);
    EXPECT_TRUE(Install("Visual Studio 2010", Path(file), "brelm %File% %Col%"));
    EXPECT_EQ(Read(file), before);   // not discovered: no writer
    session->studioNames = {"Visual Studio 2010"};
    EXPECT_TRUE(Install("Visual Studio 2010", Path(file), "brelm %File% %Col%"));
    std::string after = Read(file);
    EXPECT_NE(after.find("<PropertyValue name=\"brelm.Arguments\">$(ItemPath) $(CurCol)</PropertyValue>"),
              std::string::npos);
    EXPECT_TRUE(after.ends_with("<PropertyValue name=\"ToolNames\">brelm</PropertyValue></Category></Category></UserSettings>"));
    EXPECT_EQ(BackupBytes("Visual Studio 2010"), before);
    EXPECT_EQ(Lines(), "Installed tool brelm in Visual Studio 2010.\n");
    EXPECT_TRUE(session->IsToolPresent("Visual Studio 2010", Path(file), "brelm"));
    EXPECT_EQ(session->tools[0].installedin, "Visual Studio 2010");
}
