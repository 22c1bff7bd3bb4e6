// Process names from the platform's process list.
#include "core/processes.h"

#include "processlist.h"

#include <algorithm>

std::vector<std::string> ListProcessNames() { return listprocessnames(); }

size_t CountInstances(const std::vector<std::string>& names) {
    return static_cast<size_t>(std::count_if(names.begin(), names.end(), [](const std::string& name) {
        return name == "tolvane" || name == "tolvane.exe";
    }));
}
