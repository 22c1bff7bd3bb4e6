// Files that are no regular files, and a disk that is full: a pipe or a device is neither
// waited on nor replaced by a file, and a write that cannot be completed leaves the old file
// and says so.
#include "tolvanerun.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

const std::string header = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>";

bool isfifo(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
}

bool ischardevice(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

// Read errors of files that are never saved over.
std::string refused(const std::string& path) {
    return "Error reading the input file: " + path + " is not a regular file\nIt will not be saved over\n";
}

}  // namespace

class SpecialFiles : public TolvaneTest {
protected:
    // The settings file with the tool brelm, a Pspad row and a TextPad row, all in folder, and
    // the backup directory folder/b.
    void Settings(const std::string& folder) {
        Write(folder + "/s.xml",
              CrLf({header, "<!DOCTYPE Gantrel>", "<Gantrel>", "\t<tools>", "\t\t<tool>", "\t\t\t<name>brelm</name>",
                    "\t\t\t<cmdline>/opt/brelm -i %File%</cmdline>", "\t\t\t<curdir></curdir>",
                    "\t\t\t<logparser></logparser>", "\t\t\t<installedin></installedin>", "\t\t</tool>", "\t</tools>",
                    "\t<ides>", "\t\t<ide>", "\t\t\t<name>Pspad</name>", "\t\t\t<dir>" + Path(folder + "/pspad") + "</dir>",
                    "\t\t</ide>", "\t\t<ide>", "\t\t\t<name>Textpad 5</name>",
                    "\t\t\t<dir>" + Path(folder + "/textpad") + "</dir>", "\t\t</ide>", "\t</ides>",
                    "\t<backupdir>" + Path(folder + "/b") + "</backupdir>", "</Gantrel>"}));
        std::filesystem::create_directories(root / folder / "b");
    }
    // The names in the folder but the fillers of a full disk.
    std::vector<std::string> Files(const std::string& folder) const {
        std::vector<std::string> names;
        for (const std::string& name : Listing(folder))
            if (!name.starts_with(".filler")) names.push_back(name);
        return names;
    }
};

