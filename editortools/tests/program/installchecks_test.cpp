// What stops an install from the command line before anything is read or written: the
// placeholders a target cannot express, and a running editor (theide and Eclipse only warn).
#include "tolvanerun.h"

#include <memory>

namespace {

const std::string header = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>";

struct Tool {
    std::string name, cmdline;
};

class InstallChecks : public TolvaneTest {
protected:
    void SetUp() override {
        TolvaneTest::SetUp();
        std::filesystem::create_directories(root / "backups");
    }
    void Settings(const std::vector<Tool>& tools, const std::vector<std::pair<std::string, std::string>>& targets) {
        std::string text = CrLf({header, "<!DOCTYPE Gantrel>", "<Gantrel>", "\t<tools>"});
        for (const Tool& tool : tools)
            text += CrLf({"\t\t<tool>", "\t\t\t<name>" + tool.name + "</name>", "\t\t\t<cmdline>" + tool.cmdline + "</cmdline>",
                          "\t\t\t<curdir>/work</curdir>", "\t\t\t<logparser></logparser>", "\t\t\t<installedin></installedin>",
                          "\t\t</tool>"});
        text += CrLf({"\t</tools>", "\t<ides>"});
        for (const auto& [name, dir] : targets)
            text += CrLf({"\t\t<ide>", "\t\t\t<name>" + name + "</name>", "\t\t\t<dir>" + dir + "</dir>", "\t\t</ide>"});
        text += CrLf({"\t</ides>", "\t<backupdir>" + Path("backups") + "</backupdir>", "</Gantrel>"});
        Write("s.xml", text);
    }
    std::string Install(const std::string& target, const std::string& tool) {
        return Tolvane({"-nogui", "-if", Path("s.xml"), "-e", target, "-it", tool}).err;
    }
    // A copy of sleep under the editor's program name, running until the object goes.
    std::unique_ptr<BackgroundProcess> Editor(const std::string& name) {
        std::filesystem::create_directories(root / "editor");
        std::filesystem::copy_file("/bin/sleep", root / "editor" / name, std::filesystem::copy_options::overwrite_existing);
        return std::make_unique<BackgroundProcess>((root / "editor" / name).string(), std::vector<std::string>{"60"});
    }
};

const std::string codeblocks = header + "\n<CodeBlocksConfig>\n<tools>\n</tools>\n</CodeBlocksConfig>\n";
const std::string uedit = CrLf({"[Tools]", "Tool Menu0=\"\"", "Tool Cmd0=\"\""});

}  // namespace

TEST_F(InstallChecks, EachTargetRefusesThePlaceholdersItCannotExpress) {
    Write("cb/default.conf", codeblocks);
    Write("epp6/EditPadPro.ini", "[Pro]\r\nToolCount=0\r\n");
    Settings({{"sel", "brelm -s %SelText%"}, {"col", "brelm -c %Col%"}, {"line", "brelm -l %Line%"}},
             {{"Code::Blocks 8-10", Path("cb")}, {"EditPadPro 6", Path("epp6")}, {"Eclipse Galileo/Helios", Path("ws")}});
    EXPECT_EQ(Install("Code::Blocks 8-10", "sel"), "%SelText% is not supported for Code::Blocks 8-10\nDone\n");
    EXPECT_EQ(Install("EditPadPro 6", "sel"), "%SelText% is not supported for EditPadPro 6\nDone\n");
    EXPECT_EQ(Install("Eclipse Galileo/Helios", "col"), "%Col% is not supported for Eclipse Galileo/Helios\nDone\n");
    EXPECT_EQ(Install("Eclipse Galileo/Helios", "line"), "%Line% is not supported for Eclipse Galileo/Helios\nDone\n");
    EXPECT_EQ(Read("cb/default.conf"), codeblocks);
    EXPECT_EQ(Read("epp6/EditPadPro.ini"), "[Pro]\r\nToolCount=0\r\n");
    EXPECT_FALSE(Exists("ws"));
    EXPECT_EQ(Listing("backups"), std::vector<std::string>{"backuplist.xml"});
    // What one target refuses another takes.
    EXPECT_EQ(Install("Code::Blocks 8-10", "col"), "Installed tool col in Code::Blocks 8-10.\nDone\n");
    EXPECT_NE(Read("cb/default.conf").find("<![CDATA[-c ${ACTIVE_EDITOR_COLUMN}]]>"), std::string::npos);
}

TEST_F(InstallChecks, ARunningUltraEditIsClosedFirstARunningEclipseOnlyNeedsARestart) {
    Write("ue/uedit32.ini", uedit);
    std::filesystem::create_directories(root / "ws/.metadata");
    Settings({{"brelm", "brelm -i %File%"}}, {{"Ultraedit 16", Path("ue")}, {"Eclipse Galileo/Helios", Path("ws")}});
    for (const char* name : {"Uedit32.exe", "Uedit32"}) {
        std::unique_ptr<BackgroundProcess> editor = Editor(name);
        EXPECT_EQ(Install("Ultraedit 16", "brelm"), "Ultraedit 16 is running.Please close the program.\nDone\n") << name;
    }
    EXPECT_EQ(Read("ue/uedit32.ini"), uedit);
    EXPECT_FALSE(Exists("backups/Ultraedit 16"));
    std::unique_ptr<BackgroundProcess> eclipse = Editor("eclipse");
    EXPECT_EQ(Install("Eclipse Galileo/Helios", "brelm"),
              "Restart Eclipse Galileo/Helios to see changes.\nInstalled tool brelm in Eclipse Galileo/Helios.\nDone\n");
    EXPECT_TRUE(Exists("ws/.metadata/.plugins/org.eclipse.debug.core/.launches/brelm.launch"));
    // Once the editor has gone, the install goes ahead.
    EXPECT_EQ(Install("Ultraedit 16", "brelm"), "Installed tool brelm in Ultraedit 16.\nDone\n");
    EXPECT_EQ(Read("ue/uedit32.ini"), CrLf({"[Tools]", "Tool Menu0=\"brelm\"", "Tool Cmd0=\"brelm -i %F\""}));
}
