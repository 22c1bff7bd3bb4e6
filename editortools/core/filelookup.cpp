// Case-insensitive file lookup in a folder.
#include "core/filelookup.h"

#include "core/environment.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool isfilepath(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::vector<std::string> entrynames(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return names;
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

std::string FindFileIgnoringCase(const std::string& folder, const std::string& name) {
    std::string exact = JoinPath(folder, name);
    if (isfilepath(exact)) return exact;
    for (const std::string& entry : entrynames(folder)) {
        std::string path = JoinPath(folder, entry);
        if (EqualsIgnoringCase(entry, name) && isfilepath(path)) return path;
    }
    return exact;
}
