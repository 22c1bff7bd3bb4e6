// EditPadPro 6 keeps its tools in the registry when it is set up so: one subkey "Tool" + number
// per tool and "ToolCount" in the subkey "Pro". One scan serves the backup, the check and the
// install.
#include "core/writers/toolwriter.h"

#include "core/codepage.h"
#include "core/filelookup.h"
#include "core/numbers.h"
#include "core/targetlocations.h"
#include "core/xml.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace {

const std::string prokey = std::string(EditPadPro6Key) + "\\Pro";

std::string toolkey(const std::string& subkey) { return std::string(EditPadPro6Key) + "\\" + subkey; }

// "Tool" and a number: a tool's key ("Toolbar" and the like are not).
bool istoolkey(const std::string& subkey) {
    return subkey.size() > 4 && EqualsIgnoringCase(subkey.substr(0, 4), "Tool") &&
           subkey.find_first_not_of("0123456789", 4) == std::string::npos;
}

// Values are elements named after them; a name the XML reader would not take back as a tag is
// left out.
bool isxmlname(std::string_view name) {
    auto namechar = [](unsigned char c, bool first) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80) return true;
        return !first && ((c >= '0' && c <= '9') || c == '-' || c == '.');
    };
    if (name.empty()) return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (!namechar(static_cast<unsigned char>(name[i]), i == 0)) return false;
    return true;
}

// A value as the document holds it: REG_SZ from the code page, REG_BINARY in hex.
std::string documenttext(const RegValue& value, uint32_t type, int codePage) {
    if (type == regbinary) return ToHex(RegValueText(value));
    if (type == regsz) return FromCodePage(RegValueText(value), codePage);
    return RegValueText(value);
}

void setsetting(XmlNode& setting, uint32_t type, std::string text) {
    setting.SetAttribute("type", std::to_string(type));
    setting.children.clear();
    setting.AddText(std::move(text));
}

// The tool element of one subkey, every value that can be read in the order listed.
void addvalues(const registrystore& registry, const std::string& key, int codePage, XmlNode& tool) {
    long status;
    for (const std::string& name : RegListValueNames(registry, key, status)) {
        RegValue value;
        uint32_t type;
        if (!isxmlname(name) || !RegReadValue(registry, key, name, value, type, status)) continue;
        setsetting(tool.Add(name), type, documenttext(value, type, codePage));
    }
}

// The record's settings over the tool's values: each replaces the value of that name, or is
// added after them.
void mergerecord(XmlNode& tool, const EditPadProToolRecord& record) {
    for (const auto& [name, value] : record) {
        XmlNode* setting = nullptr;
        for (XmlNode& child : tool.children)
            if (child.IsElement() && EqualsIgnoringCase(child.name, name)) {
                setting = &child;
                break;
            }
        setsetting(setting ? *setting : tool.Add(name), RegTypeOfValue(value), RegValueText(value));
    }
}

// "ToolCount" of "Pro" when it is a whole number of 0 or more.
std::optional<int32_t> readtoolcount(const registrystore& registry) {
    RegValue value;
    uint32_t type;
    long status;
    if (!RegReadValue(registry, prokey, "ToolCount", value, type, status)) return std::nullopt;
    if (const auto* number = std::get_if<int32_t>(&value)) return *number >= 0 ? std::optional(*number) : std::nullopt;
    if (const auto* number = std::get_if<int64_t>(&value))
        return *number >= 0 && *number <= INT32_MAX ? std::optional(static_cast<int32_t>(*number)) : std::nullopt;
    std::optional<int32_t> number = ParseInt32(RegValueText(value));
    return number && *number >= 0 ? number : std::nullopt;
}

struct RegistryScan {
    int32_t toolcount = 1;
    XmlNode* existing = nullptr;  // the tool element to overwrite
    std::string existingkey;
    bool addnew = true;
    bool present = false;  // a caption equals the tool name
};

enum class Use { Backup, Check, Install };

