// A WriterContext that records what a writer asks of it, over a registry store file in a
// temporary folder; writer tests build PreparedTool values by hand.
#pragma once

#include "core/writers/toolwriter.h"
#include "testfolder.h"

#include <deque>
#include <string>
#include <vector>

class FakeWriterContext : public WriterContext {
public:
    struct Backup {
        std::string target, toolName, location, extra;
        std::string content;        // the file at location when the backup was asked for
        std::string registryText;   // the registry store's file then
    };

    explicit FakeWriterContext(const testfolder& folder)
        : registry((folder / "registry.reg").string()), installFolder((folder / "bin").string()) {}

    std::deque<bool> overwriteAnswers;   // empty: No
    bool backupSucceeds = true;

    std::vector<std::string> asked;      // tool names of the overwrite questions
    std::vector<Backup> backups;
    std::vector<std::pair<std::string, std::string>> installed;   // (tool, target)
    std::vector<std::string> errors;
    std::vector<std::string> xmlErrors;
    registrystore registry;
    int codePage = -1;
    std::string installFolder;

    bool AskOverwrite(const std::string& toolName) override {
        asked.push_back(toolName);
        if (overwriteAnswers.empty()) return false;
        bool answer = overwriteAnswers.front();
        overwriteAnswers.pop_front();
        return answer;
    }
    bool BackupBeforeInstall(const std::string& target, const std::string& toolName, const std::string& location,
                             const std::string& extra) override {
        backups.push_back(
            {target, toolName, location, extra, testfolder::readall(location), testfolder::readall(registry.path())});
        return backupSucceeds;
    }
    void AddInstalledTarget(const std::string& toolName, const std::string& target) override {
        installed.emplace_back(toolName, target);
    }
    void LogError(const std::string& text) override { errors.push_back(text); }
    void ReportXmlReadError(const std::string& error) override { xmlErrors.push_back(error); }
    registrystore& Registry() override { return registry; }
    int CodePage() const override { return codePage; }
    std::string InstallFolder() const override { return installFolder; }

    // Nothing asked, backed up, recorded or reported.
    bool Silent() const {
        return asked.empty() && backups.empty() && installed.empty() && errors.empty() && xmlErrors.empty();
    }
};

// A tool as InstallTool prepares it.
inline PreparedTool Prepared(const std::string& target, const std::string& location, const std::string& toolName,
                             const std::string& program, const std::string& argumentLine, bool checkOnly = false) {
    PreparedTool tool;
    tool.target = target;
    tool.location = location;
    tool.toolName = toolName;
    tool.program = program;
    tool.argumentLine = argumentLine;
    tool.commandLine = program + (argumentLine.empty() ? "" : " " + argumentLine);
    tool.checkOnly = checkOnly;
    return tool;
}

// The tool as the check-only question prepares it: no command line, no current directory.
inline PreparedTool CheckOnly(PreparedTool tool) {
    tool.checkOnly = true;
    tool.program = tool.argumentLine = tool.commandLine = tool.currentDirectory = tool.logParser = "";
    return tool;
}
