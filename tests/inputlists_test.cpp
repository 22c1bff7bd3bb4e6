// brelm's input lists as a whole: masks, recursive searches, exclusions, output
// directories and default output names, run on a scratch tree.
#include "programrun.h"

#include <fcntl.h>
#include <unistd.h>

#include <climits>

namespace {

const std::string hint = "\n\n(Give -h as option if you want to see the usage info)\n";
const std::string source = "begin\n  null;\nend;\n/\n";
const std::string formatted = "BEGIN\n  NULL;\nEND;\n/\n";   // keywords upper-cased (-uk)

class inputlists : public programtest {
protected:
    void SetUp() override {
        programtest::SetUp();
        for (const char* name : {"src/b.sql", "src/a.sql", "src/old1.sql", "src/x.pkb", "src/sub/c.sql",
                                 "src/sub/old2.sql", "src/sub/deep/d.sql", "src/empty/.keep"})
            writefile(name, source);
    }
    // The "done" lines of the given input -> output pairs.
    static std::string done(const std::vector<std::pair<std::string, std::string>>& pairs) {
        std::string lines;
        for (const auto& [in, out] : pairs) lines += in + " -> " + out + " formatting is done.\n";
        return lines;
    }
};

}  // namespace

TEST_F(inputlists, masksexpandinsortedorder) {
    programresult run = brelm({"-i", "src/*.sql", "-i", "src/x.pkb", "-o", "null"});
    EXPECT_EQ(run.err, done({{"src/a.sql", "src/a.sql.vmq"}, {"src/b.sql", "src/b.sql.vmq"},
                             {"src/old1.sql", "src/old1.sql.vmq"}, {"src/x.pkb", "null"}}));
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_EQ(readfile("src/a.sql.vmq"), formatted);
    EXPECT_FALSE(exists("src/sub/c.sql.vmq"));
}

TEST_F(inputlists, recursivesearchannouncesitsdirectories) {
    programresult run = brelm({"-ir", "src/*.sql", "-oe", ".out"});
    EXPECT_EQ(run.out, "subdir:src/empty\nsubdir:src/sub\nsubdir:src/sub/deep\n");
    EXPECT_EQ(run.err, done({{"src/a.sql", "src/a.out"}, {"src/b.sql", "src/b.out"}, {"src/old1.sql", "src/old1.out"},
                             {"src/sub/c.sql", "src/sub/c.out"}, {"src/sub/old2.sql", "src/sub/old2.out"},
                             {"src/sub/deep/d.sql", "src/sub/deep/d.out"}}));
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_EQ(readfile("src/sub/deep/d.out"), formatted);
}

TEST_F(inputlists, exclusionsdropthenamestheirmaskfinds) {
    programresult run = brelm({"-ir", "src/*.sql", "-efr", "src/old*.sql", "-ef", "src/b.sql", "-od", "src"});
    EXPECT_EQ(run.out, "subdir:src/empty\nsubdir:src/sub\nsubdir:src/sub/deep\n"
                       "subdir:src/empty\nsubdir:src/sub\nsubdir:src/sub/deep\n");
    EXPECT_EQ(run.err, done({{"src/a.sql", "src/a.sql.vmq"}, {"src/sub/c.sql", "src/c.sql.vmq"},
                             {"src/sub/deep/d.sql", "src/d.sql.vmq"}}));
    EXPECT_EQ(run.exitcode, 0);

    run = brelm({"-i", "src/*.sql", "-ef", "src/*.sql"});
    EXPECT_EQ(run.err, "All files skipped. Nothing is done.\n");
    EXPECT_EQ(run.exitcode, 2);
}

TEST_F(inputlists, recursiveoutputdirectorymirrorsthetree) {
    writefile("out/.keep", "");
    programresult run = brelm({"-ir", "src/*.sql", "-odr", "out/", "-sr-"});
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.exitcode, 0);
    for (const char* made : {"out/a.sql.vmq", "out/old1.sql.vmq", "out/sub/c.sql.vmq", "out/sub/deep/d.sql.vmq"})
        EXPECT_EQ(readfile(made), formatted) << made;
    EXPECT_FALSE(exists("out/empty"));

    run = brelm({"-i", "src/sub/*.sql", "-od", "out", "-oe", ".fmt"});
    EXPECT_EQ(run.err, done({{"src/sub/c.sql", "out/c.fmt"}, {"src/sub/old2.sql", "out/old2.fmt"}}));
    EXPECT_EQ(run.exitcode, 0);
}

