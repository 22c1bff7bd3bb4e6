// Reading EditPadPro's ini file into the tools document.
#include "core/editpadprotools.h"

#include "core/codepage.h"
#include "core/numbers.h"
#include "core/savefile.h"
#include "core/targetlocations.h"
#include "core/writers/toolwriter.h"
#include "core/writers/writercommon.h"
#include "core/xml.h"

#include <optional>

namespace {

// The settings of an EditPadPro 6 tool with their registry types.
int editpadpro6type(const std::string& name) {
    static const char* const numbers[] = {"ShortCut",       "OpenTempFileType", "StdIn",         "StdOut",
                                          "StdOutFileType", "StdErr",           "StdErrFileType"};
    static const char* const texts[] = {
        "Caption",        "Hint",           "CommandLine",        "WorkingFolder",      "AllFileTypes",
        "FileTypes",      "UserFileTypes",  "FileSave",           "FileSaveTemp",       "SelSaveTemp",
        "ReloadFile",     "FileOpenTemp",   "MsgOpenTemp",        "SelOpenTemp",        "OpenTempUserFileType",
        "OpenTempSyntax", "StdOutModified", "StdOutClose",        "StdOutUserFileType", "StdOutSyntax",
        "StdErrModified", "StdErrClose",    "StdErrUserFileType", "StdErrSyntax",       "StdOutSyntaxCSCS"};
    for (const char* number : numbers)
        if (name == number) return 4;
    for (const char* text : texts)
        if (name == text) return 1;
    return 0;
}

bool startswith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// The decimal number at the start of text; nullopt for none or one beyond 32 bits.
std::optional<int32_t> leadingnumber(const std::string& text) {
    size_t end = 0;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    return ParseInt32(std::string_view(text).substr(0, end));
}

// The number of a "[Tool<digits>]" header.
std::optional<int32_t> toolsection(const std::string& line) {
    std::string rest = line.substr(5);
    size_t end = 0;
    while (end < rest.size() && rest[end] >= '0' && rest[end] <= '9') ++end;
    if (end == 0 || end >= rest.size() || rest[end] != ']') return std::nullopt;
    return ParseInt32(std::string_view(rest).substr(0, end));
}

// Setting names become element names, so only those XML can hold are taken.
bool isxmlname(const std::string& name) {
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (name.empty() || !letter(name[0]) || startswith(name, "xml") || startswith(name, "XML")) return false;
    for (char c : name)
        if (!letter(c) && !(c >= '0' && c <= '9') && c != '-' && c != '.') return false;
    return true;
}

std::vector<std::string> splitlines(const std::string& text) {
    std::vector<std::string> lines;
    size_t from = 0;
    while (from < text.size()) {
        size_t end = text.find_first_of("\r\n", from);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(from, end - from));
        from = end;
        if (from < text.size() && text[from] == '\r') ++from;
        if (from < text.size() && text[from] == '\n') ++from;
    }
    return lines;
}

class IniToolsReader {
public:
    IniToolsReader(XmlNode& tools, const std::string& target, int codePage)
        : tools(tools), version6(target == EditPadPro6Target), codePage(codePage) {}

    bool Line(const std::string& line) {
        std::optional<int32_t> number = startswith(line, "[Tool") ? toolsection(line) : std::nullopt;
        if (startswith(line, "[Pro]")) {
            inPro = true;
            tool = nullptr;
        } else if (number) {
            inPro = false;
            tool = *number < toolCount ? &tools.Add("tool") : nullptr;
        } else if (startswith(line, "[")) {
            inPro = false;
            tool = nullptr;
        } else if (inPro && startswith(line, "ToolCount=")) {
            toolCount = leadingnumber(line.substr(10)).value_or(-1);
            inPro = false;
        } else if (tool) {
            return Setting(line);
        }
        return true;
    }

private:
    XmlNode& tools;
    const bool version6;
    const int codePage;
    int32_t toolCount = -1;
    bool inPro = false;
    XmlNode* tool = nullptr;  // the counted tool section the walk is in

    bool Setting(const std::string& line) {
        size_t equals = line.find('=');
        if (equals == std::string::npos) return true;
        std::string name = line.substr(0, equals), value = line.substr(equals + 1);
        int type = version6 ? editpadpro6type(name) : 1;
        if (type == 0 || !isxmlname(name)) return false;
        tool->AddField(name, version6 ? FromCodePage(value, codePage) : value)
            .SetAttribute("type", std::to_string(type));
        return true;
    }
};

}  // namespace

bool ReadEditPadProIniTools(XmlNode& document, const std::string& path, const std::string& target, bool missingFileOk,
                            WriterContext& context) {
    document = XmlNode();
    FileText file = ReadFileText(path);
    if (file.missing && missingFileOk && IsEditPadPro7InRegistry(context.Registry(), target)) return true;
    std::string problem = TextFileProblem(file);
    if (!problem.empty() || file.text.empty()) {
        context.LogError(ConfigFileError("EditPadPro", path, file, problem));
        return false;
    }
    XmlNode& root = document.Add("Editpadpro");
    root.SetAttribute("version", target);
    IniToolsReader reader(root.Add("tools"), target, context.CodePage());
    for (const std::string& line : splitlines(file.text))
        if (!reader.Line(line)) {
            document = XmlNode();
            return false;
        }
    return true;
}

std::string EditPadProDocumentText(const XmlNode& document) {
    return AsXml(document, XmlHeader | XmlDoctype | XmlIndent);
}
