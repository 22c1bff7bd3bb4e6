// Copies of the Eclipse row, one per workspace.
#include "core/session.h"

#include "core/targetlocations.h"

#include <algorithm>

namespace {

bool iseclipserow(const TargetRecord& row) { return row.name.rfind(EclipseTarget, 0) == 0; }

}  // namespace

bool GantrelSession::DuplicateEclipse(size_t row) {
    if (row >= targets.size() || !iseclipserow(targets[row])) return false;
    targets.insert(targets.begin() + static_cast<long>(row) + 1, TargetRecord{EclipseTarget, ""});
    return true;
}

bool GantrelSession::DeleteEclipseCopy(size_t row) {
    if (row >= targets.size() || !iseclipserow(targets[row])) return false;
    auto copies =
        std::count_if(targets.begin(), targets.end(), [](const TargetRecord& t) { return t.name == EclipseTarget; });
    if (copies < 2) return false;
    targets.erase(targets.begin() + static_cast<long>(row));
    return true;
}

std::vector<std::string> GantrelSession::EclipseWorkspaces(const std::string& chosenTarget) const {
    std::vector<std::string> folders;
    if (chosenTarget != EclipseTarget) return folders;
    for (const TargetRecord& row : targets)
        if (row.name == EclipseTarget) folders.push_back(row.dir);
    if (folders.size() < 2) folders.clear();
    return folders;
}
