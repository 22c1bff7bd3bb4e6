// Restore: copied files back into their targets (theide and Eclipse into the writers'
// subfolders), TextPad's file and registry values, EditPadPro's tools into the registry or
// the ini file, and the refusals that leave everything as it was.
#include "core/digest.h"
#include "core/registry.h"
#include "core/savefile.h"
#include "core/targetlocations.h"
#include "registryfixtures.h"
#include "sessiontest.h"

#include <sys/stat.h>

namespace {

const std::string prefs = "Software\\JGsoft\\EditPadPro6\\EPPrefs";
const std::string textpadkey = "Software\\Helios\\TextPad 5\\Tools\\0";
const std::string stem = "0123456789abcdef0123456789ABCDEF";
const std::string launches = ".metadata/.plugins/org.eclipse.debug.core/.launches";

class Restore : public SessionTest {
protected:
    void SetUp() override { Prepare(); }
    void Prepare() {
        session->flags.noGui = true;
        session->backupDirectory = Path("backups");
        session->tools = {{"brelm", "", "", "", ""}};
    }
    std::string Lines() {
        std::string text = err.str();
        err.str("");
        return text;
    }
    std::string Relative(const std::string& path) const { return path.substr(folder.path().string().size() + 1); }
    std::string Value(const std::string& key, const std::string& name) const {
        registryvalue raw;
        if (session->registry.queryvalue(key, name, raw) != registryok) return "missing";
        return std::to_string(raw.type) + ":" + raw.data;
    }
    bool KeyExists(const std::string& key) const { return session->registry.openkey(key) == registryok; }
    // The backup of the target's file as the session writes it; its row.
    size_t BackUp(const std::string& target, const std::string& file, const std::string& extra = "") {
        EXPECT_TRUE(session->WriteBackup(target, "mine", Path(file), extra)) << target;
        return session->backups.size() - 1;
    }
    // A row for backup files written by the test, under a name made like the session's.
    size_t Listed(const std::string& target, const std::string& tail, const std::string& content) {
        std::string name = "backups/" + target + "/" + stem + tail;
        Write(name, content);
        session->backups.push_back({target, "01/01/2024 10:00:00", "by hand", Path(name)});
        return session->backups.size() - 1;
    }
    bool Install(const std::string& target, const std::string& location, const std::string& commandLine) {
        return session->InstallTool(target, location, "brelm", "/work", commandLine, "", false);
    }
    std::vector<std::string> Entries(const std::string& name) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder / name))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

const std::string pspadwithbrelm = "WWW\r\n+Tools\r\n\tbrelm\r\n\t\tCommand=brelm\r\n";

}  // namespace

// Copied files

TEST_F(Restore, APspadBackupGoesBackOverLinksIniEveryTimeAndTheListStays) {
    Write("pspad/links.ini", pspadwithbrelm);
    session->targets = {{"Pspad", Path("pspad")}};
    size_t row = BackUp("Pspad", "pspad/links.ini");
    Write("pspad/links.ini", "WWW\r\n+Tools\r\n");
    const std::vector<BackupRecord> listed = session->backups;
    for (int time = 0; time < 2; ++time) {
        session->tools[0].installedin = "";
        session->RestoreBackup(row);
        EXPECT_EQ(Lines(), "Restored backup for Pspad\n");
        EXPECT_EQ(Read("pspad/links.ini"), pspadwithbrelm);
        EXPECT_EQ(session->tools[0].installedin, "Pspad");   // recomputed
        Write("pspad/links.ini", "changed");
    }
    EXPECT_EQ(session->backups.size(), listed.size());
    EXPECT_EQ(session->backups[0].location, listed[0].location);
    EXPECT_EQ(Read(Relative(listed[0].location)), pspadwithbrelm);
    EXPECT_EQ(Entries("pspad"), std::vector<std::string>{"links.ini"});   // no temporary file stays
}

TEST_F(Restore, NoCursorRowDoesNothing) {
    Listed("Pspad", "links.ini", "x");
    session->RestoreBackup(std::nullopt);
    session->RestoreBackup(1);
    EXPECT_EQ(Lines(), "");
    EXPECT_EQ(processListings, 0);
}