TEST_F(inputlists, namingerrorsareusageerrors) {
    struct row {
        std::vector<std::string> arguments;
        std::string err;
    } rows[] = {
        {{"-o", "b.sql"}, "The input file (-i) is missing before -o b.sql" + hint},
        {{"-i", "src/a.sql", "-o", "b.sql", "-o", "c.sql"}, "The input file (-i) is missing before -o c.sql" + hint},
        {{"-io", "src/a.sql", "-no"}, "The input file (-i) is missing before -o null" + hint},
        {{"-i", "src/a.sql", "-o", "b.sql", "-o", "\x1b[2J"}, "The input file (-i) is missing before -o \\x1b[2J" + hint},
        {{"-i", "src/a.sql", "-od", "nowhere/"}, "The output directory (-od) nowhere/ does not exist" + hint},
        {{"-i", "src/a.sql", "-od", "src/a.sql"}, "The output directory (-od) src/a.sql does not exist" + hint},
        {{"-i", "src/*.none"}, "No input file is given: src/*.none matches no file." + hint},
        {{"-i", "src/*.none", "-io", "src/*.x"}, "No input file is given: src/*.none, src/*.x match no file." + hint},
        {{"-i", "src/*.sql", "-o", "x.sql"},
         "-o x.sql cannot follow the mask src/*.sql, which may name many files: name their outputs with -od, -odr or -oe." + hint},
    };
    for (const row& r : rows) {
        programresult run = brelm(r.arguments);
        EXPECT_EQ(run.err, r.err);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.exitcode, 2);
    }
    EXPECT_FALSE(exists("nowhere"));
}

// Two inputs whose outputs would have one name: the second fails and the first output stays.
// The same input named twice is formatted twice.
TEST_F(inputlists, asecondinputnevertakestheoutputofanother) {
    writefile("other/a.sql", "begin\n  x := 1;\nend;\n");
    writefile("out/.keep", "");
    programresult run = brelm({"-soe-", "-b", "0", "-i", "src/a.sql", "-i", "other/*.sql", "-od", "out", "-io", "src/b.sql",
                               "-io", "./src/b.sql"});
    EXPECT_EQ(run.err, done({{"src/a.sql", "out/a.sql.vmq"}}) +
                           "other/a.sql would overwrite the output of src/a.sql\n"
                           "other/a.sql -> out/a.sql.vmq formatting failed because of errors.\n"
                           "src/b.sql formatting is done.\n./src/b.sql formatting is done.\n");
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_EQ(readfile("out/a.sql.vmq"), formatted);

    // Nor through a link the user names to an output the run wrote.
    std::filesystem::create_symlink("same.sql", folder / "link.sql");
    run = brelm({"-b", "0", "-i", "src/a.sql", "-o", "same.sql", "-i", "other/a.sql", "-o", "link.sql"});
    EXPECT_EQ(run.err, done({{"src/a.sql", "same.sql"}}) +
                           "other/a.sql would overwrite the output of src/a.sql\n"
                           "other/a.sql -> link.sql formatting failed because of errors.\n");
    EXPECT_EQ(run.exitcode, 255);

    // Nor may an output replace another input of the run, whose text would be lost before its
    // turn: here a name -oe derives from a.sql is b.txt, listed by the same mask.
    writefile("mixed/b.sql", source);
    writefile("mixed/b.txt", "begin\n  y := 2;\nend;\n");
    run = brelm({"-soe-", "-b", "0", "-i", "mixed/*", "-oe", ".txt"});
    EXPECT_EQ(run.err, "mixed/b.sql would overwrite the input file mixed/b.txt\n"
                       "mixed/b.sql -> mixed/b.txt formatting failed because of errors.\n"
                       "mixed/b.txt formatting is done.\n");
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_EQ(readfile("mixed/b.txt"), "BEGIN\n  y := 2;\nEND;\n");

    // A file a mask listed that this run has replaced meanwhile, because a mask lists it
    // twice or through a link beside it, is formatted again, not taken for a changed file.
    writefile("twice/real.sql", source);
    std::filesystem::create_symlink("real.sql", folder / "twice/link.sql");
    run = brelm({"-b", "0", "-io", "twice/*.sql", "-io", "twice/*.sql"});
    EXPECT_EQ(run.err, "twice/link.sql formatting is done.\ntwice/real.sql formatting is done.\n"
                       "twice/link.sql formatting is done.\ntwice/real.sql formatting is done.\n");
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_EQ(readfile("twice/real.sql"), formatted);
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "twice/link.sql"));
}

// A folder of a recursive search that cannot be searched, here one whose path is longer than
// the system takes, is skipped with a word, and the rest is formatted.
TEST_F(inputlists, afolderthatcannotbesearchedisnamed) {
    // Folders nested in src/sub, made one level at a time, until the path is too long.
    const std::string level(200, 'd');
    std::vector<int> levels{::open((folder / "src/sub").c_str(), O_RDONLY | O_DIRECTORY)};
    std::string deepest = "src/sub";
    while (levels.back() >= 0 && deepest.size() < PATH_MAX) {
        if (::mkdirat(levels.back(), level.c_str(), 0755) != 0) break;
        levels.push_back(::openat(levels.back(), level.c_str(), O_RDONLY | O_DIRECTORY));
        deepest += "/" + level;
    }
    ASSERT_GE(levels.back(), 0);
    ::close(::openat(levels.back(), "x.sql", O_WRONLY | O_CREAT, 0644));

    programresult run = brelm({"-ir", "src/sub/*.sql", "-b", "0"});
    EXPECT_EQ(run.err, "Warning:the folder " + deepest + " is skipped: File name too long\n" +
                           done({{"src/sub/c.sql", "src/sub/c.sql.vmq"}, {"src/sub/old2.sql", "src/sub/old2.sql.vmq"},
                                 {"src/sub/deep/d.sql", "src/sub/deep/d.sql.vmq"}}));
    EXPECT_EQ(run.exitcode, 0);

    // The nest goes from the deepest level up: its full path is too long for the usual removal.
    ::unlinkat(levels.back(), "x.sql", 0);
    for (size_t k = levels.size() - 1; k > 0; --k) {
        ::close(levels[k]);
        ::unlinkat(levels[k - 1], level.c_str(), AT_REMOVEDIR);
    }
    ::close(levels.front());
}

