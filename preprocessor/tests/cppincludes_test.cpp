// #include and #include_next in a temporary folder: the search order, the bracketing #line
// tokens, names made by macros, the nesting limit, errors, and the include cache files.
#include "marloxtesting.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "testfolder.h"

class includetest : public preprocessortest {
protected:
    testfolder folder;
    std::filesystem::path previous;

    void SetUp() override
    {
        preprocessortest::SetUp();
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder.path());
        folder.write("a.sql", "");
    }
    void TearDown() override { std::filesystem::current_path(previous); }

    void write(const std::string& name, const std::string& text) { folder.write(name, text); }

    // A call's result or error text, with what it wrote to the standard error stream.
    std::pair<std::string, std::string> callwitherr(const std::string& source,
                                                    const std::vector<std::string>& options = {})
    {
        testing::internal::CaptureStderr();
        std::string outcome = call(source, options);
        return {outcome, testing::internal::GetCapturedStderr()};
    }

    // Moves the file's last-write time one second on.
    void touch(const std::string& name)
    {
        auto path = folder.path() / name;
        std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(1));
    }
};

TEST_F(includetest, thelastdirectoryholdingthenamewins)
{
    write("A/x.sql", "from A\n");
    write("B/x.sql", "from B\n");
    write("C/y.sql", "y in C\n");
    write("x.sql", "current\n");
    write("sub/z.sql", "z\n");
    EXPECT_EQ(call("#include \"x.sql\"\nafter\n", {"-I", "A", "-I", "B", "-I", "C"}),
              "#line 0 \"B/x.sql\"\nfrom B\n#line 1 \"a.sql\"\n\nafter\n");
    EXPECT_EQ(call("#include \"x.sql\"\n", {"-I", "B", "-I", "A", "-I", "C"}),
              "#line 0 \"A/x.sql\"\nfrom A\n#line 1 \"a.sql\"\n\n");
    EXPECT_EQ(call("#include \"x.sql\"\n", {"-I", "C"}), "#line 0 \"x.sql\"\ncurrent\n#line 1 \"a.sql\"\n\n");
    EXPECT_EQ(call("#include \"sub\\z.sql\"", {"-I", "./"}), "#line 0 \"./sub/z.sql\"\nz\n#line 1 \"a.sql\"\n");
    // A system name searches the system list only.
    EXPECT_EQ(call("x\n#include <x.sql>\n"),
              "a.sql line 2:file x.sql is not found in the known paths in #include\nAt source:x\n#include <x.sql><<\n");
    EXPECT_EQ(call("#include <y.sql> tail\n", {"-I", "C", "-sI", "C"}),
              "#line 0 \"C/y.sql\"\ny in C\n#line 1 \"a.sql\"\n tail\n");
}

TEST_F(includetest, includenextsearchesthedirectoriesafterthecurrentone)
{
    write("A/x.sql", "A\n#include_next \"x.sql\"\n");
    write("B/x.sql", "B\n#include_next \"x.sql\"\n");
    write("C/other.sql", "");
    write("x.sql", "current\n");
    EXPECT_EQ(call("#include \"x.sql\"\n", {"-I", "A", "-I", "B", "-I", "C"}),
              "#line 0 \"B/x.sql\"\nB\n#line 0 \"x.sql\"\ncurrent\n#line 2 \"B/x.sql\"\n\n#line 1 \"a.sql\"\n\n");
    write("D/y.sql", "#include_next \"x.sql\"\n");
    EXPECT_EQ(callwitherr("#include \"y.sql\"\n", {"-I", "D"}).first,
              "D/y.sql line 1:the filename of #include_next is not the same as of the current file\n"
              "At source:#include_next \"x.sql\"<<\n");
}

TEST_F(includetest, namesmadebymacros)
{
    write("inc/x.sql", "x\n");
    EXPECT_EQ(call("#define F \"x.sql\"\n#include F\nnext\n", {"-I", "inc"}),
              "#line 0 \"inc/x.sql\"\nx\n#line 3 \"a.sql\"\nnext\n");
    EXPECT_EQ(call("#define D <x.sql>\n#include D\n", {"-sI", "inc"}), "#line 0 \"inc/x.sql\"\nx\n#line 3 \"a.sql\"\n");
    // In a skipped section nothing is searched or expanded.
    EXPECT_EQ(call("#if 0\n#include \"missing.sql\"\n#include MISSING\n#include_next NAME\n#endif\nz\n"), "\nz\n");
}