TEST_F(Restore, ARemovedTargetRowOrAMissingPlaceTouchesNothing) {
    Write("pspad/links.ini", "current");
    size_t row = Listed("Pspad", "links.ini", "backed up");
    session->targets = {{"Ultraedit 16", Path("pspad")}};
    session->RestoreBackup(row);
    EXPECT_EQ(Lines(), "could not restore Pspad\n");
    session->targets = {{"Pspad", Path("gone")}, {"Pspad", Path("pspad")}};   // the first row counts
    session->RestoreBackup(row);
    EXPECT_EQ(Lines(), "could not restore Pspad\n");
    session->targets = {{"Pspad", ""}};
    session->RestoreBackup(row);
    EXPECT_EQ(Lines(), "could not restore Pspad\n");
    EXPECT_EQ(Read("pspad/links.ini"), "current");
    EXPECT_FALSE(Exists("gone"));
}

TEST_F(Restore, ALocationNotNamedByADigestIsRefused) {
    Write("pspad/links.ini", "current");
    session->targets = {{"Pspad", Path("pspad")}};
    for (const std::string& name : std::vector<std::string>{"short.ini", stem, "0123456789abcdef0123456789abcdeXlinks.ini", ""}) {
        Write("backups/" + (name.empty() ? "x" : name), "backed up");
        session->backups = {{"Pspad", "t", "e", name.empty() ? "" : Path("backups/" + name)}};
        session->RestoreBackup(0);
        EXPECT_EQ(Lines(), "could not restore Pspad\n") << name;
    }
    EXPECT_EQ(Read("pspad/links.ini"), "current");
    EXPECT_EQ(Entries("pspad"), std::vector<std::string>{"links.ini"});
}

// A file that is missing, empty, no regular file or outside the backup directory (links
// resolved) is no backup: the target stays as it is, and the reason is given.
TEST_F(Restore, OnlyABackupIsWrittenBack) {
    Write("pspad/links.ini", "current");
    session->targets = {{"Pspad", Path("pspad")}};
    const std::string backups = "backups/Pspad/" + stem;
    Write("outside/" + stem + "links.ini", "elsewhere");
    std::filesystem::create_directories(folder / (backups + "folder.ini"));
    ASSERT_EQ(::mkfifo(Path(backups + "fifo.ini").c_str(), 0600), 0);
    std::filesystem::create_symlink(folder / "outside" / (stem + "links.ini"), folder / (backups + "link.ini"));
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"backups/Pspad/" + stem + "gone.ini", "does not exist"},
        {backups + "folder.ini", "is a folder"},
        {backups + "fifo.ini", "is not a regular file"},
        {"outside/" + stem + "links.ini", "is outside the backup directory"},
        {backups + "link.ini", "is outside the backup directory"},
    };
    for (const auto& [file, reason] : refused) {
        session->backups = {{"Pspad", "t", "e", Path(file)}};
        session->RestoreBackup(0);
        EXPECT_EQ(Lines(), "could not restore Pspad:" + Path(file) + " " + reason + "\n");
    }
    session->RestoreBackup(Listed("Pspad", "empty.ini", ""));
    EXPECT_EQ(Lines(), "could not restore Pspad:" + Path(backups + "empty.ini") + " is empty\n");
    EXPECT_EQ(Read("pspad/links.ini"), "current");
    EXPECT_EQ(Entries("pspad"), std::vector<std::string>{"links.ini"});
}

TEST_F(Restore, ARunningTargetRefusesAndTheIdeOnlyNeedsARestart) {
    Write("pspad/links.ini", "current");
    session->targets = {{"Pspad", Path("pspad")}};
    size_t row = Listed("Pspad", "links.ini", "backed up");
    running = {"PSPad"};
    session->RestoreBackup(row);
    EXPECT_EQ(Lines(), "Pspad is running.Please close the program.\n");
    EXPECT_EQ(Read("pspad/links.ini"), "current");

    std::filesystem::create_directories(folder / "theide/UppLocal");
    session->targets = {{"Ultimate++ IDE", Path("theide")}};
    row = Listed("Ultimate++ IDE", "tool_x.usc", "macro");
    running = {"theide.exe"};
    session->RestoreBackup(row);
    EXPECT_EQ(Lines(), "Restart Ultimate++ IDE to see changes.\nRestored backup for Ultimate++ IDE\n");
    EXPECT_EQ(Read("theide/UppLocal/tool_x.usc"), "macro");
}

