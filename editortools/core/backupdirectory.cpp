// Backup directory paths.
#include "core/backupdirectory.h"

#include "core/environment.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace {

// The absolute path with links, "." and ".." resolved as far as the path exists; empty on error.
std::filesystem::path resolved(const std::string& path) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::weakly_canonical(std::filesystem::absolute(path, error), error);
    if (error) return {};
    std::filesystem::path tidy = full.lexically_normal();
    // "/a/b/" ends in an empty element; compare without it.
    if (!tidy.has_filename() && tidy.has_parent_path() && tidy != tidy.root_path()) tidy = tidy.parent_path();
    return tidy;
}

}  // namespace

std::string DefaultBackupDirectory() {
    std::string appdata = AppDataFolder();
    if (appdata.empty()) return "";
    return JoinPath(StripTrailingBackslash(appdata), "Gantrel");
}

std::string BackupListFile(const std::string& directory) {
    return JoinPath(StripTrailingBackslash(directory), "backuplist.xml");
}

std::string ToSafeFileName(std::string name) {
    for (char& c : name)
        if (static_cast<signed char>(c) < 32 || std::strchr("<>:\"/\\|?*", c)) c = ' ';
    return name;
}

bool IsInsideFolder(const std::string& path, const std::string& folder) {
    if (path.empty() || folder.empty()) return false;
    std::filesystem::path file = resolved(path), base = resolved(folder);
    if (file.empty() || base.empty()) return false;
    auto [baseEnd, fileRest] = std::mismatch(base.begin(), base.end(), file.begin(), file.end());
    return baseEnd == base.end() && fileRest != file.end();
}
