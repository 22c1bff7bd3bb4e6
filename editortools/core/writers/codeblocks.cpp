// Code::Blocks: the tools list of default.conf. Each tool is an element "toolNN" whose NAME,
// COMMAND, PARAMS and WORKINGDIR hold a "str" element with a CDATA section.
#include "core/writers/toolwriter.h"
#include "core/writers/writercommon.h"

#include "core/numbers.h"
#include "core/records.h"
#include "core/savefile.h"
#include "core/targetlocations.h"
#include "core/textreplace.h"
#include "core/xml.h"

#include <cstdio>

namespace {

// The CDATA content of the tool's NAME/str.
std::string StoredName(const XmlNode& tool) {
    const XmlNode* name = tool.Find("NAME");
    const XmlNode* str = name ? name->Find("str") : nullptr;
    return str ? ElementText(*str) : "";
}

// The number after "tool" in a tag, or nullopt.
std::optional<int32_t> TagNumber(const std::string& tag) {
    return tag.size() > 4 ? ParseInt32(std::string_view(tag).substr(4)) : std::nullopt;
}

void AddCDataField(XmlNode& tool, const char* tag, std::string text) {
    tool.Add(tag).Add("str").children.push_back(XmlNode::TextNode(std::move(text), XmlKind::CData));
}

void FillTool(XmlNode& element, const PreparedTool& tool) {
    std::string arguments = TranslatePlaceholders(tool.argumentLine, TargetPlaceholders(CodeBlocksTarget));
    element.children.clear();
    AddCDataField(element, "NAME", tool.toolName);
    AddCDataField(element, "COMMAND", tool.program);
    AddCDataField(element, "PARAMS", arguments);
    AddCDataField(element, "WORKINGDIR", tool.currentDirectory);
    element.Add("LAUNCHOPTION").SetAttribute("int", "1");
}

// "tool" and the number with at least two digits.
std::string ToolTag(int64_t number) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%02lld", static_cast<long long>(number));
    return std::string("tool") + digits;
}

}  // namespace

bool InstallCodeBlocksTool(const PreparedTool& tool, WriterContext& context) {
    std::string path = TargetConfigFile({CodeBlocksTarget, tool.location}, {});
    FileText file = ReadFileText(path);
    if ((!file.Read() || file.text.empty()) && tool.checkOnly) return false;
    std::string problem = TextFileProblem(file);
    if (!problem.empty()) {
        context.ReportXmlReadError(FileProblem(path, problem));
        return false;
    }
    XmlNode document;
    std::string error;
    if (!ParseXml(file.text, 0, document, error)) {
        context.ReportXmlReadError(path + ": " + error);
        return false;
    }
    // The declaration is node 0; the root must follow it.
    if (document.children.size() < 2 || !document.children[1].IsElement("CodeBlocksConfig")) {
        context.ReportXmlReadError(path + ": No CodeBlocksConfig tag");
        return false;
    }
    XmlNode* tools = document.children[1].Find("tools");
    if (!tools) {
        context.LogError("Install failed,could not find tools tag in configuration file:" + path);
        return false;
    }
    XmlNode* found = nullptr;
    int64_t highest = 0;
    for (XmlNode& child : tools->children) {
        if (!child.IsElement()) continue;
        if (StoredName(child) == tool.toolName) {
            found = &child;
            break;
        }
        std::optional<int32_t> number = TagNumber(child.name);
        if (number && *number > highest) highest = *number;
    }
    if (tool.checkOnly) return found != nullptr;
    if (found) {
        if (!context.AskOverwrite(tool.toolName)) return true;
        FillTool(*found, tool);
    } else {
        DropLayoutText(*tools);
        FillTool(tools->Add(ToolTag(highest + 1)), tool);
    }
    if (!context.BackupBeforeInstall(tool.target, tool.toolName, path, "")) return false;
    if (!SaveFile(path, AsXml(document, 0))) {
        context.LogError("Install failed,could not save configuration file for Code::Blocks:" + path);
        return false;
    }
    context.AddInstalledTarget(tool.toolName, tool.target);
    return true;
}
