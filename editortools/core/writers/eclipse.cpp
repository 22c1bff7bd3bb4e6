// Eclipse: one launch configuration per tool in the workspace's launches folder.
#include "core/writers/toolwriter.h"
#include "core/writers/writercommon.h"

#include "core/environment.h"
#include "core/savefile.h"
#include "core/targetlocations.h"
#include "core/textreplace.h"
#include "core/xml.h"

#include <filesystem>
#include <system_error>

namespace {

const char* const LaunchesFolder = ".metadata/.plugins/org.eclipse.debug.core/.launches";
const char* const ToolsPrefix = "org.eclipse.ui.externaltools.";

// The tool name with control characters and < > : " / \ | ? * as blanks.
std::string SafeFileName(std::string name) {
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 32 || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos)
            c = ' ';
    return name;
}

void AddStringAttribute(XmlNode& root, const std::string& key, std::string value) {
    XmlNode& attribute = root.Add("stringAttribute");
    attribute.SetAttribute("key", ToolsPrefix + key);
    attribute.SetAttribute("value", std::move(value));
}

XmlNode LaunchConfiguration(const PreparedTool& tool) {
    XmlNode root = XmlNode::Element("launchConfiguration");
    root.SetAttribute("type", std::string(ToolsPrefix) + "ProgramLaunchConfigurationType");
    XmlNode& groups = root.Add("listAttribute");
    groups.SetAttribute("key", "org.eclipse.debug.ui.favoriteGroups");
    groups.Add("listEntry").SetAttribute("value", std::string(ToolsPrefix) + "launchGroup");
    AddStringAttribute(root, "ATTR_LOCATION", tool.program);
    AddStringAttribute(root, "ATTR_TOOL_ARGUMENTS",
                       TranslatePlaceholders(tool.argumentLine, TargetPlaceholders(EclipseTarget)));
    AddStringAttribute(root, "ATTR_WORKING_DIRECTORY", tool.currentDirectory);
    return root;
}

std::string LaunchFile(const std::string& workspace, const std::string& toolName) {
    return JoinPath(StripTrailingBackslash(workspace),
                    std::string(LaunchesFolder) + "/" + SafeFileName(toolName) + ".launch");
}

}  // namespace

bool InstallEclipseTool(const PreparedTool& tool, WriterContext& context) {
    std::string path = LaunchFile(tool.location, tool.toolName);
    if (ConfigFileExists(path)) {
        if (tool.checkOnly) return true;
        if (!context.AskOverwrite(tool.toolName)) return true;
        if (!context.BackupBeforeInstall(tool.target, tool.toolName, path, "")) return false;
    } else if (tool.checkOnly) {
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (error) {
        context.LogError("Install failed,could not create directories for the configuration file:" + path);
        return false;
    }
    if (!SaveFile(path, AsXml(LaunchConfiguration(tool), XmlHeader | XmlDoctype))) {
        context.LogError("Install failed,could not save configuration file for Eclipse:" + path);
        return false;
    }
    context.AddInstalledTarget(tool.toolName, tool.target);
    return true;
}
