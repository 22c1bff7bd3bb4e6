// Configuration files as lines, and element texts.
#include "core/writers/writercommon.h"

#include "core/savefile.h"
#include "core/writers/toolwriter.h"
#include "core/xml.h"

#include <algorithm>

#include <sys/stat.h>

bool ConfigFileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t from = 0;
    while (from < text.size()) {
        size_t end = text.find('\n', from);
        if (end == std::string::npos) end = text.size();
        size_t stop = end > from && text[end - 1] == '\r' ? end - 1 : end;
        lines.push_back(text.substr(from, stop - from));
        from = end + 1;
    }
    return lines;
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::string ElementText(const XmlNode& element) {
    std::string text;
    for (const XmlNode& child : element.children)
        if (child.kind == XmlKind::Text || child.kind == XmlKind::CData) text += child.text;
    return text;
}

void DropLayoutText(XmlNode& element) {
    std::erase_if(element.children, [](const XmlNode& child) {
        return child.kind == XmlKind::Text && child.text.find_first_not_of(" \t\r\n") == std::string::npos;
    });
}

std::string ConfigFileError(const std::string& program, const std::string& path, const FileText& file,
                            const std::string& problem) {
    if (file.missing) return "Configuration file for " + program + " is not found:" + path;
    return "could not open configuration file for " + program + ":" +
           (problem.empty() ? path : FileProblem(path, problem));
}

bool HasLineBreak(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; });
}

bool RefuseLineBreaks(const PreparedTool& tool, const std::vector<std::string>& written, WriterContext& context) {
    if (std::none_of(written.begin(), written.end(), HasLineBreak)) return false;
    context.LogError(tool.toolName + ": a line break in the tool cannot be written to " + tool.target);
    return true;
}
