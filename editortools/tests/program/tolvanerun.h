// Whole-program tests of tolvane: each test copies the built program into bin/ of a fresh
// folder (its settings file lives beside it) and runs it there with a private environment:
// HOME, APPDATA, XDG_CONFIG_HOME and TOLVANE_REGISTRY inside the folder, LC_ALL=C, no display,
// no Windows variables, standard input from /dev/null.
#pragma once

#include "programrun.h"

#include <sys/types.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

class TolvaneTest : public testing::Test {
protected:
    testfolder temporary;
    const std::filesystem::path& root = temporary.path();
    std::filesystem::path bin = root / "bin";
    std::map<std::string, std::optional<std::string>> environment;

    void SetUp() override;

    // Runs bin/tolvane with the arguments, in the folder.
    programresult Tolvane(const std::vector<std::string>& arguments,
                          const std::optional<std::string>& input = std::nullopt);

    std::string Path(const std::string& name) const { return (root / name).string(); }
    void Write(const std::string& name, const std::string& text) const { temporary.write(name, text); }
    std::string Read(const std::string& name) const { return temporary.read(name); }
    bool Exists(const std::string& name) const { return std::filesystem::exists(root / name); }
    // The names of the files and folders in the folder, sorted.
    std::vector<std::string> Listing(const std::string& folder) const;
};

// A process left running in the background, ended by its pid when the object goes. Its
// standard error goes to errFile when one is named.
class BackgroundProcess {
public:
    BackgroundProcess(const std::string& path, const std::vector<std::string>& arguments,
                      const std::map<std::string, std::optional<std::string>>& environment = {},
                      const std::string& errFile = "");
    ~BackgroundProcess();
    BackgroundProcess(const BackgroundProcess&) = delete;
    BackgroundProcess& operator=(const BackgroundProcess&) = delete;
    bool Running();
    // True once the process has a handler of its own for the signal (waits up to timeoutms).
    bool WaitForHandler(int signal, int timeoutms);
    // The exit code once it has ended (waits up to timeoutms), -1 when it is still running,
    // 128 + the signal when a signal ended it.
    int Wait(int timeoutms);
    pid_t pid = -1;

private:
    int status = 0;
    bool ended = false;
};

// A full disk for one test: a 64 KB tmpfs mounted on a folder, in a mount namespace of the
// test program's own (made at the first use), so nothing outside the program sees it. Needs
// root; why tells why it could not be made.
class SmallDisk {
public:
    explicit SmallDisk(const std::filesystem::path& folder);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool Mounted() const { return why.empty(); }
    std::string why;
    // Fills every page of it with files of one page each; Free(n) removes n of them again.
    void Fill();
    void Free(int pages);

private:
    std::filesystem::path folder;
    int fillers = 0;
};

// The lines, each ended by CR LF.
std::string CrLf(std::initializer_list<std::string> lines);
