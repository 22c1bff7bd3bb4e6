// Whole-file reading and writing. A write goes to a temporary file in the same folder that is
// renamed into place, so a failed write leaves the old file as it was.
#pragma once

#include <string>

// The whole file; "" when it is missing, unreadable or no regular file (a folder, a device, a
// pipe).
std::string LoadFile(const std::string& path);

// Replaces the file with text (a symbolic link is followed, the mode of the old file kept); a
// device or pipe is written to as it is.
bool SaveFile(const std::string& path, const std::string& text);

// Writes text to the first of path + ".bad", ".bad1", ".bad2", ... that does not exist yet;
// the name written, or "" when that failed.
std::string SaveCopyAside(const std::string& path, const std::string& text);