TEST_F(includetest, nameerrors)
{
    struct row {
        std::string source;
        std::string error;
    };
    const row rows[] = {
        {"#include\n", "a.sql line 1:filename is empty in #include\nAt source:#include<<\n"},
        {"#include_next 5\n", "a.sql line 1:filename is empty in #include_next\nAt source:#include_next 5<<\n"},
        {"#include \"x.sql\nmore\n", "a.sql line 2:closing \" not found\nAt source:#include \"x.sql\nmore<<\n"},
        {"#include <x.sql\n", "a.sql line 1:closing > not found in #include\nAt source:#include <x.sql<<\n"},
        {"#define F <x.sql\n#include F\n",
         "a.sql line 2:closing > not found in #include\nAt source:#define F <x.sql\n#include F<<\n"},
        {"#include \"none.sql\"\n",
         "a.sql line 1:file none.sql is not found in the known paths in #include\nAt source:#include \"none.sql\"<<\n"},
        {"#include_next \"sub/a.sql\"\n",
         "a.sql line 1:file sub/a.sql is not found in the known paths in #include_next\n"
         "At source:#include_next \"sub/a.sql\"<<\n"},
    };
    for (const row& r : rows)
        EXPECT_EQ(callwitherr(r.source).first, r.error) << r.source;
}

TEST_F(includetest, errorsinsideanincludenameitsfile)
{
    write("inc.sql", "a\n#error bad\n");
    write("open.sql", "#if 1\n");
    write("nul.sql", std::string("a\0b", 3));
    std::filesystem::create_directory("folder.sql");
    auto [error, err] = callwitherr("x\n#include \"inc.sql\"\n");
    EXPECT_EQ(error, "inc.sql line 2:#error:bad\nAt source:a\n#error bad<<\n");
    EXPECT_EQ(err, "Includes:\ninc.sql 2\n");
    EXPECT_EQ(callwitherr("#include \"open.sql\"\n#endif\n").first, "open.sql line 1:#endif not found\nAt source:#if 1<<\n");
    EXPECT_EQ(call("#include \"nul.sql\"\n"), "nul.sql: the file holds a NUL byte\n");
    EXPECT_EQ(call("#include \"folder.sql\"\n"), "folder.sql: Is a directory\n");
}

// Include and preload files are regular files of at most 1 GB. A device would be read without
// end and a FIFO would wait for a writer: both are refused at once.
TEST_F(includetest, onlyregularfilesofboundedsizeareread)
{
    ASSERT_EQ(mkfifo("pipe.sql", 0600), 0);
    write("huge.sql", "");
    std::filesystem::resize_file("huge.sql", (uintmax_t(1) << 30) + 1);  // sparse
    EXPECT_EQ(call("#include \"/dev/zero\"\n"), "/dev/zero: it is not a regular file\n");
    EXPECT_EQ(call("#include \"pipe.sql\"\n"), "pipe.sql: it is not a regular file\n");
    EXPECT_EQ(call("#include \"huge.sql\"\n"), "huge.sql: the file is larger than 1 GB\n");
    EXPECT_EQ(call("x\n", {"-pf", "/dev/zero"}), "could not preload file /dev/zero: it is not a regular file\n");
    EXPECT_EQ(call("x\n", {"-pf", "pipe.sql"}), "could not preload file pipe.sql: it is not a regular file\n");
    EXPECT_EQ(call("x\n", {"-pf", "huge.sql"}), "could not preload file huge.sql: the file is larger than 1 GB\n");
}

TEST_F(includetest, includesnestnodeeperthanthelimit)
{
    write("self.sql", "#include \"self.sql\"\n");
    auto [error, err] = callwitherr("#include \"self.sql\"\n");
    EXPECT_EQ(error, "self.sql line 1:#include nested too deeply\nAt source:#include \"self.sql\"<<\n");
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 201);
    write("d1.sql", "#include \"d2.sql\"\n");
    write("d2.sql", "deep\n");
    EXPECT_EQ(call("#include \"d1.sql\"\n"),
              "#line 0 \"d1.sql\"\n#line 0 \"d2.sql\"\ndeep\n#line 1 \"d1.sql\"\n\n#line 1 \"a.sql\"\n\n");
}

TEST_F(includetest, linenumberinginsideandafteraninclude)
{
    write("i.sql", "y := __line__ || __file__;\n#define q 1\nz\n");
    // Each file numbers its own lines; __file__ names the top-level file.
    EXPECT_EQ(call("#line 100 \"z.sql\"\n#include \"i.sql\"\nx := __line__;\n"),
              "#line 0 \"i.sql\"\ny := '1' || 'a.sql';\nz\n#line 100 \"z.sql\"\n\nx := '101';\n");
    // Under ld the #line tokens inside the include name the include.
    EXPECT_EQ(call("#include \"i.sql\"\n", {"-ld+"}),
              "#line 0 \"i.sql\"\ny := '1' || 'a.sql';\n#line 3 \"i.sql\"\nz\n#line 1 \"a.sql\"\n#line 1 \"a.sql\"\n\n");
}

