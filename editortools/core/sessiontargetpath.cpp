// Target locations: the user's choice of a folder or file, tested before it is stored, and
// the default locations tried by autodetection.
#include "core/session.h"

#include "core/environment.h"
#include "core/filelookup.h"
#include "core/targetlocations.h"
#include "core/writers/writercommon.h"

#include <sys/stat.h>

namespace {

// What a target's location must hold: a file (looked up ignoring case, as the writers do) or
// a folder (under the name the writers use).
struct LocationTest {
    const char* target;
    const char* entry;
    bool folder;
    const char* failure;
};

constexpr LocationTest locationtests[] = {
    {PspadTarget, "links.ini", false, "This is not a Pspad root directory"},
    {TheIdeTarget, "UppLocal", true, "This is not a Ultimate++ IDE root directory"},
    {UltraEditTarget, "Uedit32.ini", false, "Cannot find Ultraedit configurationfile Uedit32.ini"},
    {CodeBlocksTarget, "default.conf", false, "Cannot find Code::Blocks configurationfile default.conf"},
    {EclipseTarget, ".metadata", true, "The directory is not a workspace directory, .metadata is missing"},
    {TextPadTarget, "config.xml", false, "Cannot find TextPad 5 configuration file, config.xml is missing"},
    {EditPlusTarget, "tool_u.ini", false, "Cannot find EditPlus configuration file, tool_u.ini is missing"},
    {EditPadPro6Target, "EditPadPro.ini", false,
     "Cannot find EditPadPro configuration file, EditPadPro.ini is missing"},
    {EditPadPro7Target, "EditPadPro7.ini", false,
     "Cannot find EditPadPro configuration file, EditPadPro7.ini is missing"},
};

bool isdirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

const LocationTest* locationtest(const std::string& target) {
    for (const LocationTest& test : locationtests)
        if (target == test.target) return &test;
    return nullptr;
}

// The default configuration file autodetection tries; "" for a target it does not detect.
std::string defaultfile(const std::string& target) {
    if (target == UltraEditTarget) return DefaultUltraeditIni();
    if (target == CodeBlocksTarget) return DefaultCodeBlocksConf();
    if (target == TextPadTarget) return DefaultTextpadConfig();
    if (target == EditPlusTarget) return DefaultEditPlusIni();
    if (target == EditPadPro7Target) return DefaultEditPadPro7Ini();
    return "";
}

bool detectable(const std::string& target) {
    for (const char* name :
         {UltraEditTarget, CodeBlocksTarget, TextPadTarget, EditPlusTarget, EditPadPro6Target, EditPadPro7Target})
        if (target == name) return true;
    return false;
}

}  // namespace

bool GantrelSession::ValidateTargetPath(const std::string& target, std::string& location, bool locationGiven) {
    const bool studio = IsStudioTarget(target, studioNames);
    if (!locationGiven) {
        std::optional<std::string> chosen = studio ? prompter.ChooseOpenFile("Open", "") : prompter.ChooseFolder("");
        if (!chosen) return false;
        location = *chosen;
    }
    std::string failure;
    bool valid = false;
    if (studio) {
        valid = ConfigFileExists(location);
        failure = "Cannot find " + target + " configuration file:" + location;
    } else if (const LocationTest* test = locationtest(target)) {
        // An empty location would name the root's entry.
        valid = !location.empty() && (test->folder ? isdirectory(JoinPath(location, test->entry))
                                                   : ConfigFileExists(FindFileIgnoringCase(location, test->entry)));
        failure = test->failure;
    }
    if (!valid && !locationGiven && !failure.empty()) LogError(failure);
    return valid;
}

void GantrelSession::SetTargetPath(std::optional<size_t> row) {
    if (!row || *row >= targets.size()) return;
    std::string location;
    if (ValidateTargetPath(targets[*row].name, location, false)) targets[*row].dir = location;
}

void GantrelSession::AutodetectTarget(std::optional<size_t> row) {
    if (!row || *row >= targets.size()) return;
    const std::string name = targets[*row].name;
    if (IsStudioTarget(name, studioNames) || !detectable(name)) {
        LogError("the detection of this is (not supported): " + name);
        return;
    }
    std::string candidate = name == EditPadPro6Target ? DefaultEditPadPro6Location(registry) : defaultfile(name);
    // EditPadPro 6 in the registry is taken as it is, without a test.
    if (candidate != LocatedInRegistry) {
        candidate = FolderOf(candidate);
        if (!ValidateTargetPath(name, candidate, true)) {
            LogError("could not detect(not installed?): " + name);
            return;
        }
    }
    targets[*row].dir = candidate;
    LogSuccess("autodetected " + name + " in " + candidate);
}
