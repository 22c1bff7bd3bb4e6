// One preprocessing call as plain C++: options, preload files, then the source text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct preprocessstate;

struct callresult {
    bool succeeded = false;
    std::string result;    // the preprocessed text; empty after a failure
    std::string error;     // empty after a success; otherwise ends in a line feed
    std::string warnings;  // joined by line feeds; empty after a failure
};

// Parses the options (written like a command line without a program name), runs each
// preload file for its definitions and then the source. Every failure, also a bad option, an
// unknown character set or a lack of memory, comes back as the error text.
callresult preprocesscall(preprocessstate& state, const std::string& filename, const std::vector<std::string>& options,
                          std::string_view source);
