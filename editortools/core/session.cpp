// The session's life: start-up from the command line and the saves at the end.
#include "core/session.h"

#include "core/backupdirectory.h"
#include "core/codepage.h"
#include "core/environment.h"
#include "core/processes.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

GantrelSession::GantrelSession(const SessionSetup& setup)
    : codePage(setup.codePage ? *setup.codePage : UserCodePage()),
      programFolder(setup.programFolder.empty() ? ProgramFolder() : setup.programFolder),
      registry(setup.registryPath.empty() ? registrystorepath() : setup.registryPath),
      processNames(setup.processNames ? setup.processNames : ListProcessNames),
      prompter(*setup.prompter),
      err(setup.err ? *setup.err : std::cerr),
      channels(flags, prompter, err) {}

void GantrelSession::StartUp(const CommandLineOptions& options) {
    flags = {options.showInfoDialogs, options.overwrite, options.noGui};
    commandLineTool = options.toolName;
    // A store that cannot be read takes no change; the user learns why at once.
    if (!registry.usable()) prompter.PromptError("Error reading the input file: " + registry.loaderror());
    FillCatalogue();
    if (!options.ide.empty()) {
        auto found = std::find(installList.begin(), installList.end(), options.ide);
        if (found != installList.end()) selectedTarget = static_cast<size_t>(found - installList.begin());
        else channels.Stderr("The specified enviroment is not correct:" + options.ide + "\n");
    }
    startupSettingsPath = options.xmlFile.empty() ? DefaultSettingsPath(programFolder) : options.xmlFile;
    LoadSettingsXml(startupSettingsPath);
    if (backupDirectory.empty()) {
        backupDirectory = DefaultBackupDirectory();
        std::error_code ignored;
        if (!backupDirectory.empty()) std::filesystem::create_directories(backupDirectory, ignored);
    }
    if (!options.backupDir.empty()) backupDirectory = options.backupDir;
    previousBackupDir = backupDirectory;
    if (!backupDirectory.empty()) LoadBackupList(BackupListPath());
}

std::optional<size_t> GantrelSession::CommandLineInstall() {
    std::optional<size_t> row;
    if (!commandLineTool.empty() && selectedTarget) {
        row = FindTool(commandLineTool);
        if (row) InstallSelectedTools(installList[*selectedTarget], "", {*row});
        else channels.Stderr("could not find the specified tool called " + commandLineTool + "\n");
    }
    if (!flags.noGui) RecomputeInstalledIn();
    return row;
}

void GantrelSession::ShutDown() {
    SaveSettingsXml(startupSettingsPath, backupDirectory.empty() ? "" : BackupListPath());
}
