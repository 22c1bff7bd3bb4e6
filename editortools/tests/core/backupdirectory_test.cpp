// The backup directory: its default, a change of it with its questions, deleting backups
// only inside it, the copies to the clipboard, and safe file names.
#include "core/backupdirectory.h"
#include "core/clipboard.h"
#include "sessiontest.h"

#include <sys/stat.h>

namespace {

const std::string header = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>";

std::string listwith(const std::string& name) {
    return "<backups><backup><name>" + name + "</name><location>/x/" + name + "</location></backup></backups>";
}

class BackupDirectory : public SessionTest {
protected:
    int shownBackups = 0;
    void SetUp() override {
        session->flags.noGui = true;
        session->bringBackupsToFront = [this] { ++shownBackups; };
        std::filesystem::create_directories(folder / "old");
        session->backupDirectory = session->previousBackupDir = Path("old");
        session->backups = {{"Pspad", "t", "e", "/x/Pspad"}};
    }
    std::vector<std::string> Questions() const { return prompter.Texts(ScriptedPrompter::Box::YesNo); }
    std::vector<std::string> BackupNames() const {
        std::vector<std::string> names;
        for (const BackupRecord& b : session->backups) names.push_back(b.name);
        return names;
    }
};

}  // namespace

TEST_F(BackupDirectory, TheSameDirectoryDoesNothing) {
    EXPECT_FALSE(session->ChangeBackupDirectory(Path("old")));
    EXPECT_FALSE(Exists("old/backuplist.xml"));
    EXPECT_EQ(shownBackups, 0);
    EXPECT_EQ(BackupNames(), std::vector<std::string>{"Pspad"});
}

TEST_F(BackupDirectory, AnExistingDirectorySavesTheOldListAndReadsItsOwn) {
    Write("new/backuplist.xml", listwith("Textpad 5"));
    EXPECT_TRUE(session->ChangeBackupDirectory(Path("new") + "/"));
    EXPECT_NE(Read("old/backuplist.xml").find("<name>Pspad</name>"), std::string::npos);
    EXPECT_EQ(BackupNames(), std::vector<std::string>{"Textpad 5"});
    EXPECT_EQ(session->previousBackupDir, Path("new") + "/");   // the field keeps the typed text
    EXPECT_EQ(session->backupDirectory, Path("new") + "/");
    EXPECT_EQ(shownBackups, 1);
    EXPECT_TRUE(Questions().empty());
    EXPECT_FALSE(Exists("bin/gantrel.xml"));   // the settings file is not written
    // Back again: the list goes into the new folder once, with one slash.
    EXPECT_TRUE(session->ChangeBackupDirectory(Path("old")));
    EXPECT_NE(Read("new/backuplist.xml").find("<name>Textpad 5</name>"), std::string::npos);
    EXPECT_EQ(BackupNames(), std::vector<std::string>{"Pspad"});
}

