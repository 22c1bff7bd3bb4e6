// InstallTool and the install driver through the session: preparation, refusals, dispatch,
// the running check and the driver's messages.
#include "scopedenvironment.h"
#include "sessiontest.h"

namespace {

const std::string pspadblockhead = "\tbrelm\n\t\tCommand=";

class Install : public SessionTest {
protected:
    void SetUp() override {
        session->flags.noGui = true;   // messages as lines of err
        session->backupDirectory = Path("backups");
    }
    // The lines written since the last call.
    std::string Lines() {
        std::string text = err.str();
        err.str("");
        return text;
    }
    void PspadAt(const std::string& folderName) {
        Write(folderName + "/links.ini", "WWW\n+Tools\n");
        session->targets.push_back({"Pspad", Path(folderName)});
    }
    std::string Links(const std::string& folderName = "pspad") const { return Read(folderName + "/links.ini"); }
};

TEST_F(Install, TheRunningCheckFollowsTheTableWithOrWithoutExe) {
    session->studioNames = {"Visual Studio 2010", "SQL Server Management Studio", "Visual Studio VC# Express 2008",
                            "Visual Studio SQL Server Express 2010"};
    struct Case {
        std::string target, executable;
        bool refuses;
    } cases[] = {
        {"Pspad", "PSPad.exe", true},
        {"Ultimate++ IDE", "theide.exe", false},
        {"Ultraedit 16", "Uedit32.exe", true},
        {"Code::Blocks 8-10", "codeblocks.exe", true},
        {"Eclipse Galileo/Helios", "eclipse.exe", false},
        {"Visual Studio 2010", "devenv.exe", true},
        {"SQL Server Management Studio", "Ssms.exe", true},
        {"Visual Studio VC# Express 2008", "VCSExpress.exe", true},
        {"Visual Studio SQL Server Express 2010", "Ssms.exe", true},   // "SQL Server" comes first
        {"Textpad 5", "TextPad.exe", true},
        {"EditPlus 3.2", "editplus.exe", true},
        {"EditPadPro 6", "EditPadPro.exe", true},
        {"EditPadPro 7", "EditPadPro7.exe", true},
    };
    for (const Case& c : cases) {
        std::string bare = c.executable.substr(0, c.executable.size() - 4);
        std::string line = c.refuses ? c.target + " is running.Please close the program.\n"
                                     : "Restart " + c.target + " to see changes.\n";
        for (const std::string& name : {c.executable, bare}) {
            running = {"bash", name};
            EXPECT_EQ(session->CheckTargetNotRunning(c.target), c.refuses) << c.target << " " << name;
            EXPECT_EQ(Lines(), line);
        }
        std::string upper = c.executable;
        for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        for (const std::string& name : {upper, bare + ".EXE", c.executable + " ", std::string("<unknown>")}) {
            running = {name};
            EXPECT_FALSE(session->CheckTargetNotRunning(c.target)) << name;
        }
        EXPECT_EQ(Lines(), "");
    }
    running = {"devenv.exe", "Ssms.exe", "PSPad.exe"};
    EXPECT_FALSE(session->CheckTargetNotRunning("Visual Studio 2008"));   // not a discovered studio
    EXPECT_FALSE(session->CheckTargetNotRunning("pspad"));
    EXPECT_EQ(Lines(), "");
}

TEST_F(Install, TheProcessListIsReadAtEveryCheck) {
    running = {"PSPad"};
    EXPECT_TRUE(session->CheckTargetNotRunning("Pspad"));
    running = {};
    EXPECT_FALSE(session->CheckTargetNotRunning("Pspad"));
    EXPECT_EQ(processListings, 2);
    EXPECT_FALSE(session->CheckTargetNotRunning("no such target"));
    EXPECT_EQ(processListings, 2);
}

TEST_F(Install, RefusalsComeFirstInTheirOrder) {
    const std::string all = "brelm %SelText% %Col% %Line%";
    // What is not refused reaches the target's writer, which finds no configuration there
    // (Code::Blocks says so in a box) or, for Eclipse, makes the launch file.
    struct Case {
        std::string target, commandLine, line;
        bool result = false;
    } cases[] = {
        {"Code::Blocks 8-10", all, "%SelText% is not supported for Code::Blocks 8-10\n"},
        {"EditPadPro 6", all, "%SelText% is not supported for EditPadPro 6\n"},
        {"Pspad", all, "%Col% is not supported for Pspad\n"},
        {"Eclipse Galileo/Helios", all, "%Col% is not supported for Eclipse Galileo/Helios\n"},
        {"Eclipse Galileo/Helios", "brelm %SelText% %Line%", "%Line% is not supported for Eclipse Galileo/Helios\n"},
        {"Code::Blocks 8-10", "brelm %Col% %Line%", ""},
        // Not refused: its writer looks for the file.
        {"EditPadPro 7", all, "Configuration file for EditPadPro is not found:" + Path("nowhere") + "/EditPadPro7.ini\n"},
        {"Ultraedit 16", all, "Configuration file for UltraEdit is not found:" + Path("nowhere") + "/uedit32.ini\n"},
        {"Eclipse Galileo/Helios", "brelm %col% %LINE%", "Installed tool brelm in Eclipse Galileo/Helios.\n",
         true},   // exact spelling only
        // The whole line counts, the program word too.
        {"Pspad", "%Col%brelm", "%Col% is not supported for Pspad\n"},
    };
    for (const Case& c : cases) {
        bool result = session->InstallTool(c.target, Path("nowhere"), "brelm", "", c.commandLine, "", false);
        EXPECT_EQ(result, c.result) << c.target << " " << c.commandLine;
        EXPECT_EQ(Lines(), c.line) << c.target;   // a refusal reads nothing before: no missing-file line
    }
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Error reading the input file: " + Path("nowhere") +
                                                 "/default.conf does not exist"});
}

