// The whole-program harness of tolvane.
#include "tolvanerun.h"

#include <fcntl.h>
#include <signal.h>
#include <sched.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <thread>

extern char** environ;

void TolvaneTest::SetUp() {
    std::filesystem::create_directories(bin);
    std::filesystem::copy_file(programfile("tolvane"), bin / "tolvane");
    for (const char* folder : {"home", "appdata", "config"}) std::filesystem::create_directories(root / folder);
    environment = {
        {"HOME", Path("home")},
        {"APPDATA", Path("appdata")},
        {"XDG_CONFIG_HOME", Path("config")},
        {"TOLVANE_REGISTRY", Path("registry.reg")},
        {"LC_ALL", "C"},
    };
    for (const char* unset : {"HOMEDRIVE", "HOMEPATH", "DISPLAY", "WAYLAND_DISPLAY", "SystemRoot", "QT_QPA_PLATFORM"})
        environment[unset] = std::nullopt;
}

programresult TolvaneTest::Tolvane(const std::vector<std::string>& arguments, const std::optional<std::string>& input) {
    return runprogram((bin / "tolvane").string(), arguments, root, input, environment);
}

std::vector<std::string> TolvaneTest::Listing(const std::string& folder) const {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(root / folder, ignored))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

BackgroundProcess::BackgroundProcess(const std::string& path, const std::vector<std::string>& arguments,
                                     const std::map<std::string, std::optional<std::string>>& environment,
                                     const std::string& errFile) {
    std::map<std::string, std::string> variables;
    for (char** entry = environ; *entry; ++entry) {
        std::string text = *entry;
        size_t equals = text.find('=');
        if (equals != std::string::npos) variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    for (const auto& [name, value] : environment) {
        if (value) variables[name] = *value;
        else variables.erase(name);
    }
    std::vector<std::string> texts;
    for (const auto& [name, value] : variables) texts.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& text : texts) envp.push_back(text.data());
    envp.push_back(nullptr);
    std::vector<std::string> words = {path};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    if (errFile.empty()) posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    else posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_GT(pid, 0) << "could not start " << path;
}

bool BackgroundProcess::Running() {
    if (pid <= 0) return false;
    if (waitpid(pid, &status, WNOHANG) == 0) return true;
    ended = true;
    pid = -1;
    return false;
}

bool BackgroundProcess::WaitForHandler(int signal, int timeoutms) {
    unsigned long long bit = 1ull << (signal - 1);
    for (int waited = 0; waited <= timeoutms && Running(); waited += 10) {
        std::ifstream in("/proc/" + std::to_string(pid) + "/status");
        std::string line;
        while (std::getline(in, line))
            if (line.rfind("SigCgt:", 0) == 0 && (std::stoull(line.substr(7), nullptr, 16) & bit)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

int BackgroundProcess::Wait(int timeoutms) {
    for (int waited = 0; waited <= timeoutms && Running(); waited += 10)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!ended) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

BackgroundProcess::~BackgroundProcess() {
    if (!Running()) return;
    kill(pid, SIGKILL);
    int ended_status;
    waitpid(pid, &ended_status, 0);
}

SmallDisk::SmallDisk(const std::filesystem::path& folder) : folder(folder) {
    static std::string isolated = [] {
        if (::geteuid() != 0) return std::string("a full disk needs root to mount a small tmpfs");
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return std::string("no mount namespace of its own: ") + std::strerror(errno);
        return std::string();
    }();
    why = isolated;
    std::filesystem::create_directories(folder);
    if (why.empty() && ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0)
        why = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
}

SmallDisk::~SmallDisk() {
    if (Mounted()) ::umount2(folder.c_str(), MNT_DETACH);
}

void SmallDisk::Fill() {
    const std::string page(static_cast<size_t>(::sysconf(_SC_PAGESIZE)), 'x');
    for (;; ++fillers) {
        std::string name = (folder / (".filler" + std::to_string(fillers))).string();
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        bool whole = fd >= 0 && ::write(fd, page.data(), page.size()) == static_cast<ssize_t>(page.size());
        if (fd >= 0) ::close(fd);
        if (!whole) {
            ::unlink(name.c_str());
            return;
        }
    }
}

void SmallDisk::Free(int pages) {
    for (; pages > 0 && fillers > 0; --pages) std::filesystem::remove(folder / (".filler" + std::to_string(--fillers)));
}

std::string CrLf(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}
