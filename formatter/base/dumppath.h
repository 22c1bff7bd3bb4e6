// Paths of the files the program writes beside others: a directory and a name joined, and
// the path of an integrity-check dump in the backup directory.
#pragma once

#include <string>

// Joins a directory and a name with pathseparator; the name alone when the directory is
// empty, and no second separator when the directory already ends with one.
std::string joinpath(const std::string& directory, const std::string& name);

// The dump named name in directory, the directory taken without one trailing separator; an
// empty directory means the current one.
std::string dumppath(std::string directory, const std::string& name);
