// The session's side of an installation as the writer tests see it: answers from fields, and a
// record of every call. A backup keeps the bytes the file had at that moment.
#pragma once

#include "core/writers/toolwriter.h"
#include "testfolder.h"

#include <string>
#include <vector>

class FakeWriterContext : public WriterContext {
public:
    explicit FakeWriterContext(const testfolder& folder) : registry((folder / "registry.reg").string()) {}

    struct Backup {
        std::string target, toolName, location, extra, bytes;
    };

    bool overwriteAnswer = true;   // the answer to every overwrite question
    bool backupResult = true;
    std::vector<std::string> questions, errors, xmlErrors, installed;   // installed: "tool in target"
    std::vector<Backup> backups;
    registrystore registry;

    bool AskOverwrite(const std::string& toolName) override {
        questions.push_back(toolName);
        return overwriteAnswer;
    }
    bool BackupBeforeInstall(const std::string& target, const std::string& toolName, const std::string& location,
                             const std::string& extra) override {
        backups.push_back({target, toolName, location, extra, testfolder::readall(location)});
        return backupResult;
    }
    void AddInstalledTarget(const std::string& toolName, const std::string& target) override {
        installed.push_back(toolName + " in " + target);
    }
    void LogError(const std::string& text) override { errors.push_back(text); }
    void ReportXmlReadError(const std::string& error) override { xmlErrors.push_back(error); }
    registrystore& Registry() override { return registry; }
    int CodePage() const override { return -1; }
    std::string InstallFolder() const override { return "/opt/tolvane"; }

    // Nothing asked, logged or recorded.
    bool Silent() const {
        return questions.empty() && errors.empty() && xmlErrors.empty() && installed.empty() && backups.empty();
    }
};

// A tool as InstallTool prepares it: the program word and the rest of the command line.
inline PreparedTool Prepared(const std::string& target, const std::string& location, const std::string& name,
                             const std::string& program, const std::string& arguments,
                             const std::string& currentDirectory = "/work") {
    PreparedTool tool;
    tool.target = target;
    tool.location = location;
    tool.toolName = name;
    tool.currentDirectory = currentDirectory;
    tool.program = program;
    tool.argumentLine = arguments;
    tool.commandLine = arguments.empty() ? program : program + " " + arguments;
    return tool;
}

inline PreparedTool CheckOnly(PreparedTool tool) {
    tool.checkOnly = true;
    tool.program = tool.commandLine = tool.argumentLine = tool.currentDirectory = tool.logParser = "";
    return tool;
}
