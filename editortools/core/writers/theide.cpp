// theide: one macro file per tool, UppLocal/tool_<MD5 of the name>.usc under the target's folder.
#include "core/writers/toolwriter.h"

#include "core/digest.h"
#include "core/environment.h"
#include "core/savefile.h"
#include "core/targetlocations.h"
#include "core/textreplace.h"

#include <sys/stat.h>

namespace {

// As a string literal of the macro language.
std::string escaped(const std::string& text) { return ReplaceAll(DoubleBackslashes(text), "\"", "\\\""); }

std::string macrotext(const PreparedTool& tool, const std::string& installFolder) {
    std::string prologue;
    if (tool.argumentLine.find("%SelText%") != std::string::npos)
        prologue = "\nif(GetSelCount()>0) selection=Get(GetSelBegin(), GetSelCount());else selection=\"\";\n";
    std::string arguments = TranslatePlaceholders(escaped(tool.argumentLine), TargetPlaceholders(TheIdeTarget));
    arguments = ReplaceAll(arguments, "%GRInstallDir%", installFolder);
    return "macro \"" + escaped(tool.toolName) + "\" { .SaveCurrentFile();" + prologue + ".Execute(\"" +
           escaped(tool.program) + " \"+\"" + arguments + "\");}";
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

std::string macrofile(const std::string& location, const std::string& toolName) {
    std::string name = "UppLocal/tool_" + Md5Hex(toolName) + ".usc";
    if (location.empty()) return name;
    std::string folder = location.size() > 1 ? StripTrailingBackslash(location) : location;
    return folder == "/" ? "/" + name : JoinPath(folder, name);
}

}  // namespace

bool InstallTheIdeTool(const PreparedTool& tool, WriterContext& context) {
    std::string path = macrofile(tool.location, tool.toolName);
    if (!tool.location.empty() && exists(path)) {
        if (tool.checkOnly) return true;
        if (!context.AskOverwrite(tool.toolName)) return true;
        if (!context.BackupBeforeInstall(tool.target, tool.toolName, path, "")) return false;
    } else if (tool.checkOnly) {
        return false;
    }
    // No folder: nowhere to write (UppLocal is never made either).
    if (tool.location.empty() || !SaveFile(path, macrotext(tool, context.InstallFolder()))) {
        context.LogError("Install failed,could not save configuration file for Ultimate++ IDE:" + path);
        return false;
    }
    context.AddInstalledTarget(tool.toolName, tool.target);
    return true;
}
