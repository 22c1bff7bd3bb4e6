// What every target writer is given: the tool as InstallTool prepared it for one target, and
// the session's side of an installation. Each writer lives in its own file in this folder.
#pragma once

#include "core/registry.h"

#include <string>
#include <utility>
#include <vector>

class XmlNode;

struct PreparedTool {
    std::string target;    // catalogue name, e.g. "Pspad"
    std::string location;  // the target's folder or file, or "located in registry"
    std::string toolName;
    std::string currentDirectory;  // written as it is
    std::string logParser;
    std::string commandLine;   // the tool's whole command line as stored
    std::string program;       // its first word, %GRInstallDir% and %SystemRoot% expanded; "" in check-only mode
    std::string argumentLine;  // the other words joined with one blank, untranslated
    bool checkOnly = false;
};

// GantrelSession implements this; writer tests give a fake.
class WriterContext {
public:
    virtual ~WriterContext() = default;
    // True at once under -o, else the user's answer.
    virtual bool AskOverwrite(const std::string& toolName) = 0;
    // The automatic backup before a change; false (its failure line given) means write nothing.
    virtual bool BackupBeforeInstall(const std::string& target, const std::string& toolName,
                                     const std::string& location, const std::string& extra) = 0;
    // Records the target in the tool's "Installed in" list and gives the success line.
    virtual void AddInstalledTarget(const std::string& toolName, const std::string& target) = 0;
    virtual void LogError(const std::string& text) = 0;
    // The box "Error reading the input file: " + error, shown in every mode; the error names
    // the file ("<path>: line 3: ..." or "<path> is not a regular file").
    virtual void ReportXmlReadError(const std::string& error) = 0;
    virtual registrystore& Registry() = 0;          // HKEY_CURRENT_USER
    virtual int CodePage() const = 0;               // the user's ANSI code page, -1 for none
    virtual std::string InstallFolder() const = 0;  // what "%GRInstallDir%" stands for
};

// The writers. In check-only mode: true when the target holds a tool of that name, no message.
// Installing: false after an error (logged) or a failed backup; true otherwise, also when the
// user declined to overwrite.
bool InstallPspadTool(const PreparedTool& tool, WriterContext& context);       // pspad.cpp
bool InstallTheIdeTool(const PreparedTool& tool, WriterContext& context);      // theide.cpp
bool InstallUltraEditTool(const PreparedTool& tool, WriterContext& context);   // ultraedit.cpp
bool InstallCodeBlocksTool(const PreparedTool& tool, WriterContext& context);  // codeblocks.cpp
bool InstallEclipseTool(const PreparedTool& tool, WriterContext& context);     // eclipse.cpp
bool InstallStudioTool(const PreparedTool& tool, WriterContext& context);      // studio.cpp
bool InstallTextPadTool(const PreparedTool& tool, WriterContext& context);     // textpad.cpp
bool InstallEditPadProTool(const PreparedTool& tool, WriterContext& context);  // editpadpro.cpp
bool InstallEditPlusTool(const PreparedTool& tool, WriterContext& context);    // editplus.cpp

// An EditPadPro tool as (setting, value) pairs in the order they are written.
using EditPadProToolRecord = std::vector<std::pair<std::string, RegValue>>;

// The one scan of EditPadPro 6's tool keys in the registry, in its three uses: the backup
// (both flags off, names and record empty), the check and the install (editpadpro6registry.cpp).
bool EditPadPro6RegistryTools(XmlNode& document, const std::string& target, const std::string& toolName,
                              const EditPadProToolRecord& record, bool check, bool install, WriterContext& context);
