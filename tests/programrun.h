// Whole-program test helper: runs a built program in a folder and returns its exit
// code, standard output and standard error; a fixture gives each test a fresh folder.
#pragma once

#include "testfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct programresult {
    int exitcode = -1;  // 128 + the signal when a signal ended it
    std::string out, err;
};

// The built program of that name (from BRELM_BIN), or a path as it is when it holds a "/".
std::string programfile(const std::string& program);

// Runs the program with the arguments in the folder; input, when given, is its stdin.
// Environment changes apply to that run only (nullopt unsets a variable).
programresult runprogram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& folder, const std::optional<std::string>& input = std::nullopt,
                         const std::map<std::string, std::optional<std::string>>& environment = {});

// The text without white space, in lower case: what formatting must leave alone.
std::string significant(const std::string& text);

class programtest : public testing::Test {
protected:
    testfolder temporary;
    const std::filesystem::path& folder = temporary.path();
    testfolder backups;   // TMP of every run: where numbered backups go
    // Applied to every run; by default the clipboard is a file in the folder.
    std::map<std::string, std::optional<std::string>> environment;

    void SetUp() override;

    void writefile(const std::string& name, const std::string& text) { temporary.write(name, text); }
    std::string readfile(const std::string& name) { return temporary.read(name); }
    bool exists(const std::string& name) { return std::filesystem::exists(folder / name); }
    // The folder that holds the backups of the test folder's files (sub names a folder in it):
    // the folder's resolved path below the backup directory.
    std::string mirror(const std::string& sub = "", const std::string& base = "") const {
        std::string path = (base.empty() ? backups.path().string() : base) + std::filesystem::canonical(folder).string();
        return sub.empty() ? path : path + "/" + sub;
    }
    programresult brelm(const std::vector<std::string>& arguments,
                        const std::optional<std::string>& input = std::nullopt);
};
