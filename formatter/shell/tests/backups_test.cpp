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

TEST(backupmirror, staysbelowthebackupdirectory) {
    struct mirrorcase {
        const char* file;
        const char* backupdirectory;
        const char* mirror;
    } cases[] = {
        {"src/pkg.sql", "/b", "/b/src"},
        {"pkg.sql", "/b", "/b"},
        {"pkg.sql", "/b/", "/b"},
        {"/pkg.sql", "/b", "/b"},
        {"/home/u/x.sql", "/b/", "/b/home/u"},
        {"//srv/share/x.sql", "/b", "/b/srv/share"},
        {"../src/a.sql", "/b", "/b/doubledot/src"},
        {"./a.sql", "/b", "/b/dot"},
        {"v1.2/a.sql", "/b", "/b/v1dot2"},
        {"a/.../b.sql", "/b", "/b/a/doubledotdot"},
        {"proj/../src/pkg.sql", "/tmp/tmp.AbC", "/tmp/tmp.AbC/proj/doubledot/src"},   // the base is kept
        {"C:\\proj\\..\\src\\pkg.sql", "/b", "/b/C/proj/doubledot/src"},
        {"c:/x/y.sql", "rel.d", "rel.d/c/x"},
    };
    for (const mirrorcase& c : cases)
        EXPECT_EQ(backupmirrordirectory(c.file, c.backupdirectory), c.mirror) << c.file << " in " << c.backupdirectory;
}

