// Path parts, path levels, directory creation and the mask iterator over a scratch tree.
#include "paths.h"

#include "scratchtree.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

struct partscase {
    const char* path;
    const char* filename;
    const char* stem;
    const char* extension;
    const char* directory;
};

const partscase partscases[] = {
    {"src/a.pkb", "a.pkb", "a", "pkb", "src"},
    {"C:\\src\\a.pkb", "a.pkb", "a", "pkb", "C:\\src"},
    {"src/", "", "", "", "src"},
    {"/src/a.b.pkb", "a.b.pkb", "a.b", "pkb", "/src"},
    {"a.pkb", "a.pkb", "a", "pkb", ""},
    {"/a.pkb", "a.pkb", "a", "pkb", ""},        // one character must stand before the separator
    {".profile", ".profile", ".profile", "profile", ""},
    {"name.", "name.", "name.", "", ""},
    {"name", "name", "name", "", ""},
    {"dir.x/name", "name", "name", "", "dir.x"},
    {"dir.x\\name", "name", "name", "", "dir.x"},
    {"a/b\\c.sql", "c.sql", "c", "sql", "a/b"},  // both separators read
    {"pkg.c++", "pkg.c++", "pkg", "c++", ""},
    {"", "", "", "", ""},
};

TEST(pathparts, table) {
    for (const partscase& c : partscases) {
        EXPECT_EQ(filenameof(c.path), c.filename) << c.path;
        EXPECT_EQ(stemof(c.path), c.stem) << c.path;
        EXPECT_EQ(extensionof(c.path), c.extension) << c.path;
        EXPECT_EQ(directoryof(c.path), c.directory) << c.path;
    }
}

TEST(pathlevels, countandprefix) {
    EXPECT_EQ(countpathlevels("C:\\a\\b"), 2);
    EXPECT_EQ(countpathlevels("C:\\a\\b\\"), 2);
    EXPECT_EQ(countpathlevels("/a/b"), 2);
    EXPECT_EQ(countpathlevels("a/b/"), 1);
    EXPECT_EQ(countpathlevels("name"), 0);
    EXPECT_EQ(countpathlevels(""), 0);

    struct prefixcase {
        const char* path;
        int32_t n;
        const char* prefix;
    } cases[] = {
        {"C:\\a\\b", 0, "C:"},  {"C:\\a\\b", 1, "C:\\a"}, {"C:\\a\\b", 2, "C:\\a\\b"},
        {"C:\\a\\b", 7, "C:\\a\\b"}, {"C:\\a\\b", -3, "C:"}, {"/a/b", 0, ""},
        {"/a/b", 1, "/a"},      {"a/b/c/", 1, "a/b"},     {"a/b/c/", 2, "a/b/c/"},
        {"name", 0, "name"},
    };
    for (const prefixcase& c : cases) EXPECT_EQ(pathprefix(c.path, c.n), c.prefix) << c.path << " " << c.n;
}

TEST(pathlevels, striptrailingseparatorandjoin) {
    EXPECT_EQ(striptrailingseparator("/src/"), "/src");
    EXPECT_EQ(striptrailingseparator("src//"), "src/");   // one separator goes
    EXPECT_EQ(striptrailingseparator("/"), "/");
    EXPECT_EQ(striptrailingseparator("src\\"), "src\\");  // only the program's own separator
    EXPECT_EQ(striptrailingseparator("src"), "src");
    EXPECT_EQ(striptrailingseparator(""), "");

    EXPECT_EQ(joinpath("src", "a.sql"), "src/a.sql");
    EXPECT_EQ(joinpath("src/", "a.sql"), "src/a.sql");
    EXPECT_EQ(joinpath("/", "a.sql"), "/a.sql");
    EXPECT_EQ(joinpath("", "a.sql"), "a.sql");
}

using makedirectory = scratchtree;