TEST_F(BackupDirectory, ADirectoryWithoutAListGivesAnEmptyGrid) {
    std::filesystem::create_directories(folder / "empty");
    EXPECT_TRUE(session->ChangeBackupDirectory(Path("empty")));
    EXPECT_TRUE(session->backups.empty());
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(BackupDirectory, AMissingDirectoryIsMadeOnYes) {
    prompter.answers = {"yes"};
    EXPECT_TRUE(session->ChangeBackupDirectory(Path("made/deep")));
    EXPECT_EQ(Questions(), std::vector<std::string>{"This " + Path("made/deep") +
                                                    " directory does not exists.It has to exist.Should I create it?"});
    EXPECT_TRUE(std::filesystem::is_directory(folder / "made/deep"));
    EXPECT_TRUE(session->backups.empty());
    EXPECT_EQ(session->backupDirectory, Path("made/deep"));
    EXPECT_EQ(session->previousBackupDir, Path("made/deep"));
    EXPECT_EQ(shownBackups, 2);
    EXPECT_TRUE(Exists("old/backuplist.xml"));
    EXPECT_FALSE(Exists("made/deep/backuplist.xml"));
}

TEST_F(BackupDirectory, NoPutsThePreviousDirectoryBackAfterTheOldListWasSaved) {
    prompter.answers = {"no"};
    EXPECT_TRUE(session->ChangeBackupDirectory(Path("missing")));
    EXPECT_FALSE(Exists("missing"));
    EXPECT_EQ(session->backupDirectory, Path("old"));
    EXPECT_EQ(session->previousBackupDir, Path("old"));
    EXPECT_EQ(BackupNames(), std::vector<std::string>{"Pspad"});
    EXPECT_NE(Read("old/backuplist.xml").find("<name>Pspad</name>"), std::string::npos);
    EXPECT_EQ(err.str(), "");
}

TEST_F(BackupDirectory, AFailedCreationIsReportedAndPutsThePreviousDirectoryBack) {
    Write("file", "not a folder");
    prompter.answers = {"yes"};
    EXPECT_TRUE(session->ChangeBackupDirectory(Path("file/sub")));
    EXPECT_EQ(err.str(), "Could not create directory " + Path("file/sub") + "\n");
    EXPECT_EQ(session->backupDirectory, Path("old"));
    EXPECT_EQ(BackupNames(), std::vector<std::string>{"Pspad"});
    EXPECT_FALSE(session->backupDirChangeActive);
}

TEST_F(BackupDirectory, WithoutAPreviousDirectoryNoListIsSaved) {
    // No default could be found at start-up: nothing goes to "/backuplist.xml".
    session->backupDirectory = session->previousBackupDir = "";
    std::filesystem::create_directories(folder / "new");
    EXPECT_TRUE(session->ChangeBackupDirectory(Path("new")));
    EXPECT_EQ(session->backupDirectory, Path("new"));
    EXPECT_TRUE(Boxes().empty());
    EXPECT_FALSE(std::filesystem::exists("/backuplist.xml"));
}

// A question box takes the focus, so the field asks for the change again while it is open.
class ReenteringPrompter : public ScriptedPrompter {
public:
    GantrelSession* session = nullptr;
    std::optional<bool> reentered;   // the inner call's result, on the first question only
    bool PromptYesNo(const std::string& text) override {
        if (!asked) {
            asked = true;
            reentered = session->ChangeBackupDirectory(folder + "/elsewhere");
        }
        return ScriptedPrompter::PromptYesNo(text);
    }
    std::string folder;

private:
    bool asked = false;
};

TEST_F(BackupDirectory, AChangeDoesNotReenterItself) {
    ReenteringPrompter reentering;
    SessionSetup setup;
    setup.prompter = &reentering;
    setup.err = &err;
    setup.programFolder = Path("bin");
    setup.registryPath = Path("registry.reg");
    GantrelSession own(setup);
    reentering.session = &own;
    reentering.folder = folder.path().string();
    own.backupDirectory = own.previousBackupDir = Path("old");
    reentering.answers = {"no"};
    EXPECT_TRUE(own.ChangeBackupDirectory(Path("missing")));
    EXPECT_EQ(reentering.reentered, std::optional<bool>(false));
    EXPECT_EQ(reentering.Texts(ScriptedPrompter::Box::YesNo).size(), 1u);
    EXPECT_EQ(own.backupDirectory, Path("old"));
    EXPECT_FALSE(own.backupDirChangeActive);
    EXPECT_FALSE(Exists("elsewhere"));
    EXPECT_FALSE(Exists("missing"));
}

TEST_F(BackupDirectory, AnUnreadableOldListIsKeptAsideBeforeTheChangeSavesIt) {
    Write("old/backuplist.xml", "<broken>");
    session->LoadBackupList(BackupListFile(Path("old")));
    ASSERT_EQ(Boxes().size(), 1u);
    session->backups = {{"Pspad", "", "", ""}};
    std::filesystem::create_directories(folder / "new");
    EXPECT_TRUE(session->ChangeBackupDirectory(Path("new")));
    EXPECT_EQ(Read("old/backuplist.xml.bad"), "<broken>");
    EXPECT_NE(Read("old/backuplist.xml").find("<name>Pspad</name>"), std::string::npos);
}

class DeleteBackup : public BackupDirectory {
protected:
    void SetUp() override {
        BackupDirectory::SetUp();
        Write("old/Pspad/links.ini", "p");
        Write("old/tp/textpad.reg", "t");
        Write("old/tp/textpad.reg2", "t2");
        Write("outside/links.ini", "mine");
        session->backups = {
            {"Pspad", "", "", Path("old/Pspad/links.ini")},
            {"Textpad 5", "", "", Path("old/tp/textpad.reg")},
            {"Pspad", "", "", Path("old/../outside/links.ini")},
        };
    }
};

TEST_F(DeleteBackup, AskedFirstWhenConfirmationIsOn) {
    prompter.answers = {"no"};
    EXPECT_EQ(session->DeleteBackup(0, true), std::optional<size_t>(0));
    EXPECT_EQ(Questions(), std::vector<std::string>{"Do you want to delete this selected backup?"});
    EXPECT_EQ(session->backups.size(), 3u);
    EXPECT_TRUE(Exists("old/Pspad/links.ini"));
    prompter.answers = {"yes"};
    EXPECT_EQ(session->DeleteBackup(0, true), std::optional<size_t>(0));
    EXPECT_FALSE(Exists("old/Pspad/links.ini"));
    EXPECT_EQ(session->backups.size(), 2u);
    EXPECT_EQ(err.str(), "Deleted backup for Pspad\n");
    EXPECT_EQ(session->DeleteBackup(std::nullopt, true), std::nullopt);
    EXPECT_EQ(Questions().size(), 2u);
}

TEST_F(DeleteBackup, ATextpadBackupIsTwoFilesAndTheCursorIsClamped) {
    EXPECT_EQ(session->DeleteBackup(1, false), std::optional<size_t>(1));
    EXPECT_FALSE(Exists("old/tp/textpad.reg"));
    EXPECT_FALSE(Exists("old/tp/textpad.reg2"));
    EXPECT_TRUE(Questions().empty());
    EXPECT_EQ(session->backups.size(), 2u);
    // The last row: the cursor goes to the new last row, then to none.
    EXPECT_EQ(session->DeleteBackup(1, false), std::optional<size_t>(0));
    EXPECT_EQ(session->DeleteBackup(0, false), std::nullopt);
    EXPECT_TRUE(session->backups.empty());
    // A missing file is no error; the list file is not written.
    EXPECT_FALSE(Exists("old/backuplist.xml"));
}

TEST_F(DeleteBackup, FilesOutsideTheBackupDirectoryAreKept) {
    EXPECT_EQ(session->DeleteBackup(2, false), std::optional<size_t>(1));
    EXPECT_EQ(Read("outside/links.ini"), "mine");
    EXPECT_EQ(session->backups.size(), 2u);
    EXPECT_EQ(err.str(), "Backup file outside the backup directory was not deleted:" + Path("old/../outside/links.ini") +
                             "\nDeleted backup for Pspad\n");
}

TEST_F(DeleteBackup, LinksAreFollowedBeforeTheComparison) {
    std::filesystem::create_symlink(folder / "outside/links.ini", folder / "old/link.ini");
    std::filesystem::create_symlink(folder / "outside", folder / "old/linkedfolder");
    Write("old/tp/real.reg", "r");
    std::filesystem::create_symlink(folder / "outside/links.ini", folder / "old/tp/real.reg2");
    session->backups = {{"Pspad", "", "", Path("old/link.ini")},
                        {"Pspad", "", "", Path("old/linkedfolder/links.ini")},
                        {"Textpad 5", "", "", Path("old/./tp/../tp/real.reg")}};
    session->DeleteBackup(0, false);
    session->DeleteBackup(0, false);
    session->DeleteBackup(0, false);
    EXPECT_EQ(Read("outside/links.ini"), "mine");
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "old/link.ini"));
    EXPECT_FALSE(Exists("old/tp/real.reg"));
    EXPECT_TRUE(session->backups.empty());
    std::string outside = "Backup file outside the backup directory was not deleted:";
    EXPECT_EQ(err.str(), outside + Path("old/link.ini") + "\nDeleted backup for Pspad\n" + outside +
                             Path("old/linkedfolder/links.ini") + "\nDeleted backup for Pspad\n" + outside +
                             Path("old/./tp/../tp/real.reg") + "2\nDeleted backup for Textpad 5\n");
}

