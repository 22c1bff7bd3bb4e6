// Numbered backups: mirror paths, numbering and pruning, messages, failures, the file copy.
#include "backups.h"

#include "scratchtree.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <set>

namespace {

namespace fs = std::filesystem;

class backups : public scratchtree {
protected:
    // Runs one backup of file with messages collected in a string sink.
    bool backup(const std::string& file, int32_t b, int32_t verbose = 0) {
        messages = messagestream{};
        messages.stringmode = 1;
        error = "stale";
        return backupfile(messages, file, read(file), b, verbose, bak, error);
    }
    // The copy numbers present in directory for names "stem_bN.extension.bak".
    std::set<int> numbers(const std::string& directory, const std::string& stem, const std::string& extension) {
        std::set<int> found;
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator(directory, ignored)) {
            std::string name = entry.path().filename().string();
            std::string head = stem + "_b", tail = "." + extension + ".bak";
            if (entry.is_regular_file(ignored) && name.rfind(head, 0) == 0 && name.size() > head.size() + tail.size() &&
                name.compare(name.size() - tail.size(), tail.size(), tail) == 0)
                found.insert(std::stoi(name.substr(head.size())));
        }
        return found;
    }
    void makecopies(const std::string& directory, const std::string& stem, const std::string& extension, int from, int to) {
        for (int n = from; n <= to; ++n)
            write(directory + "/" + stem + "_b" + std::to_string(n) + "." + extension + ".bak", "old");
    }
    static std::set<int> range(int from, int to) {
        std::set<int> r;
        for (int n = from; n <= to; ++n) r.insert(n);
        return r;
    }

    // Where the copies of a file in the tree's folder sub go: the folder's resolved path below bak.
    std::string mirror(const std::string& sub = "") const {
        std::string folder = "bak" + fs::canonical(root).string();
        return sub.empty() ? folder : folder + "/" + sub;
    }

    std::string bak = "bak";
    messagestream messages;
    std::string error;
};

// The mirror is the input's folder made absolute and resolved: folders that only look alike
// never share a series of copies, and the names of two ways to one folder share one.
TEST_F(backups, eachfolderhasamirrorofitsown) {
    const std::string real = fs::canonical(root).string();
    write("a.b/pkg.sql", "first");
    write("adotb/pkg.sql", "second");
    write("doubledot/pkg.sql", "third");
    write("sub/x.sql", "fourth");
    fs::create_directory_symlink(root + "/a.b", root + "/linked");
    EXPECT_EQ(backupmirrordirectory("a.b/pkg.sql", "/b"), "/b" + real + "/a.b");
    EXPECT_EQ(backupmirrordirectory("adotb/pkg.sql", "/b/"), "/b" + real + "/adotb");
    EXPECT_EQ(backupmirrordirectory("sub/../doubledot/pkg.sql", "/b"), "/b" + real + "/doubledot");
    EXPECT_EQ(backupmirrordirectory("linked/pkg.sql", "/b"), "/b" + real + "/a.b");
    EXPECT_EQ(backupmirrordirectory("pkg.sql", "/b"), "/b" + real);
    EXPECT_EQ(backupmirrordirectory("/pkg.sql", "/b"), "/b");

    for (const char* file : {"a.b/pkg.sql", "adotb/pkg.sql", "doubledot/pkg.sql", "sub/../doubledot/pkg.sql"})
        ASSERT_TRUE(backup(file, 40)) << file;
    EXPECT_EQ(read(mirror("a.b") + "/pkg_b1.sql.bak"), "first");
    EXPECT_EQ(read(mirror("adotb") + "/pkg_b1.sql.bak"), "second");
    EXPECT_EQ(numbers(mirror("doubledot"), "pkg", "sql"), range(1, 2));
    // From another current folder a relative name leads to the same mirror.
    fs::current_path(root + "/sub");
    bak = root + "/bak";
    ASSERT_TRUE(backup("../a.b/pkg.sql", 40));
    EXPECT_EQ(numbers(root + "/" + mirror("a.b"), "pkg", "sql"), range(1, 2));
    fs::current_path(root);
}

