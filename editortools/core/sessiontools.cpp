// The tool list: showing, adding, changing, deleting and moving tools, and the "Installed in"
// column.
#include "core/session.h"

#include <algorithm>

namespace {

std::vector<std::string> splitlist(const std::string& list) {
    std::vector<std::string> items;
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = std::min(list.find(',', start), list.size());
        if (comma > start) items.push_back(list.substr(start, comma - start));
        start = comma + 1;
    }
    return items;
}

std::string joinlist(const std::vector<std::string>& items) {
    std::string list;
    for (const std::string& item : items) list += (list.empty() ? "" : ",") + item;
    return list;
}

}  // namespace

std::optional<size_t> GantrelSession::FindTool(const std::string& name) const {
    for (size_t i = 0; i < tools.size(); ++i)
        if (tools[i].name == name) return i;
    return std::nullopt;
}

std::optional<ToolFields> GantrelSession::ShowSelectedTool(std::optional<size_t> cursor) const {
    if (!cursor || *cursor >= tools.size()) return std::nullopt;
    const ToolRecord& tool = tools[*cursor];
    return ToolFields{tool.name, tool.cmdline, tool.curdir, tool.logparser};
}

AddToolResult GantrelSession::AddTool(const ToolFields& fields) {
    if (fields.name.empty()) return AddToolResult::Ignored;
    if (FindTool(fields.name)) {
        LogError("This toolname already exists");
        return AddToolResult::Refused;
    }
    tools.push_back({fields.name, fields.cmdline, fields.curdir, fields.logparser, ""});
    return AddToolResult::Added;
}

void GantrelSession::ChangeTool(std::optional<size_t> cursor, const ToolFields& fields) {
    if (!cursor || *cursor >= tools.size()) return;
    ToolRecord& tool = tools[*cursor];
    tool.name = fields.name;
    tool.cmdline = fields.cmdline;
    tool.curdir = fields.curdir;
    tool.logparser = fields.logparser;
}

bool GantrelSession::DeleteTools(const std::vector<size_t>& selectedRows) {
    std::vector<size_t> rows;
    for (size_t row : selectedRows)
        if (row < tools.size()) rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty()) return false;
    std::string what = rows.size() == 1 ? "tool" : "tools";
    if (!prompter.PromptYesNo("Are you sure you want to delete the selected " + what + " from the list?")) return false;
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        std::string name = tools[*row].name;
        tools.erase(tools.begin() + static_cast<long>(*row));
        LogSuccess("Deleted tool " + name + " from the list.");
    }
    return true;
}

std::optional<size_t> GantrelSession::MoveToolUp(std::optional<size_t> cursor) {
    if (!cursor || *cursor >= tools.size()) return std::nullopt;
    if (*cursor == 0) return cursor;
    std::swap(tools[*cursor], tools[*cursor - 1]);
    return *cursor - 1;
}

std::optional<size_t> GantrelSession::MoveToolDown(std::optional<size_t> cursor) {
    if (!cursor || *cursor >= tools.size()) return std::nullopt;
    if (*cursor + 1 == tools.size()) return cursor;
    std::swap(tools[*cursor], tools[*cursor + 1]);
    return *cursor + 1;
}

// The target goes last, once; a tool no row names still gets its line.
void GantrelSession::AddInstalledTarget(const std::string& toolName, const std::string& target) {
    if (std::optional<size_t> row = FindTool(toolName)) {
        std::string& list = tools[*row].installedin;
        if (list.empty()) {
            list = target;
        } else {
            std::vector<std::string> items = splitlist(list);
            auto same = std::find(items.begin(), items.end(), target);
            if (same != items.end()) items.erase(same);
            items.push_back(target);
            list = joinlist(items);
        }
    }
    LogSuccess("Installed tool " + toolName + " in " + target + ".");
}

// Each target row is asked through the install operation's check mode.
void GantrelSession::RecomputeInstalledIn() {
    for (ToolRecord& tool : tools) {
        std::vector<std::string> found;
        for (const TargetRecord& target : targets)
            if (IsToolPresent(target.name, target.dir, tool.name)) found.push_back(target.name);
        std::sort(found.begin(), found.end());
        tool.installedin = joinlist(found);
    }
}