TEST_F(Restore, TheFileFoundIgnoringCaseIsReplaced) {
    Write("ue/UEDIT32.INI", "[ToolConfig]\r\nCmd0=old\r\n");
    session->targets = {{"Ultraedit 16", Path("ue") + "/"}};
    size_t row = Listed("Ultraedit 16", "Uedit32.ini", "[ToolConfig]\r\nCmd0=backed up\r\n");
    session->RestoreBackup(row);
    EXPECT_EQ(Lines(), "Restored backup for Ultraedit 16\n");
    EXPECT_EQ(Read("ue/UEDIT32.INI"), "[ToolConfig]\r\nCmd0=backed up\r\n");
    EXPECT_EQ(Entries("ue"), std::vector<std::string>{"UEDIT32.INI"});
}

TEST_F(Restore, AStudioBackupGoesOverTheSettingsFileItself) {
    const std::string file = "home/Documents/Visual Studio 2010/Settings/CurrentSettings.vssettings";
    Write(file, "<UserSettings>original</UserSettings>");
    session->studioNames = {"Visual Studio 2010"};
    session->targets = {{"Visual Studio 2010", Path(file)}};
    size_t row = BackUp("Visual Studio 2010", file);
    Write(file, "<UserSettings>changed</UserSettings>");
    session->RestoreBackup(row);
    EXPECT_EQ(Lines(), "Restored backup for Visual Studio 2010\n");
    EXPECT_EQ(Read(file), "<UserSettings>original</UserSettings>");
}

TEST_F(Restore, TheIdeAndEclipseFilesGoBackWhereTheWritersKeepThem) {
    std::filesystem::create_directories(folder / "theide/UppLocal");
    std::filesystem::create_directories(folder / "ws/.metadata");
    session->flags.overwrite = true;
    const std::string macro = "theide/UppLocal/tool_" + Md5Hex("brelm") + ".usc";
    const std::string launch = "ws/" + launches + "/brelm.launch";
    for (const auto& [target, dir, file] : {std::tuple{"Ultimate++ IDE", "theide", macro},
                                            std::tuple{"Eclipse Galileo/Helios", "ws", launch}}) {
        session->targets = {{target, Path(dir)}};
        ASSERT_TRUE(Install(target, Path(dir), "first %File%"));
        const std::string first = Read(file);
        ASSERT_TRUE(Install(target, Path(dir), "second %File%"));   // backs up the first one
        ASSERT_NE(Read(file), first);
        Lines();
        session->RestoreBackup(session->backups.size() - 1);
        EXPECT_EQ(Lines(), "Restored backup for " + std::string(target) + "\n");
        EXPECT_EQ(Read(file), first) << target;
        EXPECT_EQ(session->tools[0].installedin, target);
    }
    // Nothing lands in the folders themselves.
    EXPECT_EQ(Entries("theide"), std::vector<std::string>{"UppLocal"});
    EXPECT_EQ(Entries("ws"), std::vector<std::string>{".metadata"});
    // The launches folder is made again as the writer makes it; a missing UppLocal is not.
    std::filesystem::remove_all(folder / "ws/.metadata/.plugins");
    session->RestoreBackup(session->backups.size() - 1);
    EXPECT_EQ(Lines(), "Restored backup for Eclipse Galileo/Helios\n");
    EXPECT_TRUE(Exists(launch));
    std::filesystem::remove_all(folder / "theide/UppLocal");
    session->targets = {{"Ultimate++ IDE", Path("theide")}};
    session->RestoreBackup(0);
    EXPECT_EQ(Lines(), "could not restore Ultimate++ IDE:file copy error\n");
    EXPECT_EQ(Entries("theide"), std::vector<std::string>{});
}

// TextPad

