// Target names and default configuration locations.
#include "core/targetlocations.h"

#include "core/environment.h"
#include "core/filelookup.h"
#include "core/registry.h"

#include <algorithm>

namespace {

std::string underappdata(const std::string& relative) {
    std::string appdata = AppDataFolder();
    return appdata.empty() ? "" : JoinPath(StripTrailingBackslash(appdata), relative);
}

// The file name a target keeps its tools in, inside its dir; "" for none.
std::string configfilename(const std::string& target) {
    if (target == PspadTarget) return "links.ini";
    if (target == UltraEditTarget) return "uedit32.ini";
    if (target == CodeBlocksTarget) return "default.conf";
    if (target == EditPlusTarget) return "tool_u.ini";
    if (target == EditPadPro6Target) return "EditPadPro.ini";
    if (target == EditPadPro7Target) return "EditPadPro7.ini";
    return "";
}

}  // namespace

std::string DefaultUltraeditIni() { return underappdata("IDMComp/UltraEdit/Uedit32.ini"); }
std::string DefaultCodeBlocksConf() { return underappdata("codeblocks/default.conf"); }
std::string DefaultTextpadConfig() { return underappdata("Helios/TextPad/5.0/config.xml"); }
std::string DefaultEditPlusIni() { return underappdata("EditPlus 3/tool_u.ini"); }
std::string DefaultEditPadPro7Ini() { return underappdata("JGsoft/EditPad Pro 7/EditPadPro7.ini"); }

std::string DefaultEditPadPro6Location(const registrystore& registry) {
    long status = 0;
    if (RegKeyExists(registry, EditPadPro6Key, status)) return LocatedInRegistry;
    return underappdata("JGsoft/EditPad Pro 6/EditPadPro.ini");
}

bool IsEditPadPro7InRegistry(const registrystore& registry, const std::string& target) {
    long status = 0;
    return target == EditPadPro7Target && RegKeyExists(registry, EditPadPro7Key, status);
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return "";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool IsStudioTarget(const std::string& target, const std::vector<std::string>& studioNames) {
    return std::find(studioNames.begin(), studioNames.end(), target) != studioNames.end();
}

std::string TargetConfigFile(const TargetRecord& target, const std::vector<std::string>& studioNames) {
    if (IsStudioTarget(target.name, studioNames)) return target.dir;
    if (target.name == EditPadPro6Target && target.dir == LocatedInRegistry) return target.dir;
    std::string name = configfilename(target.name);
    if (name.empty()) return "";
    if (target.dir.empty()) return name;
    std::string folder = target.dir.size() > 1 ? StripTrailingBackslash(target.dir) : target.dir;
    std::string found = FindFileIgnoringCase(folder, name);
    // A root folder is joined without a second "/".
    return folder == "/" ? "/" + found.substr(found.rfind('/') + 1) : found;
}