TEST_F(DeleteBackup, AFolderIsNeverDeleted) {
    std::filesystem::create_directories(folder / "old/sub");
    session->backups = {{"Pspad", "", "", Path("old/sub")}, {"Pspad", "", "", Path("old")}};
    session->DeleteBackup(0, false);
    session->DeleteBackup(0, false);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "old/sub"));
    EXPECT_EQ(err.str(), "Deleted backup for Pspad\nBackup file outside the backup directory was not deleted:" +
                             Path("old") + "\nDeleted backup for Pspad\n");
}

TEST_F(BackupDirectory, CopiesGoToTheClipboard) {
    std::vector<std::string> copied;
    SetClipboardWriter([&](const std::string& text) {
        copied.push_back(text);
        return true;
    });
    session->targets = {{"Pspad", "/opt/pspad"}};
    session->CopyTargetPath(0);
    session->CopyTargetPath(1);
    session->CopyTargetPath(std::nullopt);
    session->CopyBackupLocation(0);
    session->CopyBackupLocation(1);
    SetClipboardWriter(nullptr);
    EXPECT_EQ(copied, (std::vector<std::string>{"/opt/pspad", "/x/Pspad"}));
    EXPECT_EQ(err.str(), "");
}

TEST(BackupPaths, SafeFileNamesKeepTheirLength) {
    EXPECT_EQ(ToSafeFileName("Textpad 5"), "Textpad 5");
    EXPECT_EQ(ToSafeFileName("Code::Blocks 8-10"), "Code  Blocks 8-10");
    EXPECT_EQ(ToSafeFileName("Eclipse Galileo/Helios"), "Eclipse Galileo Helios");
    EXPECT_EQ(ToSafeFileName("<>:\"/\\|?*"), "         ");
    EXPECT_EQ(ToSafeFileName(std::string("a\0b\tc\x7f", 6)), "a b c\x7f");
    EXPECT_EQ(ToSafeFileName("caf\xC3\xA9"), "caf  ");
}