TEST_F(Restore, TextPadPutsBackTheFileAndWithOverwriteTheToolsValues) {
    const std::string config = "<GUI><NormalLayout><CommandBars><CommandBars><CommandBar Class=\"CXTPToolBar\">"
                               "<Controls><Control Id=\"32854\"/></Controls></CommandBar></CommandBars></CommandBars>"
                               "</NormalLayout></GUI>";
    Write("textpad/config.xml", config);
    session->targets = {{"Textpad 5", Path("textpad")}};
    ASSERT_TRUE(Install("Textpad 5", Path("textpad"), "first.exe %File%"));   // a new tool: overwrite false
    const std::string configfirst = Read("textpad/config.xml");
    const std::string parameters = Value(textpadkey, "Parameters"), properties = Value(textpadkey, "Properties");
    ASSERT_EQ(properties.substr(0, 2), "3:");
    session->flags.overwrite = true;
    ASSERT_TRUE(Install("Textpad 5", Path("textpad"), "second.exe %File%"));   // the first one's values kept
    ASSERT_TRUE(session->registry.setvalue(textpadkey, "Properties", {regbinary, "changed"}) == registryok);
    Write("textpad/config.xml", "<GUI/>");
    Lines();

    session->tools[0].installedin = "";
    session->RestoreBackup(1);
    EXPECT_EQ(Lines(), "restored backup for Textpad 5\n");
    EXPECT_EQ(Read("textpad/config.xml"), configfirst);
    EXPECT_EQ(Value(textpadkey, "Parameters"), parameters);
    EXPECT_EQ(Value(textpadkey, "Properties"), properties);   // raw bytes again
    EXPECT_EQ(Value(textpadkey, "MenuText"), Sz("brelm"));
    EXPECT_EQ(session->tools[0].installedin, "Textpad 5");

    // The first backup preceded a new tool: only config.xml goes back, "Installed in" stays.
    const std::string registry = Read("registry.reg");
    session->tools[0].installedin = "as it was";
    session->RestoreBackup(0);
    EXPECT_EQ(Lines(), "restored backup for Textpad 5\n");
    EXPECT_EQ(Read("textpad/config.xml"), config);
    EXPECT_EQ(Read("registry.reg"), registry);
    EXPECT_EQ(session->tools[0].installedin, "as it was");
}

TEST_F(Restore, ATextPadRecordThatCannotBeFollowedChangesNothing) {
    Write("textpad/config.xml", "<GUI>current</GUI>");
    session->targets = {{"Textpad 5", Path("textpad")}};
    Write("registry.reg", RegistryFile({{textpadkey, {"\"Parameters\"=\"current\""}}}));
    session = MakeSession();
    Prepare();
    session->targets = {{"Textpad 5", Path("textpad")}};
    const std::string registry = Read("registry.reg");
    const std::string records[] = {
        "<registry><overwrite>true</overwrite><Parameters>x</Parameters><toolno>0</toolno></registry>",
        "<registry><overwrite>true</overwrite><Parameters>x</Parameters></registry>",
        "<registry><overwrite>true</overwrite><toolno>zero</toolno><Parameters>x</Parameters></registry>",
        "<registry><overwrite>true</overwrite><toolno>-1</toolno><Parameters>x</Parameters></registry>",
        "<registry><overwrite>true</overwrite><toolno>0</toolno><Parameters>x</Parameters>"
        "<Properties>0g</Properties></registry>",
        "<registry><overwrite>true</overwrite><toolno>0</toolno><Parameters>x</Parameters>",   // no XML
        "<!-- no element -->",
        "",
    };
    for (const std::string& record : records) {
        size_t row = Listed("Textpad 5", "config.xml", "<GUI>backed up</GUI>");
        const std::string companion = session->backups[row].location + "2";
        if (!record.empty()) Write(Relative(companion), record);
        else std::filesystem::remove(companion);
        session->RestoreBackup(row);
        EXPECT_EQ(Lines(), "could not restore Textpad 5" + (record.empty() ? ":" + companion + " does not exist" : "") + "\n")
            << record;
        EXPECT_EQ(Read("textpad/config.xml"), "<GUI>current</GUI>");
        EXPECT_EQ(Read("registry.reg"), registry);
    }
    // TextPad's folder must exist.
    size_t row = Listed("Textpad 5", "config.xml", "<GUI>backed up</GUI>");
    Write(Relative(session->backups[row].location) + "2", "<registry/>");
    session->targets = {{"Textpad 5", Path("textpad/config.xml")}};
    session->RestoreBackup(row);
    EXPECT_EQ(Lines(), "could not restore Textpad 5\n");
}

TEST_F(Restore, AFailedTextPadRegistryWriteKeepsWhatWasWritten) {
    std::filesystem::create_directories(folder / "reg");
    session = MakeSession(Path("reg/registry.reg"));
    Prepare();
    Write("textpad/config.xml", "<GUI>current</GUI>");
    session->targets = {{"Textpad 5", Path("textpad")}};
    size_t row = Listed("Textpad 5", "config.xml", "<GUI>backed up</GUI>");
    Write(Relative(session->backups[row].location) + "2",
          "<registry><overwrite>true</overwrite><toolno>0</toolno><Parameters>x</Parameters></registry>");
    // The store's folder becomes a file: no write can be saved.
    std::filesystem::rename(folder / "reg", folder / "away");
    Write("reg", "blocking file");
    session->RestoreBackup(row);
    EXPECT_EQ(Lines(), "could not restore Textpad 5:could not write registry\n");
    EXPECT_EQ(Read("textpad/config.xml"), "<GUI>backed up</GUI>");   // copied before the registry
}

