// Atomic replacement: what is kept of the old file, what is refused, and that no temporary
// file stays behind.
#include "replacefile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

class replacing : public testing::Test {
protected:
    void SetUp() override {
        std::string templ = (fs::temp_directory_path() / "replacefileXXXXXX").string();
        ASSERT_NE(::mkdtemp(templ.data()), nullptr);
        folder = templ;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder, ignored);
    }
    std::string path(const std::string& name) const { return (folder / name).string(); }
    void write(const std::string& name, const std::string& text) { std::ofstream(path(name), std::ios::binary) << text; }
    std::string read(const std::string& name) {
        std::ifstream in(path(name), std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }
    size_t entries() const { return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {})); }
    struct stat status(const std::string& name) const {
        struct stat st {};
        ::lstat(path(name).c_str(), &st);
        return st;
    }
    replaceresult replace(const std::string& name, const std::string& text, const fileidentity& expected = {}) {
        return replacefile(path(name), wholetext(text), expected);
    }

    fs::path folder;
};

TEST_F(replacing, anewfileandanoldonegetthetext) {
    EXPECT_EQ(replace("new.txt", "first").outcome, replaceoutcome::replaced);
    EXPECT_EQ(read("new.txt"), "first");
    mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(status("new.txt").st_mode & 0777, 0666 & ~mask);
    const ino_t before = status("new.txt").st_ino;
    EXPECT_EQ(replace("new.txt", "second").outcome, replaceoutcome::replaced);
    EXPECT_EQ(read("new.txt"), "second");
    EXPECT_NE(status("new.txt").st_ino, before);   // a new file took the name
    EXPECT_EQ(entries(), 1u);
}

TEST_F(replacing, modeandextendedattributesarekept) {
    write("f.txt", "old");
    ::chmod(path("f.txt").c_str(), 0640);
    const bool attributes = ::setxattr(path("f.txt").c_str(), "user.note", "kept", 4, 0) == 0;
    ASSERT_EQ(replace("f.txt", "new").outcome, replaceoutcome::replaced);
    EXPECT_EQ(status("f.txt").st_mode & 07777, 0640u);
    if (!attributes) GTEST_SKIP() << "the file system keeps no user attributes";
    char value[16] = {};
    EXPECT_EQ(::getxattr(path("f.txt").c_str(), "user.note", value, sizeof value), 4);
    EXPECT_STREQ(value, "kept");
}

TEST_F(replacing, alinkisfollowedandstays) {
    write("target.txt", "old");
    fs::create_symlink(path("target.txt"), path("link.txt"));
    ASSERT_EQ(replace("link.txt", "new").outcome, replaceoutcome::replaced);
    EXPECT_TRUE(fs::is_symlink(path("link.txt")));
    EXPECT_EQ(read("target.txt"), "new");
    EXPECT_EQ(entries(), 2u);
}

TEST_F(replacing, theexpectedfilemuststillbethere) {
    write("f.txt", "old");
    const fileidentity read = identityofpath(path("f.txt"));
    write("other.txt", "victim");
    fs::remove(path("f.txt"));
    fs::create_symlink(path("other.txt"), path("f.txt"));   // swapped for a link meanwhile
    EXPECT_EQ(replace("f.txt", "new", read).outcome, replaceoutcome::changed);
    EXPECT_EQ(this->read("other.txt"), "victim");
    fs::remove(path("f.txt"));
    EXPECT_EQ(replace("f.txt", "new", read).outcome, replaceoutcome::changed);   // gone
    EXPECT_FALSE(fs::exists(path("f.txt")));
    EXPECT_EQ(entries(), 1u);
}

TEST_F(replacing, hardlinkedfilesandfoldersarerefused) {
    write("a.txt", "old");
    fs::create_hard_link(path("a.txt"), path("b.txt"));
    EXPECT_EQ(replace("a.txt", "new").outcome, replaceoutcome::hardlinked);
    EXPECT_EQ(read("b.txt"), "old");
    fs::create_directory(path("dir"));
    replaceresult result = replace("dir", "new");
    EXPECT_EQ(result.outcome, replaceoutcome::failed);
    EXPECT_EQ(result.error, EISDIR);
    result = replace("missing/x.txt", "new");
    EXPECT_EQ(result.error, ENOENT);
    EXPECT_EQ(entries(), 3u);
}

