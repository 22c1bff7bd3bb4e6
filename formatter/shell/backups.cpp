// Numbered backups of input files and the plain file copy.
#include "backups.h"

#include "globals.h"
#include "paths.h"
#include "replacefile.h"
#include "settings.h"
#include "support.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

struct backupcopy {
    int64_t number;
    std::string name;
};

class directoryfd {
public:
    explicit directoryfd(int fd = -1) : fd(fd) {}
    ~directoryfd() { reset(-1); }
    directoryfd(const directoryfd&) = delete;
    directoryfd& operator=(const directoryfd&) = delete;
    void reset(int other) {
        if (fd >= 0) ::close(fd);
        fd = other;
    }
    int get() const { return fd; }
    int release() {
        int kept = fd;
        fd = -1;
        return kept;
    }

private:
    int fd;
};

// The input's folder, absolute and with every link and "." or ".." resolved, so that one
// folder has one mirror and two folders never share one.
std::string resolvedfolder(const std::string& file) {
    std::string folder = directoryof(file);
    if (folder.empty()) folder = startswith(file, "/") ? "/" : ".";
    std::error_code ignored;
    std::filesystem::path resolved =
        std::filesystem::weakly_canonical(std::filesystem::absolute(folder, ignored), ignored);
    return resolved.empty() ? folder : resolved.string();
}

// The number of a copy named stem + "_b" + digits + "." + extension + ".bak", or -1.
int64_t backupnumber(const std::string& name, const std::string& stem, const std::string& extension) {
    std::string head = stem + "_b";
    std::string tail = "." + extension + ".bak";
    if (name.size() <= head.size() + tail.size() || !startswith(name, head) || !endswith(name, tail)) return -1;
    std::string digits = name.substr(head.size(), name.size() - head.size() - tail.size());
    if (digits.size() > 18 || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    return std::stoll(digits);
}

// The existing copies of stem.extension in the open folder, newest (highest number) first.
std::vector<backupcopy> listbackups(int folder, const std::string& stem, const std::string& extension) {
    std::vector<backupcopy> copies;
    int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (!dir) {
        if (listing >= 0) ::close(listing);
        return copies;
    }
    while (const dirent* entry = ::readdir(dir)) {
        int64_t number = backupnumber(entry->d_name, stem, extension);
        struct stat st {};
        if (number >= 0 && ::fstatat(folder, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            copies.push_back({number, entry->d_name});
    }
    ::closedir(dir);
    std::sort(copies.begin(), copies.end(),
              [](const backupcopy& a, const backupcopy& b) { return a.number > b.number; });
    return copies;
}

bool isstreaminput(const std::string& file) {
    std::string name = lc(file);
    return name == "stdin" || name == "clipboard";
}

// A folder of the backup tree: a real folder (never a link) of the user or of root.
bool ownfolder(int fd, std::string& reason) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        reason = errnotext();
        return false;
    }
    if (st.st_uid != ::geteuid() && st.st_uid != 0) {
        reason = "it is not owned by the user";
        return false;
    }
    return true;
}

// Opens the base folder, made with its missing levels (mode 0700) when it is not there. The
// folder brelm chooses itself in the shared /tmp must be the user's own.
int openbase(const std::string& base, std::string& reason) {
    if (!isdirectory(base) && !makedirectorypath(base, reason, 0700)) return -1;
    const bool ownbase = base == privatebackupdirectory();
    int fd = ::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (ownbase ? O_NOFOLLOW : 0));
    if (fd < 0) {
        reason = errnotext();
        return -1;
    }
    struct stat st {};
    if (ownbase && (::fstat(fd, &st) != 0 || st.st_uid != ::geteuid() || (st.st_mode & 077) != 0)) {
        ::close(fd);
        reason = "it is not a folder of the user's own with mode 0700";
        return -1;
    }
    return fd;
}

// Opens the mirror folder below the base, one level at a time, making missing levels with
// mode 0700 and following no link on the way.
int openmirror(const std::string& base, const std::string& part, std::string& reason) {
    directoryfd folder(openbase(base, reason));
    if (folder.get() < 0) return -1;
    std::string walked = base;
    for (const std::string& level : split("/", part)) {
        if (level.empty()) continue;
        if (::mkdirat(folder.get(), level.c_str(), 0700) != 0 && errno != EEXIST) {
            reason = errnotext();
            return -1;
        }
        walked = joinpath(walked, level);
        int next = ::openat(folder.get(), level.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0) {
            const int error = errno;
            struct stat st {};
            const bool link =
                ::fstatat(folder.get(), level.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode);
            const std::string what = walked == joinpath(base, part) ? "it" : walked;
            reason = link               ? what + " is a symbolic link"
                     : error == ENOTDIR ? what + " is not a directory"
                                        : std::strerror(error);
            return -1;
        }
        folder.reset(next);
        if (!ownfolder(folder.get(), reason)) return -1;
    }
    return folder.release();
}