// EditPadPro 6 in the registry

namespace {

std::string fivetools() {
    return RegistryFile({{prefs + "\\Pro", {"\"ToolCount\"=dword:00000005"}},
                         {prefs + "\\Tool0", {"\"Caption\"=\"tool0\"", "\"Hint\"=\"old hint\""}},
                         {prefs + "\\Tool1", {"\"Caption\"=\"tool1\""}},
                         {prefs + "\\Tool2", {"\"Caption\"=\"tool2\""}},
                         {prefs + "\\Tool3", {"\"Caption\"=\"tool3\""}},
                         {prefs + "\\Tool3\\Inner", {"\"x\"=\"y\""}},
                         {prefs + "\\tool4", {"\"Caption\"=\"tool4\""}},
                         {prefs + "\\Tool05", {"\"Caption\"=\"not tool 5\""}},
                         {prefs + "\\Tool7", {"\"Caption\"=\"above the count\""}}});
}

const std::string twotoolsdocument =
    "<?xml version=\"1.0\"?><!DOCTYPE Editpadpro><!-- a comment --><Editpadpro><tools>"
    "<tool><Caption type=\"1\">brelm</Caption><ShortCut type=\"4\">16</ShortCut></tool>"
    "<tool><Caption type=\"1\">grep</Caption><Blob type=\"3\">00ff0a</Blob><Big type=\"11\">-5</Big></tool>"
    "</tools></Editpadpro>";

}  // namespace

class RestoreEditPadPro6 : public Restore {
protected:
    void SetUp() override {
        Write("registry.reg", fivetools());
        session = MakeSession();
        Prepare();
        session->targets = {{"EditPadPro 6", "located in registry"}};
    }
};

TEST_F(RestoreEditPadPro6, TwoToolsOverFiveRenumbersAndDeletesTheKeysAbove) {
    size_t row = Listed("EditPadPro 6", "editpadpro.xml", twotoolsdocument);
    session->tools = {{"brelm", "", "", "", ""}, {"tool3", "", "", "", ""}};
    std::string first;
    for (int time = 0; time < 2; ++time) {
        session->RestoreBackup(row);
        EXPECT_EQ(Lines(), "Restored backup for EditPadPro 6\n");
        EXPECT_EQ(Value(prefs + "\\Tool0", "Caption"), Sz("brelm"));
        EXPECT_EQ(Value(prefs + "\\Tool0", "ShortCut"), std::string("4:\x10\0\0\0", 6));
        EXPECT_EQ(Value(prefs + "\\Tool0", "Hint"), Sz("old hint"));   // values are set, none taken away
        EXPECT_EQ(Value(prefs + "\\Tool1", "Caption"), Sz("grep"));
        EXPECT_EQ(Value(prefs + "\\Tool1", "Blob"), std::string("3:\x00\xff\x0a", 5));
        EXPECT_EQ(Value(prefs + "\\Tool1", "Big"), std::string("11:\xfb\xff\xff\xff\xff\xff\xff\xff", 11));
        EXPECT_FALSE(KeyExists(prefs + "\\Tool2"));
        EXPECT_TRUE(KeyExists(prefs + "\\Tool3"));   // it has a subkey
        EXPECT_FALSE(KeyExists(prefs + "\\Tool4"));
        EXPECT_TRUE(KeyExists(prefs + "\\Tool05"));   // not "Tool" + 5
        EXPECT_TRUE(KeyExists(prefs + "\\Tool7"));    // above the old count
        EXPECT_EQ(Value(prefs + "\\Pro", "ToolCount"), std::string("4:\x02\0\0\0", 6));
        if (time == 0) first = Read("registry.reg");
    }
    EXPECT_EQ(Read("registry.reg"), first);   // the second time changes nothing more
    EXPECT_EQ(session->tools[0].installedin, "EditPadPro 6");
    EXPECT_EQ(session->tools[1].installedin, "EditPadPro 6");   // tool3's key stayed
}

