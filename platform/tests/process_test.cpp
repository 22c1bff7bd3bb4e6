// Running programs: streams, exit status, environment, working directory, time limit.
#include "process.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

namespace {

processrun shell(const std::string& script) {
    processrun run;
    run.path = "/bin/sh";
    run.arguments = {"-c", script};
    return run;
}

int exitstatus(const processresult& r) { return WIFEXITED(r.status) ? WEXITSTATUS(r.status) : -1; }

}  // namespace

TEST(process, collectsbothstreamsandtheexitstatus) {
    processresult r = runprocess(shell("printf 'out\\n'; printf 'err' >&2; exit 3"));
    EXPECT_TRUE(r.started);
    EXPECT_TRUE(r.finished);
    EXPECT_EQ(exitstatus(r), 3);
    EXPECT_EQ(r.out, "out\n");
    EXPECT_EQ(r.err, "err");
}

TEST(process, feedsinputlargerthanapipeholds) {
    std::string text;
    for (int k = 0; text.size() < 500000; ++k) text += std::to_string(k) + "\r\n";
    text += std::string("\0end", 4);
    processrun run = shell("cat; cat /dev/null >&2");
    run.input = text;
    processresult r = runprocess(run);
    EXPECT_EQ(exitstatus(r), 0);
    EXPECT_EQ(r.out, text);

    processrun noinput = shell("cat");
    EXPECT_EQ(runprocess(noinput).out, "");  // stdin is /dev/null
}

TEST(process, environmentanddirectorychanges) {
    setenv("PROCESSTEST_KEEP", "kept", 1);
    setenv("PROCESSTEST_DROP", "dropped", 1);
    processrun run = shell("echo \"$PROCESSTEST_KEEP:${PROCESSTEST_DROP-unset}:$PROCESSTEST_NEW\"; pwd");
    run.environment = {{"PROCESSTEST_DROP", std::nullopt}, {"PROCESSTEST_NEW", "new"}};
    run.directory = std::filesystem::temp_directory_path().string();
    processresult r = runprocess(run);
    EXPECT_EQ(r.out, "kept:unset:new\n" + std::filesystem::canonical(run.directory).string() + "\n");
    unsetenv("PROCESSTEST_KEEP");
    unsetenv("PROCESSTEST_DROP");
}

TEST(process, failurestostartortofinish) {
    processrun missing;
    missing.path = "/nonexistent/program";
    processresult r = runprocess(missing);
    EXPECT_EQ(exitstatus(r), 127);
    EXPECT_EQ(r.err, "can't start the program\n");

    processrun slow = shell("exec sleep 20");
    slow.timeout = std::chrono::milliseconds(200);
    r = runprocess(slow);
    EXPECT_FALSE(r.finished);
    EXPECT_TRUE(WIFSIGNALED(r.status));
    EXPECT_EQ(r.failure, "did not finish in time");
}
