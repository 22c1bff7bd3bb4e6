// Process names from /proc: children started under chosen names, zombies, other users.
#include "processlist.h"

#include "programpath.h"
#include "testfolder.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <fstream>
#include <functional>
#include <thread>

namespace {

bool listed(const std::string& name) {
    std::vector<std::string> names = listprocessnames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Waits up to five seconds for the condition.
bool eventually(const std::function<bool()>& condition) {
    for (int tries = 0; tries < 500; ++tries) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

std::string procfile(pid_t pid, const char* file) {
    return testfolder::readall("/proc/" + std::to_string(pid) + "/" + file);
}

// A child that runs program with the given argv[0] (and argument), optionally as another user.
class child {
public:
    child(const std::string& program, const std::string& argv0, const char* argument, uid_t user = 0) {
        pid = fork();
        if (pid == 0) {
            if (user && (setgid(user) != 0 || setuid(user) != 0)) _exit(126);
            std::string name = argv0;
            char* argv[] = {name.data(), const_cast<char*>(argument), nullptr};
            execv(program.c_str(), argv);
            _exit(127);
        }
    }
    ~child() {
        if (pid <= 0) return;
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    // Once exec has given it its argv[0].
    bool started(const std::string& argv0) const {
        return eventually([&] { return procfile(pid, "cmdline") == argv0 + std::string(1, '\0') + "30" + std::string(1, '\0'); });
    }
    pid_t pid;
};

}  // namespace

TEST(processlist, achildshowsupbythebasenameofitsargv0) {
    child plain("/bin/sleep", "PSPad.exe", "30");
    child wine("/bin/sleep", "C:\\Program Files\\PSPad editor\\PSPad.exe", "30");
    child unix("/bin/sleep", "/opt/ultraedit/bin/uedit32", "30");
    ASSERT_TRUE(plain.started("PSPad.exe"));
    ASSERT_TRUE(wine.started("C:\\Program Files\\PSPad editor\\PSPad.exe"));
    ASSERT_TRUE(unix.started("/opt/ultraedit/bin/uedit32"));
    EXPECT_EQ(processname(plain.pid), "PSPad.exe");
    EXPECT_EQ(processname(wine.pid), "PSPad.exe");
    EXPECT_EQ(processname(unix.pid), "uedit32");
    std::vector<std::string> names = listprocessnames();
    EXPECT_GE(std::count(names.begin(), names.end(), "PSPad.exe"), 2);
    EXPECT_TRUE(listed("uedit32"));
}

TEST(processlist, withoutanargv0basenamethekernelnamecounts) {
    testfolder folder;
    const std::string program = (folder / "commprobe").string();
    std::filesystem::create_symlink("/bin/sleep", program);
    child probe(program, "some/folder/", "30");
    ASSERT_TRUE(probe.started("some/folder/"));
    EXPECT_EQ(processname(probe.pid), "commprobe");
    EXPECT_TRUE(listed("commprobe"));
}

TEST(processlist, thisprocessislisted) {
    std::string self = programpath();
    self = self.substr(self.find_last_of('/') + 1);
    ASSERT_FALSE(self.empty());
    EXPECT_EQ(processname(getpid()), self);
    EXPECT_TRUE(listed(self));
}

TEST(processlist, goneandzombieprocesseshavenoname) {
    testfolder folder;
    const std::string program = (folder / "zombieprobe").string();
    std::filesystem::create_symlink("/bin/true", program);
    pid_t zombie = fork();
    if (zombie == 0) {
        char name[] = "zombieprobe.exe";
        char* argv[] = {name, nullptr};
        execv(program.c_str(), argv);
        _exit(127);
    }
    ASSERT_GT(zombie, 0);
    ASSERT_TRUE(eventually([&] {
        std::string stat = procfile(zombie, "stat");
        size_t close = stat.rfind(')');
        return close != std::string::npos && stat.compare(close, 3, ") Z") == 0;
    }));
    EXPECT_EQ(processname(zombie), "<unknown>");
    EXPECT_FALSE(listed("zombieprobe.exe"));
    EXPECT_FALSE(listed("zombieprobe"));
    waitpid(zombie, nullptr, 0);
    EXPECT_EQ(processname(zombie), "<unknown>");   // gone

    EXPECT_EQ(processname(0), "<unknown>");
    EXPECT_EQ(processname(-1), "<unknown>");
    EXPECT_EQ(processname(INT_MAX), "<unknown>");
}

TEST(processlist, aprocessofanotheruserisunknown) {
    if (getuid() != 0) GTEST_SKIP() << "needs root to start a process as another user";
    const uid_t nobody = 65534;
    child other("/bin/sleep", "otheruser.exe", "30", nobody);
    ASSERT_TRUE(other.started("otheruser.exe"));
    EXPECT_EQ(processname(other.pid), "<unknown>");
    EXPECT_FALSE(listed("otheruser.exe"));
    EXPECT_TRUE(listed("<unknown>"));
}
