// Target locations: Set directory/file with its tests per target, and Autodetect over the
// default locations.
#include "registryfixtures.h"
#include "sessiontest.h"

namespace {

class TargetPath : public SessionTest {
protected:
    void SetUp() override { session->flags.noGui = true; }
    std::string Lines() {
        std::string text = err.str();
        err.str("");
        return text;
    }
    // Set directory/file on a lone row of that target, the dialog answered with the path.
    std::string Choose(const std::string& target, const std::optional<std::string>& answer) {
        session->targets = {{target, "old"}};
        prompter.answers = {answer};
        session->SetTargetPath(0);
        return session->targets[0].dir;
    }
    void MakeFolder(const std::string& name) const { std::filesystem::create_directories(folder / name); }
};

struct Row {
    std::string target, entry;
    bool folder;
    std::string failure;
};

const Row rows[] = {
    {"Pspad", "LINKS.INI", false, "This is not a Pspad root directory"},
    {"Ultimate++ IDE", "UppLocal", true, "This is not a Ultimate++ IDE root directory"},
    {"Ultraedit 16", "uedit32.ini", false, "Cannot find Ultraedit configurationfile Uedit32.ini"},
    {"Code::Blocks 8-10", "default.conf", false, "Cannot find Code::Blocks configurationfile default.conf"},
    {"Eclipse Galileo/Helios", ".metadata", true, "The directory is not a workspace directory, .metadata is missing"},
    {"Textpad 5", "Config.XML", false, "Cannot find TextPad 5 configuration file, config.xml is missing"},
    {"EditPlus 3.2", "tool_u.ini", false, "Cannot find EditPlus configuration file, tool_u.ini is missing"},
    {"EditPadPro 6", "editpadpro.ini", false, "Cannot find EditPadPro configuration file, EditPadPro.ini is missing"},
    {"EditPadPro 7", "EditPadPro7.ini", false, "Cannot find EditPadPro configuration file, EditPadPro7.ini is missing"},
};

}  // namespace

TEST_F(TargetPath, EachTargetTestsItsEntryInTheChosenFolder) {
    for (const Row& row : rows) {
        const std::string good = "good/" + row.target, bad = "bad/" + row.target, wrong = "wrong/" + row.target;
        MakeFolder(bad);
        if (row.folder) {
            MakeFolder(good + "/" + row.entry);
            Write(wrong + "/" + row.entry, "a file, not a folder");
        } else {
            Write(good + "/" + row.entry, "x");   // names differ in case from the table's
            MakeFolder(wrong + "/" + row.entry);
        }
        EXPECT_EQ(Choose(row.target, Path(good)), Path(good)) << row.target;
        EXPECT_EQ(Lines(), "");
        for (const std::string& failing : {bad, wrong}) {
            EXPECT_EQ(Choose(row.target, Path(failing)), "old") << failing;
            EXPECT_EQ(Lines(), row.failure + "\n");
        }
        EXPECT_EQ(Choose(row.target, ""), "old");
        EXPECT_EQ(Lines(), row.failure + "\n");
    }
    // Folder choosers with an empty title, one per choice.
    EXPECT_EQ(prompter.Texts(ScriptedPrompter::Box::Folder), std::vector<std::string>(std::size(rows) * 4, ""));
    EXPECT_TRUE(prompter.Texts(ScriptedPrompter::Box::OpenFile).empty());
}

TEST_F(TargetPath, TheIdeFolderIsTheWritersSpelling) {
    MakeFolder("theide/upplocal");
    EXPECT_EQ(Choose("Ultimate++ IDE", Path("theide")), "old");
    EXPECT_EQ(Lines(), "This is not a Ultimate++ IDE root directory\n");
}

TEST_F(TargetPath, AStudioTargetChoosesAnExistingFile) {
    session->studioNames = {"Visual Studio 2010"};
    Write("vs/Current.vssettings", "<UserSettings/>");
    EXPECT_EQ(Choose("Visual Studio 2010", Path("vs/Current.vssettings")), Path("vs/Current.vssettings"));
    EXPECT_EQ(Lines(), "");
    EXPECT_EQ(Choose("Visual Studio 2010", Path("vs")), "old");
    EXPECT_EQ(Lines(), "Cannot find Visual Studio 2010 configuration file:" + Path("vs") + "\n");
    EXPECT_EQ(Choose("Visual Studio 2010", Path("vs/none.vssettings")), "old");
    EXPECT_EQ(Lines(), "Cannot find Visual Studio 2010 configuration file:" + Path("vs/none.vssettings") + "\n");
    EXPECT_EQ(prompter.Texts(ScriptedPrompter::Box::OpenFile), std::vector<std::string>(3, "Open"));
    EXPECT_TRUE(prompter.Texts(ScriptedPrompter::Box::Folder).empty());
}

