// EditPadPro 6 and 7: where the tools are kept (the ini file, or for version 6 the registry)
// and the ini writer.
#include "core/writers/editpadprorecords.h"

#include "core/codepage.h"
#include "core/filelookup.h"
#include "core/numbers.h"
#include "core/savefile.h"
#include "core/targetlocations.h"
#include "core/textreplace.h"
#include "core/writers/writercommon.h"
#include "core/xml.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace {

bool startswith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// The lines without their CR LF or LF; a final line break ends the last line.
std::vector<std::string> splitlines(const std::string& text) {
    std::vector<std::string> lines;
    size_t from = 0;
    while (from < text.size()) {
        size_t end = text.find('\n', from);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(from, end - from);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        from = end + 1;
    }
    return lines;
}

// The number of a tool section's header "[Tool" digits "]"; nullopt for any other line.
std::optional<int32_t> toolsection(std::string_view line) {
    if (!startswith(line, "[Tool")) return std::nullopt;
    size_t end = 5;
    while (end < line.size() && line[end] >= '0' && line[end] <= '9') ++end;
    if (end == 5 || end >= line.size() || line[end] != ']') return std::nullopt;
    return ParseInt32(line.substr(5, end - 5));
}

// What the pass over the ini file found.
struct IniScan {
    int64_t highest = -1;  // the highest number of a tool section
    size_t countline = 0;  // the "ToolCount=" line of "[Pro]", when hascount
    bool hascount = false;
    size_t header = 0;  // the header of the tool's section, when found
    bool found = false;
};

IniScan scan(const std::vector<std::string>& lines, const std::string& caption) {
    IniScan result;
    bool inpro = false, intool = false;
    int32_t number = -1;
    size_t header = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (startswith(line, "[Pro]")) {
            inpro = true;
            intool = false;
        } else if (std::optional<int32_t> section = toolsection(line)) {
            inpro = false;
            intool = true;
            number = *section;
            header = i;
            // Every numbered section counts, so that a new one never repeats a number.
            if (number > result.highest) result.highest = number;
        } else if (startswith(line, "[")) {
            inpro = intool = false;
        } else if (inpro && startswith(line, "ToolCount=")) {
            result.countline = i;
            result.hascount = true;
            inpro = false;
        } else if (intool && startswith(line, "Caption=")) {
            if (line.substr(8) == caption) {
                result.found = true;
                result.header = header;
                return result;
            }
        }
    }
    return result;
}

// A record entry as the ini file keeps it: version 6 in the code page, version 7 as it is.
std::string initext(const RegValue& value, bool version6, int codePage) {
    std::string text = RegValueText(value);
    return version6 ? ToCodePage(text, codePage) : text;
}

// Rewrites the record's keys that the tool's section has; adds none.
void replacetool(std::vector<std::string>& lines, size_t header, const EditPadProToolRecord& record, bool version6,
                 int codePage) {
    for (size_t i = header + 1; i < lines.size() && !startswith(lines[i], "["); ++i) {
        size_t equals = lines[i].find('=');
        if (equals == std::string::npos) continue;
        std::string key = lines[i].substr(0, equals);
        for (const auto& [name, value] : record)
            if (name == key) {
                lines[i] = key + "=" + initext(value, version6, codePage);
                break;
            }
    }
}

void addtool(std::vector<std::string>& lines, const IniScan& found, const EditPadProToolRecord& record, bool version6,
             int codePage) {
    if (found.hascount) {
        std::optional<int32_t> count = ParseInt32(lines[found.countline].substr(10));
        // A count that is no number becomes that of the sections up to the new one.
        int64_t next = count && *count < INT32_MAX ? *count + 1 : found.highest + 2;
        lines[found.countline] = "ToolCount=" + std::to_string(next);
    } else {
        lines.push_back("[Pro]");
        lines.push_back("ToolCount=1");
    }
    lines.push_back("[Tool" + std::to_string(found.highest + 1) + "]");
    for (const auto& [name, value] : record) lines.push_back(name + "=" + initext(value, version6, codePage));
}

std::string joinlines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::vector<std::string> recordtexts(const EditPadProToolRecord& record) {
    std::vector<std::string> texts;
    for (const auto& [name, value] : record) texts.push_back(RegValueText(value));
    return texts;
}

bool installinini(const PreparedTool& tool, const EditPadProToolRecord& record, WriterContext& context) {
    const bool version6 = tool.target == EditPadPro6Target;
    const std::string path = FindFileIgnoringCase(tool.location, version6 ? "EditPadPro.ini" : "EditPadPro7.ini");
    if (!tool.checkOnly && RefuseLineBreaks(tool, recordtexts(record), context)) return false;
    const bool createable = IsEditPadPro7InRegistry(context.Registry(), tool.target);
    FileText file = ReadFileText(path);
    std::string problem = TextFileProblem(file);
    if (!problem.empty() || file.text.empty()) {
        if (tool.checkOnly) return false;
        // A missing or empty file is made anew when EditPadPro 7 keeps its settings in the registry.
        const bool absent = file.missing || (file.Read() && file.text.empty());
        if (!absent || !createable) {
            context.LogError(ConfigFileError("EditPadPro", path, file, problem));
            return false;
        }
    }

    std::vector<std::string> lines = splitlines(file.text);
    const int codePage = context.CodePage();
    IniScan found = scan(lines, version6 ? ToCodePage(tool.toolName, codePage) : tool.toolName);
    if (tool.checkOnly) return found.found;
    if (found.found) {
        if (!context.AskOverwrite(tool.toolName)) return true;
        replacetool(lines, found.header, record, version6, codePage);
    } else {
        addtool(lines, found, record, version6, codePage);
    }

    if (!context.BackupBeforeInstall(tool.target, tool.toolName, path, "")) return false;
    if (!SaveFile(path, joinlines(lines))) {
        context.LogError("Install failed,could not save configuration file for EditPadPro:" + path);
        return false;
    }
    context.AddInstalledTarget(tool.toolName, tool.target);
    return true;
}

}  // namespace

bool InstallEditPadProTool(const PreparedTool& tool, WriterContext& context) {
    const bool version6 = tool.target == EditPadPro6Target;
    const std::string arguments =
        TranslatePlaceholders(tool.argumentLine, {"%FILE%", "%COL%", "%LINE%", version6 ? "%SelText%" : "%SELECTION%"});
    const std::string commandLine = tool.program + " " + arguments;
    const EditPadProToolRecord record = version6
                                            ? MakeEditPadPro6Tool(tool.toolName, commandLine, tool.currentDirectory)
                                            : MakeEditPadPro7Tool(tool.toolName, commandLine, tool.currentDirectory);
    if (version6) {
        const bool inregistry = DefaultEditPadPro6Location(context.Registry()) == LocatedInRegistry;
        if (tool.location == LocatedInRegistry) {
            if (!inregistry) {
                if (!tool.checkOnly)
                    context.LogError("EditPadPro is NOW stored in an ini file, not in registry, use autodetect.");
                return false;
            }
            XmlNode document;
            return EditPadPro6RegistryTools(document, tool.target, tool.toolName, record, tool.checkOnly,
                                            !tool.checkOnly, context);
        }
        if (inregistry) {
            if (!tool.checkOnly)
                context.LogError("EditPadPro is NOW stored in the registry,not in an ini file, use autodetect.");
            return false;
        }
    }
    return installinini(tool, record, context);
}