TEST_F(makedirectory, createsthemissinglevelsonly) {
    std::string error = "stale";
    EXPECT_TRUE(makedirectorypath(root, error));
    EXPECT_EQ(error, "");

    write("t/keep.txt");
    EXPECT_TRUE(makedirectorypath(root + "/t/x/y", error));
    EXPECT_TRUE(std::filesystem::is_directory(root + "/t/x/y"));
    EXPECT_TRUE(exists(root + "/t/keep.txt"));

    EXPECT_TRUE(makedirectorypath("rel/one/two/", error));   // relative, trailing separator
    EXPECT_TRUE(std::filesystem::is_directory(root + "/rel/one/two"));
    EXPECT_TRUE(makedirectorypath("single", error));
    EXPECT_TRUE(std::filesystem::is_directory(root + "/single"));
}

TEST_F(makedirectory, failureskeepthelevelsalreadymade) {
    write("file");
    std::string error;
    EXPECT_FALSE(makedirectorypath(root + "/file/sub", error));
    EXPECT_EQ(error, root + "/file is not a directory");

    if (geteuid() != 0) {
        std::filesystem::create_directories(root + "/ro");
        chmod((root + "/ro").c_str(), 0555);
        EXPECT_FALSE(makedirectorypath(root + "/ro/x/y", error));
        EXPECT_EQ(error, "Permission denied");
        EXPECT_FALSE(exists(root + "/ro/x"));
    }
    // Levels made before a failure stay.
    write("made/blocker");
    EXPECT_FALSE(makedirectorypath("made/new/../blocker/z", error));
    EXPECT_TRUE(std::filesystem::is_directory(root + "/made/new"));
}

class maskwalk : public scratchtree {
protected:
    // Every path the mask gives, in order; "subdir:" lines collected apart.
    std::vector<std::string> walk(const std::string& mask, int32_t recursive, std::string* subdirlines = nullptr) {
        directoryhandle handle;
        std::vector<std::string> paths;
        testing::internal::CaptureStdout();
        for (std::string path; !(path = readdirectory(handle, mask, recursive, allbutdirectory)).empty();)
            paths.push_back(path);
        std::string printed = testing::internal::GetCapturedStdout();
        if (subdirlines) *subdirlines = printed;
        EXPECT_EQ(handle.finished, 1);
        EXPECT_EQ(readdirectory(handle, mask, recursive, allbutdirectory), "");   // stays ended
        closedirectory(handle);
        return paths;
    }
};

using paths = std::vector<std::string>;

TEST_F(maskwalk, flatsearchesgivethemaskdirectorypart) {
    write("src/b.sql");
    write("src/a.sql");
    write("src/a.pkb");
    write("src/sub/c.sql");
    write("top.sql");
    EXPECT_EQ(walk("src/*.sql", 0), (paths{"src/a.sql", "src/b.sql"}));
    EXPECT_EQ(walk("*.sql", 0), (paths{"top.sql"}));
    EXPECT_EQ(walk(root + "/src/?.*", 0), (paths{root + "/src/a.pkb", root + "/src/a.sql", root + "/src/b.sql"}));
    EXPECT_EQ(walk("src\\*.sql", 0), (paths{"src/a.sql", "src/b.sql"}));   // backslash read as a separator
    EXPECT_EQ(walk("src/*.none", 0), paths{});
    EXPECT_EQ(walk("missing/*.sql", 0), paths{});
    EXPECT_EQ(walk("src/[ab].sql", 0), paths{});  // "[" is literal
    write("src/[ab].sql");
    EXPECT_EQ(walk("src/[ab].sql", 0), (paths{"src/[ab].sql"}));
}

TEST_F(maskwalk, onlyregularfilesarehandedout) {
    write("d/real.sql");
    std::filesystem::create_directory(root + "/d/folder.sql");
    std::filesystem::create_symlink("real.sql", root + "/d/link.sql");
    std::filesystem::create_symlink("nowhere.sql", root + "/d/dangling.sql");
    ASSERT_EQ(mkfifo((root + "/d/pipe.sql").c_str(), 0600), 0);
    EXPECT_EQ(walk("d/*.sql", 0), (paths{"d/link.sql", "d/real.sql"}));
}

