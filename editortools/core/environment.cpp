// Environment variables and the program's folder.
#include "core/environment.h"

#include "programpath.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace {

std::string accounthome() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir) return "";
    return found->pw_dir;
}

}  // namespace

std::string GetEnv(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string ConfigFolder() {
    std::string config = GetEnv("XDG_CONFIG_HOME");
    if (!config.empty()) return config;
    std::string home = GetEnv("HOME");
    if (home.empty()) home = accounthome();
    return home.empty() ? "" : JoinPath(home, ".config");
}

std::string AppDataFolder() {
    std::string appdata = GetEnv("APPDATA");
    return appdata.empty() ? ConfigFolder() : appdata;
}

std::string HomeFolder() {
    std::string homepath = GetEnv("HOMEPATH");
    if (!homepath.empty()) return GetEnv("HOMEDRIVE") + homepath;
    std::string home = GetEnv("HOME");
    return home.empty() ? accounthome() : home;
}

std::string SystemRootFolder() { return GetEnv("SystemRoot"); }

std::string ProgramFolder() {
    std::string path = programpath();
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string JoinPath(const std::string& folder, const std::string& name) { return folder + "/" + name; }

std::string StripTrailingBackslash(const std::string& path) {
    return !path.empty() && path.back() == '/' ? path.substr(0, path.size() - 1) : path;
}
