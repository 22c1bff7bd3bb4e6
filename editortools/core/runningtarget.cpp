// The executables of the targets.
#include "core/runningtarget.h"

#include "core/targetlocations.h"

#include <algorithm>
#include <utility>

std::string TargetExecutable(const std::string& target, const std::vector<std::string>& studioNames) {
    static const std::pair<const char*, const char*> fixed[] = {
        {PspadTarget, "PSPad.exe"},
        {TheIdeTarget, "theide.exe"},
        {UltraEditTarget, "Uedit32.exe"},
        {CodeBlocksTarget, "codeblocks.exe"},
        {EclipseTarget, "eclipse.exe"},
        {TextPadTarget, "TextPad.exe"},
        {EditPlusTarget, "editplus.exe"},
        {EditPadPro6Target, "EditPadPro.exe"},
        {EditPadPro7Target, "EditPadPro7.exe"},
    };
    for (const auto& [name, executable] : fixed)
        if (target == name) return executable;
    if (!IsStudioTarget(target, studioNames)) return "";
    if (target.find("SQL Server") != std::string::npos) return "Ssms.exe";
    if (target.find("Express") != std::string::npos) return "VCSExpress.exe";
    return "devenv.exe";
}

bool OnlyWarnsWhenRunning(const std::string& target) { return target == TheIdeTarget || target == EclipseTarget; }

bool IsAmongProcesses(const std::vector<std::string>& processNames, const std::string& executable) {
    const std::string suffix = ".exe";
    std::string bare = executable;
    if (bare.size() > suffix.size() && bare.compare(bare.size() - suffix.size(), suffix.size(), suffix) == 0)
        bare.resize(bare.size() - suffix.size());
    return std::any_of(processNames.begin(), processNames.end(),
                       [&](const std::string& name) { return name == executable || name == bare; });
}