TEST_F(Install, ThePspadToolTakesThePreparedProgramAndItsArgumentsAsWritten) {
    PspadAt("pspad");
    ScopedEnvironment env({{"SystemRoot", "C:\\Windows"}});
    EXPECT_TRUE(session->InstallTool("Pspad", Path("pspad"), "brelm", "%GRInstallDir%",
                                     "\"%GRInstallDir%/brelm %SystemRoot%\"  -i  \"%File%\" %Line% %SelText% %GRInstallDir%",
                                     "log", false));
    EXPECT_EQ(Links(), "WWW\n+Tools\n" + pspadblockhead + "\"" + Path("bin") +
                           "/brelm C:\\Windows\"\n"
                           "\t\tParams=-i \"%File%\" %Line% %SelText% %GRInstallDir%\n"
                           "\t\tDefaultDir=%GRInstallDir%\n\t\tCaptureOutp=1\n\t\tLogParser=log\n\t\tLogType=0\n");
    ScopedEnvironment::Set("SystemRoot", std::nullopt);
    session->flags.overwrite = true;
    EXPECT_TRUE(session->InstallTool("Pspad", Path("pspad"), "brelm", "", "%SystemRoot%\\x.exe", "", false));
    EXPECT_EQ(Links(), "WWW\n+Tools\n" + pspadblockhead +
                           "\\x.exe\n\t\tParams=\n\t\tDefaultDir=\n\t\tCaptureOutp=1\n\t\tLogParser=\n\t\tLogType=0\n");
}

TEST_F(Install, TheDispatchTakesPspadOnlyWithAFolderAndNoWriterChangesNothing) {
    for (std::string target : {"Pspad", "no such target", "pspad"}) {
        EXPECT_TRUE(session->InstallTool(target, target == "Pspad" ? "" : Path("x"), "brelm", "", "brelm", "", false));
        EXPECT_FALSE(session->InstallTool(target, "", "brelm", "", "", "", true));
    }
    EXPECT_EQ(Lines(), "");
    EXPECT_FALSE(Exists("backups"));
}

TEST_F(Install, TheMainRoadWritesBacksUpAndRecords) {
    PspadAt("pspad");
    session->tools = {{"brelm", "/opt/brelm -i %File%", "", "", "Textpad 5,Pspad"}};
    session->InstallSelectedTools("Pspad", "", {0});
    EXPECT_EQ(Lines(), "Installed tool brelm in Pspad.\n");
    EXPECT_EQ(session->tools[0].installedin, "Textpad 5,Pspad");
    EXPECT_NE(Links().find(pspadblockhead + "/opt/brelm\n\t\tParams=-i %File%\n"), std::string::npos);
    ASSERT_EQ(session->backups.size(), 1u);
    EXPECT_EQ(session->backups[0].name, "Pspad");
    EXPECT_EQ(session->backups[0].explanation, "before installing brelm backup");
    EXPECT_EQ(Read(session->backups[0].location.substr(folder.path().string().size() + 1)), "WWW\n+Tools\n");
    EXPECT_TRUE(session->IsToolPresent("Pspad", Path("pspad"), "brelm"));
    // Again, declined: nothing changes.
    prompter.answers = {"no"};
    std::string before = Links();
    session->InstallSelectedTools("Pspad", "", {0});
    EXPECT_EQ(prompter.Texts(ScriptedPrompter::Box::YesNo),
              std::vector<std::string>{"brelm tool already exists.Should I overwrite it?"});
    EXPECT_EQ(Lines(), "");
    EXPECT_EQ(Links(), before);
    EXPECT_EQ(session->backups.size(), 1u);
}

TEST_F(Install, AFailedBackupCancelsTheInstall) {
    PspadAt("pspad");
    session->tools = {{"brelm", "brelm", "", "", ""}};
    session->backupDirectory = "";
    session->InstallSelectedTools("Pspad", "", {0});
    EXPECT_EQ(Lines(), "could not backup Pspad. Installation cancelled\n");
    EXPECT_EQ(Links(), "WWW\n+Tools\n");
    EXPECT_EQ(session->tools[0].installedin, "");
}