TEST_F(includetest, anincludedtextisreadonce)
{
    write("i.sql", "first\n");
    EXPECT_EQ(call("#include \"i.sql\"\n#include \"i.sql\"\n"),
              "#line 0 \"i.sql\"\nfirst\n#line 1 \"a.sql\"\n\n#line 0 \"i.sql\"\nfirst\n#line 2 \"a.sql\"\n\n");
    write("i.sql", "second\n");
    EXPECT_EQ(call("#include \"i.sql\"\n"), "#line 0 \"i.sql\"\nfirst\n#line 1 \"a.sql\"\n\n");
}

TEST_F(includetest, cachefileiswrittenandreused)
{
    write("inc/x.sql", "#include \"y.sql\"\nx\n");
    write("inc/y.sql", "y := m(1);\n");
    const std::vector<std::string> options = {"-c+", "-I", "inc"};
    const std::string source = "#define m(p, q) [p]\n#include \"x.sql\"\n";
    const std::string expected = "#line 0 \"inc/x.sql\"\n#line 0 \"inc/y.sql\"\ny := [1]\n;\n#line 1 \"inc/x.sql\"\n\nx\n"
                                 "#line 2 \"a.sql\"\n\n";
    // Without -t+ the library writes nothing on the host's error stream.
    auto first = callwitherr(source, options);
    EXPECT_EQ(first.first, expected);
    EXPECT_EQ(first.second, "");
    // The cache lies beside the included file, not in the current folder.
    EXPECT_FALSE(std::filesystem::exists("inc_x_sql.cch"));
    std::string content = folder.read("inc/x_sql.cch");
    std::string head;
    for (const std::string& item :
         {std::string("cpptodcachefilev0.1"), std::string("a.sql"), std::to_string(*lastwritetime("a.sql")),
          std::string("inc/x.sql"), std::to_string(*lastwritetime("inc/x.sql")), std::string("inc/y.sql"),
          std::to_string(*lastwritetime("inc/y.sql")), std::string("#endofincludedfiles"), std::string("m"),
          std::string("(p:0;q:1;)"), std::string("[p]"), std::string("#endofmacros")}) {
        head += item;
        head += '\0';
    }
    EXPECT_EQ(content.substr(0, head.size()), head);
    EXPECT_EQ(content.back(), '\0');

    std::vector<std::string> traced = options;
    traced.push_back("-t+");
    auto second = callwitherr(source, traced);
    EXPECT_EQ(second.first, expected);
    EXPECT_EQ(second.second, "cache read\n");
    // Only includes in a top-level text have a cache file.
    EXPECT_FALSE(std::filesystem::exists("inc/y_sql.cch"));
}

TEST_F(includetest, cacheisremadewhenitsgroundschange)
{
    write("inc/x.sql", "#include \"y.sql\"\nx\n");
    write("inc/y.sql", "y\n");
    const std::vector<std::string> options = {"-c+", "-t+", "-I", "inc"};
    const std::string source = "#include \"x.sql\"\n";
    const std::string generated = "generate cache true inc/x.sql\ncache generated\n";
    EXPECT_EQ(callwitherr(source, options).second, generated);
    EXPECT_EQ(callwitherr(source, options).second, "cache read\n");
    touch("inc/y.sql");
    EXPECT_EQ(callwitherr(source, options).second, generated);
    touch("a.sql");
    EXPECT_EQ(callwitherr(source, options).second, generated);
    EXPECT_EQ(callwitherr("#define more 1\n" + source, options).second, generated);
    EXPECT_EQ(callwitherr(source, options).second, generated);
    // A damaged file is remade.
    std::string content = folder.read("inc/x_sql.cch");
    folder.write("inc/x_sql.cch", content.substr(0, content.size() - 1));
    EXPECT_EQ(callwitherr(source, options).second, generated);
    EXPECT_EQ(callwitherr(source, options).second, "cache read\n");
    // A file of the same cache name that was made for another path is not taken.
    write("inc/x_sql", "other\n");
    auto other = callwitherr("#include \"x_sql\"\n", options);
    EXPECT_EQ(other.first, "#line 0 \"inc/x_sql\"\nother\n#line 1 \"a.sql\"\n\n");
    EXPECT_EQ(other.second, "generate cache true inc/x_sql\ncache generated\n");
}