std::string copyname(const std::string& stem, int64_t number, const std::string& extension) {
    return stem + "_b" + std::to_string(number) + "." + extension + ".bak";
}

// Writes the bytes under a temporary name and gives them the first free number from the
// given one on (another run may take a number meanwhile): a copy cut short never carries a
// backup's name. The number taken, or -1 with errno.
int64_t writecopy(int folder, std::string_view bytes, const std::string& stem, const std::string& extension,
                  int64_t number) {
    temporaryfile copy(folder, copyname(stem, number, extension));
    if (copy.fd() < 0 || !copy.write(bytes)) return -1;
    for (int attempt = 0; attempt < 1000; ++attempt, ++number) {
        if (copy.putinplace(copyname(stem, number, extension), true)) return number;
        if (errno != EEXIST) return -1;
    }
    return -1;
}

}  // namespace

std::string backupmirrordirectory(const std::string& file, const std::string& backupdirectory) {
    std::string base = striptrailingseparator(backupdirectory);
    std::string part = resolvedfolder(file);
    part.erase(0, part.find_first_not_of('/'));
    return part.empty() ? base : joinpath(base, part);
}

bool backupfile(messagestream& sink, const std::string& file, std::string_view bytes, int32_t b, int32_t verbose,
                const std::string& backupdirectory, std::string& errortext) {
    errortext.clear();
    if (b <= 0 || isstreaminput(file)) return true;
    if (backupdirectory.empty()) {
        errortext = "no backup directory is set for " + escapedword(file) + ": give one with -bdir\n";
        return false;
    }
    const std::string base = striptrailingseparator(backupdirectory);
    std::string part = resolvedfolder(file);
    part.erase(0, part.find_first_not_of('/'));
    const std::string mirror = part.empty() ? base : joinpath(base, part);
    std::string reason;
    directoryfd folder(openmirror(base, part, reason));
    if (folder.get() < 0) {
        errortext = "could not create directory " + escapedword(mirror) + "," + escapedword(reason) + "\n";
        return false;
    }
    const std::string stem = stemof(file);
    const std::string extension = extensionof(file);
    const std::vector<backupcopy> copies = listbackups(folder.get(), stem, extension);
    const int64_t first = copies.empty() ? 1 : copies.front().number + 1;
    const int64_t number = writecopy(folder.get(), bytes, stem, extension, first);
    if (number < 0) {
        errortext = "copy failed (" + escapedword(file) + " -> " +
                    escapedword(joinpath(mirror, copyname(stem, first, extension))) + "): " + errnotext() + "\n";
        return false;
    }
    // Pruned only now, so that a failed copy never leaves fewer copies than before.
    for (size_t k = static_cast<size_t>(b) - 1; k < copies.size(); ++k)
        if (::unlinkat(folder.get(), copies[k].name.c_str(), 0) == 0 && verbose)
            printout(sink, "Deleted backup file " + escapedword(joinpath(mirror, copies[k].name)) + "\n");
    if (verbose)
        printout(sink, "Backed up in " + escapedword(joinpath(mirror, copyname(stem, number, extension))) + "\n");
    return true;
}

int32_t copyfile(const std::string& source, const std::string& destination) {
    int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return 0;
    struct stat st {};
    if (::fstat(in, &st) != 0 || S_ISDIR(st.st_mode)) {
        int error = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(in);
        errno = error;
        return 0;
    }
    // Never follow or overwrite something already standing at the destination; the mode is
    // set on the open file, not by name.
    int out = ::open(destination.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (out < 0) {
        int error = errno;
        ::close(in);
        errno = error;
        return 0;
    }
    int error = ::fchmod(out, st.st_mode & 0777) == 0 ? 0 : errno;
    char buffer[1 << 16];
    while (error == 0) {
        ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) error = errno;
        if (n <= 0) break;
        for (ssize_t done = 0; done < n && error == 0;) {
            ssize_t w = ::write(out, buffer + done, static_cast<size_t>(n - done));
            if (w < 0 && errno != EINTR) error = errno;
            if (w > 0) done += w;
        }
    }
    ::close(in);
    if (::close(out) != 0 && error == 0) error = errno ? errno : EIO;
    if (error == 0) return 1;
    ::unlink(destination.c_str());
    errno = error;
    return 0;
}
