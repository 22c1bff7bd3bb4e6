// The tool list's side of an install and the targets table's lookup.
#include "core/session.h"

#include <algorithm>
#include <string_view>

void GantrelSession::AddInstalledTarget(const std::string& toolName, const std::string& target) {
    auto tool = std::find_if(tools.begin(), tools.end(), [&](const ToolRecord& t) { return t.name == toolName; });
    if (tool != tools.end()) {
        std::vector<std::string> names;
        for (size_t from = 0; from <= tool->installedin.size();) {
            size_t comma = std::min(tool->installedin.find(',', from), tool->installedin.size());
            std::string name = tool->installedin.substr(from, comma - from);
            if (!name.empty()) names.push_back(name);
            from = comma + 1;
        }
        auto same = std::find(names.begin(), names.end(), target);
        if (same != names.end()) names.erase(same);
        names.push_back(target);
        std::string joined;
        for (const std::string& name : names) joined += (joined.empty() ? "" : ",") + name;
        tool->installedin = joined;
    }
    LogSuccess("Installed tool " + toolName + " in " + target + ".");
}

std::string GantrelSession::GetTargetDir(const std::string& target) const {
    for (const TargetRecord& row : targets)
        if (row.name == target) return row.dir;
    return "";
}

std::string ToSafeFileName(const std::string& text) {
    std::string safe = text;
    for (char& c : safe)
        if (static_cast<signed char>(c) < 32 || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos)
            c = ' ';
    return safe;
}