TEST_F(Install, TheDriversMessagesInTheirOrder) {
    session->tools = {{"a", "a.exe", "", "", ""}, {"empty", "", "", "", ""}, {"b", "b.exe", "", "", ""}};
    session->InstallSelectedTools("", "", {});
    EXPECT_EQ(Lines(), "Select an IDE/Text Editor for installation.\n");
    session->InstallSelectedTools("Pspad", "", {});
    EXPECT_EQ(Lines(), "Select tool(s) to install to continue.\n");
    // A tool without a command line is passed over before the running check.
    running = {"PSPad.exe"};
    session->InstallSelectedTools("Pspad", "", {2, 1, 0});
    EXPECT_EQ(Lines(), "Pspad is running.Please close the program.\nPspad is running.Please close the program.\n");
    running = {};
    session->InstallSelectedTools("Pspad", "", {0, 1, 2});
    EXPECT_EQ(Lines(), "Directory is not set for Pspad\nDirectory is not set for Pspad\n");
    session->InstallSelectedTools("no such target", "", {0, 7});
    EXPECT_EQ(Lines(), "Directory is not set for no such target\n");
}

TEST_F(Install, ARunningTheIdeOnlyWarnsAndTheRowsGoInOrder) {
    std::filesystem::create_directories(folder / "upp/UppLocal");
    session->targets = {{"Ultimate++ IDE", Path("upp")}};
    session->tools = {{"a", "a.exe", "", "", ""}, {"b", "b.exe", "", "", ""}};
    running = {"theide"};
    session->InstallSelectedTools("Ultimate++ IDE", "", {1, 0});
    EXPECT_EQ(Lines(), "Restart Ultimate++ IDE to see changes.\nInstalled tool a in Ultimate++ IDE.\n"
                       "Restart Ultimate++ IDE to see changes.\nInstalled tool b in Ultimate++ IDE.\n");
    EXPECT_EQ(session->tools[1].installedin, "Ultimate++ IDE");
    EXPECT_TRUE(session->backups.empty());   // the macro files were new
}

TEST_F(Install, TheChosenWorkspaceWinsOverTheEclipseRow) {
    session->targets = {{"Eclipse Galileo/Helios", ""}, {"Eclipse Galileo/Helios", Path("ws")}};
    session->tools = {{"a", "a.exe", "", "", ""}};
    session->InstallSelectedTools("Eclipse Galileo/Helios", "", {0});
    EXPECT_EQ(Lines(), "Directory is not set for Eclipse Galileo/Helios\n");   // the first row's
    session->InstallSelectedTools("Eclipse Galileo/Helios", Path("ws"), {0});
    EXPECT_EQ(Lines(), "Installed tool a in Eclipse Galileo/Helios.\n");
    EXPECT_TRUE(Exists("ws/.metadata/.plugins/org.eclipse.debug.core/.launches/a.launch"));
    // The workspace counts for Eclipse only.
    session->InstallSelectedTools("Pspad", Path("ws"), {0});
    EXPECT_EQ(Lines(), "Directory is not set for Pspad\n");
}

TEST_F(Install, TheCheckOnlyQuestionNeitherChecksTheProcessesNorTheFolder) {
    running = {"PSPad.exe"};
    EXPECT_FALSE(session->IsToolPresent("Pspad", "", "brelm"));
    EXPECT_FALSE(session->IsToolPresent("Pspad", Path("missing"), "brelm"));
    EXPECT_FALSE(session->IsToolPresent("Ultimate++ IDE", "", "brelm"));
    EXPECT_EQ(processListings, 0);
    EXPECT_EQ(Lines(), "");
    EXPECT_TRUE(prompter.shown.empty());
}

}  // namespace

namespace {

TEST_F(Install, TheCommandLineInstallsItsToolThroughTheDriver) {
    Write("pspad/links.ini", "WWW\n+Tools\n");
    Write("bin/gantrel.xml", "<Gantrel><tools><tool><name>other</name><cmdline>o</cmdline></tool>"
                             "<tool><name>brelm</name><cmdline>brelm</cmdline><installedin>Gone</installedin></tool>"
                             "</tools><ides><ide><name>Pspad</name><dir>" + Path("pspad") + "</dir></ide></ides></Gantrel>");
    CommandLineOptions options;
    options.ide = "Pspad";
    options.toolName = "brelm";
    options.noGui = true;
    session->StartUp(options);
    EXPECT_EQ(session->CommandLineInstall(), std::optional<size_t>(1));
    EXPECT_EQ(Lines(), "Installed tool brelm in Pspad.\n");
    EXPECT_EQ(session->tools[1].installedin, "Gone,Pspad");   // not recomputed without a window
    EXPECT_EQ(session->backups.size(), 1u);
    EXPECT_EQ(processListings, 1);
    // With a window the column is recomputed afterwards; the tool is there already.
    auto windowed = MakeSession();
    options.noGui = false;
    options.overwrite = true;
    windowed->StartUp(options);
    windowed->CommandLineInstall();
    EXPECT_EQ(windowed->tools[1].installedin, "Pspad");   // no target is named Gone
    EXPECT_EQ(windowed->tools[0].installedin, "");
}

}  // namespace
