// Finding a file inside a folder the way Windows does, where names differ only in case.
#pragma once

#include <string>

// The path of the file called name inside folder: folder/name when that exists and is no
// folder; else the first entry (in byte order) that is no folder and whose name equals name
// ignoring ASCII case; else folder/name as given.
std::string FindFileIgnoringCase(const std::string& folder, const std::string& name);

// ASCII-only case-insensitive equality.
bool EqualsIgnoringCase(const std::string& a, const std::string& b);
