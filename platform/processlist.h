// platform/processlist.h — the processes of this system, from /proc.
#pragma once
#include <string>
#include <vector>
// One name per live process: the base name of argv[0] from /proc/<pid>/cmdline, split on "/"
// and "\" (so Wine's "C:\...\PSPad.exe" gives "PSPad.exe"), else /proc/<pid>/comm;
// "<unknown>" for a process of another user or one whose name cannot be read. Zombies are skipped.
std::vector<std::string> listprocessnames();
std::string processname(int pid);  // the same rule for one process; "<unknown>" when gone
