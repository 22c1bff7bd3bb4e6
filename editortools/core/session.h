// The state of the main window without its widgets: the three tables, the backup directory,
// the settings paths, the command-line flags and the services the operations use. The window
// shows it; the window-less mode runs it alone. Its methods live in files by concern
// (session*.cpp).
#pragma once

#include "core/commandline.h"
#include "core/messages.h"
#include "core/prompter.h"
#include "core/records.h"
#include "core/writers/toolwriter.h"

#include "registrystore.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <set>
#include <string>
#include <vector>

class XmlNode;
struct FileText;

// The four edit fields of the Tools tab.
struct ToolFields {
    std::string name, cmdline, curdir, logparser;
};

enum class AddToolResult { Ignored, Refused, Added };

struct SessionSetup {
    Prompter* prompter = nullptr;                            // required
    std::ostream* err = nullptr;                             // the standard error stream when null
    std::string programFolder;                               // ProgramFolder() when empty
    std::string registryPath;                                // registrystorepath() when empty
    std::optional<int> codePage;                             // UserCodePage() when not given
    std::function<std::vector<std::string>()> processNames;  // ListProcessNames when empty
};

class GantrelSession : public WriterContext {
public:
    explicit GantrelSession(const SessionSetup& setup);
    GantrelSession(const GantrelSession&) = delete;
    GantrelSession& operator=(const GantrelSession&) = delete;

    std::vector<ToolRecord> tools;
    std::vector<TargetRecord> targets;
    std::vector<BackupRecord> backups;
    std::string backupDirectory;      // the text of the backup-directory field
    std::string startupSettingsPath;  // fixed by StartUp; saved to at the end
    std::string currentSettingsPath;  // set by Open settings and Save settings as
    std::string previousBackupDir;    // the folder whose list the backups table holds
    RunFlags flags;
    int codePage;  // the user's ANSI code page, -1 for none
    const std::string programFolder;
    registrystore registry;                                  // HKEY_CURRENT_USER
    std::function<std::vector<std::string>()> processNames;  // the running processes by name
    Prompter& prompter;
    std::ostream& err;
    MessageChannels channels;

    // session.cpp: start-up without widgets, and the saves at the end. StartUp fills the
    // catalogue, finds the -e target, reads the settings and settles the backup directory;
    // CommandLineInstall then installs the -it tool into it (its row, when found, is given back) and,
    // with a window, recomputes the "Installed in" column.
    void StartUp(const CommandLineOptions& options);
    std::optional<size_t> CommandLineInstall();
    void ShutDown();
    void LogError(const std::string& text) override { channels.LogError(text); }
    void LogSuccess(const std::string& text) { channels.LogSuccess(text); }
    bool AskOverwrite(const std::string& toolName) override { return channels.AskOverwrite(toolName); }

    // sessionsettings.cpp: the settings file and the backup list.
    void LoadSettingsXml(const std::string& path);
    void LoadBackupList(const std::string& path);
    void SaveSettingsXml(const std::string& settingsPath, const std::string& backupListPath);
    void SaveSettings();
    void SaveSettingsAs();
    void OpenSettings();
    // The list file of the backup-directory field's folder.
    std::string BackupListPath() const;

    // The window's operations: catalogue, tool list, backup directory (sessioncatalogue.cpp,
    // sessiontools.cpp, sessionbackups.cpp). Rows are indexes into the tables; a cursor is
    // nullopt when the grid has none.
    std::vector<std::string> installList;  // the install targets' names, catalogue order
    std::optional<size_t> selectedTarget;  // index into installList
    std::vector<std::string> studioNames;  // studio targets found at start-up
    std::vector<std::string> studioPaths;  // and their settings files, at the same index
    std::string commandLineTool;           // -it
    bool backupDirChangeActive = false;
    std::function<void()> bringBackupsToFront;  // set by the window
    void FillCatalogue();
    std::string GetTargetDir(const std::string& target) const;
    std::optional<ToolFields> ShowSelectedTool(std::optional<size_t> cursor) const;
    AddToolResult AddTool(const ToolFields& fields);
    void ChangeTool(std::optional<size_t> cursor, const ToolFields& fields);
    bool DeleteTools(const std::vector<size_t>& selectedRows);       // true when rows went
    std::optional<size_t> MoveToolUp(std::optional<size_t> cursor);  // the moved row's new index
    std::optional<size_t> MoveToolDown(std::optional<size_t> cursor);
    std::optional<size_t> FindTool(const std::string& name) const;
    void AddInstalledTarget(const std::string& toolName, const std::string& target) override;
    void RecomputeInstalledIn();
    // False when it did not run (the same directory, or a change already under way).
    bool ChangeBackupDirectory(const std::string& fieldText);
    // The cursor row afterwards.
    std::optional<size_t> DeleteBackup(std::optional<size_t> cursor, bool confirmDelete);
    void CopyBackupLocation(std::optional<size_t> cursor) const;
    void CopyTargetPath(std::optional<size_t> cursor) const;