// The copy holds the bytes that were read, whatever became of the file since.
TEST_F(backups, thecopyholdsthebytesasread) {
    write("pkg.sql", "now");
    messages.stringmode = 1;
    ASSERT_TRUE(backupfile(messages, "pkg.sql", "as read", 40, 0, bak, error));
    EXPECT_EQ(read(mirror() + "/pkg_b1.sql.bak"), "as read");
    fs::remove(root + "/pkg.sql");
    ASSERT_TRUE(backupfile(messages, "pkg.sql", "gone since", 40, 0, bak, error));
    EXPECT_EQ(read(mirror() + "/pkg_b2.sql.bak"), "gone since");
    struct stat st {};
    ASSERT_EQ(::stat((mirror() + "/pkg_b2.sql.bak").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
}

// Folders below the backup directory are made 0700, and a link among them is never followed.
TEST_F(backups, mirrorfoldersareprivateandfollownolink) {
    write("src/pkg.sql");
    ASSERT_TRUE(backup("src/pkg.sql", 40));
    struct stat st {};
    ASSERT_EQ(::stat(mirror("src").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    write("other/pkg.sql");
    fs::create_directories(root + "/elsewhere");
    fs::create_directory_symlink(root + "/elsewhere", root + "/" + mirror("other"));
    EXPECT_FALSE(backup("other/pkg.sql", 40));
    EXPECT_EQ(error, "could not create directory " + mirror("other") + ",it is a symbolic link\n");
    EXPECT_TRUE(fs::is_empty(root + "/elsewhere"));
}

// A copy number another run took meanwhile is passed over: the copy takes the next free one.
TEST_F(backups, atakennumberispassedover) {
    write("pkg.sql");
    makecopies(mirror(), "pkg", "sql", 1, 2);
    fs::create_directory(root + "/" + mirror() + "/pkg_b3.sql.bak");
    ASSERT_TRUE(backup("pkg.sql", 40, 1));
    EXPECT_EQ(messages.text, "Backed up in " + mirror() + "/pkg_b4.sql.bak\n");
    EXPECT_EQ(numbers(mirror(), "pkg", "sql"), (std::set<int>{1, 2, 4}));
}

TEST_F(backups, copiesarenumberedfromoneandneverreused) {
    const std::string first("create table t (a int);\r\n\0binary", 32);
    write("src/pkg.sql", first);
    ASSERT_TRUE(backup("src/pkg.sql", 40));
    EXPECT_EQ(error, "");
    EXPECT_EQ(read(mirror("src") + "/pkg_b1.sql.bak"), first);
    write("src/pkg.sql", "second");
    ASSERT_TRUE(backup("src/pkg.sql", 40));
    EXPECT_EQ(read(mirror("src") + "/pkg_b2.sql.bak"), "second");
    EXPECT_EQ(read(mirror("src") + "/pkg_b1.sql.bak"), first);
    // b 1: every earlier copy goes, the new one still counts on from the highest.
    ASSERT_TRUE(backup("src/pkg.sql", 1));
    EXPECT_EQ(numbers(mirror("src"), "pkg", "sql"), (std::set<int>{3}));
    ASSERT_TRUE(backup("src/pkg.sql", 1));
    EXPECT_EQ(numbers(mirror("src"), "pkg", "sql"), (std::set<int>{4}));
}

TEST_F(backups, prunestothelimitkeepingthenewest) {
    write("src/pkg.sql");
    makecopies(mirror("src"), "pkg", "sql", 1, 45);
    ASSERT_TRUE(backup("src/pkg.sql", 40));
    EXPECT_EQ(numbers(mirror("src"), "pkg", "sql"), range(7, 46));
    ASSERT_TRUE(backup("src/pkg.sql", 3));
    EXPECT_EQ(numbers(mirror("src"), "pkg", "sql"), range(45, 47));
}

TEST_F(backups, zerokeepsnothingandtouchesnothing) {
    write("src/pkg.sql");
    ASSERT_TRUE(backup("src/pkg.sql", 0));
    EXPECT_FALSE(exists("bak"));
    ASSERT_TRUE(backup("src/pkg.sql", -1));
    EXPECT_FALSE(exists("bak"));
    bak = "";
    EXPECT_TRUE(backup("src/pkg.sql", 0));   // no directory needed when nothing is kept
}

TEST_F(backups, onlythisfilescopiesarecounted) {
    write("pkg.pkb");
    makecopies(mirror(), "pkg", "pks", 1, 5);      // another extension
    makecopies(mirror(), "pkg_b1", "pkb", 7, 7);   // copies of the file pkg_b1.pkb
    makecopies(mirror(), "xpkg", "pkb", 9, 9);
    write(mirror() + "/pkg_bx.pkb.bak");
    write(mirror() + "/pkg_b.pkb.bak");
    write(mirror() + "/pkg_b2.pkb.bak.old");
    write(mirror() + "/pkg_b3xpkb.bak");
    fs::create_directory(root + "/" + mirror() + "/pkg_b8.pkb.bak");   // a directory is no copy
    ASSERT_TRUE(backup("pkg.pkb", 1));
    EXPECT_TRUE(exists(mirror() + "/pkg_b1.pkb.bak"));
    for (const std::string& kept : {mirror() + "/pkg_b5.pks.bak", mirror() + "/pkg_b1_b7.pkb.bak", mirror() + "/xpkg_b9.pkb.bak", mirror() + "/pkg_bx.pkb.bak",
                             mirror() + "/pkg_b.pkb.bak", mirror() + "/pkg_b2.pkb.bak.old", mirror() + "/pkg_b3xpkb.bak"})
        EXPECT_TRUE(exists(kept)) << kept;
}

TEST_F(backups, patternbytesinnamesarequoted) {
    write("pkg.c++");
    makecopies(mirror(), "pkg", "c++", 1, 2);
    makecopies(mirror(), "pkg", "cxx", 5, 5);     // "." must not stand for any byte
    write(mirror() + "/pkg_b9.c++xbak");
    ASSERT_TRUE(backup("pkg.c++", 40));
    EXPECT_TRUE(exists(mirror() + "/pkg_b3.c++.bak"));
    ASSERT_TRUE(backup("pkg.c++", 40));
    EXPECT_EQ(numbers(mirror(), "pkg", "c++"), range(1, 4));

    write("a?b.sql");
    write("axb.sql");
    makecopies(mirror(), "axb", "sql", 1, 3);
    ASSERT_TRUE(backup("a?b.sql", 1));
    EXPECT_TRUE(exists(mirror() + "/a?b_b1.sql.bak"));
    EXPECT_EQ(numbers(mirror(), "axb", "sql"), range(1, 3));
}

TEST_F(backups, namewithoutextensionkeepsbothdots) {
    write("Makefile");
    ASSERT_TRUE(backup("Makefile", 40));
    EXPECT_TRUE(exists(mirror() + "/Makefile_b1..bak"));
    ASSERT_TRUE(backup("Makefile", 40));
    EXPECT_TRUE(exists(mirror() + "/Makefile_b2..bak"));
}

TEST_F(backups, verbosemessagesinorder) {
    write("src/pkg.sql");
    makecopies(mirror("src"), "pkg", "sql", 1, 3);
    ASSERT_TRUE(backup("src/pkg.sql", 2, 1));
    EXPECT_EQ(messages.text,
              "Deleted backup file " + mirror("src") + "/pkg_b2.sql.bak\n"
              "Deleted backup file " + mirror("src") + "/pkg_b1.sql.bak\n"
              "Backed up in " + mirror("src") + "/pkg_b4.sql.bak\n");
    ASSERT_TRUE(backup("src/pkg.sql", 2, 0));
    EXPECT_EQ(messages.text, "");
}

TEST_F(backups, standardinputandclipboardarenotcopied) {
    for (const char* name : {"stdin", "STDIN", "Clipboard", "clipboard"}) {
        ASSERT_TRUE(backup(name, 40, 1)) << name;
        EXPECT_EQ(messages.text, "") << name;
    }
    EXPECT_FALSE(exists("bak"));   // nothing is made for an input that is never copied
}

TEST_F(backups, unusablebackupdirectoryfailsandkeepstheinput) {
    write("src/pkg.sql", "keep me");
    write("bak", "a file where the directory should be");
    EXPECT_FALSE(backup("src/pkg.sql", 40));
    EXPECT_EQ(error, "could not create directory " + mirror("src") + ",bak is not a directory\n");
    EXPECT_EQ(read("src/pkg.sql"), "keep me");

    bak = "";
    EXPECT_FALSE(backup("src/pkg.sql", 40));
    EXPECT_EQ(error, "no backup directory is set for src/pkg.sql: give one with -bdir\n");
}

TEST_F(backups, readonlybackupdirectoryfailsthecopy) {
    write("pkg.sql", "keep me");
    if (geteuid() != 0) {
        fs::create_directories(root + "/" + mirror());
        makecopies(mirror(), "pkg", "sql", 1, 2);
        chmod((root + "/" + mirror()).c_str(), 0555);
        EXPECT_FALSE(backup("pkg.sql", 1));
        EXPECT_EQ(error, "copy failed (pkg.sql -> " + mirror() + "/pkg_b3.sql.bak): Permission denied\n");
        EXPECT_EQ(numbers(mirror(), "pkg", "sql"), range(1, 2));
        chmod((root + "/" + mirror()).c_str(), 0700);
    }
    if (fs::is_directory("/proc")) {   // a directory nobody, root included, can create folders in
        bak = "/proc";
        EXPECT_FALSE(backup("pkg.sql", 40));
        EXPECT_EQ(error.rfind("could not create directory /proc" + fs::canonical(root).string() + ",", 0), 0u) << error;
    }
    EXPECT_EQ(read("pkg.sql"), "keep me");
}

// A copy that cannot be completed keeps no name of a copy, and prunes nothing.
TEST_F(backups, failedcopyprunesnothing) {
    write("pkg.sql");
    makecopies(mirror(), "pkg", "sql", 1, 2);
    if (geteuid() != 0) {
        chmod((root + "/" + mirror()).c_str(), 0555);
        EXPECT_FALSE(backup("pkg.sql", 1, 1));
        chmod((root + "/" + mirror()).c_str(), 0700);
        EXPECT_EQ(numbers(mirror(), "pkg", "sql"), range(1, 2));
        EXPECT_EQ(messages.text, "");
    }
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(root + "/" + mirror())) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"pkg_b1.sql.bak", "pkg_b2.sql.bak"}));
}

