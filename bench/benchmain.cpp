// The formatting benchmark: brelm on generated PL/SQL of 1 MB and 10 MB, in MB per second,
// so that linear scaling shows as an equal rate for both sizes.
#include "plsqlgenerator.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// Runs the program with its arguments; its exit code, or -1 when it did not run.
int run(const std::string& program, std::vector<std::string> arguments) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (std::string& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    if (waitpid(child, &status, 0) < 0 || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

}  // namespace

int main(int argc, char** argv) {
    std::string brelm = argc > 1 ? argv[1] : BRELM_PROGRAM;
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("brelmbench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    int failures = 0;
    for (size_t megabytes : {1, 10}) {
        std::string input = (folder / ("input" + std::to_string(megabytes) + ".sql")).string();
        std::string output = (folder / ("output" + std::to_string(megabytes) + ".sql")).string();
        std::string text = generateplsql(megabytes << 20);
        std::ofstream(input, std::ios::binary) << text;
        auto start = std::chrono::steady_clock::now();
        int code = run(brelm, {"-i", input, "-o", output, "-sr-"});
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        double size = static_cast<double>(text.size()) / (1 << 20);
        if (code != 0) {
            std::printf("%5.1f MB: brelm failed with exit code %d\n", size, code);
            ++failures;
            continue;
        }
        std::printf("%5.1f MB in %7.3f s: %7.2f MB/s\n", size, seconds, size / seconds);
    }
    std::filesystem::remove_all(folder);
    return failures ? 1 : 0;
}
