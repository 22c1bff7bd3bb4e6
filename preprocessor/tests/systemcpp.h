// The system C preprocessor, for tests that compare with it: whether it is installed, and
// its output for a source.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

inline bool havecpp()
{
    return std::system("cpp --version >/dev/null 2>&1") == 0;
}

// cpp's standard output for the source, run with -P -undef -nostdinc -ffreestanding and
// the given further flags.
inline std::string runcpp(const std::string& source, const std::string& flags = "")
{
    char pattern[] = "/tmp/marloxcppXXXXXX";
    std::filesystem::path folder = mkdtemp(pattern);
    std::filesystem::path input = folder / "input.c";
    std::ofstream(input) << source;
    std::string command = "cpp -P -undef -nostdinc -ffreestanding " + flags + " '" + input.string() + "' 2>/dev/null";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t count;
        while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            output.append(buffer, count);
        pclose(pipe);
    }
    std::filesystem::remove_all(folder);
    return output;
}
