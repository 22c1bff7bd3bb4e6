// The target catalogue: the nine fixed targets with their default locations and the studio
// settings found under the home folder, as grid rows and install-list entries.
#include "core/session.h"

#include "core/environment.h"
#include "core/studiodiscovery.h"
#include "core/targetlocations.h"

#include <algorithm>

namespace {

bool hasrow(const std::vector<TargetRecord>& targets, const std::string& name) {
    return std::any_of(targets.begin(), targets.end(), [&](const TargetRecord& t) { return t.name == name; });
}

}  // namespace

void GantrelSession::FillCatalogue() {
    targets.clear();
    installList.clear();
    auto add = [this](const std::string& name, const std::string& dir) {
        targets.push_back({name, dir});
        installList.push_back(name);
    };
    // Rows after the first five are added only under a name no row has yet.
    auto addnew = [this](const std::string& name, const std::string& dir) {
        if (!hasrow(targets, name)) targets.push_back({name, dir});
        installList.push_back(name);
    };
    add(PspadTarget, "");
    add(TheIdeTarget, "");
    add(UltraEditTarget, FolderOf(DefaultUltraeditIni()));
    add(CodeBlocksTarget, FolderOf(DefaultCodeBlocksConf()));
    add(EclipseTarget, "");
    studioNames.clear();
    studioPaths = DiscoverStudioSettings(HomeFolder(), studioNames);
    for (size_t i = 0; i < studioNames.size(); ++i) addnew(studioNames[i], studioPaths[i]);
    addnew(TextPadTarget, FolderOf(DefaultTextpadConfig()));
    addnew(EditPlusTarget, FolderOf(DefaultEditPlusIni()));
    std::string editpadpro6 = DefaultEditPadPro6Location(registry);
    addnew(EditPadPro6Target, editpadpro6 == LocatedInRegistry ? editpadpro6 : FolderOf(editpadpro6));
    addnew(EditPadPro7Target, FolderOf(DefaultEditPadPro7Ini()));
}

std::string GantrelSession::GetTargetDir(const std::string& target) const {
    for (const TargetRecord& row : targets)
        if (row.name == target) return row.dir;
    return "";
}
