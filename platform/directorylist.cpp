// POSIX directory listing with wildcard names, file attributes and directory creation.
#include "directorylist.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

uint32_t attributesof(const struct stat& st) {
    if (S_ISDIR(st.st_mode)) return attributedirectory;
    if (S_ISREG(st.st_mode)) return attributeregular;
    return 0;
}

directoryentry describeentry(int directoryfd, const char* name) {
    directoryentry entry;
    entry.name = name;
    struct stat st;
    if (fstatat(directoryfd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return entry;
    entry.symlink = S_ISLNK(st.st_mode);
    if (entry.symlink && fstatat(directoryfd, name, &st, 0) != 0) return entry;  // dangling
    entry.attributes = attributesof(st);
    entry.device = st.st_dev;
    entry.inode = st.st_ino;
    entry.known = true;
    return entry;
}

}  // namespace

uint32_t pathattributes(const std::string& path) {
    struct stat st;
    if (path.empty() || stat(path.c_str(), &st) != 0) return invalidattributes;
    return attributesof(st);
}

bool wildcardmatch(std::string_view wildcard, std::string_view name) {
    // Greedy scan that remembers the last "*" and widens its share on a mismatch.
    size_t w = 0, n = 0;
    size_t starat = std::string_view::npos, resumeat = 0;
    while (n < name.size()) {
        if (w < wildcard.size() && (wildcard[w] == '?' || wildcard[w] == name[n])) {
            ++w;
            ++n;
        } else if (w < wildcard.size() && wildcard[w] == '*') {
            starat = w++;
            resumeat = n;
        } else if (starat != std::string_view::npos) {
            w = starat + 1;
            n = ++resumeat;
        } else {
            return false;
        }
    }
    while (w < wildcard.size() && wildcard[w] == '*') ++w;
    return w == wildcard.size();
}

bool listdirectory(const std::string& directory, std::string_view wildcard, std::vector<directoryentry>& entries,
                   const directoryentry* expected) {
    entries.clear();
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (expected ? O_NOFOLLOW : 0);
    int fd = open(directory.empty() ? "." : directory.c_str(), flags);
    if (fd < 0) return false;
    struct stat st;
    if (expected &&
        (fstat(fd, &st) != 0 || !expected->known || st.st_dev != expected->device || st.st_ino != expected->inode)) {
        close(fd);
        errno = ESTALE;
        return false;
    }
    DIR* dir = fdopendir(fd);
    if (!dir) {
        int error = errno;
        close(fd);
        errno = error;
        return false;
    }
    while (const dirent* d = readdir(dir)) {
        std::string_view name = d->d_name;
        if (name == "." || name == "..") continue;
        if (!wildcardmatch(wildcard, name)) continue;
        entries.push_back(describeentry(fd, d->d_name));
    }
    closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const directoryentry& a, const directoryentry& b) { return a.name < b.name; });
    return true;
}

int createdirectory(const std::string& path, unsigned mode) {
    if (mkdir(path.c_str(), static_cast<mode_t>(mode)) == 0) return 0;
    return errno;
}