TEST_F(RestoreEditPadPro6, AFailedWriteStopsBeforeAnyDeleteOrCount) {
    size_t row = Listed("EditPadPro 6", "editpadpro.xml",
                        "<Editpadpro><tools><tool><Caption type=\"1\">brelm</Caption></tool>"
                        "<tool><Caption type=\"1\">grep</Caption><ShortCut type=\"4\">many</ShortCut></tool>"
                        "<tool><Caption type=\"1\">sed</Caption></tool></tools></Editpadpro>");
    session->RestoreBackup(row);
    EXPECT_EQ(Lines(), "could not restore EditPadPro 6:could not write registry\n");
    EXPECT_EQ(Value(prefs + "\\Tool0", "Caption"), Sz("brelm"));   // written before the failure
    EXPECT_EQ(Value(prefs + "\\Tool1", "Caption"), Sz("grep"));
    EXPECT_EQ(Value(prefs + "\\Tool2", "Caption"), Sz("tool2"));
    EXPECT_TRUE(KeyExists(prefs + "\\Tool4"));
    EXPECT_EQ(Value(prefs + "\\Pro", "ToolCount"), std::string("4:\x05\0\0\0", 6));
}

TEST_F(RestoreEditPadPro6, AStoreThatCannotBeSavedFailsAtTheFirstWrite) {
    std::filesystem::create_directories(folder / "reg");
    Write("reg/registry.reg", fivetools());
    session = MakeSession(Path("reg/registry.reg"));
    Prepare();
    session->targets = {{"EditPadPro 6", "located in registry"}};
    size_t row = Listed("EditPadPro 6", "editpadpro.xml", twotoolsdocument);
    std::filesystem::rename(folder / "reg", folder / "away");
    Write("reg", "blocking file");
    session->RestoreBackup(row);
    EXPECT_EQ(Lines(), "could not restore EditPadPro 6:could not write registry\n");
    EXPECT_EQ(Value(prefs + "\\Tool0", "Caption"), Sz("tool0"));
    EXPECT_TRUE(KeyExists(prefs + "\\Tool2"));
}

TEST_F(RestoreEditPadPro6, ADocumentWithoutToolsRemovesThemAll) {
    for (const char* document : {"<Editpadpro/>", "<Editpadpro><tools/></Editpadpro>"}) {
        Write("registry.reg", fivetools());
        session = MakeSession();
        Prepare();
        session->targets = {{"EditPadPro 6", "located in registry"}};
        session->RestoreBackup(Listed("EditPadPro 6", "editpadpro.xml", document));
        EXPECT_EQ(Lines(), "Restored backup for EditPadPro 6\n") << document;
        EXPECT_FALSE(KeyExists(prefs + "\\Tool0"));
        EXPECT_TRUE(KeyExists(prefs + "\\Tool3"));
        EXPECT_EQ(Value(prefs + "\\Pro", "ToolCount"), std::string("4:\0\0\0\0", 6));
    }
}

TEST_F(RestoreEditPadPro6, AChangedStorageRefusesWithTheRestoresOwnWording) {
    Write("epp6/EditPadPro.ini", "[Pro]\r\nToolCount=0\r\n");
    size_t row = Listed("EditPadPro 6", "editpadpro.xml", twotoolsdocument);
    const std::string registry = Read("registry.reg");
    session->targets = {{"EditPadPro 6", Path("epp6")}};
    session->RestoreBackup(row);
    EXPECT_EQ(Lines(), "EditPadPro is NOW stored in registry, not in an ini file, use autodetect.\n"
                       "could not restore EditPadPro 6\n");
    Write("registry.reg", "Windows Registry Editor Version 5.00\r\n");
    session = MakeSession();
    Prepare();
    session->backups = {{"EditPadPro 6", "t", "e", Path("backups/EditPadPro 6/" + stem + "editpadpro.xml")}};
    session->targets = {{"EditPadPro 6", "located in registry"}};
    session->RestoreBackup(0);
    EXPECT_EQ(Lines(), "EditPadPro is NOW stored in an ini file, not in registry, use autodetect.\n"
                       "could not restore EditPadPro 6\n");
    EXPECT_EQ(Read("epp6/EditPadPro.ini"), "[Pro]\r\nToolCount=0\r\n");
    EXPECT_EQ(Read("registry.reg"), "Windows Registry Editor Version 5.00\r\n");
}

