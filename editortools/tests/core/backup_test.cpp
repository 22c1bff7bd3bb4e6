// Backups: the file names, the user's Backup button, the files per target, and the automatic
// backup's refusals.
#include "core/registry.h"
#include "core/targetlocations.h"
#include "scopedenvironment.h"
#include "sessiontest.h"

#include <ctime>
#include <regex>

namespace {

const std::string header = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\r\n";

std::string md5(const std::string& text);

class Backup : public SessionTest {
protected:
    void SetUp() override {
        session->flags.noGui = true;
        session->backupDirectory = Path("backups");
    }
    std::string Lines() {
        std::string text = err.str();
        err.str("");
        return text;
    }
    // The user's backup of the target row with that description.
    void UserBackup(const TargetRecord& row, const std::optional<std::string>& description = "mine") {
        session->targets = {row};
        prompter.answers = {description};
        session->BackupTarget(0);
    }
    // The path relative to the folder.
    std::string Relative(const std::string& path) const { return path.substr(folder.path().string().size() + 1); }
};

// Whether the stem is the digest of the time of a second within [from, to], target and counter.
bool NamedAt(const std::string& stem, std::time_t from, std::time_t to, const std::string& target, uint32_t counter);

TEST_F(Backup, AUserBackupOfPspadIsAByteCopyNamedByTheDigest) {
    Write("pspad/links.ini", "WWW\r\n+Tools\r\n\xFF\x00x");
    std::time_t from = std::time(nullptr);
    UserBackup({"Pspad", Path("pspad")}, "before the upgrade");
    std::time_t to = std::time(nullptr);
    EXPECT_EQ(Lines(), "Backed up Pspad (the links).\n");
    EXPECT_EQ(prompter.Texts(ScriptedPrompter::Box::EditText), std::vector<std::string>{"Description:"});
    ASSERT_EQ(session->backups.size(), 1u);
    const BackupRecord& row = session->backups[0];
    EXPECT_EQ(row.name, "Pspad");
    EXPECT_EQ(row.explanation, "before the upgrade");
    EXPECT_TRUE(std::regex_match(row.time, std::regex(R"(\d\d/\d\d/\d{4} \d\d:\d\d:\d\d)"))) << row.time;
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(row.location, parts, std::regex(Path("backups") + "/Pspad/([0-9a-f]{32})links\\.ini")))
        << row.location;
    EXPECT_TRUE(NamedAt(parts[1], from, to, "Pspad", 1));
    EXPECT_EQ(Read(Relative(row.location)), Read("pspad/links.ini"));
    EXPECT_EQ(session->backupCounter, 1u);
}

TEST_F(Backup, TheSameFolderWithOrWithoutATrailingSlashAndANewNameEachTime) {
    Write("pspad/links.ini", "WWW\n");
    UserBackup({"Pspad", Path("pspad")});
    session->backupDirectory = Path("backups") + "/";
    UserBackup({"Pspad", Path("pspad")});
    ASSERT_EQ(session->backups.size(), 2u);
    EXPECT_EQ(FolderOf(session->backups[0].location), FolderOf(session->backups[1].location));
    EXPECT_NE(session->backups[0].location, session->backups[1].location);
    EXPECT_EQ(session->backupCounter, 2u);
    EXPECT_EQ(Lines(), "Backed up Pspad (the links).\nBacked up Pspad (the links).\n");
}

TEST_F(Backup, AnExistingFileIsNeverOverwritten) {
    // The names counter 1 gives in this second and the next are taken already.
    std::time_t now = std::time(nullptr);
    for (std::time_t t : {now, now + 1})
        Write("backups/Pspad/" + md5(FormatLogTime(t) + "Pspad1") + "links.ini", "older backup");
    uint32_t counter = 0;
    std::string path = NewBackupPath(Path("backups"), "Pspad", "links.ini", counter);
    EXPECT_EQ(counter, 2u);
    EXPECT_FALSE(std::filesystem::exists(path));
    // A second session starts its counter at 0 again.
    Write("pspad/links.ini", "WWW\n");
    UserBackup({"Pspad", Path("pspad")});
    auto other = MakeSession();
    other->backupDirectory = session->backupDirectory;
    other->targets = session->targets;
    prompter.answers = {"again"};
    other->BackupTarget(0);
    ASSERT_EQ(other->backups.size(), 1u);
    EXPECT_NE(other->backups[0].location, session->backups.at(0).location);
    EXPECT_EQ(Read(Relative(session->backups[0].location)), "WWW\n");
    EXPECT_EQ(Read(Relative(other->backups[0].location)), "WWW\n");
}