TEST_F(replacing, afailedtextleavestheoldfile) {
    write("f.txt", "old");
    replaceresult result = replacefile(path("f.txt"), [](const piecewriter& write) {
        write("part");
        errno = EIO;
        return false;
    });
    EXPECT_EQ(result.outcome, replaceoutcome::failed);
    EXPECT_EQ(result.error, EIO);
    EXPECT_EQ(read("f.txt"), "old");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(replacing, devicesarewrittenwheretheyare) {
    EXPECT_EQ(replacefile("/dev/null", wholetext("text")).outcome, replaceoutcome::replaced);
    if (fs::exists("/dev/full")) {
        replaceresult result = replacefile("/dev/full", wholetext("text"));
        EXPECT_EQ(result.outcome, replaceoutcome::failed);
        EXPECT_EQ(result.error, ENOSPC);
    }
}

// A temporary file has no name while it is written (where the file system has unnamed
// files), and is gone when it is not put in place; putting it in place without replacing
// keeps a name that is taken.
TEST_F(replacing, temporaryfilesgounlessputinplace) {
    int directory = opendirectory(folder.string());
    ASSERT_GE(directory, 0);
    const int probe = ::openat(directory, ".", O_TMPFILE | O_WRONLY, 0600);
    const bool unnamed = probe >= 0;
    if (probe >= 0) ::close(probe);
    {
        temporaryfile dropped(directory, "x.txt");
        ASSERT_GE(dropped.fd(), 0);
        EXPECT_TRUE(dropped.write("lost"));
        EXPECT_EQ(entries(), unnamed ? 0u : 1u);
    }
    EXPECT_EQ(entries(), 0u);
    write("taken.txt", "first");
    {
        temporaryfile copy(directory, "taken.txt");
        ASSERT_TRUE(copy.write("second"));
        EXPECT_FALSE(copy.putinplace("taken.txt", true));
        EXPECT_EQ(errno, EEXIST);
        EXPECT_TRUE(copy.putinplace("free.txt", true));
    }
    EXPECT_EQ(read("taken.txt"), "first");
    EXPECT_EQ(read("free.txt"), "second");
    EXPECT_EQ(entries(), 2u);
    ::close(directory);
}

// A derived name: the named part's links are followed, a link after it is not, whether at a
// folder or at the name; missing derived folders are made on request.
TEST_F(replacing, derivednamesfollownolinkafterthenamedpart) {
    fs::create_directories(folder / "real");
    fs::create_directory_symlink(folder / "real", folder / "named");
    write("victim.txt", "old");
    fs::create_symlink(path("victim.txt"), path("real/link.txt"));
    fs::create_directory_symlink(folder / "real", folder / "real/sublink");
    replaceoptions options;
    options.namedlength = path("named").size();
    replaceresult result = replacefile(path("named/link.txt"), wholetext("new"), options);
    EXPECT_EQ(result.outcome, replaceoutcome::derivedlink);
    EXPECT_EQ(result.link, "");
    result = replacefile(path("named/sublink/x.txt"), wholetext("new"), options);
    EXPECT_EQ(result.outcome, replaceoutcome::derivedlink);
    EXPECT_EQ(result.link, path("named/sublink"));
    EXPECT_EQ(read("victim.txt"), "old");
    EXPECT_EQ(replacefile(path("named/a/b/x.txt"), wholetext("new"), options).error, ENOENT);
    options.makefolders = true;
    EXPECT_EQ(replacefile(path("named/a/b/x.txt"), wholetext("new"), options).outcome, replaceoutcome::replaced);
    EXPECT_EQ(read("real/a/b/x.txt"), "new");
}

TEST(descriptornames, nametheirdescriptoronly) {
    const std::pair<const char*, int> names[] = {
        {"/dev/stdin", 0},      {"/dev/stdout", 1},         {"//dev//stderr", 2},        {"/dev/fd/7", 7},
        {"/proc/self/fd/12", 12}, {"/proc/thread-self/fd/3", 3}, {"/dev/fd/", -1},          {"/dev/fd/3x", -1},
        {"dev/stdout", -1},     {"/dev/stdout/", -1},        {"/proc/1/fd/1", -1},         {"stdout", -1},
    };
    for (const auto& [name, fd] : names) EXPECT_EQ(descriptorofname(name), fd) << name;
}

// Other spellings of such names, and links that lead to one, name the descriptor too; a link
// to a plain file does not.
TEST_F(replacing, descriptornamesspelledotherwiseortakenthroughlinks) {
    write("plain.txt", "");
    fs::create_symlink("/dev/stdout", path("out"));
    fs::create_symlink("out", path("outagain"));
    fs::create_symlink("/proc/self/fd/5", path("five"));
    fs::create_symlink("plain.txt", path("plainlink"));
    const std::pair<std::string, int> names[] = {
        {"/dev/./stdout", 1},
        {"/dev/fd/../fd/5", 5},
        {"/proc/" + std::to_string(::getpid()) + "/fd/4", 4},
        {"/proc/self/task/" + std::to_string(::getpid()) + "/fd/3", 3},
        {path("out"), 1},
        {path("outagain"), 1},
        {path("five"), 5},
        {path("plainlink"), -1},
        {path("plain.txt"), -1},
        {path("missing"), -1},
    };
    for (const auto& [name, fd] : names) EXPECT_EQ(descriptorofname(name), fd) << name;
}

TEST(fileidentities, nameonefileonly) {
    EXPECT_FALSE(samefile({}, {}));
    fileidentity grown = identityofpath("/");
    EXPECT_TRUE(unchangedfile(grown, identityofpath("/")));
    grown.size += 1;
    EXPECT_TRUE(samefile(grown, identityofpath("/")));
    EXPECT_FALSE(unchangedfile(grown, identityofpath("/")));
    const fileidentity root = identityofpath("/");
    EXPECT_TRUE(root.known);
    EXPECT_TRUE(samefile(root, identityofpath("/.")));
    EXPECT_FALSE(samefile(root, identityofpath("/dev")));
    EXPECT_FALSE(identityofpath("/no/such/path").known);
}

}  // namespace