// EditPadPro ini files

TEST_F(Restore, AnEditPadPro7IniKeepsItsOtherSectionsAndGetsTheToolsAtTheEnd) {
    Write("epp7/EditPadPro7.ini",
          "[Tool3]\r\nCaption=before pro\r\n[Pro]\r\nToolCount=2\r\nOther=1\r\n[Tool0]\r\nCaption=a\r\n"
          "[Toolbar]\r\nButtons=3\r\n[Tool1]\r\nCaption=b\r\nToolCount=9\r\n[Tool]\r\nKept=1\r\n"
          "[ToolX1]\r\nKept=2\r\n[Colors]\r\nBack=0");
    session->targets = {{"EditPadPro 7", Path("epp7")}};
    size_t row = Listed("EditPadPro 7", "editpadpro.xml",
                        "<Editpadpro version=\"EditPadPro 7\"><tools><tool><Caption type=\"1\">new</Caption>"
                        "<CommandLine type=\"1\">x &amp; y</CommandLine><Empty type=\"1\"/></tool></tools>"
                        "</Editpadpro>");
    session->RestoreBackup(row);
    EXPECT_EQ(Lines(), "Restored backup for EditPadPro 7\n");
    EXPECT_EQ(Read("epp7/EditPadPro7.ini"),
              "[Pro]\r\nToolCount=1\r\nOther=1\r\n[Toolbar]\r\nButtons=3\r\n[Tool]\r\nKept=1\r\n[ToolX1]\r\nKept=2\r\n"
              "[Colors]\r\nBack=0\r\n[Tool0]\r\nCaption=new\r\nCommandLine=x & y\r\nEmpty=\r\n");
}

TEST_F(Restore, AnIniWithoutAProSectionGetsOne) {
    Write("epp7/EditPadPro7.ini", "[Colors]\nBack=0\n[Tool0]\nCaption=a\n");
    session->targets = {{"EditPadPro 7", Path("epp7")}};
    session->RestoreBackup(Listed("EditPadPro 7", "editpadpro.xml",
                                  "<Editpadpro><tools><tool><Caption type=\"1\">b</Caption></tool>"
                                  "<tool><Caption type=\"1\">c</Caption></tool></tools></Editpadpro>"));
    EXPECT_EQ(Lines(), "Restored backup for EditPadPro 7\n");
    EXPECT_EQ(Read("epp7/EditPadPro7.ini"),
              "[Colors]\r\nBack=0\r\n[Pro]\r\nToolCount=2\r\n[Tool0]\r\nCaption=b\r\n[Tool1]\r\nCaption=c\r\n");
}

TEST_F(Restore, TheIniOfTheTargetRowsFolderIsRestoredNotTheDefaultOne) {
    const std::string fallback = "appdata/JGsoft/EditPad Pro 7/EditPadPro7.ini";
    Write(fallback, "[Pro]\r\nToolCount=0\r\n");
    Write("mine/editpadpro7.ini", "[Pro]\r\nToolCount=0\r\n");
    session->targets = {{"EditPadPro 7", Path("mine")}};
    session->RestoreBackup(Listed("EditPadPro 7", "editpadpro.xml",
                                  "<Editpadpro><tools><tool><Caption type=\"1\">b</Caption></tool></tools></Editpadpro>"));
    EXPECT_EQ(Lines(), "Restored backup for EditPadPro 7\n");
    EXPECT_EQ(Read("mine/editpadpro7.ini"), "[Pro]\r\nToolCount=1\r\n[Tool0]\r\nCaption=b\r\n");
    EXPECT_EQ(Read(fallback), "[Pro]\r\nToolCount=0\r\n");
    EXPECT_EQ(Entries("mine"), std::vector<std::string>{"editpadpro7.ini"});
}

TEST_F(Restore, AnEditPadPro6IniBackupRoundTripsThroughAnInstall) {
    const std::string ini = "[Pro]\r\nToolCount=1\r\n[Tool0]\r\nCaption=grep\r\nCommandLine=grep -n\r\nShortCut=0\r\n";
    Write("epp6/EditPadPro.ini", ini);
    session->targets = {{"EditPadPro 6", Path("epp6")}};
    size_t row = BackUp("EditPadPro 6", "epp6/EditPadPro.ini");
    ASSERT_TRUE(Install("EditPadPro 6", Path("epp6"), "brelm %File%"));
    ASSERT_NE(Read("epp6/EditPadPro.ini"), ini);
    Lines();
    session->RestoreBackup(row);
    EXPECT_EQ(Lines(), "Restored backup for EditPadPro 6\n");
    EXPECT_EQ(Read("epp6/EditPadPro.ini"), ini);
    EXPECT_EQ(session->tools[0].installedin, "");   // brelm is gone again
}