// A relative TMP or TMPDIR counts as unset: backups never land below the folder a run
// starts in.
TEST_F(inputlists, arelativetemporaryfolderisnotused) {
    environment["TMP"] = "relative";
    environment["TMPDIR"] = backups.path().string();
    programresult run = brelm({"-io", "src/a.sql", "-sr-"});
    EXPECT_EQ(run.exitcode, 0) << run.err;
    EXPECT_FALSE(exists("relative"));
    EXPECT_EQ(testfolder::readall(mirror("src/a_b1.sql.bak")), source);
}

namespace {

class backupruns : public programtest {
protected:
    void SetUp() override {
        programtest::SetUp();
        writefile("src/a.sql", source);
    }
    // The copy numbers of a.sql kept in the mirror folder below the backup folder.
    std::vector<int> copies(const std::filesystem::path& mirror) {
        std::vector<int> numbers;
        for (int n = 1; n <= 10; ++n)
            if (std::filesystem::exists(mirror / ("a_b" + std::to_string(n) + ".sql.bak"))) numbers.push_back(n);
        return numbers;
    }
};

}  // namespace

TEST_F(backupruns, everyrunkeepsanumberedcopyandprunes) {
    for (int run = 1; run <= 4; ++run) {
        writefile("src/a.sql", source + "-- run " + std::to_string(run) + "\n");
        programresult result = brelm({"-io", "src/a.sql", "-b", "2", "-sr-"});
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.exitcode, 0);
    }
    EXPECT_EQ(copies(mirror("src")), (std::vector<int>{3, 4}));
    EXPECT_EQ(testfolder::readall(mirror("src/a_b4.sql.bak")), source + "-- run 4\n");
    EXPECT_EQ(testfolder::readall(mirror("src/a_b3.sql.bak")), source + "-- run 3\n");

    brelm({"-io", "src/a.sql", "-b", "0", "-sr-"});
    EXPECT_EQ(copies(mirror("src")), (std::vector<int>{3, 4}));
}

TEST_F(backupruns, mirrorpathsstaybelowthebackupfolder) {
    std::string absolute = (folder / "src/a.sql").string();
    programresult run = brelm({"-io", absolute, "-sr-"});
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_EQ(copies(mirror("src")), std::vector<int>{1}) << absolute;
    // A relative name of the same file backs up into the same series.
    run = brelm({"-io", "src/../src/a.sql", "-sr-"});
    EXPECT_EQ(copies(mirror("src")), (std::vector<int>{1, 2}));

    writefile("sub/b.sql", source);
    std::filesystem::create_directory(folder / "sub/x");
    run = brelm({"-io", "sub/x/../b.sql", "-bdir", "mine.d/", "-sr-"});
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_EQ(testfolder::readall(folder / mirror("sub/b_b1.sql.bak", "mine.d")), source);

    run = brelm({"-i", "stdin", "-o", "null", "-sr-"}, source);
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_FALSE(std::filesystem::exists(backups / "stdin_b1.sql.bak"));
}

TEST_F(backupruns, unusablebackupfolderfailsthefilebeforewriting) {
    writefile("blocker", "a file, not a folder");
    programresult run = brelm({"-io", "src/a.sql", "-bdir", "blocker"});
    EXPECT_EQ(run.err, "could not create directory " + mirror("src", "blocker") + ",blocker is not a directory\n"
                       "src/a.sql formatting failed because of errors.\n");
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_EQ(readfile("src/a.sql"), source);

    run = brelm({"-i", "src/a.sql", "-bdir", ""});
    EXPECT_EQ(run.err, "no backup directory is set for src/a.sql: give one with -bdir\n"
                       "src/a.sql -> src/a.sql.vmq formatting failed because of errors.\n");
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_FALSE(exists("src/a.sql.vmq"));

    if (geteuid() != 0) {   // root writes into read-only folders
        writefile(mirror("src", "ro").substr(folder.string().size() + 1) + "/.keep", "");
        std::filesystem::permissions(folder / mirror("src", "ro"), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        run = brelm({"-io", "src/a.sql", "-bdir", "ro"});
        std::filesystem::permissions(folder / mirror("src", "ro"), std::filesystem::perms::owner_all);
        EXPECT_EQ(run.err, "copy failed (src/a.sql -> " + mirror("src/a_b1.sql.bak", "ro") + "): Permission denied\n"
                           "src/a.sql formatting failed because of errors.\n");
        EXPECT_EQ(run.exitcode, 255);
        EXPECT_EQ(readfile("src/a.sql"), source);
    }
}
