// UltraEdit: a free numbered slot of the [Tools] section of uedit32.ini, or the slot of the
// tool of that name. Slots are never added.
#include "core/writers/toolwriter.h"
#include "core/writers/writercommon.h"

#include "core/numbers.h"
#include "core/records.h"
#include "core/savefile.h"
#include "core/targetlocations.h"
#include "core/textreplace.h"

#include <optional>

namespace {

// Slots of this number and above are never taken as free.
constexpr int32_t SlotLimit = 999;

const char* const MenuKey = "Tool Menu";

// Walks the lines of the [Tools] sections.
class ToolsSection {
public:
    // True when the line lies inside a [Tools] section (its header is not).
    bool Inside(const std::string& line) {
        if (line.starts_with("[")) {
            inside = line.starts_with("[Tools]");
            return false;
        }
        return inside;
    }

private:
    bool inside = false;
};

struct SlotLine {
    int32_t slot;
    size_t value;  // where the value begins, after the "="
};

// A line of key + digits + "=": its slot number. Digits of another form ("09") name the same
// slot, so that the second pass finds every line the first pass counted.
std::optional<SlotLine> ReadSlotLine(const std::string& line, const std::string& key) {
    if (!line.starts_with(key)) return std::nullopt;
    size_t end = key.size();
    while (end < line.size() && line[end] >= '0' && line[end] <= '9') ++end;
    std::optional<int32_t> slot = ParseInt32(std::string_view(line).substr(key.size(), end - key.size()));
    if (!slot || end >= line.size() || line[end] != '=') return std::nullopt;
    return SlotLine{*slot, end + 1};
}

struct MenuLine {
    int32_t slot;
    std::optional<std::string> name;  // none when the value is no quoted text
};

// A "Tool Menu" line: the slot and the name between "=" + quote and the final quote.
std::optional<MenuLine> ReadMenuLine(const std::string& line) {
    std::optional<SlotLine> slot = ReadSlotLine(line, MenuKey);
    if (!slot || !line.ends_with('"')) return std::nullopt;
    MenuLine menu{slot->slot, std::nullopt};
    size_t start = slot->value + 1;
    if (line.size() >= start + 1 && line[slot->value] == '"') menu.name = line.substr(start, line.size() - 1 - start);
    return menu;
}

struct SlotSearch {
    int32_t found = -1;  // the slot of the tool, -1 when it is not there
    int32_t free = -1;   // the lowest free slot below SlotLimit, -1 for none
};

SlotSearch FindSlots(const std::vector<std::string>& lines, const std::string& toolName) {
    SlotSearch search;
    ToolsSection section;
    for (const std::string& line : lines) {
        if (!section.Inside(line)) continue;
        std::optional<MenuLine> menu = ReadMenuLine(line);
        if (!menu || !menu->name) continue;
        if (*menu->name == toolName) {
            search.found = menu->slot;
            return search;
        }
        if (menu->name->empty() && menu->slot < SlotLimit && (search.free < 0 || menu->slot < search.free))
            search.free = menu->slot;
    }
    return search;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The whole command line in UltraEdit's syntax; %SystemRoot% stays.
std::string TranslatedCommand(const PreparedTool& tool, const WriterContext& context) {
    std::string command = ReplaceAll(tool.commandLine, "%GRInstallDir%", context.InstallFolder());
    return TranslatePlaceholders(command, TargetPlaceholders(UltraEditTarget));
}

// Rewrites the lines of the slot that exist; none is added.
void FillSlot(std::vector<std::string>& lines, int32_t slot, const PreparedTool& tool, const WriterContext& context) {
    const std::pair<std::string, std::string> values[] = {
        {MenuKey, Quoted(tool.toolName)},
        {"Save Active File", "1"},
        {"Tool Cmd", Quoted(TranslatedCommand(tool, context))},
        {"Tool Dir", Quoted(tool.currentDirectory)},
        {"Capture Mode", "3"},
    };
    ToolsSection section;
    for (std::string& line : lines) {
        if (!section.Inside(line)) continue;
        for (const auto& [key, value] : values) {
            std::optional<SlotLine> found = ReadSlotLine(line, key);
            if (found && found->slot == slot) {
                line = line.substr(0, found->value) + value;
                break;
            }
        }
    }
}

}  // namespace

bool InstallUltraEditTool(const PreparedTool& tool, WriterContext& context) {
    std::string path = TargetConfigFile({UltraEditTarget, tool.location}, {});
    if (!tool.checkOnly &&
        RefuseLineBreaks(tool, {tool.toolName, TranslatedCommand(tool, context), tool.currentDirectory}, context))
        return false;
    FileText file = ReadFileText(path);
    std::string problem = TextFileProblem(file);
    if (!problem.empty() || file.text.empty()) {
        if (!tool.checkOnly) context.LogError(ConfigFileError("UltraEdit", path, file, problem));
        return false;
    }
    std::vector<std::string> lines = SplitLines(file.text);
    SlotSearch search = FindSlots(lines, tool.toolName);
    if (tool.checkOnly) return search.found >= 0;
    int32_t slot = search.free;
    if (search.found >= 0) {
        if (!context.AskOverwrite(tool.toolName)) return true;
        slot = search.found;
    }
    if (slot < 0) {
        context.LogError("Install failed,no free tool slot in configuration file for UltraEdit:" + path);
        return false;
    }
    FillSlot(lines, slot, tool, context);
    if (!context.BackupBeforeInstall(tool.target, tool.toolName, path, "")) return false;
    if (!SaveFile(path, JoinCrLf(lines))) {
        context.LogError("Install failed,could not save configuration file for UltraEdit:" + path);
        return false;
    }
    context.AddInstalledTarget(tool.toolName, tool.target);
    return true;
}