using filecopy = scratchtree;

TEST_F(filecopy, copiesbytesexactly) {
    std::string text;
    for (int i = 0; i < 5000; ++i) text += static_cast<char>(i * 7 % 256);   // more than one buffer
    write("in.bin", text);
    ASSERT_EQ(copyfile("in.bin", "out.bin"), 1);
    EXPECT_EQ(read("out.bin"), text);
}

TEST_F(filecopy, keepsthesourcepermissions) {
    write("private.sql", "secret");
    chmod((root + "/private.sql").c_str(), 0600);
    ASSERT_EQ(copyfile("private.sql", "private.bak"), 1);
    struct stat st;
    ASSERT_EQ(stat((root + "/private.bak").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(filecopy, failuresleavenodestinationandtellwhy) {
    errno = 0;
    EXPECT_EQ(copyfile("missing.sql", "out.sql"), 0);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_FALSE(exists("out.sql"));

    fs::create_directory(root + "/dir");
    EXPECT_EQ(copyfile("dir", "fromdir.bak"), 0);
    EXPECT_EQ(errno, EISDIR);
    EXPECT_FALSE(exists("fromdir.bak"));

    write("in.sql", "new");
    write("taken.bak", "old");
    EXPECT_EQ(copyfile("in.sql", "taken.bak"), 0);
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(read("taken.bak"), "old");

    write("victim.txt", "untouched");
    fs::create_symlink("victim.txt", root + "/link.bak");
    EXPECT_EQ(copyfile("in.sql", "link.bak"), 0);
    EXPECT_EQ(read("victim.txt"), "untouched");

    EXPECT_EQ(copyfile("in.sql", "nodir/out.bak"), 0);
    EXPECT_EQ(errno, ENOENT);
}

}  // namespace
