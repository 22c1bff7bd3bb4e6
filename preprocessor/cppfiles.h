// File access of the preprocessor: whole-file reads and writes, existence, and the
// last-write time. Failures carry the file name, ": " and the system's text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Files read (include files, preload files, cache files) are at most this long.
constexpr size_t maximumfilesize = size_t(1) << 30;

// The whole file as it stands. Only a regular file of at most maximumfilesize bytes is read;
// anything else (a directory, a device, a FIFO, a socket) fails without waiting.
std::string readwholefile(const std::string& name);
// The whole file as a text. A file holding a NUL byte is refused, since the texts that the
// library hands back end at their first NUL.
std::string readtextfile(const std::string& name);
// True for an existing file or directory.
bool fileexists(const std::string& name);
// True when the name itself exists, also as a symbolic link, whatever it points to.
bool nameexists(const std::string& name);
// True for a regular file that is not a symbolic link.
bool isplainfile(const std::string& name);
// Milliseconds since 1970 of the last write; nullopt when the file cannot be examined.
std::optional<int64_t> lastwritetime(const std::string& name);
// Replaces the file's content through a temporary file beside it and a rename.
void writewholefile(const std::string& name, std::string_view content);
