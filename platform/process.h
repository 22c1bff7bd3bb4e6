// Running another program with fork and exec (no shell): its standard input fed from
// a text, its standard output and error collected, with a time limit.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct processrun {
    std::string path;                       // the program file; not searched on PATH
    std::vector<std::string> arguments;     // without the program name
    std::optional<std::string_view> input;  // written to stdin; without it stdin is /dev/null
    bool keepoutput = true;                 // false: stdout goes to /dev/null
    // false: stderr is read only until the program exits, for programs that leave a
    // process behind which still holds it.
    bool waitforerrorend = true;
    std::string directory;                                          // working directory; empty keeps ours
    std::map<std::string, std::optional<std::string>> environment;  // changes; nullopt unsets
    std::chrono::milliseconds timeout{10000};
    // The most bytes of standard output kept; a program that writes more is ended, and the
    // run fails.
    size_t outputlimit = SIZE_MAX;
};

struct processresult {
    bool started = false;   // fork and exec worked
    bool finished = false;  // ended by itself within the time limit
    int status = 0;         // wait status
    std::string out, err;
    std::string failure;  // why it did not start or finish
};

processresult runprocess(const processrun& run);

// The first executable file of that name in the PATH folders, or "".
std::string findonpath(const std::string& name);
