// Numbered backups: before brelm writes a result it keeps copies of the input named
// STEM_bN.EXT.bak in a mirror of the input's directory below the backup directory.
#pragma once

#include "messages.h"

#include <cstdint>
#include <string>
#include <string_view>

// Keeps at most b copies of file below backupdirectory: writes bytes (the input as it was
// read) as the copy with the next free number, then deletes the oldest copies. "stdin" and
// "clipboard" are not copied. The folders below backupdirectory are made with mode 0700 and
// no link is followed there. With verbose, "Backed up in" and "Deleted backup file" lines go
// to sink. False with a message in errortext (ending in a line break) when no copy could be
// made; nothing is deleted then.
bool backupfile(messagestream& sink, const std::string& file, std::string_view bytes, int32_t b, int32_t verbose,
                const std::string& backupdirectory, std::string& errortext);

// The directory that holds the copies of file: backupdirectory joined with the input's
// folder made absolute and resolved.
std::string backupmirrordirectory(const std::string& file, const std::string& backupdirectory);

// Copies source to a new file destination (an existing one or a link there is never
// written through), with the source's permission bits. 1 on success; else 0 with errno telling why, and no
// partial destination left behind.
int32_t copyfile(const std::string& source, const std::string& destination);
