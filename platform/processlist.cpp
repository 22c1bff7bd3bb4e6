// Process names from /proc: argv[0]'s base name, else the kernel's short name.
#include "processlist.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string_view>

namespace {

const std::string unknown = "<unknown>";
constexpr size_t readlimit = 1 << 16;

// Up to limit bytes of a /proc file; nullopt when it cannot be opened or read.
std::optional<std::string> readprocfile(const std::string& path, size_t limit = readlimit) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string text;
    char chunk[4096];
    bool failed = false;
    while (text.size() < limit) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n > 0) {
            text.append(chunk, static_cast<size_t>(n));
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            failed = true;
            break;
        }
    }
    ::close(fd);
    if (failed) return std::nullopt;
    return text;
}

// The value of a "Name:\tvalue" line of /proc/<pid>/status.
std::string_view statusfield(std::string_view status, std::string_view name) {
    for (size_t at = 0; at < status.size();) {
        size_t end = status.find('\n', at);
        if (end == std::string_view::npos) end = status.size();
        std::string_view line = status.substr(at, end - at);
        if (line.size() > name.size() && line.substr(0, name.size()) == name && line[name.size()] == ':') {
            line.remove_prefix(name.size() + 1);
            size_t start = line.find_first_not_of(" \t");
            return start == std::string_view::npos ? std::string_view() : line.substr(start);
        }
        at = end + 1;
    }
    return {};
}

// The first number of a field such as "Uid:\t1000\t1000\t1000\t1000".
std::optional<long> firstnumber(std::string_view field) {
    long number = 0;
    size_t i = 0;
    for (; i < field.size() && i < 18 && field[i] >= '0' && field[i] <= '9'; ++i)
        number = number * 10 + (field[i] - '0');
    if (i == 0) return std::nullopt;
    return number;
}

std::string lastpathpart(std::string_view path) {
    size_t slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

enum class procstate { gone, zombie, otheruser, ours };

procstate stateof(const std::string& folder) {
    std::optional<std::string> status = readprocfile(folder + "/status");
    if (!status) return procstate::gone;
    if (statusfield(*status, "State").substr(0, 1) == "Z") return procstate::zombie;
    std::optional<long> uid = firstnumber(statusfield(*status, "Uid"));
    if (!uid || *uid != static_cast<long>(::getuid())) return procstate::otheruser;
    return procstate::ours;
}

std::string nameof(const std::string& folder) {
    std::optional<std::string> commandline = readprocfile(folder + "/cmdline");
    if (commandline) {
        std::string name = lastpathpart(std::string_view(*commandline).substr(0, commandline->find('\0')));
        if (!name.empty()) return name;
    }
    std::optional<std::string> comm = readprocfile(folder + "/comm");
    if (comm && !comm->empty() && comm->back() == '\n') comm->pop_back();
    return comm && !comm->empty() ? *comm : unknown;
}

// The name of a live process; nullopt for a zombie or a process that is gone.
std::optional<std::string> livename(const std::string& folder) {
    switch (stateof(folder)) {
    case procstate::gone:
    case procstate::zombie: return std::nullopt;
    case procstate::otheruser: return unknown;
    case procstate::ours: break;
    }
    return nameof(folder);
}

bool alldigits(const char* name) {
    if (!*name) return false;
    for (; *name; ++name)
        if (*name < '0' || *name > '9') return false;
    return true;
}

}  // namespace

std::vector<std::string> listprocessnames() {
    std::vector<std::string> names;
    DIR* proc = ::opendir("/proc");
    if (!proc) return names;
    while (const dirent* entry = ::readdir(proc)) {
        if (!alldigits(entry->d_name)) continue;
        if (std::optional<std::string> name = livename(std::string("/proc/") + entry->d_name))
            names.push_back(std::move(*name));
    }
    ::closedir(proc);
    return names;
}

std::string processname(int pid) {
    if (pid <= 0) return unknown;
    return livename("/proc/" + std::to_string(pid)).value_or(unknown);
}