TEST_F(Backup, NoBackupWithoutABackupDirectoryOrAtTheRoot) {
    Write("pspad/links.ini", "WWW\n");
    for (std::string directory : {"", "/", "//"}) {
        session->backupDirectory = directory;
        UserBackup({"Pspad", Path("pspad")});
        EXPECT_EQ(Lines(), "could not backup the tools of Pspad\n") << directory;
        EXPECT_FALSE(session->BackupBeforeInstall("Pspad", "brelm", Path("pspad/links.ini"), ""));
        EXPECT_EQ(Lines(), "could not backup Pspad. Installation cancelled\n");
    }
    EXPECT_TRUE(session->backups.empty());
    uint32_t counter = 0;
    EXPECT_EQ(NewBackupPath("/", "Pspad", "links.ini", counter), "");
}

TEST_F(Backup, TargetsWithoutAUserBackupAndOtherCasesWithoutAFile) {
    for (std::string target : {"Textpad 5", "Ultimate++ IDE", "Eclipse Galileo/Helios"}) {
        UserBackup({target, Path("x")});
        EXPECT_EQ(Lines(), "user initiated backup of all tools is not supported for " + target + "\n");
    }
    EXPECT_TRUE(prompter.Texts(ScriptedPrompter::Box::EditText).empty());
    UserBackup({"Pspad", Path("pspad")}, std::nullopt);   // cancelled
    EXPECT_EQ(Lines(), "");
    session->BackupTarget(std::nullopt);
    session->BackupTarget(5);
    EXPECT_EQ(Lines(), "");
    UserBackup({"Pspad", Path("pspad")});   // no links.ini
    Write("pspad/links.ini", "");
    UserBackup({"Pspad", Path("pspad")});
    Write("links.ini", "WWW\n");   // a row without a folder never means the current folder's file
    UserBackup({"Pspad", ""});
    UserBackup({"Some editor", Path("pspad")});
    EXPECT_EQ(Lines(), "could not backup the tools of Pspad\ncould not backup the tools of Pspad\n"
                       "could not backup the tools of Pspad\ncould not backup the tools of Some editor\n");
    EXPECT_TRUE(session->backups.empty());
    EXPECT_FALSE(Exists("backups"));
}

TEST_F(Backup, EachTargetsFileAndWord) {
    Write("ue/uedit32.ini", "ue");
    Write("cb/default.conf", "cb");
    Write("ep/tool_u.ini", "ep");
    Write("studio/CurrentSettings.vssettings", "vs");
    session->studioNames = {"Visual Studio 2010"};
    struct Case {
        TargetRecord row;
        std::string folder, file, line;
    } cases[] = {
        {{"Ultraedit 16", Path("ue")}, "Ultraedit 16", "uedit32.ini", "Backed up Ultraedit 16 (the whole configuration).\n"},
        {{"Code::Blocks 8-10", Path("cb/")}, "Code  Blocks 8-10", "default.conf",
         "Backed up Code::Blocks 8-10 (the whole configuration).\n"},
        {{"EditPlus 3.2", Path("ep")}, "EditPlus 3.2", "tool_u.ini", "Backed up EditPlus 3.2 (all tools).\n"},
        {{"Visual Studio 2010", Path("studio/CurrentSettings.vssettings")}, "Visual Studio 2010",
         "CurrentSettings.vssettings", "Backed up Visual Studio 2010 (the whole configuration).\n"},
    };
    for (const Case& c : cases) {
        UserBackup(c.row);
        EXPECT_EQ(Lines(), c.line);
        const std::string& location = session->backups.back().location;
        EXPECT_TRUE(std::regex_match(location, std::regex(Path("backups") + "/" + c.folder + "/[0-9a-f]{32}" + c.file)))
            << location;
        EXPECT_EQ(Read(Relative(location)), Read(Relative(TargetConfigFile(c.row, session->studioNames))));
    }
}

TEST_F(Backup, TheTextPadBackupHasACompanionFile) {
    Write("tp/config.xml", "<config/>");
    ASSERT_TRUE(session->WriteBackup("Textpad 5", "d", Path("tp/config.xml"), "Tool1=brelm"));
    ASSERT_TRUE(session->WriteBackup("Textpad 5", "d", Path("tp/config.xml"), ""));
    ASSERT_EQ(session->backups.size(), 2u);
    for (const BackupRecord& row : session->backups) {
        EXPECT_TRUE(std::regex_match(row.location, std::regex(Path("backups") + "/Textpad 5/[0-9a-f]{32}config\\.xml")));
        EXPECT_EQ(Read(Relative(row.location)), "<config/>");
    }
    EXPECT_EQ(Read(Relative(session->backups[0].location + "2")), "Tool1=brelm");
    EXPECT_TRUE(Exists(Relative(session->backups[1].location + "2")));
    EXPECT_EQ(Read(Relative(session->backups[1].location + "2")), "");
    EXPECT_FALSE(session->WriteBackup("Textpad 5", "d", Path("tp/missing.xml"), "x"));
}

