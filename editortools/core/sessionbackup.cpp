// Backups of a target's tools: the user's Backup button, the automatic backup before an install,
// and the files both write into the backup directory.
#include "core/session.h"

#include "core/backupdirectory.h"
#include "core/digest.h"
#include "core/editpadprotools.h"
#include "core/environment.h"
#include "core/savefile.h"
#include "core/targetlocations.h"
#include "core/xml.h"

#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>

namespace {

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// The last component of a path, after "\", "/" or ":".
std::string lastcomponent(const std::string& path) {
    size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

bool iseditpadpro(const std::string& target) { return target == EditPadPro6Target || target == EditPadPro7Target; }

// What the user backup of a target holds, for its success line; "" for none named.
std::string backupword(const std::string& target, const std::vector<std::string>& studioNames) {
    if (target == PspadTarget) return "(the links)";
    if (target == UltraEditTarget || target == CodeBlocksTarget || IsStudioTarget(target, studioNames))
        return "(the whole configuration)";
    if (target == EditPlusTarget || iseditpadpro(target)) return "(all tools)";
    return "";
}

// The EditPadPro tools document of the target at location.
bool editpadprodocument(GantrelSession& session, const std::string& target, const std::string& location,
                        XmlNode& document) {
    if (target == EditPadPro6Target) {
        bool inRegistry = DefaultEditPadPro6Location(session.registry) == LocatedInRegistry;
        if (location == LocatedInRegistry && !inRegistry) {
            session.LogError("EditPadPro is NOW stored in an ini file, not in registry, use autodetect.");
            return false;
        }
        if (location != LocatedInRegistry && inRegistry) {
            session.LogError("EditPadPro is NOW stored in the registry,not in an ini file, use autodetect.");
            return false;
        }
        if (inRegistry) return EditPadPro6RegistryTools(document, "", "", {}, false, false, session);
    }
    return ReadEditPadProIniTools(document, location, target, true, session);
}

}  // namespace

std::string NewBackupPath(const std::string& backupDirectory, const std::string& target, const std::string& tail,
                          uint32_t& counter) {
    std::string folder = StripTrailingBackslash(backupDirectory);
    if (folder.find_first_not_of('/') == std::string::npos) return "";  // never at the root
    std::string time = FormatLogTime(std::time(nullptr));
    std::string path;
    bool textpad = target == TextPadTarget;
    do {
        ++counter;
        path = folder + "/" + ToSafeFileName(target) + "/" + Md5Hex(time + target + std::to_string(counter)) + tail;
    } while (exists(path) || (textpad && exists(path + "2")));
    return path;
}

bool GantrelSession::WriteBackup(const std::string& target, const std::string& description, const std::string& location,
                                 const std::string& extra) {
    std::string tail = iseditpadpro(target) ? "editpadpro.xml" : lastcomponent(location);
    std::string path = NewBackupPath(backupDirectory, target, tail, backupCounter);
    if (path.empty()) return false;
    std::string content;
    if (iseditpadpro(target)) {
        XmlNode document;
        if (!editpadprodocument(*this, target, location, document)) return false;
        content = EditPadProDocumentText(document);
    } else {
        content = LoadFile(location);
        if (content.empty()) return false;
    }
    std::error_code ignored;
    std::filesystem::create_directories(FolderOf(path), ignored);
    if (!SaveFile(path, content)) return false;
    // Half a TextPad backup cannot be restored: without its record it is none.
    if (target == TextPadTarget && !SaveFile(path + "2", extra)) {
        ::unlink(path.c_str());
        return false;
    }
    backups.push_back({target, FormatLogTime(std::time(nullptr)), description, path});
    return true;
}

bool GantrelSession::BackupBeforeInstall(const std::string& target, const std::string& toolName,
                                         const std::string& location, const std::string& extra) {
    if (WriteBackup(target, "before installing " + toolName + " backup", location, extra)) return true;
    ReportBackupFailure(target);
    return false;
}

void GantrelSession::ReportBackupFailure(const std::string& target) {
    LogError("could not backup " + target + ". Installation cancelled");
}

void GantrelSession::BackupTarget(std::optional<size_t> row) {
    if (!row || *row >= targets.size()) return;
    TargetRecord target = targets[*row];
    if (target.name == TextPadTarget || target.name == TheIdeTarget || target.name == EclipseTarget) {
        LogError("user initiated backup of all tools is not supported for " + target.name);
        return;
    }
    std::string word = backupword(target.name, studioNames);
    std::string suffix = word.empty() ? "" : " " + word;
    std::optional<std::string> description = prompter.EditText("Specify the deacription of backup", "Description:", "");
    if (!description) return;
    // A row without a folder would name a file of the current folder.
    if (!target.dir.empty() && WriteBackup(target.name, *description, TargetConfigFile(target, studioNames), ""))
        LogSuccess("Backed up " + target.name + suffix + ".");
    else LogError("could not backup the tools of " + target.name);
}