TEST_F(Restore, EditPadPro6IniValuesGoIntoTheCodePage) {
    Write("epp6/EditPadPro.ini", "[Pro]\r\nToolCount=0\r\n");
    session->codePage = 1252;
    session->targets = {{"EditPadPro 6", Path("epp6")}};
    session->RestoreBackup(Listed("EditPadPro 6", "editpadpro.xml",
                                  "<Editpadpro><tools><tool><Caption type=\"1\">caf\xC3\xA9</Caption></tool>"
                                  "</tools></Editpadpro>"));
    EXPECT_EQ(Lines(), "Restored backup for EditPadPro 6\n");
    EXPECT_EQ(Read("epp6/EditPadPro.ini"), "[Pro]\r\nToolCount=1\r\n[Tool0]\r\nCaption=caf\xE9\r\n");
    // EditPadPro 7 keeps UTF-8.
    Write("epp7/EditPadPro7.ini", "[Pro]\r\nToolCount=0\r\n");
    session->targets = {{"EditPadPro 7", Path("epp7")}};
    session->RestoreBackup(Listed("EditPadPro 7", "editpadpro.xml",
                                  "<Editpadpro><tools><tool><Caption type=\"1\">caf\xC3\xA9</Caption></tool>"
                                  "</tools></Editpadpro>"));
    EXPECT_EQ(Read("epp7/EditPadPro7.ini"), "[Pro]\r\nToolCount=1\r\n[Tool0]\r\nCaption=caf\xC3\xA9\r\n");
}

TEST_F(Restore, EditPadProFailuresNameTheirReasonFirst) {
    const std::string document = "<Editpadpro><tools><tool><Caption type=\"1\">b</Caption></tool></tools></Editpadpro>";
    session->targets = {{"EditPadPro 7", Path("epp7")}};
    std::string missing = Path("backups/EditPadPro 7/" + stem + "editpadpro.xml");
    session->backups = {{"EditPadPro 7", "t", "e", missing}};
    session->RestoreBackup(0);
    EXPECT_EQ(Lines(), "could not restore EditPadPro 7:" + missing + " does not exist\n");

    size_t row = Listed("EditPadPro 7", "editpadpro.xml", document);
    session->RestoreBackup(row);
    EXPECT_EQ(Lines(), "Configuration file for EditPadPro is not found:" + Path("epp7") +
                           "/EditPadPro7.ini\ncould not restore EditPadPro 7\n");
    Write("epp7/EditPadPro7.ini", "");
    session->RestoreBackup(row);
    EXPECT_EQ(Lines(), "could not open configuration file for EditPadPro:" + Path("epp7") +
                           "/EditPadPro7.ini\ncould not restore EditPadPro 7\n");
    // A link to a file nothing can be written beside.
    std::filesystem::remove(folder / "epp7/EditPadPro7.ini");
    std::filesystem::create_symlink("/proc/version", folder / "epp7/EditPadPro7.ini");
    session->RestoreBackup(row);
    EXPECT_EQ(Lines(), "Restore configuration failed,could not save configuration file for EditPadPro:" +
                           Path("epp7") + "/EditPadPro7.ini\ncould not restore EditPadPro 7\n");
}

TEST_F(Restore, ABrokenDocumentChangesNothing) {
    const std::string ini = "[Pro]\r\nToolCount=1\r\n[Tool0]\r\nCaption=a\r\n";
    Write("epp7/EditPadPro7.ini", ini);
    session->targets = {{"EditPadPro 7", Path("epp7")}};
    for (const char* document : {"<Editpadpro><tools><tool>", "<Editpadpro></tools></Editpadpro>", "not xml", "<?xml version=\"1.0\"?>"}) {
        session->RestoreBackup(Listed("EditPadPro 7", "editpadpro.xml", document));
        EXPECT_EQ(Lines(), "could not restore EditPadPro 7\n") << document;
        EXPECT_EQ(Read("epp7/EditPadPro7.ini"), ini);
    }
}
