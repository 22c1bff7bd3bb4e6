// Installing from the command line: tolvane -nogui -if FILE -e TARGET -it TOOL [-o].
#include "tolvanerun.h"

#include <regex>

namespace {

const std::string header = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>";

struct Tool {
    std::string name, cmdline, installedin;
};

std::string toolelement(const Tool& tool) {
    return CrLf({"\t\t<tool>", "\t\t\t<name>" + tool.name + "</name>", "\t\t\t<cmdline>" + tool.cmdline + "</cmdline>",
                 "\t\t\t<curdir>/work</curdir>", "\t\t\t<logparser>%F:%L</logparser>",
                 "\t\t\t<installedin>" + tool.installedin + "</installedin>", "\t\t</tool>"});
}

std::string linksblock(const std::string& name, const std::string& program, const std::string& params) {
    return "\t" + name + "\n\t\tCommand=" + program + "\n\t\tParams=" + params +
           "\n\t\tDefaultDir=/work\n\t\tCaptureOutp=1\n\t\tLogParser=%F:%L\n\t\tLogType=0\n";
}

size_t Occurrences(const std::string& text, const std::string& piece) {
    size_t count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size())) ++count;
    return count;
}

const std::string links = "[Config]\nWWW\nhttp://example.org\n+Tools\n\tbrelm (all files)\n\t\tCommand=all\n+Other\n";

}  // namespace

class CommandLineInstall : public TolvaneTest {
protected:
    void SetUp() override {
        TolvaneTest::SetUp();
        Write("pspad/links.ini", links);
        std::filesystem::create_directories(root / "backups");
    }
    // The settings file with these tools, the targets' folders and the backup directory.
    void Settings(const std::vector<Tool>& tools, const std::vector<std::pair<std::string, std::string>>& targets,
                  const std::string& backupdir) {
        std::string text = CrLf({header, "<!DOCTYPE Gantrel>", "<Gantrel>"});
        if (tools.empty()) {
            text += CrLf({"\t<tools/>"});
        } else {
            text += CrLf({"\t<tools>"});
            for (const Tool& tool : tools) text += toolelement(tool);
            text += CrLf({"\t</tools>"});
        }
        text += CrLf({"\t<ides>"});
        for (const auto& [name, dir] : targets)
            text += CrLf({"\t\t<ide>", "\t\t\t<name>" + name + "</name>", "\t\t\t<dir>" + dir + "</dir>", "\t\t</ide>"});
        text += CrLf({"\t</ides>", "\t<backupdir>" + backupdir + "</backupdir>", "</Gantrel>"});
        Write("s.xml", text);
    }
    void PspadSettings(const std::string& cmdline, const std::string& installedin = "") {
        Settings({{"brelm", cmdline, installedin}}, {{"Pspad", Path("pspad")}}, Path("backups"));
    }
    programresult Install(const std::string& target, const std::string& tool, std::vector<std::string> more = {},
                          const std::optional<std::string>& input = std::nullopt) {
        std::vector<std::string> arguments = {"-nogui", "-if", Path("s.xml"), "-e", target, "-it", tool};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return Tolvane(arguments, input);
    }
    std::vector<std::string> Backups(const std::string& target) const { return Listing("backups/" + target); }
};

TEST_F(CommandLineInstall, TheMainRoad) {
    PspadSettings("%GRInstallDir%/brelm -i %File% -l %Line%", "Textpad 5");
    programresult r = Install("Pspad", "brelm");
    EXPECT_EQ(r.exitcode, 0);
    EXPECT_EQ(r.err, "Installed tool brelm in Pspad.\nDone\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Read("pspad/links.ini"), "[Config]\nWWW\nhttp://example.org\n+Tools\n\tbrelm (all files)\n\t\tCommand=all\n" +
                                           linksblock("brelm", bin.string() + "/brelm", "-i %File% -l %Line%") + "+Other\n");
    std::vector<std::string> files = Backups("Pspad");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(std::regex_match(files[0], std::regex("[0-9a-f]{32}links\\.ini"))) << files[0];
    EXPECT_EQ(Read("backups/Pspad/" + files[0]), links);
    std::smatch time;
    std::string list = Read("backups/backuplist.xml");
    ASSERT_TRUE(std::regex_search(list, time, std::regex("<time>(\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d)</time>")));
    EXPECT_EQ(list, CrLf({header, "<!DOCTYPE backups>", "<backups>", "\t<backup>", "\t\t<name>Pspad</name>",
                          "\t\t<time>" + time[1].str() + "</time>",
                          "\t\t<explanation>before installing brelm backup</explanation>",
                          "\t\t<location>" + Path("backups/Pspad/" + files[0]) + "</location>", "\t</backup>",
                          "</backups>"}));
    EXPECT_NE(Read("s.xml").find("\t\t\t<installedin>Textpad 5,Pspad</installedin>\r\n"), std::string::npos);
}