TEST_F(SpecialFiles, APipeWithoutAPartnerIsNeitherWaitedOnNorReplaced) {
    std::filesystem::create_directories(root / "b");
    ASSERT_EQ(::mkfifo(Path("s.xml").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(Path("b/backuplist.xml").c_str(), 0600), 0);
    programresult r = Tolvane({"-nogui", "-if", Path("s.xml"), "-bd", Path("b")});
    EXPECT_EQ(r.exitcode, 0);
    EXPECT_EQ(r.err, refused(Path("s.xml")) + refused(Path("b/backuplist.xml")) + "Done\nError saving " + Path("s.xml") +
                         " file!\nError saving the " + Path("b/backuplist.xml") + " file!\n");
    EXPECT_TRUE(isfifo(Path("s.xml")));
    EXPECT_TRUE(isfifo(Path("b/backuplist.xml")));
    EXPECT_EQ(Listing("b"), std::vector<std::string>{"backuplist.xml"});
}

// Devices of their own in the folder, so that a fault cannot touch the system's.
TEST_F(SpecialFiles, ADeviceIsNoSettingsFile) {
    if (::mknod(Path("zero").c_str(), S_IFCHR | 0666, makedev(1, 5)) != 0 ||
        ::mknod(Path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "devices cannot be made here";
    std::filesystem::create_directories(root / "b");
    for (const char* device : {"zero", "null"}) {
        programresult r = Tolvane({"-nogui", "-if", Path(device), "-bd", Path("b")});
        EXPECT_EQ(r.err, refused(Path(device)) + "Done\nError saving " + Path(device) + " file!\n");
        EXPECT_TRUE(ischardevice(Path(device)));
    }
    EXPECT_EQ(Listing(""), (std::vector<std::string>{"appdata", "b", "bin", "config", "home", "null", "zero"}));
}

// A pipe where a target's file should be: the install says so at once, and the window, whose
// "Installed in" column reads it, opens and ends on a signal.
TEST_F(SpecialFiles, APipeAsATargetsFileIsNamedAndNeverWaitedOn) {
    Settings("here");
    std::filesystem::create_directories(root / "here/pspad");
    ASSERT_EQ(::mkfifo(Path("here/pspad/links.ini").c_str(), 0600), 0);
    {
        BackgroundProcess install((bin / "tolvane").string(), {"-nogui", "-if", Path("here/s.xml"), "-e", "Pspad", "-it", "brelm"},
                                  environment, Path("err.txt"));
        ASSERT_EQ(install.Wait(20000), 0);
    }
    EXPECT_EQ(Read("err.txt"),
              "could not open configuration file for Pspad:" + Path("here/pspad/links.ini") + " is not a regular file\nDone\n");
    EXPECT_TRUE(isfifo(Path("here/pspad/links.ini")));
    EXPECT_EQ(Listing("here/b"), std::vector<std::string>{"backuplist.xml"});

    auto env = environment;
    env["QT_QPA_PLATFORM"] = "offscreen";
    env["XDG_RUNTIME_DIR"] = Path("runtime");
    std::filesystem::create_directories(root / "runtime");
    std::filesystem::permissions(root / "runtime", std::filesystem::perms::owner_all);
    BackgroundProcess window((bin / "tolvane").string(), {"-if", Path("here/s.xml")}, env, Path("err.txt"));
    ASSERT_TRUE(window.WaitForHandler(SIGTERM, 20000));
    kill(window.pid, SIGTERM);
    EXPECT_EQ(window.Wait(20000), 0);
    EXPECT_NE(Read("err.txt").find("Done\n"), std::string::npos);
    EXPECT_TRUE(isfifo(Path("here/pspad/links.ini")));
}

// On a full disk nothing is replaced by a part of itself: the settings file, the backup list,
// the target's file and the backup stay as they were, no temporary file stays, and every
// failure is said.
TEST_F(SpecialFiles, AFullDiskLosesNothing) {
    SmallDisk disk(root / "full");
    if (!disk.Mounted()) GTEST_SKIP() << disk.why;
    Settings("full");
    const std::string links = "WWW\n+Tools\n\tgrep\n\t\tCommand=grep\n";
    Write("full/pspad/links.ini", links);
    const std::string settings = Read("full/s.xml");
    const std::string saveerrors = "Error saving " + Path("full/s.xml") + " file!\nError saving the " +
                                   Path("full/b/backuplist.xml") + " file!\n";
    const std::vector<std::string> install = {"-nogui", "-if", Path("full/s.xml"), "-e", "Pspad", "-it", "brelm"};
    // The registry store too: a new TextPad tool (no config.xml, so no backup) goes nowhere.
    const std::string store = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\r\n";
    Write("full/registry.reg", store);
    environment["TOLVANE_REGISTRY"] = Path("full/registry.reg");
    std::filesystem::create_directories(root / "full/textpad");
    disk.Fill();
    programresult r = Tolvane({"-nogui", "-if", Path("full/s.xml"), "-e", "Textpad 5", "-it", "brelm"});
    EXPECT_EQ(r.err, "Install failed,could not save write registry for Textpad 5\nDone\n" + saveerrors);
    EXPECT_EQ(Read("full/registry.reg"), store);

    // No room for the backup: the install is cancelled.
    r = Tolvane(install);
    EXPECT_EQ(r.err, "could not backup Pspad. Installation cancelled\nDone\n" + saveerrors);
    EXPECT_EQ(Files("full/b/Pspad"), std::vector<std::string>{});

    // Room for the backup only: the links file cannot be replaced.
    disk.Free(1);
    r = Tolvane(install);
    EXPECT_EQ(r.err, "Install failed,could not save configuration file for Pspad:" + Path("full/pspad/links.ini") +
                         "\nDone\n" + saveerrors);
    EXPECT_EQ(Files("full/b"), std::vector<std::string>{"Pspad"});
    ASSERT_EQ(Files("full/b/Pspad").size(), 1u);
    EXPECT_EQ(Read("full/b/Pspad/" + Files("full/b/Pspad")[0]), links);

    EXPECT_EQ(Read("full/pspad/links.ini"), links);
    EXPECT_EQ(Read("full/s.xml"), settings);
    EXPECT_EQ(Files("full"), (std::vector<std::string>{"b", "pspad", "registry.reg", "s.xml", "textpad"}));
    EXPECT_EQ(Files("full/pspad"), std::vector<std::string>{"links.ini"});
}
