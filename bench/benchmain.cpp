// The formatting benchmark: brelm on generated PL/SQL with the default switches, a heavy switch
// set and (where preprocessing works) -pp on text with macros. The inputs: the generator's
// text of 1, 4 and 16 MB; code in the style of real projects of 5 and 50 MB; and degenerate
// shapes (comma lists, operator chains, nested brackets, short statements, one long line,
// comments, literals) of 5 and 50 MB. It prints MB/s, processor time and peak memory (also as
// a multiple of the input) per run, and per series the ratios of the large input's processor
// time and peak memory to the small one's scaled by their sizes, which stay near 1 while the
// cost grows linearly.
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
    int exitcode = -1;  // -1: did not run or did not exit
    double seconds = 0;
    double cpuseconds = 0;  // user and system time: steadier than the clock on a loaded machine
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
    auto secondsof = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    result.cpuseconds = secondsof(usage.ru_utime) + secondsof(usage.ru_stime);
    result.peakmegabytes = static_cast<double>(usage.ru_maxrss) / 1024;  // ru_maxrss is in KB
    return result;
}

std::string readall(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

void writeall(const std::string& name, const std::string& text) { std::ofstream(name, std::ios::binary) << text; }

struct configuration {
    std::string name;
    std::vector<std::string> switches;
    bool macros = false;
};

// What a series formats: the generator's text, real-project code, or one shape.
enum class inputkind { generated, realcode, shape };

class bench {
public:
    bench(std::string brelm, fs::path folder) : brelm(std::move(brelm)), folder(std::move(folder)) {}

    // True when brelm -pp really expands macros (the preprocessing library is there).
    bool preprocessingworks() {
        writeall(path("probe.sql"), "#define one 1\nx := one;\n");
        measurement m =
            run(brelm, {"-i", path("probe.sql"), "-o", path("probe.out"), "-pp", "-b", "0", "-sr-"}, path("probe.log"));
        std::string out = readall(path("probe.out"));
        out.erase(std::remove_if(out.begin(), out.end(), [](char c) { return c == ' ' || c == '\n'; }), out.end());
        return m.exitcode == 0 && out == "x:=1;";
    }

    // Best time of `repeats` runs of one configuration on the input of that size; false
    // when brelm failed.
    bool measure(const configuration& c, inputkind kind, const std::string& shape, size_t megabytes, int repeats,
                 measurement& best) {
        std::string input = inputfile(kind, shape, megabytes, c.macros);
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
            if (k == 0 || m.cpuseconds < best.cpuseconds) best.cpuseconds = m.cpuseconds;
            best.peakmegabytes = std::max(best.peakmegabytes, m.peakmegabytes);
            best.exitcode = 0;
        }
        double size = static_cast<double>(fs::file_size(input)) / (1 << 20);
        std::string label = kind == inputkind::shape ? shape : c.name;
        std::printf("  %-10s %6.1f MB  %8.3f s  %7.2f MB/s  cpu %8.3f s  peak %7.1f MB (%5.1f x input)\n",
                    label.c_str(), size, best.seconds, size / best.seconds, best.cpuseconds, best.peakmegabytes,
                    best.peakmegabytes / size);
        return true;
    }

private:
    std::string path(const std::string& name) const { return (folder / name).string(); }

    // The input of that kind and size, written once.
    std::string inputfile(inputkind kind, const std::string& shape, size_t megabytes, bool macros) {
        static const char* const prefixes[] = {"generated", "realcode", "shape"};
        std::string name =
            path(prefixes[static_cast<int>(kind)] + shape + std::to_string(megabytes) + (macros ? "m" : "") + ".sql");
        if (fs::exists(name)) return name;
        size_t bytes = megabytes << 20;
        if (kind == inputkind::generated) writeall(name, generateplsql(bytes, 1, macros));
        else if (kind == inputkind::realcode) writeall(name, generaterealcode(bytes, 1, macros));
        else writeall(name, generateshape(shape, bytes));
        return name;
    }

    std::string brelm;
    fs::path folder;
};

}  // namespace

// One series: a configuration on inputs of growing size, best of `repeats` runs each; prints
// the scaling ratio of the largest to the smallest. Counts failures.
int series(bench& b, const configuration& c, inputkind kind, const std::string& shape,
           const std::vector<std::pair<size_t, int>>& sizes) {
    std::map<size_t, measurement> best;
    int failures = 0;
    for (auto [megabytes, repeats] : sizes) {
        measurement m;
        if (b.measure(c, kind, shape, megabytes, repeats, m)) best[megabytes] = m;
        else ++failures;
    }
    size_t small = sizes.front().first, large = sizes.back().first;
    if (best.count(small) && best.count(large)) {
        double scale = static_cast<double>(large) / static_cast<double>(small);
        double timeratio = best[large].cpuseconds / (scale * best[small].cpuseconds);
        double memoryratio = best[large].peakmegabytes / (scale * best[small].peakmegabytes);
        auto mark = [](double ratio) { return ratio <= 1.1 ? "" : " (superlinear: above 1.1)"; };
        std::printf("  %-10s %zu MB against %.0f x %zu MB: cpu time %.2f%s, peak memory %.2f%s\n\n",
                    (kind == inputkind::shape ? shape : c.name).c_str(), large, scale, small, timeratio,
                    mark(timeratio), memoryratio, mark(memoryratio));
    }
    return failures;
}

int main(int argc, char** argv) {
    std::string brelm = argc > 1 ? argv[1] : BRELM_PROGRAM;
    fs::path folder = fs::temp_directory_path() / ("brelmbench_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    bench b(brelm, folder);

    const configuration plain{"default", {}, false};
    std::vector<configuration> configurations = {
        plain,
        {"heavy",
         {"-mcs", "80", "-acs", "-aci", "-asc", "-abuc", "-al", "-acav", "-actv", "-sbi", "-uk", "-ui"},
         false},
    };
    // On real-project code, the heavy set is the alignment one users run with a column limit.
    std::vector<configuration> realconfigurations = {
        plain,
        {"heavy", {"-acav", "-actv", "-acarv", "-as", "-aav", "-mcs", "100"}, false},
    };
    if (b.preprocessingworks()) {
        configurations.push_back({"-pp", {"-pp"}, true});
        realconfigurations.push_back({"-pp", {"-pp"}, true});
    } else {
        std::printf("brelm -pp is not measured: preprocessing is not available in this build\n");
    }

    // Megabytes and runs: the best of several runs sets aside the noise of a shared machine.
    int failures = 0;
    std::printf("Generated text, 1, 4 and 16 MB:\n");
    for (const configuration& c : configurations)
        failures += series(b, c, inputkind::generated, "", {{1, 15}, {4, 7}, {16, 3}});
    std::printf("Code in the style of real projects, 5 and 50 MB:\n");
    for (const configuration& c : realconfigurations)
        failures += series(b, c, inputkind::realcode, "", {{5, 5}, {50, 2}});
    std::printf("Degenerate shapes, default switches, 5 and 50 MB:\n");
    for (const std::string& shape : shapenames())
        failures += series(b, plain, inputkind::shape, shape, {{5, 3}, {50, 1}});
    fs::remove_all(folder);
    return failures ? 1 : 0;
}
