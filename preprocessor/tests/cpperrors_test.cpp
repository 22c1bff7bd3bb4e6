// Error texts with source context, line numbering, the SQL*Plus command words, and the
// debug listings and dump files.
#include "marloxtesting.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string readfile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Counts line breaks byte by byte, the slow way the index must agree with.
int32_t countedline(size_t position, const std::string& text)
{
    int32_t line = 1;
    for (size_t i = 0; i < position && i < text.size(); ++i)
        if (text[i] == '\r' || (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')))
            ++line;
    return line;
}

class dumpfolderfixture {
public:
    dumpfolderfixture()
    {
        char pattern[] = "/tmp/marloxdumpXXXXXX";
        folder = mkdtemp(pattern);
        setenv("MARLOX_DUMP", folder.c_str(), 1);
    }
    ~dumpfolderfixture()
    {
        unsetenv("MARLOX_DUMP");
        std::filesystem::remove_all(folder);
    }
    std::filesystem::path folder;
};

} // namespace

class errortest : public preprocessortest {};

TEST_F(errortest, lineofposition)
{
    struct linecase {
        const char* text;
        size_t position;
        int32_t line;
    };
    const linecase cases[] = {
        {"", 0, 1},         {"abc", 3, 1},       {"\r\nx", 2, 2},   {"\r\nx", 1, 2},    {"\n\rx", 2, 3},
        {"a\rb\nc", 4, 3},  {"a\r\n\r\nb", 5, 3}, {"a\nb", 99, 2},  {"a\nb", 1, 1},
    };
    for (const linecase& c : cases)
        EXPECT_EQ(lineofposition(state.lineindexes, c.position, c.text), c.line) << c.text << " at " << c.position;
}

TEST_F(errortest, lineindexofalargetextagreeswithcounting)
{
    std::string text;
    const char* breaks[] = {"\n", "\r\n", "\r", "\n\r", "\r\r\n"};
    for (int i = 0; text.size() < 20000; ++i)
        text += std::string(static_cast<size_t>(i % 7), 'x') + breaks[i % 5];
    for (size_t position = 0; position <= text.size(); position += 37)
        ASSERT_EQ(lineofposition(state.lineindexes, position, text), countedline(position, text)) << position;
    EXPECT_EQ(lineofposition(state.lineindexes, text.size(), text), countedline(text.size(), text));
}

TEST_F(errortest, errortext)
{
    struct errorcase {
        const char* text;
        size_t position;
        const char* expected;
    };
    const errorcase cases[] = {
        {"select", 0, "test.sql line 1:m\nAt source:<<\n"},
        {"select x\nfrom  \r\n\t y", 17, "test.sql line 2:m\nAt source:select x\nfrom<<\n"},
        {"0123456789012345678901234567890123456789012345", 45,
         "test.sql line 1:m\nAt source:5678901234567890123456789012345678901234<<\n"},
        {"short", 99, "test.sql line 1:m\nAt source:short<<\n"},
    };
    for (const errorcase& c : cases)
        EXPECT_EQ(errorof([&] { raiseerror(state, "m", c.position, c.text); }), c.expected) << c.text;
}

TEST_F(errortest, errortextinamacro)
{
    tokenlist tokens = {{kindidentifier, "g"}, {kindother, "("}, {kinddecimal, "1"}, {kindother, ")"}};
    EXPECT_EQ(errorof([&] { raiseerrorinmacro(state, "msg", 4, "ab\ncd  ", tokens, 3); }),
              "test.sql line 2:msg\nAt source:ab\nc<<\n and in macro:g(1<<\n");
}

TEST_F(errortest, includesarelistedonstandarderror)
{
    state.includes.stack.push_back({"inc/a.sql", 3, 0});
    state.includes.stack.push_back({"inc/b.sql", 7, 1});
    state.currentfilename = "inc/b.sql";
    testing::internal::CaptureStderr();
    std::string error = errorof([&] { raiseerror(state, "bad", 1, "x y"); });
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Includes:\ninc/a.sql 3\ninc/b.sql 7\n");
    EXPECT_EQ(error, "inc/b.sql line 1:bad\nAt source:x<<\n");
}

TEST_F(errortest, ifstacklisting)
{
    const std::string text = "a\n#if x\nb\n#else\n";
    state.ifstack.push_back({false, "one.sql", text, 3, false});
    state.ifstack.push_back({true, "two.sql", text, 12, true});
    testing::internal::CaptureStderr();
    printifstack(state);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "#if stack:\n#if one.sql:2\n#else two.sql:4\n");
}

TEST_F(errortest, sqlpluscommandtable)
{
    EXPECT_EQ(sqlpluscommandtable.size(), 471u);
    EXPECT_EQ(sqlpluscommands.size(), 87u);
    for (const char* word : {"@", "@@", "acc", "accept", "a", "append", "pro", "prompt", "timng", "quit", "del"})
        EXPECT_TRUE(issqlpluscommand(word)) << word;
    for (const char* word : {"acce", "prom", "timing", "PROMPT", "be", ""})
        EXPECT_FALSE(issqlpluscommand(word)) << word;
    buildsqlpluscommands();
    EXPECT_EQ(sqlpluscommands.size(), 87u);
}

TEST_F(errortest, dumpsarewrittenonlywhenafolderisnamed)
{
    define("f(a,b) a+b");
    char pattern[] = "/tmp/marloxcwdXXXXXX";
    std::filesystem::path folder = mkdtemp(pattern);
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    errorof([&] { raiseerror(state, "m", 0, "x"); });
    dumptext("t");
    std::filesystem::current_path(previous);
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    std::filesystem::remove_all(folder);
}

TEST_F(errortest, dumpsgotothenamedfolder)
{
    dumpfolderfixture dumps;
    define("f(a,b) a+b");
    define("n 5");
    EXPECT_EQ(errorof([&] { raiseerror(state, "m", 1, "x"); }), "test.sql line 1:m\nAt source:x<<\n");
    EXPECT_EQ(readfile(dumps.folder / "defines.txt"), "f (a,b)\nbody:>>a+b<<\nn\nbody:>>5<<\n");
    tokenoutput output;
    output.append(tokenlist{{kindidentifier, "a"}, {kindwhitespace, " "}, {kindidentifier, "b"}});
    dumptext(output.text());
    EXPECT_EQ(readfile(dumps.folder / "tokens.txt"), "a b");
}

TEST_F(errortest, afaileddumpkeepstherealerror)
{
    setenv("MARLOX_DUMP", "/nonexistent/folder/for/dumps", 1);
    std::string error = errorof([&] { raiseerror(state, "the real error", 0, "x"); });
    unsetenv("MARLOX_DUMP");
    EXPECT_EQ(error, "test.sql line 1:the real error\nAt source:<<\n");
}

TEST_F(errortest, unclosedcommentinadirective)
{
    EXPECT_EQ(errorof([&] {
                  size_t at = 2;
                  skipcomment(state, at, "a /* open");
              }),
              "test.sql line 1:closing */ not found\nAt source:a<<\n");
}