TEST_F(CommandLineInstall, AnInstalledToolIsReplacedOnlyWhenAllowed) {
    PspadSettings("brelm -v");
    ASSERT_EQ(Install("Pspad", "brelm").err, "Installed tool brelm in Pspad.\nDone\n");
    std::string installed = Read("pspad/links.ini");
    PspadSettings("brelm2 -w");
    // The question reads standard input; its end means No.
    programresult r = Install("Pspad", "brelm");
    EXPECT_EQ(r.err, "brelm tool already exists.Should I overwrite it?\nDone\n");
    EXPECT_EQ(Read("pspad/links.ini"), installed);
    EXPECT_EQ(Backups("Pspad").size(), 1u);
    r = Install("Pspad", "brelm", {}, "no\n");
    EXPECT_EQ(Read("pspad/links.ini"), installed);
    r = Install("Pspad", "brelm", {}, "y\n");
    EXPECT_EQ(r.err, "brelm tool already exists.Should I overwrite it?\nInstalled tool brelm in Pspad.\nDone\n");
    std::string replaced = "[Config]\nWWW\nhttp://example.org\n+Tools\n\tbrelm (all files)\n\t\tCommand=all\n" +
                           linksblock("brelm", "brelm2", "-w") + "+Other\n";
    EXPECT_EQ(Read("pspad/links.ini"), replaced);
    PspadSettings("brelm3");
    r = Install("Pspad", "brelm", {"-o"});
    EXPECT_EQ(r.err, "Installed tool brelm in Pspad.\nDone\n");
    EXPECT_EQ(Read("pspad/links.ini"), "[Config]\nWWW\nhttp://example.org\n+Tools\n\tbrelm (all files)\n\t\tCommand=all\n" +
                                           linksblock("brelm", "brelm3", "") + "+Other\n");
    // Every change was backed up first, each under a name of its own.
    std::vector<std::string> files = Backups("Pspad");
    ASSERT_EQ(files.size(), 3u);
    std::vector<std::string> contents;
    for (const std::string& file : files) contents.push_back(Read("backups/Pspad/" + file));
    std::sort(contents.begin(), contents.end());
    std::vector<std::string> expected = {links, installed, replaced};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(contents, expected);
}

TEST_F(CommandLineInstall, TwoQuickRunsMakeTwoBackups) {
    PspadSettings("brelm");
    ASSERT_EQ(Install("Pspad", "brelm").err, "Installed tool brelm in Pspad.\nDone\n");
    ASSERT_EQ(Install("Pspad", "brelm", {"-o"}).err, "Installed tool brelm in Pspad.\nDone\n");
    ASSERT_EQ(Install("Pspad", "brelm", {"-o"}).err, "Installed tool brelm in Pspad.\nDone\n");
    EXPECT_EQ(Backups("Pspad").size(), 3u);
    std::string list = Read("backups/backuplist.xml");
    EXPECT_EQ(Occurrences(list, "\t<backup>\r\n"), 3u);
}

TEST_F(CommandLineInstall, ARunningPspadBlocksTheInstall) {
    PspadSettings("brelm");
    for (const char* name : {"PSPad.exe", "PSPad"}) {
        std::filesystem::create_directories(root / "editor");
        std::filesystem::copy_file("/bin/sleep", root / "editor" / name);
        {
            BackgroundProcess editor((root / "editor" / name).string(), {"60"});
            programresult r = Install("Pspad", "brelm");
            EXPECT_EQ(r.err, "Pspad is running.Please close the program.\nDone\n") << name;
        }
        EXPECT_EQ(Read("pspad/links.ini"), links);
    }
    // Another case is another program.
    std::filesystem::copy_file("/bin/sleep", root / "editor/pspad.exe");
    BackgroundProcess other((root / "editor/pspad.exe").string(), {"60"});
    EXPECT_EQ(Install("Pspad", "brelm").err, "Installed tool brelm in Pspad.\nDone\n");
    EXPECT_EQ(Backups("Pspad").size(), 1u);
}

