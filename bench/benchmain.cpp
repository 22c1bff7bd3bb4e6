// The formatting benchmark: brelm on generated PL/SQL of 1, 4 and 16 MB with the default
// switches, a heavy switch set and (where preprocessing works) -pp on text with macros. It
// prints MB/s and peak memory per run, and per configuration the ratio of the 16 MB time to
// 16 times the 1 MB time, which stays near 1 while the cost grows linearly.
#include "plsqlgenerator.h"

#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct measurement {
    int exitcode = -1;   // -1: did not run or did not exit
    double seconds = 0;
    double peakmegabytes = 0;
};

// The child's peak memory counts the memory of the process it was spawned from, up to its
// exec: this process gives back what it freed and forgets its own peak (the generated texts)
// first, so that only its small resident size is added.
void shrinkbeforespawn() {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Runs the program with stdout and stderr sent to `log`; its time and peak memory.
measurement run(const std::string& program, std::vector<std::string> arguments, const std::string& log) {
    shrinkbeforespawn();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (std::string& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    measurement result;
    auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return result;
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) < 0 || !WIFEXITED(status)) return result;
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.exitcode = WEXITSTATUS(status);
    result.peakmegabytes = static_cast<double>(usage.ru_maxrss) / 1024;  // ru_maxrss is in KB
    return result;
}

std::string readall(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

void writeall(const std::string& name, const std::string& text) {
    std::ofstream(name, std::ios::binary) << text;
}

struct configuration {
    std::string name;
    std::vector<std::string> switches;
    bool macros = false;
};

class bench {
public:
    bench(std::string brelm, fs::path folder) : brelm(std::move(brelm)), folder(std::move(folder)) {}

    // True when brelm -pp really expands macros (the preprocessing library is there).
    bool preprocessingworks() {
        writeall(path("probe.sql"), "#define one 1\nx := one;\n");
        measurement m = run(brelm, {"-i", path("probe.sql"), "-o", path("probe.out"), "-pp", "-b", "0", "-sr-"},
                            path("probe.log"));
        std::string out = readall(path("probe.out"));
        out.erase(std::remove_if(out.begin(), out.end(), [](char c) { return c == ' ' || c == '\n'; }), out.end());
        return m.exitcode == 0 && out == "x:=1;";
    }

    // Best time of `repeats` runs of one configuration on the input of that size; false
    // when brelm failed.
    bool measure(const configuration& c, size_t megabytes, int repeats, measurement& best) {
        std::string input = inputfile(megabytes, c.macros);
        std::vector<std::string> arguments{"-i", input, "-o", path("output.sql"), "-b", "0", "-sr-"};
        arguments.insert(arguments.end(), c.switches.begin(), c.switches.end());
        for (int k = 0; k < repeats; ++k) {
            measurement m = run(brelm, arguments, path("run.log"));
            if (m.exitcode != 0) {
                std::string log = readall(path("run.log"));
                std::printf("  %-8s %3zu MB: brelm failed (exit code %d) %s\n", c.name.c_str(), megabytes, m.exitcode,
                            log.substr(0, log.find('\n')).c_str());
                return false;
            }
            if (k == 0 || m.seconds < best.seconds) best.seconds = m.seconds;
            best.peakmegabytes = std::max(best.peakmegabytes, m.peakmegabytes);
            best.exitcode = 0;
        }
        double size = static_cast<double>(fs::file_size(input)) / (1 << 20);
        std::printf("  %-8s %6.1f MB  %8.3f s  %7.2f MB/s  peak %7.1f MB (%4.1f x input)\n", c.name.c_str(), size,
                    best.seconds, size / best.seconds, best.peakmegabytes, best.peakmegabytes / size);
        return true;
    }

private:
    std::string path(const std::string& name) const { return (folder / name).string(); }

    // The generated input of that size, written once.
    std::string inputfile(size_t megabytes, bool macros) {
        std::string name = path("input" + std::to_string(megabytes) + (macros ? "m" : "") + ".sql");
        if (!fs::exists(name)) writeall(name, generateplsql(megabytes << 20, 1, macros));
        return name;
    }

    std::string brelm;
    fs::path folder;
};

}  // namespace

int main(int argc, char** argv) {
    std::string brelm = argc > 1 ? argv[1] : BRELM_PROGRAM;
    fs::path folder = fs::temp_directory_path() / ("brelmbench_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    bench b(brelm, folder);

    std::vector<configuration> configurations = {
        {"default", {}, false},
        {"heavy", {"-mcs", "80", "-acs", "-aci", "-asc", "-abuc", "-al", "-acav", "-actv", "-sbi", "-uk", "-ui"}, false},
    };
    if (b.preprocessingworks())
        configurations.push_back({"-pp", {"-pp"}, true});
    else
        std::printf("brelm -pp is not measured: preprocessing is not available in this build\n");

    // Megabytes and runs: the best of several runs sets aside the noise of a shared machine.
    const std::vector<std::pair<size_t, int>> sizes = {{1, 15}, {4, 7}, {16, 3}};
    int failures = 0;
    for (const configuration& c : configurations) {
        std::map<size_t, double> seconds;
        for (auto [megabytes, repeats] : sizes) {
            measurement best;
            if (b.measure(c, megabytes, repeats, best))
                seconds[megabytes] = best.seconds;
            else
                ++failures;
        }
        if (seconds.count(1) && seconds.count(16)) {
            double ratio = seconds[16] / (16 * seconds[1]);
            std::printf("  %-8s ratio of 16 MB time to 16 x 1 MB time: %.2f%s\n\n", c.name.c_str(), ratio,
                        ratio < 1.3 ? "" : " (superlinear: above 1.3)");
        }
    }
    fs::remove_all(folder);
    return failures ? 1 : 0;
}
