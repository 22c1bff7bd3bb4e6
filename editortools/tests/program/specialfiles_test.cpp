// Settings files and backup lists that are no regular files: a pipe or a device is neither
// waited on nor replaced by a file.
#include "tolvanerun.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

bool isfifo(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
}

bool ischardevice(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

}  // namespace

class SpecialFiles : public TolvaneTest {};

TEST_F(SpecialFiles, APipeWithoutAPartnerIsNeitherWaitedOnNorReplaced) {
    std::filesystem::create_directories(root / "b");
    ASSERT_EQ(::mkfifo(Path("s.xml").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(Path("b/backuplist.xml").c_str(), 0600), 0);
    programresult r = Tolvane({"-nogui", "-if", Path("s.xml"), "-bd", Path("b")});
    EXPECT_EQ(r.exitcode, 0);
    EXPECT_EQ(r.err, "Done\nError saving " + Path("s.xml") + " file!\nError saving the " + Path("b/backuplist.xml") +
                         " file!\n");
    EXPECT_TRUE(isfifo(Path("s.xml")));
    EXPECT_TRUE(isfifo(Path("b/backuplist.xml")));
    EXPECT_EQ(Listing("b"), std::vector<std::string>{"backuplist.xml"});
}

// Devices of their own in the folder, so that a fault cannot touch the system's.
TEST_F(SpecialFiles, ADeviceIsReadAsNoFileAndWrittenWhereItIs) {
    if (::mknod(Path("zero").c_str(), S_IFCHR | 0666, makedev(1, 5)) != 0 ||
        ::mknod(Path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "devices cannot be made here";
    std::filesystem::create_directories(root / "b");
    programresult r = Tolvane({"-nogui", "-if", Path("zero"), "-bd", Path("b")});
    EXPECT_EQ(r.err, "Done\n");
    EXPECT_TRUE(ischardevice(Path("zero")));
    r = Tolvane({"-nogui", "-if", Path("null"), "-bd", Path("b")});
    EXPECT_EQ(r.err, "Done\n");
    EXPECT_TRUE(ischardevice(Path("null")));
    EXPECT_EQ(Listing(""), (std::vector<std::string>{"appdata", "b", "bin", "config", "home", "null", "zero"}));
}
