// Pspad: a block per tool in the "+Tools" section of links.ini, which follows the "WWW" line.
#include "core/writers/toolwriter.h"
#include "core/writers/writercommon.h"

#include "core/savefile.h"
#include "core/targetlocations.h"

namespace {

// Lines end at LF; the CRs before it are dropped, every one of them: the file is written back
// with LF alone, and a line must read the same the next time.
std::vector<std::string> splitlines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t from = 0; from < text.size();) {
        size_t end = text.find('\n', from);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(from, end - from);
        while (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        from = end + 1;
    }
    return lines;
}

std::string trimmedright(const std::string& text) {
    size_t end = text.find_last_not_of(" \t");
    return end == std::string::npos ? "" : text.substr(0, end + 1);
}

// The tool's header: TAB and its name, blanks after it ignored.
bool isheaderof(const std::string& line, const std::string& toolName) {
    return !line.empty() && line[0] == '\t' && trimmedright(line.substr(1)) == trimmedright(toolName);
}

bool startswithtab(const std::string& line, size_t tabs) {
    return line.size() >= tabs && line.compare(0, tabs, std::string(tabs, '\t')) == 0;
}

std::string toolblock(const PreparedTool& tool) {
    // clang-format off
    return "\t" + tool.toolName + "\n"
           "\t\tCommand=" + tool.program + "\n"
           "\t\tParams=" + tool.argumentLine + "\n"
           "\t\tDefaultDir=" + tool.currentDirectory + "\n"
           "\t\tCaptureOutp=1\n"
           "\t\tLogParser=" + tool.logParser + "\n"
           "\t\tLogType=0\n";
    // clang-format on
}

}  // namespace

bool InstallPspadTool(const PreparedTool& tool, WriterContext& context) {
    std::string path = TargetConfigFile({PspadTarget, tool.location}, {});
    if (!tool.checkOnly &&
        RefuseLineBreaks(tool, {tool.toolName, tool.program, tool.argumentLine, tool.currentDirectory, tool.logParser},
                         context))
        return false;
    FileText file = ReadFileText(path);
    std::string problem = TextFileProblem(file);
    if (!problem.empty()) {
        if (!tool.checkOnly) context.LogError(ConfigFileError("Pspad", path, file, problem));
        return false;
    }
    std::vector<std::string> lines = splitlines(file.text);
    std::string out;
    bool seenWWW = false, inTools = false, found = false;
    size_t i = 0;
    for (; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (!seenWWW && line == "WWW") seenWWW = true;
        if (inTools && isheaderof(line, tool.toolName)) {
            found = true;
            break;
        }
        if (inTools && !startswithtab(line, 1)) break;  // the section ends here
        out += line + "\n";
        if (seenWWW && !inTools && line == "+Tools") inTools = true;
    }
    if (!inTools) {
        if (!tool.checkOnly)
            context.LogError("Install failed,could not find the +Tools section in configuration file for Pspad:" +
                             path);
        return false;
    }
    if (tool.checkOnly) return found;
    if (found) {
        if (!context.AskOverwrite(tool.toolName)) return true;
        ++i;
        while (i < lines.size() && startswithtab(lines[i], 2)) ++i;  // the old key lines
    }
    out += toolblock(tool);
    for (; i < lines.size(); ++i) out += lines[i] + "\n";
    if (!context.BackupBeforeInstall(tool.target, tool.toolName, path, "")) return false;
    if (!SaveFile(path, out)) {
        context.LogError("Install failed,could not save configuration file for Pspad:" + path);
        return false;
    }
    context.AddInstalledTarget(tool.toolName, tool.target);
    return true;
}