TEST_F(CommandLineInstall, RefusalsAndMissingFolders) {
    Settings({{"col", "brelm -c %Col%", ""}, {"line", "brelm -l %Line%", ""}, {"empty", "", ""}},
             {{"Pspad", Path("pspad")}, {"Eclipse Galileo/Helios", Path("ws")}}, Path("backups"));
    EXPECT_EQ(Install("Pspad", "col").err, "%Col% is not supported for Pspad\nDone\n");
    EXPECT_EQ(Install("Eclipse Galileo/Helios", "line").err, "%Line% is not supported for Eclipse Galileo/Helios\nDone\n");
    EXPECT_EQ(Install("Pspad", "empty").err, "Done\n");
    EXPECT_EQ(Install("Ultimate++ IDE", "line").err, "Directory is not set for Ultimate++ IDE\nDone\n");
    EXPECT_EQ(Read("pspad/links.ini"), links);
    EXPECT_FALSE(Exists("backups/Pspad"));
    // A links file without the tools section.
    Write("pspad/links.ini", "+Tools\n");
    EXPECT_EQ(Install("Pspad", "line").err,
              "Install failed,could not find the +Tools section in configuration file for Pspad:" +
                  Path("pspad/links.ini") + "\nDone\n");
    std::filesystem::remove(root / "pspad/links.ini");
    EXPECT_EQ(Install("Pspad", "line").err,
              "Configuration file for Pspad is not found:" + Path("pspad/links.ini") + "\nDone\n");
}

TEST_F(CommandLineInstall, AFailedBackupCancelsTheInstall) {
    Write("plain", "a file");
    Settings({{"brelm", "brelm", ""}}, {{"Pspad", Path("pspad")}}, Path("plain/backups"));
    programresult r = Install("Pspad", "brelm");
    EXPECT_EQ(r.err, "could not backup Pspad. Installation cancelled\nDone\nError saving the " +
                         Path("plain/backups/backuplist.xml") + " file!\n");
    EXPECT_EQ(Read("pspad/links.ini"), links);
    EXPECT_NE(Read("s.xml").find("\t\t\t<installedin></installedin>\r\n"), std::string::npos);
}

TEST_F(CommandLineInstall, TheIdeMacrosByteForByte) {
    std::filesystem::create_directories(root / "upp/UppLocal");
    Settings({{"brelm", "brelm -i %File% -s %SelText%", ""}}, {{"Ultimate++ IDE", Path("upp")}}, Path("backups"));
    programresult r = Install("Ultimate++ IDE", "brelm");
    EXPECT_EQ(r.err, "Installed tool brelm in Ultimate++ IDE.\nDone\n");
    EXPECT_EQ(Read("upp/UppLocal/tool_d43ade19cbd1815adf90ae8140b227ef.usc"),
              "macro \"brelm\" { .SaveCurrentFile();\n"
              "if(GetSelCount()>0) selection=Get(GetSelBegin(), GetSelCount());else selection=\"\";\n"
              ".Execute(\"brelm \"+\"-i \"\n+FileName()+\" -s \"\n+selection+\"\");}");
    EXPECT_FALSE(Exists("backups/Ultimate++ IDE"));   // a new macro needs no backup
    // A running theide only warns.
    std::filesystem::create_directories(root / "editor");
    std::filesystem::copy_file("/bin/sleep", root / "editor/theide");
    BackgroundProcess editor((root / "editor/theide").string(), {"60"});
    r = Install("Ultimate++ IDE", "brelm", {"-o"});
    EXPECT_EQ(r.err, "Restart Ultimate++ IDE to see changes.\nInstalled tool brelm in Ultimate++ IDE.\nDone\n");
    EXPECT_EQ(Listing("backups/Ultimate++ IDE").size(), 1u);
}
