// Paths of the files the program writes beside others.
#include "dumppath.h"

#include "globals.h"

std::string joinpath(const std::string& directory, const std::string& name) {
    if (directory.empty()) return name;
    const char last = directory.back();
    if (last == '/' || last == '\\') return directory + name;
    return directory + pathseparator + name;
}

std::string dumppath(std::string directory, const std::string& name) {
    if (directory.size() > 1 && (directory.back() == '/' || directory.back() == '\\')) directory.pop_back();
    return joinpath(directory, name);
}