TEST_F(Backup, AFolderThatCannotBeMadeFailsTheBackup) {
    Write("plain", "a file");
    Write("pspad/links.ini", "WWW\n");
    session->backupDirectory = Path("plain/backups");
    EXPECT_FALSE(session->BackupBeforeInstall("Pspad", "brelm", Path("pspad/links.ini"), ""));
    EXPECT_EQ(Lines(), "could not backup Pspad. Installation cancelled\n");
    EXPECT_TRUE(session->backups.empty());
}

TEST_F(Backup, EditPadProBackupsAreToolsDocuments) {
    Write("epp7/EditPadPro7.ini", "[Pro]\nToolCount=1\n[Tool0]\nCaption=brelm\n");
    UserBackup({"EditPadPro 7", Path("epp7")});
    EXPECT_EQ(Lines(), "Backed up EditPadPro 7 (all tools).\n");
    const std::string& location = session->backups.at(0).location;
    EXPECT_TRUE(std::regex_match(location, std::regex(Path("backups") + "/EditPadPro 7/[0-9a-f]{32}editpadpro\\.xml")));
    EXPECT_EQ(Read(Relative(location)), header +
                                            "<!DOCTYPE Editpadpro>\r\n<Editpadpro version=\"EditPadPro 7\">\r\n"
                                            "\t<tools>\r\n\t\t<tool>\r\n\t\t\t<Caption type=\"1\">brelm</Caption>\r\n"
                                            "\t\t</tool>\r\n\t</tools>\r\n</Editpadpro>\r\n");
    Write("epp6/EditPadPro.ini", "[Pro]\nToolCount=1\n[Tool0]\nColor=1\n");
    UserBackup({"EditPadPro 6", Path("epp6")});
    EXPECT_EQ(Lines(), "could not backup the tools of EditPadPro 6\n");
    UserBackup({"EditPadPro 6", "located in registry"});
    EXPECT_EQ(Lines(), "EditPadPro is NOW stored in an ini file, not in registry, use autodetect.\n"
                       "could not backup the tools of EditPadPro 6\n");
    UserBackup({"EditPadPro 7", Path("nowhere")});
    EXPECT_EQ(Lines(), "Configuration file for EditPadPro is not found:" + Path("nowhere") + "/EditPadPro7.ini\n"
                       "could not backup the tools of EditPadPro 7\n");
    EXPECT_EQ(session->backups.size(), 1u);
}

TEST_F(Backup, EditPadPro6InTheRegistry) {
    ASSERT_TRUE(RegWriteValue(session->registry, "Software\\JGsoft\\EditPadPro6\\EPPrefs", "x", std::string("1"), false));
    Write("epp6/EditPadPro.ini", "[Pro]\nToolCount=1\n[Tool0]\nCaption=brelm\n");
    UserBackup({"EditPadPro 6", Path("epp6")});
    EXPECT_EQ(Lines(), "EditPadPro is NOW stored in the registry,not in an ini file, use autodetect.\n"
                       "could not backup the tools of EditPadPro 6\n");
    UserBackup({"EditPadPro 6", "located in registry"});
    EXPECT_EQ(Lines(), "could not read registry for EditPadPro.\ncould not backup the tools of EditPadPro 6\n");
    // EditPadPro 7 takes its ini file all the same.
    Write("epp7/EditPadPro7.ini", "[Pro]\nToolCount=0\n");
    UserBackup({"EditPadPro 7", Path("epp7")});
    EXPECT_EQ(Lines(), "Backed up EditPadPro 7 (all tools).\n");
}

// MD5 by the system's md5sum, not by the code under test.
std::string md5(const std::string& text) {
    testfolder scratch;
    scratch.write("text", text);
    std::string command = "md5sum '" + (scratch / "text").string() + "' > '" + (scratch / "sum").string() + "'";
    if (std::system(command.c_str()) != 0) return "";
    return scratch.read("sum").substr(0, 32);
}

bool NamedAt(const std::string& stem, std::time_t from, std::time_t to, const std::string& target, uint32_t counter) {
    for (std::time_t t = from; t <= to; ++t)
        if (md5(FormatLogTime(t) + target + std::to_string(counter)) == stem) return true;
    return false;
}

}  // namespace
