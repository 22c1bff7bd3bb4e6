// Visual Studio and SQL Server Management Studio settings discovery.
#include "core/studiodiscovery.h"

#include "core/environment.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>

namespace {

struct Entry {
    std::string name;
    bool folder;
};

std::string lowered(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// The entries of a folder but "." and "..", in name order ignoring case (as NTFS lists them).
std::vector<Entry> listing(const std::string& folder) {
    std::vector<Entry> entries;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return entries;
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        struct stat st {};
        bool isfolder = ::stat((folder + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        entries.push_back({name, isfolder});
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        std::string la = lowered(a.name), lb = lowered(b.name);
        return la != lb ? la < lb : a.name < b.name;
    });
    return entries;
}

std::vector<std::string> subfolders(const std::string& folder) {
    std::vector<std::string> names;
    for (const Entry& entry : listing(folder))
        if (entry.folder) names.push_back(entry.name);
    return names;
}

}  // namespace

std::string FindStudioSettingsFile(const std::string& folder) {
    for (const Entry& entry : listing(folder))
        if (!entry.folder && ::fnmatch("CurrentSettings*.vssettings", entry.name.c_str(), FNM_CASEFOLD) == 0)
            return entry.name;
    return "";
}

std::vector<std::string> DiscoverStudioSettings(const std::string& home, std::vector<std::string>& names) {
    std::vector<std::string> paths;
    auto found = [&](const std::string& path, const std::string& name) {
        paths.push_back(path);
        names.push_back(name);
    };
    std::string documents = StripTrailingBackslash(home) + "/Documents/";
    std::string vs2008 = documents + "Visual Studio 2008/Settings/";
    for (const std::string& folder : subfolders(vs2008))
        found(vs2008 + folder + "/CurrentSettings.vssettings", "Visual Studio " + folder + " 2008");
    std::string vs2010 = documents + "Visual Studio 2010/Settings/";
    std::string file = FindStudioSettingsFile(vs2010);
    if (!file.empty()) found(vs2010 + file, "Visual Studio 2010");
    for (const std::string& folder : subfolders(vs2010))
        found(vs2010 + folder + "/" + FindStudioSettingsFile(vs2010 + folder + "/"),
              "Visual Studio " + folder + " 2010");
    std::string ssms = documents + "SQL Server Management Studio/Settings/";
    file = FindStudioSettingsFile(ssms);
    if (!file.empty()) found(ssms + file, "SQL Server Management Studio");
    return paths;
}
