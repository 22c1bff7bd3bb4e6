// The session's life: start-up from the command line and the saves at the end.
#include "core/session.h"

#include "core/codepage.h"
#include "core/environment.h"
#include "core/processes.h"

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
    startupSettingsPath = options.xmlFile.empty() ? DefaultSettingsPath(programFolder) : options.xmlFile;
    LoadSettingsXml(startupSettingsPath);
    if (!options.backupDir.empty()) backupDirectory = options.backupDir;
    previousBackupDir = backupDirectory;
    if (!backupDirectory.empty()) LoadBackupList(BackupListPath());
}

void GantrelSession::ShutDown() {
    SaveSettingsXml(startupSettingsPath, backupDirectory.empty() ? "" : BackupListPath());
}
