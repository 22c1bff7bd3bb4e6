// The running processes by name: the single-instance check and the check that a target editor
// is not running.
#pragma once

#include <string>
#include <vector>

// One name per process: the base name of its program, "<unknown>" when it cannot be read.
std::vector<std::string> ListProcessNames();

// How many of the names are this program's: "tolvane", or "tolvane.exe" as under Windows
// (exactly, case and all).
size_t CountInstances(const std::vector<std::string>& names);