// Fills the document; in the check use it stops at the first tool of that name. The install
// use asks about the first tool of that name only.
RegistryScan scan(XmlNode& document, const std::string& toolName, Use use, WriterContext& context) {
    RegistryScan result;
    registrystore& registry = context.Registry();
    XmlNode& tools = document.Add("Editpadpro").Add("tools");
    long status;
    bool decided = false;
    std::optional<size_t> existing;
    for (const std::string& subkey : RegListSubkeys(registry, EditPadPro6Key, status)) {
        if (EqualsIgnoringCase(subkey, "Pro")) {
            if (std::optional<int32_t> count = readtoolcount(registry)) result.toolcount = *count;
            continue;
        }
        if (!istoolkey(subkey)) continue;
        const std::string key = toolkey(subkey);
        RegValue caption;
        uint32_t type;
        if (!RegReadValue(registry, key, "Caption", caption, type, status)) continue;
        XmlNode& tool = tools.Add("tool");
        addvalues(registry, key, context.CodePage(), tool);
        std::string name =
            type == regsz ? FromCodePage(RegValueText(caption), context.CodePage()) : RegValueText(caption);
        if (name != toolName || use == Use::Backup) continue;
        result.present = true;
        if (use == Use::Check) return result;
        if (decided) continue;
        decided = true;
        result.addnew = false;
        if (context.AskOverwrite(toolName)) {
            existing = tools.children.size() - 1;
            result.existingkey = key;
        }
    }
    // Only now, with every tool added, does the element stay where it is.
    if (existing) result.existing = &tools.children[*existing];
    return result;
}

// The first "Tool" + number, from the tool count on, that is no key yet.
int64_t freetoolnumber(const registrystore& registry, int32_t toolcount) {
    int64_t number = toolcount;
    long status;
    while (RegKeyExists(registry, toolkey("Tool" + std::to_string(number)), status)) ++number;
    return number;
}

bool registryfailure(const std::string& target, WriterContext& context) {
    context.LogError("Install failed,could not save write registry for " + target);
    return false;
}

bool writetool(const XmlNode& tool, const std::string& key, const std::string& target, WriterContext& context) {
    return RegWriteValuesFromXml(tool, context.Registry(), key, context.CodePage()) || registryfailure(target, context);
}

bool install(const RegistryScan& found, const std::string& target, const std::string& toolName,
             const EditPadProToolRecord& record, WriterContext& context) {
    if (found.existing) {
        mergerecord(*found.existing, record);
        if (!context.BackupBeforeInstall(target, toolName, LocatedInRegistry, "")) return false;
        if (!writetool(*found.existing, found.existingkey, target, context)) return false;
        context.AddInstalledTarget(toolName, target);
        return true;
    }
    if (!found.addnew) return true;
    XmlNode tool = XmlNode::Element("tool");
    mergerecord(tool, record);
    if (!context.BackupBeforeInstall(target, toolName, LocatedInRegistry, "")) return false;
    int64_t number = freetoolnumber(context.Registry(), found.toolcount);
    if (number >= INT32_MAX) return registryfailure(target, context);
    if (!writetool(tool, toolkey("Tool" + std::to_string(number)), target, context)) return false;
    if (!RegWriteValue(context.Registry(), prokey, "ToolCount", static_cast<int32_t>(number + 1), false))
        return registryfailure(target, context);
    context.AddInstalledTarget(toolName, target);
    return true;
}

}  // namespace

bool EditPadPro6RegistryTools(XmlNode& document, const std::string& target, const std::string& toolName,
                              const EditPadProToolRecord& record, bool check, bool install, WriterContext& context) {
    long status;
    if (RegListSubkeys(context.Registry(), EditPadPro6Key, status).empty()) {
        context.LogError("could not read registry for EditPadPro.");
        return false;
    }
    Use use = check ? Use::Check : install ? Use::Install : Use::Backup;
    RegistryScan found = scan(document, toolName, use, context);
    if (use == Use::Check) return found.present;
    if (use == Use::Backup) return true;
    return ::install(found, target, toolName, record, context);
}
