// The backup directory: changing it, deleting a backup, and the copies of paths to the
// clipboard.
#include "core/session.h"

#include "core/backupdirectory.h"
#include "core/clipboard.h"
#include "core/targetlocations.h"

#include <filesystem>

namespace {

// Deletes a file (never a folder); a failure is not reported.
void deletefile(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(std::filesystem::symlink_status(path, error))) return;
    std::filesystem::remove(path, error);
}

}  // namespace

bool GantrelSession::ChangeBackupDirectory(const std::string& fieldText) {
    if (backupDirChangeActive || fieldText == previousBackupDir) return false;
    backupDirChangeActive = true;
    if (bringBackupsToFront) bringBackupsToFront();
    if (!previousBackupDir.empty()) SaveSettingsXml("", BackupListFile(previousBackupDir));
    std::error_code error;
    if (std::filesystem::is_directory(fieldText, error)) {
        LoadBackupList(BackupListFile(fieldText));
        previousBackupDir = fieldText;
    } else {
        if (bringBackupsToFront) bringBackupsToFront();
        if (prompter.PromptYesNo("This " + fieldText +
                                 " directory does not exists.It has to exist.Should I create it?")) {
            std::filesystem::create_directories(fieldText, error);
            if (!error && std::filesystem::is_directory(fieldText, error)) {
                previousBackupDir = fieldText;
                backups.clear();
            } else {
                LogError("Could not create directory " + fieldText);
            }
        }
    }
    backupDirectory = previousBackupDir;
    backupDirChangeActive = false;
    return true;
}

// Only files inside the backup directory are deleted; the row goes in every case.
std::optional<size_t> GantrelSession::DeleteBackup(std::optional<size_t> cursor, bool confirmDelete) {
    if (!cursor || *cursor >= backups.size()) return cursor;
    if (confirmDelete && !prompter.PromptYesNo("Do you want to delete this selected backup?")) return cursor;
    BackupRecord backup = backups[*cursor];
    auto remove = [this](const std::string& file) {
        if (IsInsideFolder(file, previousBackupDir)) deletefile(file);
        else LogError("Backup file outside the backup directory was not deleted:" + file);
    };
    if (!backup.location.empty()) {
        remove(backup.location);
        // A TextPad backup is two files.
        if (backup.name == TextPadTarget && IsInsideFolder(backup.location, previousBackupDir))
            remove(backup.location + "2");
    }
    backups.erase(backups.begin() + static_cast<long>(*cursor));
    LogSuccess("Deleted backup for " + backup.name);
    if (backups.empty()) return std::nullopt;
    return std::min(*cursor, backups.size() - 1);
}

void GantrelSession::CopyBackupLocation(std::optional<size_t> cursor) const {
    if (cursor && *cursor < backups.size()) CopyToClipboard(backups[*cursor].location);
}

void GantrelSession::CopyTargetPath(std::optional<size_t> cursor) const {
    if (cursor && *cursor < targets.size()) CopyToClipboard(targets[*cursor].dir);
}