    // The install road (sessioninstall.cpp, sessiondriver.cpp, sessionbackup.cpp, sessioneclipse.cpp):
    // InstallTool and the writers' side of it, the running check, the driver, backups, Eclipse copies.
    bool InstallTool(std::string target, std::string location, std::string toolName, std::string currentDirectory,
                     std::string commandLine, std::string logParser, bool checkOnly);
    void ReportXmlReadError(const std::string& error) override;
    registrystore& Registry() override { return registry; }
    int CodePage() const override { return codePage; }
    std::string InstallFolder() const override { return programFolder; }
    // True when the target's program runs and the install must not go on (its line given).
    bool CheckTargetNotRunning(const std::string& target);
    bool IsProcessRunning(const std::string& executable);
    // The Install action: the chosen target, the chosen Eclipse workspace ("" for none) and the
    // selected rows of the tools table.
    void InstallSelectedTools(const std::string& target, const std::string& workspace,
                              const std::vector<size_t>& selectedRows);
    void InstallToolInTarget(const std::string& target, const std::string& directory, const std::string& toolName,
                             const std::string& currentDirectory, const std::string& commandLine,
                             const std::string& logParser);
    bool IsToolPresent(const std::string& target, const std::string& directory, const std::string& toolName);
    bool BackupBeforeInstall(const std::string& target, const std::string& toolName, const std::string& location,
                             const std::string& extra) override;
    void ReportBackupFailure(const std::string& target);
    // The Backup button on that row of the targets table (nullopt: no cursor row).
    void BackupTarget(std::optional<size_t> row);
    bool WriteBackup(const std::string& target, const std::string& description, const std::string& location,
                     const std::string& extra);
    uint32_t backupCounter = 0;
    // Restore (sessionrestore.cpp): the backup in that row of the backups table put back into
    // its target (nullopt: no cursor row); the backups themselves never change.
    void RestoreBackup(std::optional<size_t> cursor);
    // The tools of an EditPadPro tools document into EditPadPro 6's registry keys, numbered from
    // 0, the keys above them up to the old count deleted; false at the first failed write.
    bool RestoreEditPadPro6Registry(const XmlNode& tools);
    // The tools into the ini file of the target in that folder, in place of its tool sections;
    // false (its line given) when the file is missing, empty or cannot be written.
    bool RestoreEditPadProIni(const XmlNode& tools, const std::string& target, const std::string& folder);

    // Target locations (sessiontargetpath.cpp). Without locationGiven the user chooses the
    // location, which is given back in location, and a failed test is reported; with it the
    // test is silent. SetTargetPath and AutodetectTarget act on that row of the targets table.
    bool ValidateTargetPath(const std::string& target, std::string& location, bool locationGiven);
    void SetTargetPath(std::optional<size_t> row);
    void AutodetectTarget(std::optional<size_t> row);

    // Eclipse copies: true when the table changed.
    bool DuplicateEclipse(size_t row);
    bool DeleteEclipseCopy(size_t row);
    // The workspaces to choose from when that target is chosen: the dirs of the Eclipse rows,
    // when there are two or more.
    std::vector<std::string> EclipseWorkspaces(const std::string& chosenTarget) const;

private:
    // Files that failed to load and could not be copied aside: never saved over.
    std::set<std::string> keptUnreadable;

    void ReportReadError(const std::string& path, const FileText& file, const std::string& error);
    bool WriteXmlFile(const std::string& path, const XmlNode& root);
};

// "gantrel.xml" in the program's folder, or in $XDG_CONFIG_HOME/tolvane (made when missing)
// when the program's folder is not writable and a configuration folder is known.
std::string DefaultSettingsPath(const std::string& programFolder);

// The backup file for a target: backupDirectory/target's folder name/MD5 stem + tail, with the
// counter advanced until the name is new; "" when the directory is empty or the root.
std::string NewBackupPath(const std::string& backupDirectory, const std::string& target, const std::string& tail,
                          uint32_t& counter);