TEST_F(TargetPath, CancelOrNoRowOrAnUnknownNameSaysNothing) {
    EXPECT_EQ(Choose("Pspad", std::nullopt), "old");
    session->studioNames = {"Visual Studio 2010"};
    EXPECT_EQ(Choose("Visual Studio 2010", std::nullopt), "old");
    MakeFolder("any");
    EXPECT_EQ(Choose("Notepad", Path("any")), "old");
    EXPECT_EQ(Lines(), "");
    session->SetTargetPath(std::nullopt);
    session->SetTargetPath(5);
    session->AutodetectTarget(std::nullopt);
    session->AutodetectTarget(5);
    EXPECT_EQ(prompter.shown.size(), 3u);
    EXPECT_EQ(Lines(), "");
}

TEST_F(TargetPath, AGivenLocationIsTestedSilentlyAndNotStored) {
    Write("pspad/links.ini", "");
    session->targets = {{"Pspad", "old"}};
    std::string location = Path("pspad");
    EXPECT_TRUE(session->ValidateTargetPath("Pspad", location, true));
    location = Path("nowhere");
    EXPECT_FALSE(session->ValidateTargetPath("Pspad", location, true));
    EXPECT_EQ(location, Path("nowhere"));
    EXPECT_EQ(session->targets[0].dir, "old");
    EXPECT_EQ(Lines(), "");
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(TargetPath, AutodetectFindsTheDefaultFoldersUnderAppData) {
    struct Case {
        std::string target, file;
    } cases[] = {
        {"Ultraedit 16", "appdata/IDMComp/UltraEdit/uedit32.INI"},
        {"Code::Blocks 8-10", "appdata/codeblocks/default.conf"},
        {"Textpad 5", "appdata/Helios/TextPad/5.0/config.xml"},
        {"EditPlus 3.2", "appdata/EditPlus 3/tool_u.ini"},
        {"EditPadPro 6", "appdata/JGsoft/EditPad Pro 6/EditPadPro.ini"},
        {"EditPadPro 7", "appdata/JGsoft/EditPad Pro 7/EditPadPro7.ini"},
    };
    for (const Case& c : cases) {
        session->targets = {{"Pspad", "pspad"}, {c.target, "old"}};
        session->AutodetectTarget(1);
        EXPECT_EQ(Lines(), "could not detect(not installed?): " + c.target + "\n");   // no validation line
        EXPECT_EQ(session->targets[1].dir, "old");
        Write(c.file, "x");
        session->AutodetectTarget(1);
        std::string folderpath = Path(c.file.substr(0, c.file.rfind('/')));
        EXPECT_EQ(Lines(), "autodetected " + c.target + " in " + folderpath + "\n");
        EXPECT_EQ(session->targets[1].dir, folderpath);
        EXPECT_EQ(session->targets[0].dir, "pspad");
    }
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(TargetPath, AutodetectTakesEditPadPro6InTheRegistryWithoutATest) {
    Write("registry.reg", RegistryFile({{"Software\\JGsoft\\EditPadPro6\\EPPrefs", {"\"x\"=\"y\""}}}));
    session = MakeSession();
    session->flags.noGui = true;
    session->targets = {{"EditPadPro 6", Path("somewhere")}};
    session->AutodetectTarget(0);
    EXPECT_EQ(Lines(), "autodetected EditPadPro 6 in located in registry\n");
    EXPECT_EQ(session->targets[0].dir, "located in registry");
}

TEST_F(TargetPath, AutodetectIsNotSupportedForTheOthers) {
    session->studioNames = {"Visual Studio 2010"};
    for (const std::string target : {"Pspad", "Ultimate++ IDE", "Eclipse Galileo/Helios", "Visual Studio 2010", "Notepad"}) {
        session->targets = {{target, "old"}};
        session->AutodetectTarget(0);
        EXPECT_EQ(Lines(), "the detection of this is (not supported): " + target + "\n");
        EXPECT_EQ(session->targets[0].dir, "old");
    }
}