TEST_F(includetest, cacheisnotrecordedwhentheoutputdependsonmore)
{
    const std::vector<std::string> options = {"-c+", "-t+", "-ld-", "-kld-"};
    const std::string contents[] = {"#define q 1\n", "#undef q\n", "#warning w\n", "#line 5\n", "x := __line__;\n",
                                    "x := __file__;\n"};
    for (const std::string& text : contents) {
        write("i.sql", text);
        state.includes.filetexts.clear();
        std::filesystem::remove("i_sql.cch");
        EXPECT_EQ(callwitherr("#include \"i.sql\"\n", options).second, "generate cache true i.sql\n") << text;
        EXPECT_FALSE(std::filesystem::exists("i_sql.cch")) << text;
    }
    write("j.sql", "j\n");
    EXPECT_EQ(callwitherr("#include \"j.sql\"\n", {"-c+", "-ld+"}).second, "");
    EXPECT_EQ(callwitherr("#include \"j.sql\"\n", {"-c+", "-ld-", "-kld+"}).second, "");
    EXPECT_FALSE(std::filesystem::exists("j_sql.cch"));
}

// A file of the cache's name that is no cache file is the user's: the recording leaves it, and
// a link or a FIFO there is neither followed nor waited on.
TEST_F(includetest, acachenevertakestheplaceofanotherfile)
{
    write("victim.txt", "keep\n");
    write("inc/x.sql", "x\n");
    write("inc/x_sql.cch", "notes\n");
    write("inc/y.sql", "y\n");
    std::filesystem::create_symlink("../victim.txt", "inc/y_sql.cch");
    write("inc/z.sql", "z\n");
    ASSERT_EQ(mkfifo("inc/z_sql.cch", 0600), 0);
    const std::vector<std::string> options = {"-c+", "-t+", "-I", "inc"};
    for (const char* name : {"x", "y", "z"}) {
        const std::string file = std::string("inc/") + name + ".sql";
        auto run = callwitherr(std::string("#include \"") + name + ".sql\"\n", options);
        EXPECT_EQ(run.first, "#line 0 \"" + file + "\"\n" + name + "\n#line 1 \"a.sql\"\n\n");
        EXPECT_EQ(run.second, "generate cache true " + file + "\ncache not written: inc/" + name +
                                  "_sql.cch is no cache file\n");
    }
    EXPECT_EQ(folder.read("inc/x_sql.cch"), "notes\n");
    EXPECT_TRUE(std::filesystem::is_symlink("inc/y_sql.cch"));
    EXPECT_EQ(folder.read("victim.txt"), "keep\n");
    EXPECT_TRUE(std::filesystem::is_fifo("inc/z_sql.cch"));
}

TEST_F(includetest, afolderthatrefusesthecacheleavesthecallasitis)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into a read-only folder";
    const std::vector<std::string> options = {"-c+", "-t+"};
    write("ro/r.sql", "r\n");
    std::filesystem::permissions("ro", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    auto run = callwitherr("#include \"ro/r.sql\"\n", options);
    std::filesystem::permissions("ro", std::filesystem::perms::owner_all);
    EXPECT_EQ(run.first, "#line 0 \"ro/r.sql\"\nr\n#line 1 \"a.sql\"\n\n");
    EXPECT_EQ(run.second, "generate cache true ro/r.sql\ncache not written: ro/r_sql.cch: Permission denied\n");
}

TEST(includecache, cachefilenames)
{
    EXPECT_EQ(cachefilenamefor("C:\\inc\\x.sql"), "C__inc_x_sql.cch");
    EXPECT_EQ(cachefilenamefor("../inc/x.y.sql"), "../inc/x_y_sql.cch");
    EXPECT_EQ(cachefilenamefor("/usr/share/a:b.sql"), "/usr/share/a_b_sql.cch");
}

TEST_F(includetest, alongincludeiscachedwhole)
{
    // Many more tokens than the output joins at once: the recording must still see them all.
    std::string body;
    std::string expanded;
    for (int i = 0; i < 10000; ++i) {
        body += "v m;\n";
        expanded += "v [1]\n;\n";
    }
    write("inc/big.sql", body);
    const std::string source = "#define m [1]\n#include \"big.sql\"\n";
    const std::string expected = "#line 0 \"inc/big.sql\"\n" + expanded + "#line 2 \"a.sql\"\n\n";
    EXPECT_EQ(call(source, {"-I", "inc"}), expected);
    const std::vector<std::string> options = {"-c+", "-t+", "-I", "inc"};
    auto first = callwitherr(source, options);
    EXPECT_EQ(first.first, expected);
    EXPECT_EQ(first.second, "generate cache true inc/big.sql\ncache generated\n");
    auto second = callwitherr(source, options);
    EXPECT_EQ(second.first, expected);
    EXPECT_EQ(second.second, "cache read\n");
}
