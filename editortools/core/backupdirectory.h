// Paths of the backups: the default backup directory, the list file of a directory, and
// target names made fit for file names.
#pragma once

#include <string>

// APPDATA (as AppDataFolder gives it) + "/Gantrel"; "" when no such folder is known, so the
// default never lands at the root.
std::string DefaultBackupDirectory();

// The backup list of a directory: the directory less one trailing "/", then "/backuplist.xml".
std::string BackupListFile(const std::string& directory);

// Every byte below 32 as a signed byte (control characters and every byte from 128 on) and
// each of < > : " / \ | ? * becomes a blank; the length stays.
std::string ToSafeFileName(std::string name);

// True when path lies inside folder (not folder itself), both taken after ".", ".." and
// symbolic links are resolved.
bool IsInsideFolder(const std::string& path, const std::string& folder);