TEST(BackupPaths, TheListFileHasOneSlash) {
    EXPECT_EQ(BackupListFile("/b"), "/b/backuplist.xml");
    EXPECT_EQ(BackupListFile("/b/"), "/b/backuplist.xml");
    EXPECT_EQ(BackupListFile("/b//"), "/b//backuplist.xml");
}

TEST(BackupPaths, TheDefaultDirectoryLiesUnderAppDataAndNeverAtTheRoot) {
    {
        ScopedEnvironment env({{"APPDATA", "/home/u/AppData/"}});
        EXPECT_EQ(DefaultBackupDirectory(), "/home/u/AppData/Gantrel");
    }
    ScopedEnvironment env({{"APPDATA", ""}, {"XDG_CONFIG_HOME", ""}, {"HOME", ""}});
    std::string fallback = DefaultBackupDirectory();
    EXPECT_NE(fallback, "/Gantrel");
    EXPECT_TRUE(fallback.empty() || fallback.ends_with("/.config/Gantrel")) << fallback;
}

TEST(BackupPaths, InsideAFolderAfterResolvingThePath) {
    testfolder folder;
    std::string base = folder.path().string();
    EXPECT_TRUE(IsInsideFolder(base + "/a/b", base));
    EXPECT_TRUE(IsInsideFolder(base + "/a/../b", base + "/"));
    EXPECT_FALSE(IsInsideFolder(base + "/../b", base));
    EXPECT_FALSE(IsInsideFolder(base, base));
    EXPECT_FALSE(IsInsideFolder(base + "x/a", base));   // a sibling with a longer name
    EXPECT_FALSE(IsInsideFolder("", base));
    EXPECT_FALSE(IsInsideFolder(base + "/a", ""));
}
