// EditPlus: the user tools of tool_u.ini, a UTF-16LE ini file. "[Tools\0]" holds "Count=",
// "[Tools\0\N]" holds tool N ("\0" is a backslash and a zero).
#include "core/writers/toolwriter.h"
#include "core/writers/writercommon.h"

#include "core/numbers.h"
#include "core/records.h"
#include "core/savefile.h"
#include "core/targetlocations.h"
#include "core/textreplace.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

namespace {

const std::string HeaderSection = "[Tools\\0]";
const std::string ToolSection = "[Tools\\0\\";
const std::string Bom = "\xFF\xFE";

struct Utf16Text {
    std::string text;  // UTF-8
    bool bom = false;
};

// The bytes as UTF-16LE units (an odd last byte dropped); a leading byte-order mark is taken
// off and remembered.
Utf16Text FromUtf16(std::string bytes) {
    Utf16Text result;
    if (bytes.size() % 2) bytes.pop_back();
    if (bytes.starts_with(Bom)) {
        result.bom = true;
        bytes.erase(0, Bom.size());
    }
    // A second mark is a character of the text.
    QStringDecoder decode(QStringDecoder::Utf16LE, QStringConverter::Flag::ConvertInitialBom);
    QString text = decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    result.text = text.toUtf8().toStdString();
    return result;
}

std::string ToUtf16(const Utf16Text& text) {
    QStringEncoder encode(QStringEncoder::Utf16LE);
    QByteArray bytes = encode(QString::fromUtf8(text.text.data(), static_cast<qsizetype>(text.text.size())));
    return (text.bom ? Bom : "") + bytes.toStdString();
}

// Why the bytes are no UTF-16 little-endian text; "" when they may be.
std::string Utf16LittleEndianProblem(const std::string& bytes) {
    TextEncoding encoding = DetectEncoding(bytes);
    if (encoding == TextEncoding::Utf16BigEndian) return "is UTF-16 big-endian text";
    // 8-bit text holds no NUL at all; a single byte is too short to tell.
    if (encoding == TextEncoding::Bytes && bytes.size() >= 2 && bytes.find('\0') == std::string::npos)
        return "is not UTF-16 text";
    return "";
}

// The number of digits at the start of text, or nullopt.
std::optional<int64_t> LeadingNumber(std::string_view text) {
    size_t end = 0;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    std::optional<int32_t> number = ParseInt32(text.substr(0, end));
    return number ? std::optional<int64_t>(*number) : std::nullopt;
}

struct ToolSearch {
    long found = -1;       // the header line of the tool's section
    int64_t highest = -1;  // the highest section number
    long countLine = -1;   // the usable "Count=" line of the header section
    int64_t count = 0;
};

ToolSearch FindTool(const std::vector<std::string>& lines, const std::string& toolName) {
    ToolSearch search;
    bool inHeader = false, inTool = false;
    long header = -1;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.starts_with(HeaderSection)) {
            inHeader = true;
            inTool = false;
        } else if (line.starts_with("[Tools\\0")) {
            inHeader = false;
            inTool = true;
            header = static_cast<long>(i);
            // Every numbered section counts, so that a new one never repeats a number.
            std::optional<int64_t> number = line.size() > ToolSection.size()
                                                ? LeadingNumber(std::string_view(line).substr(ToolSection.size()))
                                                : std::nullopt;
            if (number && *number > search.highest) search.highest = *number;
        } else if (line.starts_with("[")) {
            inHeader = inTool = false;
        } else if (inHeader && line.starts_with("Count=")) {
            std::optional<int32_t> count = ParseInt32(std::string_view(line).substr(6));
            if (count) {
                search.countLine = static_cast<long>(i);
                search.count = *count;
            }
        } else if (inTool && line.starts_with("Text=") && line.substr(5) == toolName) {
            search.found = header;
            return search;
        }
    }
    return search;
}

std::string TranslatedArguments(const PreparedTool& tool) {
    return TranslatePlaceholders(tool.argumentLine, TargetPlaceholders(EditPlusTarget));
}

// The thirteen lines of a tool, key and value.
std::vector<std::pair<std::string, std::string>> ToolLines(const PreparedTool& tool) {
    // clang-format off
    return {{"Command=", tool.program}, {"Text=", tool.toolName}, {"Argument=", TranslatedArguments(tool)},
            {"InitDir=", tool.currentDirectory}, {"RedirOut=", "1"}, {"Stdin=", "0"},
            {"Plugin=", "0"}, {"Save=", "1"}, {"Pattern=", "0"},
            {"Pattern Regex=", ""}, {"Close=", "0"}, {"Hide=", "0"}, {"Help=", "0"}};
    // clang-format on
}

// Rewrites the keys of the section that begins at header; no line is added.
void ReplaceTool(std::vector<std::string>& lines, size_t header, const PreparedTool& tool) {
    auto values = ToolLines(tool);
    for (size_t i = header + 1; i < lines.size() && !lines[i].starts_with("["); ++i)
        for (const auto& [key, value] : values)
            if (lines[i].starts_with(key)) {
                lines[i] = key + value;
                break;
            }
}

void AddTool(std::vector<std::string>& lines, const ToolSearch& search, const PreparedTool& tool) {
    lines[static_cast<size_t>(search.countLine)] = "Count=" + std::to_string(search.count + 1);
    lines.push_back(ToolSection + std::to_string(search.highest + 1) + "]");
    for (const auto& [key, value] : ToolLines(tool)) lines.push_back(key + value);
}

}  // namespace

bool InstallEditPlusTool(const PreparedTool& tool, WriterContext& context) {
    std::string path = TargetConfigFile({EditPlusTarget, tool.location}, {});
    if (!tool.checkOnly &&
        RefuseLineBreaks(tool, {tool.program, tool.toolName, TranslatedArguments(tool), tool.currentDirectory},
                         context))
        return false;
    FileText bytes = ReadFileText(path);
    std::string problem = bytes.Read() ? Utf16LittleEndianProblem(bytes.text) : bytes.problem;
    Utf16Text file = FromUtf16(problem.empty() ? bytes.text : "");
    if (!problem.empty() || file.text.empty()) {
        if (!tool.checkOnly) context.LogError(ConfigFileError("EditPlus", path, bytes, problem));
        return false;
    }
    std::vector<std::string> lines = SplitLines(file.text);
    ToolSearch search = FindTool(lines, tool.toolName);
    if (tool.checkOnly) return search.found >= 0;
    if (search.found >= 0) {
        if (!context.AskOverwrite(tool.toolName)) return true;
        ReplaceTool(lines, static_cast<size_t>(search.found), tool);
    } else if (search.countLine < 0) {
        context.LogError("Install failed,could not find Count= in configuration file for EditPlus:" + path);
        return false;
    } else {
        AddTool(lines, search, tool);
    }
    if (!context.BackupBeforeInstall(tool.target, tool.toolName, path, "")) return false;
    file.text = JoinCrLf(lines);
    if (!SaveFile(path, ToUtf16(file))) {
        context.LogError("Install failed,could not save configuration file for EditPlus:" + path);
        return false;
    }
    context.AddInstalledTarget(tool.toolName, tool.target);
    return true;
}
