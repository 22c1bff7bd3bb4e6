// TextPad 5: a tool is a numbered key of registry values, and its toolbar button's tooltip
// lives in config.xml. The previous values travel with the automatic backup.
#include "core/writers/toolwriter.h"

#include "core/filelookup.h"
#include "core/numbers.h"
#include "core/savefile.h"
#include "core/textreplace.h"
#include "core/writers/writercommon.h"
#include "core/xml.h"

#include <array>
#include <climits>

namespace {

const std::string toolskey = "Software\\Helios\\TextPad 5\\Tools\\";
constexpr int firstbuttonid = 32854;

struct TextPadValue {
    const char* name;
    RegValue value;
    bool binary = false;
};

std::string keyof(int number) { return toolskey + std::to_string(number); }

// The twelve bytes TextPad keeps for a tool of that number.
std::string properties(int number) {
    std::string bytes("\x01\x00\x00\x00\x00\x80\x00\x00\x68\x39\x00\x00", 12);
    bytes[4] = static_cast<char>((static_cast<unsigned>(number) + 0x56) % 256);
    return bytes;
}

std::array<TextPadValue, 6> valuesof(const PreparedTool& tool, int number) {
    std::string arguments = TranslatePlaceholders(tool.argumentLine, {"$File", "$Col", "$Line", "$Sel"});
    return {{{"Command", std::string("cmd.exe")},
             {"MenuText", tool.toolName},
             {"Folder", tool.currentDirectory},
             {"Parameters", tool.program + " " + arguments},
             {"Properties", properties(number), true},
             {"RE", std::string()}}};
}

// The number of the tool's key, or of the first key that does not exist when it has none;
// found tells which. A key without a readable MenuText is still a tool of the user's.
int findtool(const registrystore& registry, const std::string& toolName, bool& found) {
    found = false;
    for (int number = 0; number < INT_MAX; ++number) {
        RegValue menutext;
        uint32_t type;
        long status;
        if (!RegKeyExists(registry, keyof(number), status)) return number;
        if (!RegReadValue(registry, keyof(number), "MenuText", menutext, type, status)) continue;
        const auto* text = std::get_if<std::string>(&menutext);
        if (text && *text == toolName) {
            found = true;
            return number;
        }
    }
    return INT_MAX;
}

// The record of the values the key held before: the six values as text, Properties in hex.
// False when a value of a replaced tool cannot be read.
bool previousvalues(const registrystore& registry, int number, bool overwrite,
                    const std::array<TextPadValue, 6>& values, XmlNode& record) {
    XmlNode& root = record.Add("registry");
    root.AddField("overwrite", overwrite ? "true" : "false");
    root.AddField("toolno", std::to_string(number));
    for (const TextPadValue& value : values) {
        RegValue old;
        if (overwrite) {
            uint32_t type;
            long status;
            if (!RegReadValue(registry, keyof(number), value.name, old, type, status)) return false;
        }
        std::string text = RegValueText(old);
        root.AddField(value.name, value.binary ? ToHex(text) : text);
    }
    return true;
}

// The first button, over the toolbars in order, whose Id is that of the tool.
XmlNode* findbutton(XmlNode& document, int number) {
    XmlNode* bars = &document;
    for (const char* tag : {"GUI", "NormalLayout", "CommandBars", "CommandBars"}) {
        XmlNode* next = bars->Find(tag);
        bars = next ? next : &bars->Add(tag);
    }
    const std::string id = std::to_string(static_cast<long long>(firstbuttonid) + number);
    for (XmlNode& bar : bars->children) {
        if (!bar.IsElement("CommandBar") || bar.AttributeOr("Class", "") != "CXTPToolBar") continue;
        XmlNode* controls = bar.Find("Controls");
        if (!controls) controls = &bar.Add("Controls");
        for (XmlNode& button : controls->children)
            if (button.IsElement() && button.AttributeOr("Id", "") == id) return &button;
    }
    return nullptr;
}

// A replaced tool's values are written only while they are still there to be replaced.
bool writevalues(registrystore& registry, int number, bool overwrite, const std::array<TextPadValue, 6>& values) {
    for (const TextPadValue& value : values) {
        RegValue old;
        if (!RegUpdateValue(registry, keyof(number), value.name, value.value, value.binary, old, overwrite))
            return false;
    }
    return true;
}

}  // namespace

bool InstallTextPadTool(const PreparedTool& tool, WriterContext& context) {
    bool found;
    int number = findtool(context.Registry(), tool.toolName, found);
    if (tool.checkOnly) return found;
    if (found && !context.AskOverwrite(tool.toolName)) return true;
    const std::string registryfailure = "Install failed,could not save write registry for " + tool.target;
    if (number == INT_MAX) {
        context.LogError(registryfailure);
        return false;
    }

    std::array<TextPadValue, 6> values = valuesof(tool, number);
    XmlNode record;
    if (!previousvalues(context.Registry(), number, found, values, record)) {
        context.LogError(registryfailure);
        return false;
    }

    const std::string path = FindFileIgnoringCase(tool.location, "config.xml");
    // A missing config.xml is made anew; one that cannot be read stops the install.
    FileText file = ReadFileText(path);
    const bool configexists = !file.missing;
    std::string problem = file.missing ? "" : TextFileProblem(file);
    XmlNode config;
    std::string error;
    if (!problem.empty()) {
        context.ReportXmlReadError(FileProblem(path, problem));
        return false;
    }
    if (!file.text.empty() && !ParseXml(file.text, 0, config, error)) {
        context.ReportXmlReadError(path + ": " + error);
        return false;
    }
    if (XmlNode* button = findbutton(config, number)) button->SetAttribute("TooltipText", tool.toolName);

    // A new tool changes nothing that exists when there is no config.xml yet: no backup then.
    if ((configexists || found) &&
        !context.BackupBeforeInstall(tool.target, tool.toolName, path, AsXml(record, XmlHeader | XmlDoctype)))
        return false;
    if (!writevalues(context.Registry(), number, found, values)) {
        context.LogError(registryfailure);
        return false;
    }
    if (!SaveFile(path, AsXml(config, 0))) {
        context.LogError("Install failed,could not save configuration file for " + tool.target + ":" + path);
        return false;
    }
    context.AddInstalledTarget(tool.toolName, tool.target);
    return true;
}
