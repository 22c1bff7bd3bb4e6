// Restore: a backup of the list put back into its target, as a copied configuration file,
// TextPad's configuration file and registry values, or EditPadPro's tools in the registry or
// the ini file.
#include "core/session.h"

#include "core/backupdirectory.h"
#include "core/codepage.h"
#include "core/environment.h"
#include "core/filelookup.h"
#include "core/numbers.h"
#include "core/registry.h"
#include "core/savefile.h"
#include "core/targetlocations.h"
#include "core/writers/writercommon.h"
#include "core/xml.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

namespace {

constexpr unsigned readflags = XmlIgnoreDecls | XmlIgnorePis | XmlIgnoreComments;
const std::string textpadtoolskey = "Software\\Helios\\TextPad 5\\Tools\\";
const std::string editpadpro6prokey = std::string(EditPadPro6Key) + "\\Pro";
constexpr size_t stemlength = 32;

bool startswith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

bool isdirectory(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ishexdigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// The name a backup keeps of the configuration file: what follows the 32 hexadecimal digits
// of its file name; nullopt for a file name not made so (a list edited by hand).
std::optional<std::string> storedfilename(const std::string& location) {
    size_t slash = location.rfind('/');
    std::string name = slash == std::string::npos ? location : location.substr(slash + 1);
    if (name.size() <= stemlength || !std::all_of(name.begin(), name.begin() + stemlength, ishexdigit))
        return std::nullopt;
    return name.substr(stemlength);
}

std::string withouttrailingslash(const std::string& dir) { return dir.size() > 1 ? StripTrailingBackslash(dir) : dir; }

// The folder a target's writer keeps the backed-up file in.
std::string restorefolder(const std::string& target, const std::string& dir) {
    std::string folder = withouttrailingslash(dir);
    if (target == TheIdeTarget) return JoinPath(folder, "UppLocal");
    if (target == EclipseTarget) return JoinPath(folder, ".metadata/.plugins/org.eclipse.debug.core/.launches");
    return folder;
}

void couldnotrestore(GantrelSession& session, const std::string& name, const std::string& why = "") {
    session.LogError("could not restore " + name + why);
}

void restored(GantrelSession& session, const std::string& success) {
    session.LogSuccess(success);
    session.RecomputeInstalledIn();
}

// The first element among the node's children; an empty element when there is none.
const XmlNode& firstelement(const XmlNode& node) {
    static const XmlNode empty = XmlNode::Element("");
    auto found =
        std::find_if(node.children.begin(), node.children.end(), [](const XmlNode& n) { return n.IsElement(); });
    return found == node.children.end() ? empty : *found;
}

// Text without a root element is no XML document either: restoring "nothing" from it would
// take every tool away.
bool parsedocument(const std::string& text, XmlNode& document) {
    std::string error;
    return ParseXml(text, readflags, document, error) && std::any_of(document.children.begin(), document.children.end(),
                                                                     [](const XmlNode& n) { return n.IsElement(); });
}

// What a TextPad companion record puts back: the values of one tool key in order, and
// whether the record was read to its end (not stopped by overwrite "false").
struct TextPadValues {
    struct Write {
        std::string key, name, value;
        bool binary;
    };
    std::vector<Write> writes;
    bool complete = true;
};

// Read in full before anything changes; nullopt for a record that is missing, no XML, has a
// value before toolno, a toolno that is no number of 0 or more, or a Properties that is no hex.
std::optional<TextPadValues> textpadvalues(const std::string& text) {
    XmlNode document;
    if (text.empty() || !parsedocument(text, document)) return std::nullopt;
    TextPadValues result;
    bool overwrite = false;
    std::optional<std::string> key;
    for (const XmlNode& child : firstelement(document).children) {
        if (!child.IsElement()) continue;
        std::string value = ElementText(child);
        if (child.name == "overwrite") {
            overwrite = value == "true";
        } else if (child.name == "toolno") {
            std::optional<int32_t> number = ParseInt32(value);
            if (!number || *number < 0) return std::nullopt;
            if (!overwrite) {
                result.complete = false;  // the install added a tool: only the file goes back
                return result;
            }
            key = textpadtoolskey + std::to_string(*number);
        } else {
            if (!key) return std::nullopt;
            bool binary = child.name == "Properties";
            if (binary) {
                std::optional<std::string> bytes = FromHex(value);
                if (!bytes) return std::nullopt;
                value = *bytes;
            }
            result.writes.push_back({*key, child.name, value, binary});
        }
    }
    return result;
}

// Why the file is no backup to write back: missing, no regular file, empty, or outside the
// backup directory once links are resolved (the one whose list is shown, or the one new
// backups go to); "" when its bytes were read.
std::string backupproblem(const GantrelSession& session, const std::string& location, FileText& file) {
    if (!IsInsideFolder(location, session.previousBackupDir) && !IsInsideFolder(location, session.backupDirectory))
        return "is outside the backup directory";
    file = ReadFileText(location);
    if (!file.Read()) return file.problem;
    return file.text.empty() ? "is empty" : "";
}

// The backup's bytes; nullopt when it is refused (its line given).
std::optional<std::string> backupbytes(GantrelSession& session, const std::string& name, const std::string& location) {
    FileText file;
    std::string problem = backupproblem(session, location, file);
    if (problem.empty()) return std::move(file.text);
    couldnotrestore(session, name, ":" + FileProblem(location, problem));
    return std::nullopt;
}

void restoretextpad(GantrelSession& session, const std::string& name, const std::string& dir,
                    const std::string& location, const std::string& stored, const std::string& bytes) {
    if (!isdirectory(dir)) {
        couldnotrestore(session, name);
        return;
    }
    std::optional<std::string> record = backupbytes(session, name, location + "2");
    if (!record) return;
    std::optional<TextPadValues> values = textpadvalues(*record);
    if (!values) {
        couldnotrestore(session, name);
        return;
    }
    if (!SaveFile(FindFileIgnoringCase(withouttrailingslash(dir), stored), bytes)) {
        couldnotrestore(session, name, ":file copy error");
        return;
    }
    for (const TextPadValues::Write& write : values->writes)
        if (!RegWriteValue(session.registry, write.key, write.name, write.value, write.binary)) {
            couldnotrestore(session, name, ":could not write registry");
            return;
        }
    session.LogSuccess("restored backup for " + name);
    if (values->complete) session.RecomputeInstalledIn();
}

// The tools element of an EditPadPro tools document: the first child element of its first
// element, an empty element where it has none; false when the text is no XML.
bool editpadprotools(const std::string& text, XmlNode& tools) {
    XmlNode document;
    if (!parsedocument(text, document)) return false;
    tools = firstelement(firstelement(document));
    return true;
}

// The storage the row names is where EditPadPro 6 keeps its tools now.
bool samestorage(GantrelSession& session, const std::string& dir) {
    bool inregistry = DefaultEditPadPro6Location(session.registry) == LocatedInRegistry;
    if (dir == LocatedInRegistry && !inregistry) {
        session.LogError("EditPadPro is NOW stored in an ini file, not in registry, use autodetect.");
        return false;
    }
    if (dir != LocatedInRegistry && inregistry) {
        session.LogError("EditPadPro is NOW stored in registry, not in an ini file, use autodetect.");
        return false;
    }
    return true;
}

void restoreeditpadpro(GantrelSession& session, const std::string& name, const std::string& dir,
                       const std::string& bytes) {
    XmlNode tools;
    if ((name == EditPadPro6Target && !samestorage(session, dir)) || !editpadprotools(bytes, tools)) {
        couldnotrestore(session, name);
        return;
    }
    if (name == EditPadPro6Target && dir == LocatedInRegistry) {
        if (session.RestoreEditPadPro6Registry(tools)) restored(session, "Restored backup for " + name);
        else couldnotrestore(session, name, ":could not write registry");
    } else if (session.RestoreEditPadProIni(tools, name, dir)) {
        restored(session, "Restored backup for " + name);
    } else {
        couldnotrestore(session, name);
    }
}

// A copied configuration file: over the row's file, or into its folder where the writer keeps it.
void restorecopy(GantrelSession& session, const std::string& name, const std::string& dir, const std::string& stored,
                 const std::string& bytes) {
    std::string destination;
    if (ConfigFileExists(dir)) {
        destination = dir;
    } else if (isdirectory(dir)) {
        std::string folder = restorefolder(name, dir);
        std::error_code ignored;
        if (name == EclipseTarget) std::filesystem::create_directories(folder, ignored);  // as the writer does
        destination = FindFileIgnoringCase(folder, stored);
    } else {
        couldnotrestore(session, name);
        return;
    }
    if (SaveFile(destination, bytes)) restored(session, "Restored backup for " + name);
    else couldnotrestore(session, name, ":file copy error");
}

// "ToolCount" of EditPadPro 6 as a whole number; nullopt when it cannot be read as one.
std::optional<int64_t> oldtoolcount(const registrystore& registry) {
    RegValue value;
    uint32_t type;
    long status;
    if (!RegReadValue(registry, editpadpro6prokey, "ToolCount", value, type, status)) return std::nullopt;
    if (const auto* number = std::get_if<int32_t>(&value)) return *number;
    if (const auto* number = std::get_if<int64_t>(&value)) return *number;
    return ParseInt64(RegValueText(value));
}

// The number of a subkey named "Tool" + a number in decimal (as the restore names them).
std::optional<int64_t> toolkeynumber(const std::string& subkey) {
    if (subkey.size() < 5 || !EqualsIgnoringCase(subkey.substr(0, 4), "Tool")) return std::nullopt;
    std::string digits = subkey.substr(4);
    if (SkipDigits(digits, 0) != digits.size() || (digits.size() > 1 && digits[0] == '0')) return std::nullopt;
    return ParseInt64(digits);
}

// "[Tool" + digits + "]": the header of a tool section.
bool istoolheader(const std::string& line) {
    if (!startswith(line, "[Tool")) return false;
    size_t end = SkipDigits(line, 5);
    return end > 5 && end < line.size() && line[end] == ']';
}

// The ini file's lines without its tool sections, and the "ToolCount=" line of "[Pro]".
struct IniWithoutTools {
    std::vector<std::string> lines;
    std::optional<size_t> countline;
};

IniWithoutTools withouttoolsections(const std::vector<std::string>& lines) {
    IniWithoutTools result;
    bool inpro = false, intool = false;
    for (const std::string& line : lines) {
        if (startswith(line, "[")) {
            inpro = startswith(line, "[Pro]");
            intool = istoolheader(line);
            if (intool) continue;
        } else if (intool) {
            continue;
        } else if (inpro && startswith(line, "ToolCount=")) {
            result.countline = result.lines.size();
            inpro = false;
        }
        result.lines.push_back(line);
    }
    return result;
}

}  // namespace

void GantrelSession::RestoreBackup(std::optional<size_t> cursor) {
    if (!cursor || *cursor >= backups.size()) return;
    const BackupRecord backup = backups[*cursor];
    const std::string& name = backup.name;
    if (CheckTargetNotRunning(name)) return;
    auto row = std::find_if(targets.begin(), targets.end(), [&](const TargetRecord& t) { return t.name == name; });
    std::optional<std::string> stored = storedfilename(backup.location);
    if (row == targets.end() || !stored) {
        couldnotrestore(*this, name);
        return;
    }
    std::optional<std::string> bytes = backupbytes(*this, name, backup.location);
    if (!bytes) return;
    const std::string dir = row->dir;
    if (name == TextPadTarget) restoretextpad(*this, name, dir, backup.location, *stored, *bytes);
    else if (name == EditPadPro6Target || name == EditPadPro7Target) restoreeditpadpro(*this, name, dir, *bytes);
    else restorecopy(*this, name, dir, *stored, *bytes);
}

bool GantrelSession::RestoreEditPadPro6Registry(const XmlNode& tools) {
    int64_t count = 0;
    for (const XmlNode& tool : tools.children) {
        if (!tool.IsElement()) continue;
        std::string key = std::string(EditPadPro6Key) + "\\Tool" + std::to_string(count);
        if (!RegWriteValuesFromXml(tool, registry, key, codePage)) return false;
        ++count;
    }
    // Only the keys that exist are visited: the old count may be any number.
    if (std::optional<int64_t> old = oldtoolcount(registry)) {
        long status;
        for (const std::string& subkey : RegListSubkeys(registry, EditPadPro6Key, status)) {
            std::optional<int64_t> number = toolkeynumber(subkey);
            if (number && *number >= count && *number < *old)
                RegDeleteKey(registry, std::string(EditPadPro6Key) + "\\" + subkey);
        }
    }
    return RegWriteValue(registry, editpadpro6prokey, "ToolCount", static_cast<int32_t>(count), false);
}

bool GantrelSession::RestoreEditPadProIni(const XmlNode& tools, const std::string& target, const std::string& folder) {
    const bool version6 = target == EditPadPro6Target;
    const std::string path = TargetConfigFile({target, folder}, {});
    FileText file = folder.empty() ? FileText{"", "does not exist", true} : ReadFileText(path);
    std::string problem = TextFileProblem(file);
    if (!problem.empty() || file.text.empty()) {
        LogError(ConfigFileError("EditPadPro", path, file, problem));
        return false;
    }
    std::vector<const XmlNode*> restored;
    for (const XmlNode& tool : tools.children) {
        if (!tool.IsElement()) continue;
        restored.push_back(&tool);
        for (const XmlNode& setting : tool.children)
            if (setting.IsElement() && HasLineBreak(setting.FirstChildText())) {
                LogError("a line break in the backup cannot be written to " + path);
                return false;
            }
    }
    IniWithoutTools ini = withouttoolsections(SplitLines(file.text));
    const std::string countline = "ToolCount=" + std::to_string(restored.size());
    if (ini.countline) {
        ini.lines[*ini.countline] = countline;
    } else {
        ini.lines.push_back("[Pro]");
        ini.lines.push_back(countline);
    }
    for (size_t i = 0; i < restored.size(); ++i) {
        ini.lines.push_back("[Tool" + std::to_string(i) + "]");
        for (const XmlNode& setting : restored[i]->children) {
            if (!setting.IsElement()) continue;
            std::string value = setting.FirstChildText();
            ini.lines.push_back(setting.name + "=" + (version6 ? ToCodePage(value, codePage) : value));
        }
    }
    if (!SaveFile(path, JoinCrLf(ini.lines))) {
        LogError("Restore configuration failed,could not save configuration file for EditPadPro:" + path);
        return false;
    }
    return true;
}
