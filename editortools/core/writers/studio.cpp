// Visual Studio and SQL Server Management Studio: the external tools of a .vssettings file,
// UserSettings > Category Environment_Group > Category Environment_ExternalTools, one
// PropertyValue per tool property ("<tool>.<property>") and the list "ToolNames".
#include "core/writers/toolwriter.h"
#include "core/writers/writercommon.h"

#include "core/savefile.h"
#include "core/textreplace.h"
#include "core/xml.h"

#include <algorithm>

namespace {

const char* const ToolNames = "ToolNames";

bool IsCategory(const XmlNode& node, std::string_view name) {
    return node.IsElement("Category") && node.AttributeOr("name", "") == name;
}

// The external-tools category of each settings group.
std::vector<XmlNode*> ExternalToolCategories(XmlNode& document) {
    std::vector<XmlNode*> categories;
    XmlNode* settings = document.Find("UserSettings");
    if (!settings) return categories;
    for (XmlNode& group : settings->children) {
        if (!IsCategory(group, "Environment_Group")) continue;
        auto tools = std::find_if(group.children.begin(), group.children.end(),
                                  [](const XmlNode& c) { return IsCategory(c, "Environment_ExternalTools"); });
        if (tools != group.children.end()) categories.push_back(&*tools);
    }
    return categories;
}

// The property of a PropertyValue of the tool ("Command" of "<tool>.Command"), else "". A
// longer name with a dot ("<tool>.x.Command") is another tool's.
std::string PropertyOf(const XmlNode& node, const std::string& toolName) {
    if (!node.IsElement("PropertyValue")) return "";
    std::string name = node.AttributeOr("name", "");
    if (name.size() <= toolName.size() + 1 || !name.starts_with(toolName + ".")) return "";
    std::string property = name.substr(toolName.size() + 1);
    return property.find('.') == std::string::npos ? property : "";
}

XmlNode* FindToolNames(XmlNode& category) {
    for (XmlNode& child : category.children)
        if (child.IsElement("PropertyValue") && child.AttributeOr("name", "") == ToolNames) return &child;
    return nullptr;
}

bool Listed(const std::string& list, const std::string& toolName) {
    size_t from = 0;
    for (;;) {
        size_t end = list.find(", ", from);
        if (list.substr(from, end == std::string::npos ? std::string::npos : end - from) == toolName) return true;
        if (end == std::string::npos) return false;
        from = end + 2;
    }
}

bool HasProperties(const XmlNode& category, const std::string& toolName) {
    return std::any_of(category.children.begin(), category.children.end(),
                       [&](const XmlNode& child) { return !PropertyOf(child, toolName).empty(); });
}

// A property of the tool, or its name in the list.
bool Holds(XmlNode& category, const std::string& toolName) {
    XmlNode* list = FindToolNames(category);
    return HasProperties(category, toolName) || (list && Listed(ElementText(*list), toolName));
}

// The thirteen properties, in the order a new tool has them.
std::vector<std::pair<std::string, std::string>> ToolProperties(const PreparedTool& tool) {
    std::string arguments = TranslatePlaceholders(tool.argumentLine, StudioPlaceholders());
    return {{"Command", tool.program},
            {"Arguments", arguments},
            {"InitialDirectory", tool.currentDirectory},
            {"SourceKeyName", ""},
            {"UseOutputWindow", "true"},
            {"PromptForArguments", "false"},
            {"CloseOnExit", "true"},
            {"IsGUIapp", "false"},
            {"SaveAllDocs", "true"},
            {"UseTaskList", "false"},
            {"Unicode", "false"},
            {"Package", "{00000000-0000-0000-0000-000000000000}"},
            {"NameID", "0"}};
}

void SetValue(XmlNode& node, std::string value) {
    node.children.clear();
    node.AddText(std::move(value));
}

// The tool's properties get their values in place; true when one of them is ".NameID".
bool ReplaceTool(XmlNode& category, const PreparedTool& tool) {
    auto properties = ToolProperties(tool);
    bool nameId = false;
    for (XmlNode& child : category.children) {
        std::string property = PropertyOf(child, tool.toolName);
        for (const auto& [name, value] : properties)
            if (property == name) {
                SetValue(child, value);
                nameId = nameId || name == "NameID";
            }
    }
    return nameId;
}

// The old list goes; the thirteen properties and then the list with the tool are appended.
void AddTool(XmlNode& category, const PreparedTool& tool) {
    std::string list;
    if (XmlNode* old = FindToolNames(category)) {
        list = ElementText(*old);
        category.children.erase(category.children.begin() + (old - category.children.data()));
    }
    DropLayoutText(category);
    if (!Listed(list, tool.toolName)) list = list.empty() ? tool.toolName : list + ", " + tool.toolName;
    for (const auto& [name, value] : ToolProperties(tool)) {
        XmlNode& property = category.AddField("PropertyValue", value);
        property.SetAttribute("name", tool.toolName + "." + name);
    }
    category.AddField("PropertyValue", list).SetAttribute("name", ToolNames);
}

}  // namespace

bool InstallStudioTool(const PreparedTool& tool, WriterContext& context) {
    const std::string& path = tool.location;
    FileText file = ReadFileText(path);
    std::string problem = TextFileProblem(file);
    XmlNode document;
    std::string error;
    if (!problem.empty() || !ParseXml(file.text, XmlIgnoreDecls | XmlIgnorePis | XmlIgnoreComments, document, error)) {
        if (!tool.checkOnly)
            context.ReportXmlReadError(problem.empty() ? path + ": " + error : FileProblem(path, problem));
        return false;
    }
    std::vector<XmlNode*> categories = ExternalToolCategories(document);
    bool present = std::any_of(categories.begin(), categories.end(),
                               [&](XmlNode* category) { return Holds(*category, tool.toolName); });
    if (tool.checkOnly) return present;
    // Nothing to write into: say so rather than end in silence.
    if (categories.empty()) {
        context.LogError("could not find the external tools of " + tool.target + " in " + path);
        return false;
    }
    if (present && !context.AskOverwrite(tool.toolName)) return true;
    bool written = false;
    for (XmlNode* category : categories) {
        if (HasProperties(*category, tool.toolName)) {
            written = ReplaceTool(*category, tool) || written;
        } else {
            AddTool(*category, tool);
            written = true;
        }
    }
    if (!written) return true;
    if (!context.BackupBeforeInstall(tool.target, tool.toolName, path, "")) return false;
    if (!SaveFile(path, AsXml(document, 0))) {
        context.LogError("Install failed,could not save configuration file for " + tool.target + ":" + path);
        return false;
    }
    context.AddInstalledTarget(tool.toolName, tool.target);
    return true;
}
