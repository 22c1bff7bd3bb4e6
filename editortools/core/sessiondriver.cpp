// The Install action over the selected tools, the check-only question, and the check that a
// target's program is not running.
#include "core/session.h"

#include "core/runningtarget.h"
#include "core/targetlocations.h"

#include <algorithm>

bool GantrelSession::IsProcessRunning(const std::string& executable) {
    return IsAmongProcesses(processNames(), executable);
}

bool GantrelSession::CheckTargetNotRunning(const std::string& target) {
    std::string executable = TargetExecutable(target, studioNames);
    if (executable.empty() || !IsProcessRunning(executable)) return false;
    if (OnlyWarnsWhenRunning(target)) {
        LogError("Restart " + target + " to see changes.");
        return false;
    }
    LogError(target + " is running.Please close the program.");
    return true;
}

void GantrelSession::InstallSelectedTools(const std::string& target, const std::string& workspace,
                                          const std::vector<size_t>& selectedRows) {
    if (target.empty()) {
        LogError("Select an IDE/Text Editor for installation.");
        return;
    }
    if (selectedRows.empty()) {
        LogError("Select tool(s) to install to continue.");
        return;
    }
    std::string directory = GetTargetDir(target);
    if (target == EclipseTarget && !workspace.empty()) directory = workspace;
    std::vector<size_t> rows = selectedRows;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (size_t row : rows) {
        if (row >= tools.size()) continue;
        ToolRecord tool = tools[row];
        InstallToolInTarget(target, directory, tool.name, tool.curdir, tool.cmdline, tool.logparser);
    }
}

void GantrelSession::InstallToolInTarget(const std::string& target, const std::string& directory,
                                         const std::string& toolName, const std::string& currentDirectory,
                                         const std::string& commandLine, const std::string& logParser) {
    if (commandLine.empty() || CheckTargetNotRunning(target)) return;
    if (directory.empty()) {
        LogError("Directory is not set for " + target);
        return;
    }
    InstallTool(target, directory, toolName, currentDirectory, commandLine, logParser, false);
}

bool GantrelSession::IsToolPresent(const std::string& target, const std::string& directory,
                                   const std::string& toolName) {
    return InstallTool(target, directory, toolName, "", "", "", true);
}
