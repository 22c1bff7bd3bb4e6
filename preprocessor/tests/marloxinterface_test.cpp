// The exported interface of libmarlox.so: the calling contract (ready flag, lock, texts that
// live until the next call) in this process, and what calls leave to later calls in a fresh
// process of the marloxcall driver.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "cpreprocessor.h"
#include "cpreprocessordll.h"
#include "programrun.h"

namespace {

using namespace std::chrono_literals;

struct exported {
    std::string result, error, warnings;
};

// One call of the export; copies the three texts and checks that they are the ones returned.
exported callexport(const std::string& source, const std::vector<std::string>& options = {},
                    const char* file = "a.sql")
{
    std::vector<const char*> pointers;
    for (const std::string& option : options)
        pointers.push_back(option.c_str());
    const char* error = nullptr;
    const char* warnings = nullptr;
    const char* result = preprocessplsql(file, pointers.data(), static_cast<int>(pointers.size()), source.c_str(),
                                         &error, &warnings);
    return {result, error, warnings};
}

} // namespace

// Every test leaves the library ready, so that tests run in one process do not wait.
class contracttest : public testing::Test {
protected:
    void TearDown() override { safetoprocess(); }
};

TEST_F(contracttest, textsstayvaliduntilthenextcall)
{
    std::vector<const char*> options = {"-D", "m=1"};
    const char* error = nullptr;
    const char* warnings = nullptr;
    const char* result =
        preprocessplsql("a.sql", options.data(), 2, "#warning w\nv := m;\n", &error, &warnings);
    std::string expected = "v := 1\n;\n";
    // The caller's own strings may change at once; the library kept what it needs.
    EXPECT_EQ(std::string(result), expected);
    EXPECT_EQ(std::string(error), "");
    EXPECT_EQ(std::string(warnings), "#warning:w");
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(std::string(result), expected);
    safetoprocess();
    exported next = callexport("#error e\n");
    EXPECT_EQ(next.result, "");
    EXPECT_EQ(next.error, "a.sql line 1:#error:e\nAt source:#error e<<\n");
    EXPECT_EQ(next.warnings, "");
}

TEST_F(contracttest, acallwaitsforsafetoprocessafterasuccess)
{
    safetoprocess();
    EXPECT_EQ(callexport("x\n").result, "x\n");
    auto waiting = std::async(std::launch::async, [] { return callexport("y\n").result; });
    EXPECT_EQ(waiting.wait_for(200ms), std::future_status::timeout);
    // safetoprocess takes no lock, so another thread can release the waiting call.
    std::thread releaser([] { safetoprocess(); });
    releaser.join();
    ASSERT_EQ(waiting.wait_for(10s), std::future_status::ready);
    EXPECT_EQ(waiting.get(), "y\n");
}

TEST_F(contracttest, afailedcallholdsitstextsuntilsafetoprocess)
{
    safetoprocess();
    exported failed = callexport("x\n", {"-cs", "NOSUCHSET"});
    EXPECT_EQ(failed.result, "");
    EXPECT_EQ(failed.error, "unknown character set:NOSUCHSET\n");
    EXPECT_EQ(failed.warnings, "");
    // The next call waits as after a success, so the error text is not replaced while its
    // caller reads it.
    auto next = std::async(std::launch::async, [] { return callexport("x\n", {"-D"}).error; });
    EXPECT_EQ(next.wait_for(200ms), std::future_status::timeout);
    safetoprocess();
    ASSERT_EQ(next.wait_for(10s), std::future_status::ready);
    EXPECT_EQ(next.get(), "macro name is not given\n");
}

TEST_F(contracttest, callsfromseveralthreadsareserialised)
{
    safetoprocess();
    std::vector<std::future<std::string>> calls;
    for (int i = 0; i < 8; ++i) {
        calls.push_back(std::async(std::launch::async, [i] {
            std::string source = "#define n ";
            source += std::to_string(i);
            source += "\nv := n;\n";
            std::string result = callexport(source).result;
            safetoprocess();
            return result;
        }));
    }
    for (int i = 0; i < 8; ++i) {
        ASSERT_EQ(calls[static_cast<size_t>(i)].wait_for(20s), std::future_status::ready);
        std::string expected = "v := ";
        expected += std::to_string(i);
        expected += "\n;\n";
        EXPECT_EQ(calls[static_cast<size_t>(i)].get(), expected);
    }
}

// Each thread's failing calls give its own error text, whole, however the calls interleave.
TEST_F(contracttest, failedcallsfromseveralthreadskeeptheirtexts)
{
    safetoprocess();
    std::vector<std::future<int>> threads;
    for (int i = 0; i < 8; ++i) {
        threads.push_back(std::async(std::launch::async, [i] {
            const std::string words(2000, static_cast<char>('a' + i));
            const std::string source = "#error " + words + "\n";
            const std::string expected = "a.sql line 1:#error:" + words + "\nAt source:" + words.substr(0, 40) + "<<\n";
            int wrong = 0;
            for (int call = 0; call < 250; ++call) {
                std::string error = callexport(source).error;
                safetoprocess();
                wrong += error != expected;
            }
            return wrong;
        }));
    }
    for (std::future<int>& thread : threads) {
        ASSERT_EQ(thread.wait_for(60s), std::future_status::ready);
        EXPECT_EQ(thread.get(), 0);
    }
}