TEST_F(maskwalk, recursivesearchorderandsubdirlines) {
    for (const char* f : {"src/z.sql", "src/a/x.sql", "src/a/a2/y.sql", "src/b/w.sql", "src/a/a1/v.sql",
                          "src/b/b1/u.sql", "src/a/note.txt"})
        write(f);
    std::string lines;
    EXPECT_EQ(walk("src/*.sql", 1, &lines),
              (paths{"src/z.sql", "src/a/x.sql", "src/b/w.sql", "src/a/a1/v.sql", "src/a/a2/y.sql",
                     "src/b/b1/u.sql"}));
    EXPECT_EQ(lines,
              "subdir:src/a\nsubdir:src/b\nsubdir:src/a/a1\nsubdir:src/a/a2\nsubdir:src/b/b1\n");
}

TEST_F(maskwalk, recursivesearchcrossesdirectorieswithoutmatches) {
    write("top/empty1/.keep");
    write("top/empty2/deeper/.keep");
    write("top/hit/found.sql");
    write("top/tail/last.sql");
    std::filesystem::create_directory(root + "/top/zz.sql");   // a directory that matches the mask
    EXPECT_EQ(walk("top/*.sql", 1), (paths{"top/hit/found.sql", "top/tail/last.sql"}));
}

TEST_F(maskwalk, recursivesearchwithoutdirectorypart) {
    write("one.sql");
    write("sub/two.sql");
    std::string lines;
    EXPECT_EQ(walk("*.sql", 1, &lines), (paths{"one.sql", "sub/two.sql"}));
    EXPECT_EQ(lines, "subdir:/sub\n");
}

TEST_F(maskwalk, symlinkeddirectoriesarenotentered) {
    write("tree/a.sql");
    write("tree/inner/b.sql");
    std::filesystem::create_directory_symlink("..", root + "/tree/inner/loop");
    std::filesystem::create_directory_symlink(root + "/tree/inner", root + "/tree/alias");
    std::string lines;
    EXPECT_EQ(walk("tree/*.sql", 1, &lines), (paths{"tree/a.sql", "tree/inner/b.sql"}));
    EXPECT_EQ(lines, "subdir:tree/inner\n");
}

// A folder of the tree that cannot be searched is skipped, and said to be.
TEST_F(maskwalk, unreadablesubdirectoryisskippedandnamed) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every directory";
    write("t/a.sql");
    write("t/locked/b.sql");
    write("t/open/c.sql");
    chmod((root + "/t/locked").c_str(), 0);
    testing::internal::CaptureStderr();
    EXPECT_EQ(walk("t/*.sql", 1), (paths{"t/a.sql", "t/open/c.sql"}));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Warning:the folder t/locked is skipped: Permission denied\n");
}

TEST_F(maskwalk, anewmaskonthesamehandlestartsafresh) {
    write("p/a.sql");
    write("p/b.pkb");
    write("p/q/c.sql");
    directoryhandle handle;
    testing::internal::CaptureStdout();
    EXPECT_EQ(readdirectory(handle, "p/*.sql", 1, allbutdirectory), "p/a.sql");
    EXPECT_EQ(readdirectory(handle, "p/*.pkb", 0, allbutdirectory), "p/b.pkb");
    EXPECT_EQ(readdirectory(handle, "p/*.pkb", 0, allbutdirectory), "");
    EXPECT_EQ(readdirectory(handle, "p/*.sql", 1, allbutdirectory), "p/a.sql");
    EXPECT_EQ(nextdirectoryentry(handle, allbutdirectory), "p/q/c.sql");
    EXPECT_EQ(nextdirectoryentry(handle, allbutdirectory), "");
    EXPECT_EQ(handle.finished, 1);
    testing::internal::GetCapturedStdout();
    closedirectory(handle);
    EXPECT_TRUE(handle.directories.empty());

    directoryhandle unused;
    closedirectory(unused);
    EXPECT_EQ(unused.finished, 0);
}

}  // namespace