class backups : public scratchtree {
protected:
    // Runs one backup of file with messages collected in a string sink.
    bool backup(const std::string& file, int32_t b, int32_t verbose = 0) {
        messages = messagestream{};
        messages.stringmode = 1;
        error = "stale";
        return backupfile(messages, file, b, verbose, bak, error);
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

    std::string bak = "bak";
    messagestream messages;
    std::string error;
};

TEST_F(backups, copiesarenumberedfromoneandneverreused) {
    const std::string first("create table t (a int);\r\n\0binary", 32);
    write("src/pkg.sql", first);
    ASSERT_TRUE(backup("src/pkg.sql", 40));
    EXPECT_EQ(error, "");
    EXPECT_EQ(read("bak/src/pkg_b1.sql.bak"), first);
    write("src/pkg.sql", "second");
    ASSERT_TRUE(backup("src/pkg.sql", 40));
    EXPECT_EQ(read("bak/src/pkg_b2.sql.bak"), "second");
    EXPECT_EQ(read("bak/src/pkg_b1.sql.bak"), first);
    // b 1: every earlier copy goes, the new one still counts on from the highest.
    ASSERT_TRUE(backup("src/pkg.sql", 1));
    EXPECT_EQ(numbers("bak/src", "pkg", "sql"), (std::set<int>{3}));
    ASSERT_TRUE(backup("src/pkg.sql", 1));
    EXPECT_EQ(numbers("bak/src", "pkg", "sql"), (std::set<int>{4}));
}

TEST_F(backups, prunestothelimitkeepingthenewest) {
    write("src/pkg.sql");
    makecopies("bak/src", "pkg", "sql", 1, 45);
    ASSERT_TRUE(backup("src/pkg.sql", 40));
    EXPECT_EQ(numbers("bak/src", "pkg", "sql"), range(7, 46));
    ASSERT_TRUE(backup("src/pkg.sql", 3));
    EXPECT_EQ(numbers("bak/src", "pkg", "sql"), range(45, 47));
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
    makecopies("bak", "pkg", "pks", 1, 5);      // another extension
    makecopies("bak", "pkg_b1", "pkb", 7, 7);   // copies of the file pkg_b1.pkb
    makecopies("bak", "xpkg", "pkb", 9, 9);
    write("bak/pkg_bx.pkb.bak");
    write("bak/pkg_b.pkb.bak");
    write("bak/pkg_b2.pkb.bak.old");
    write("bak/pkg_b3xpkb.bak");
    fs::create_directory(root + "/bak/pkg_b8.pkb.bak");   // a directory is no copy
    ASSERT_TRUE(backup("pkg.pkb", 1));
    EXPECT_TRUE(exists("bak/pkg_b1.pkb.bak"));
    for (const char* kept : {"bak/pkg_b5.pks.bak", "bak/pkg_b1_b7.pkb.bak", "bak/xpkg_b9.pkb.bak", "bak/pkg_bx.pkb.bak",
                             "bak/pkg_b.pkb.bak", "bak/pkg_b2.pkb.bak.old", "bak/pkg_b3xpkb.bak"})
        EXPECT_TRUE(exists(kept)) << kept;
}

TEST_F(backups, patternbytesinnamesarequoted) {
    write("pkg.c++");
    makecopies("bak", "pkg", "c++", 1, 2);
    makecopies("bak", "pkg", "cxx", 5, 5);     // "." must not stand for any byte
    write("bak/pkg_b9.c++xbak");
    ASSERT_TRUE(backup("pkg.c++", 40));
    EXPECT_TRUE(exists("bak/pkg_b3.c++.bak"));
    ASSERT_TRUE(backup("pkg.c++", 40));
    EXPECT_EQ(numbers("bak", "pkg", "c++"), range(1, 4));

    write("a?b.sql");
    write("axb.sql");
    makecopies("bak", "axb", "sql", 1, 3);
    ASSERT_TRUE(backup("a?b.sql", 1));
    EXPECT_TRUE(exists("bak/a?b_b1.sql.bak"));
    EXPECT_EQ(numbers("bak", "axb", "sql"), range(1, 3));
}

TEST_F(backups, namewithoutextensionkeepsbothdots) {
    write("Makefile");
    ASSERT_TRUE(backup("Makefile", 40));
    EXPECT_TRUE(exists("bak/Makefile_b1..bak"));
    ASSERT_TRUE(backup("Makefile", 40));
    EXPECT_TRUE(exists("bak/Makefile_b2..bak"));
}

TEST_F(backups, verbosemessagesinorder) {
    write("src/pkg.sql");
    makecopies("bak/src", "pkg", "sql", 1, 3);
    ASSERT_TRUE(backup("src/pkg.sql", 2, 1));
    EXPECT_EQ(messages.text,
              "Deleted backup file bak/src/pkg_b2.sql.bak\n"
              "Deleted backup file bak/src/pkg_b1.sql.bak\n"
              "Backed up in bak/src/pkg_b4.sql.bak\n");
    ASSERT_TRUE(backup("src/pkg.sql", 2, 0));
    EXPECT_EQ(messages.text, "");
}

TEST_F(backups, standardinputandclipboardarenotcopied) {
    for (const char* name : {"stdin", "STDIN", "Clipboard", "clipboard"}) {
        ASSERT_TRUE(backup(name, 40, 1)) << name;
        EXPECT_EQ(messages.text, "") << name;
    }
    EXPECT_TRUE(fs::is_directory(root + "/bak"));
    EXPECT_TRUE(fs::is_empty(root + "/bak"));
}

TEST_F(backups, unusablebackupdirectoryfailsandkeepstheinput) {
    write("src/pkg.sql", "keep me");
    write("bak", "a file where the directory should be");
    EXPECT_FALSE(backup("src/pkg.sql", 40));
    EXPECT_EQ(error, "could not create directory bak/src,File exists\n");
    EXPECT_EQ(read("src/pkg.sql"), "keep me");

    bak = "";
    EXPECT_FALSE(backup("src/pkg.sql", 40));
    EXPECT_EQ(error, "no backup directory is set for src/pkg.sql: give one with -bdir\n");
}

TEST_F(backups, readonlybackupdirectoryfailsthecopy) {
    write("pkg.sql", "keep me");
    if (geteuid() != 0) {
        makecopies("ro", "pkg", "sql", 1, 2);
        chmod((root + "/ro").c_str(), 0555);
        bak = "ro";
        EXPECT_FALSE(backup("pkg.sql", 1));
        EXPECT_EQ(error, "copy failed (pkg.sql -> ro/pkg_b3.sql.bak): Permission denied\n");
        EXPECT_EQ(numbers("ro", "pkg", "sql"), range(1, 2));
    }
    if (fs::is_directory("/proc")) {   // a directory nobody, root included, can create files in
        bak = "/proc";
        EXPECT_FALSE(backup("pkg.sql", 40));
        EXPECT_EQ(error, "copy failed (pkg.sql -> /proc/pkg_b1.sql.bak): No such file or directory\n");
    }
    EXPECT_EQ(read("pkg.sql"), "keep me");
}

TEST_F(backups, failedcopyprunesnothing) {
    // The next name is taken by a directory, so the copy fails: no old copy may be lost.
    write("pkg.sql");
    makecopies("bak", "pkg", "sql", 1, 2);
    fs::create_directory(root + "/bak/pkg_b3.sql.bak");
    EXPECT_FALSE(backup("pkg.sql", 1, 1));
    EXPECT_EQ(error, "copy failed (pkg.sql -> bak/pkg_b3.sql.bak): File exists\n");
    EXPECT_EQ(numbers("bak", "pkg", "sql"), range(1, 2));
    EXPECT_EQ(messages.text, "");

    write("gone.sql");
    fs::remove(root + "/gone.sql");
    EXPECT_FALSE(backup("gone.sql", 40));
    EXPECT_EQ(error, "copy failed (gone.sql -> bak/gone_b1.sql.bak): No such file or directory\n");
    EXPECT_FALSE(exists("bak/gone_b1.sql.bak"));
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