TEST_F(contracttest, missingargumentsreadasempty)
{
    safetoprocess();
    const char* error = "unset";
    const char* result = preprocessplsql(nullptr, nullptr, 3, nullptr, &error, nullptr);
    EXPECT_EQ(std::string(result), "");
    EXPECT_EQ(std::string(error), "");
    safetoprocess();
    std::vector<const char*> options = {"-ld-", nullptr};
    EXPECT_EQ(std::string(preprocessplsql("b.sql", options.data(), -1, "z", nullptr, nullptr)), "z");
}

// Calls in a fresh process of the driver.
class exporttest : public programtest {
protected:
    // Runs the calls (each: file name, source, options; "--nosafe" first for a call that is
    // not followed by safetoprocess) and gives the driver's output.
    programresult calls(const std::vector<std::vector<std::string>>& groups)
    {
        std::vector<std::string> arguments;
        int index = 0;
        for (const std::vector<std::string>& group : groups) {
            if (!arguments.empty())
                arguments.push_back("--next");
            size_t first = group.at(0) == "--nosafe" ? 1 : 0;
            if (first == 1)
                arguments.push_back("--nosafe");
            std::string sourcefile = "source";
            sourcefile += std::to_string(index++);
            sourcefile += ".txt";
            writefile(sourcefile, group.at(first + 1));
            arguments.push_back(group.at(first));
            arguments.push_back(sourcefile);
            arguments.insert(arguments.end(), group.begin() + static_cast<ptrdiff_t>(first) + 2, group.end());
        }
        return runprogram("marloxcall", arguments, folder);
    }

    static std::string reply(const std::string& result, const std::string& error = "", const std::string& warnings = "")
    {
        return "result<<" + result + ">>\nerror<<" + error + ">>\nwarnings<<" + warnings + ">>\n";
    }
};

TEST_F(exporttest, switcheskeeptheirvaluesbutlistsandmacrosdonot)
{
    writefile("inc/i.sql", "i\n");
    programresult run = calls({
        {"a.sql", "#warning w\n#define m 1\nv := m;\n", "-ld+", "-I", "inc", "-D", "d=2"},
        {"a.sql", "#define z 1\nv := m || d;\n"},
        {"a.sql", "#include \"i.sql\"\n"},
        {"a.sql", "#define m 1\nv;\n", "-ld-"},
    });
    EXPECT_EQ(run.out, reply("#line 2 \"a.sql\"\n#line 3 \"a.sql\"\nv := 1\n#line 3 \"a.sql\"\n;\n", "",
                             "#warning:w") +
                           reply("#line 2 \"a.sql\"\nv := m || d;\n") +
                           reply("", "a.sql line 1:file i.sql is not found in the known paths in #include\n"
                                     "At source:#include \"i.sql\"<<\n") +
                           reply("v;\n"));
    EXPECT_EQ(run.exitcode, 0);
}

TEST_F(exporttest, definitionsofthefirstcallfollowthecharacterset)
{
    programresult run = calls({{"a.sql", "x := debug;\n", "-D", "DEBUG=1", "-cs", "WE8ISO8859P1"}});
    EXPECT_EQ(run.out, reply("x := 1\n;\n"));
}

TEST_F(exporttest, preloadfiles)
{
    writefile("p1.sql", "#define greeting 'hello'\nthrown away\n#warning from p1\n");
    writefile("p2.sql", "#if 0\n");
    programresult run = calls({
        {"a.sql", "v := greeting;\n#warning from a\n", "-pf", "p1.sql"},
        {"a.sql", "v := greeting;\n", "-pf", "missing.sql", "-pf", "p1.sql"},
        {"a.sql", "#error stop\n", "-pf", "p1.sql"},
        {"a.sql", "x\n", "-pf", "p2.sql"},
    });
    EXPECT_EQ(run.out,
              reply("v := 'hello'\n;\n", "", "#warning:from p1\n#warning:from a") +
                  reply("", "could not preload file missing.sql: No such file or directory\n") +
                  reply("", "#warning:from p1\na.sql line 1:#error:stop\nAt source:#error stop<<\n") +
                  reply("", "p2.sql line 1:#endif not found\nAt source:#if 0<<\n"));
    EXPECT_EQ(run.err, "#if stack:\n#if p2.sql:1\n");
}

TEST_F(exporttest, afailedcallisreleasedlikeasuccessfulone)
{
    programresult run = calls({{"a.sql", "x\n", "bad"}, {"a.sql", "ok\n"}});
    EXPECT_EQ(run.out, reply("", "unknown argument:bad\n") + reply("ok\n"));
    EXPECT_EQ(run.exitcode, 0);
}

TEST_F(exporttest, usagetextendstheprocess)
{
    programresult run = calls({{"a.sql", "x\n", "-I", "inc", "-h", "-ld+"}, {"a.sql", "never\n"}});
    EXPECT_EQ(run.out, std::string(usagetext) + "\n");
    EXPECT_EQ(std::count(usagetext.begin(), usagetext.end(), '\n'), 11);
    EXPECT_EQ(usagetext.substr(0, 26), "qorn [filename] [options]\n");
    EXPECT_NE(usagetext.find("-ld[+-]                insert line directives" + std::string(15, ' ') + "\n"),
              std::string_view::npos);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.exitcode, 0);
}
