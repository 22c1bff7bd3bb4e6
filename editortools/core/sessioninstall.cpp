// InstallTool: the tool's command line prepared once for a target, the placeholders the target
// cannot express refused, then the target's writer.
#include "core/session.h"

#include "core/commandsplit.h"
#include "core/environment.h"
#include "core/targetlocations.h"
#include "core/textreplace.h"

#include <optional>

namespace {

// The message of the first placeholder the target cannot take, "" when there is none.
std::string refusal(const std::string& commandLine, const std::string& target) {
    auto has = [&](const char* placeholder) { return commandLine.find(placeholder) != std::string::npos; };
    if (has("%SelText%") && (target == CodeBlocksTarget || target == EditPadPro6Target))
        return "%SelText% is not supported for ";
    if (has("%Col%") && (target == PspadTarget || target == EclipseTarget)) return "%Col% is not supported for ";
    if (has("%Line%") && target == EclipseTarget) return "%Line% is not supported for ";
    return "";
}

std::string joined(const std::vector<std::string>& words, size_t from) {
    std::string line;
    for (size_t i = from; i < words.size(); ++i) line += (i > from ? " " : "") + words[i];
    return line;
}

// The answer of the target's writer; nullopt when no writer takes the name.
std::optional<bool> runwriter(const PreparedTool& tool, GantrelSession& session) {
    const std::string& target = tool.target;
    if (target == PspadTarget) return tool.location.empty() ? !tool.checkOnly : InstallPspadTool(tool, session);
    if (target == TheIdeTarget) return InstallTheIdeTool(tool, session);
    if (target == UltraEditTarget) return InstallUltraEditTool(tool, session);
    if (target == CodeBlocksTarget) return InstallCodeBlocksTool(tool, session);
    if (target == EclipseTarget) return InstallEclipseTool(tool, session);
    if (IsStudioTarget(target, session.studioNames)) return InstallStudioTool(tool, session);
    if (target == TextPadTarget) return InstallTextPadTool(tool, session);
    if (target == EditPadPro6Target || target == EditPadPro7Target) return InstallEditPadProTool(tool, session);
    if (target == EditPlusTarget) return InstallEditPlusTool(tool, session);
    return std::nullopt;
}

}  // namespace

bool GantrelSession::InstallTool(std::string target, std::string location, std::string toolName,
                                 std::string currentDirectory, std::string commandLine, std::string logParser,
                                 bool checkOnly) {
    PreparedTool tool;
    std::vector<std::string> words = SplitCommandLine(commandLine, true);
    if (!checkOnly && !words.empty()) {
        tool.program = ReplaceAll(words[0], "%GRInstallDir%", InstallFolder());
        tool.program = ReplaceAll(tool.program, "%SystemRoot%", SystemRootFolder());
    }
    std::string refused = refusal(commandLine, target);
    if (!refused.empty()) {
        LogError(refused + target);
        return false;
    }
    tool.argumentLine = joined(words, 1);
    tool.target = std::move(target);
    tool.location = std::move(location);
    tool.toolName = std::move(toolName);
    tool.currentDirectory = std::move(currentDirectory);
    tool.logParser = std::move(logParser);
    tool.commandLine = std::move(commandLine);
    tool.checkOnly = checkOnly;
    return runwriter(tool, *this).value_or(!checkOnly);  // a name no writer takes changes nothing
}

void GantrelSession::ReportXmlReadError(const std::string& error) {
    prompter.PromptError("Error reading the input file: " + error);
}
