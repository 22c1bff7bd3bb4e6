// Atomic file replacement with the old file's attributes, and temporary files that an
// ending process does not leave behind.
#include "replacefile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

// Temporary files to remove when a terminating signal arrives. Entries change only while
// the signals are blocked, so the handler never sees half a name.
struct pendingentry {
    volatile sig_atomic_t used = 0;
    int directory = -1;
    char name[NAME_MAX + 1] = {};
};
pendingentry pending[8];
const int cleanupsignals[] = {SIGTERM, SIGINT, SIGHUP};

void oncleanupsignal(int signal) {
    for (pendingentry& entry : pending)
        if (entry.used) ::unlinkat(entry.directory, entry.name, 0);
    // Ends with the signal's usual status once the handler returns.
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

// Installed once, and only where the signal is not ignored (nohup keeps SIGHUP ignored).
void installhandlers() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    struct sigaction action {};
    action.sa_handler = oncleanupsignal;
    sigemptyset(&action.sa_mask);
    for (int signal : cleanupsignals) sigaddset(&action.sa_mask, signal);
    for (int signal : cleanupsignals) {
        struct sigaction old {};
        if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_DFL) ::sigaction(signal, &action, nullptr);
    }
}

class signalsblocked {
public:
    signalsblocked() {
        sigset_t set;
        sigemptyset(&set);
        for (int signal : cleanupsignals) sigaddset(&set, signal);
        ::pthread_sigmask(SIG_BLOCK, &set, &old);
    }
    ~signalsblocked() { ::pthread_sigmask(SIG_SETMASK, &old, nullptr); }

private:
    sigset_t old;
};

int registerpending(int directory, const std::string& name) {
    installhandlers();
    signalsblocked blocked;
    for (int k = 0; k < static_cast<int>(std::size(pending)); ++k) {
        pendingentry& entry = pending[k];
        if (entry.used) continue;
        entry.directory = directory;
        std::snprintf(entry.name, sizeof entry.name, "%s", name.c_str());
        entry.used = 1;
        return k;
    }
    return -1;
}

void unregisterpending(int slot) {
    if (slot < 0) return;
    signalsblocked blocked;
    pending[slot].used = 0;
}

std::string randomsuffix() {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    unsigned char bytes[6];
    if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes)) {
        unsigned long seed = static_cast<unsigned long>(std::time(nullptr)) ^
                             (static_cast<unsigned long>(::getpid()) << 16) ^ static_cast<unsigned long>(std::clock());
        for (unsigned char& b : bytes) b = static_cast<unsigned char>((seed = seed * 6364136223846793005ul + 1) >> 33);
    }
    std::string suffix;
    for (unsigned char b : bytes) suffix += letters[b % (sizeof letters - 1)];
    return suffix;
}

// A hidden name made from base, within the system's limit whatever the length of base.
std::string hiddenname(const std::string& base) { return "." + base.substr(0, NAME_MAX - 16) + "." + randomsuffix(); }

bool writeall(int fd, std::string_view text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

class descriptor {
public:
    explicit descriptor(int fd) : fd(fd) {}
    ~descriptor() {
        if (fd >= 0) ::close(fd);
    }
    descriptor(const descriptor&) = delete;
    descriptor& operator=(const descriptor&) = delete;
    int get() const { return fd; }
    int release() {
        int kept = fd;
        fd = -1;
        return kept;
    }

private:
    int fd;
};

replaceresult ended(replaceoutcome outcome, int error = 0, std::string link = {}) {
    replaceresult result;
    result.outcome = outcome;
    result.error = error;
    result.link = std::move(link);
    return result;
}

replaceresult failure(int error) { return ended(replaceoutcome::failed, error); }

mode_t newfilemode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Copies the extended attributes (ACLs among them) of the file at path (a link there not
// followed) to fd. Labels of the security namespace are the system's to set and are left to it.
bool copyattributes(const std::string& path, int fd) {
    ssize_t size = ::llistxattr(path.c_str(), nullptr, 0);
    if (size < 0) return errno == ENOTSUP;
    std::vector<char> names(static_cast<size_t>(size) + 1);
    size = ::llistxattr(path.c_str(), names.data(), names.size());
    if (size < 0) return false;
    for (const char* name = names.data(); name < names.data() + size; name += std::strlen(name) + 1) {
        const bool security = std::strncmp(name, "security.", 9) == 0;
        ssize_t length = ::lgetxattr(path.c_str(), name, nullptr, 0);
        if (length < 0) {
            if (security) continue;
            return false;
        }
        std::vector<char> value(static_cast<size_t>(length) + 1);
        length = ::lgetxattr(path.c_str(), name, value.data(), value.size());
        if (length < 0 || ::fsetxattr(fd, name, value.data(), static_cast<size_t>(length), 0) != 0) {
            if (security) continue;
            return false;
        }
    }
    return true;
}

// The owner and group of the old file when they can be kept (else no set-user-ID or
// set-group-ID bit), its mode and its extended attributes.
bool keepattributes(int fd, const std::string& path, const struct stat& old) {
    // When neither can be kept the file stays the writer's own.
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    struct stat now {};
    if (::fstat(fd, &now) != 0) return false;
    mode_t mode = old.st_mode & 07777;
    if (now.st_uid != old.st_uid || now.st_gid != old.st_gid) mode &= ~mode_t(S_ISUID | S_ISGID);
    if (::fchmod(fd, mode) != 0) return false;
    return copyattributes(path, fd);
}

// Devices and pipes take the text where they are; without waitforreader a pipe is opened
// only when something reads from it.
replaceresult writeinplace(int directory, const std::string& base, const textsource& text, bool waitforreader) {
    const int flags = O_WRONLY | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC | (waitforreader ? 0 : O_NONBLOCK);
    descriptor fd(::openat(directory, base.c_str(), flags));
    if (fd.get() < 0 && errno == ENXIO && !waitforreader) return ended(replaceoutcome::noreader);
    if (fd.get() < 0) return failure(errno);
    if (!waitforreader) ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    if (!text([&fd](std::string_view piece) { return writeall(fd.get(), piece); })) return failure(errno ? errno : EIO);
    return ended(replaceoutcome::replaced);
}

replaceresult writedescriptor(int fd, const textsource& text) {
    errno = 0;
    if (!text([fd](std::string_view piece) { return writeall(fd, piece); })) return failure(errno ? errno : EIO);
    return ended(replaceoutcome::replaced);
}

bool sameentry(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

bool unchangedentry(const struct stat& st, const fileidentity& expected) {
    return st.st_dev == expected.device && st.st_ino == expected.inode && st.st_size == expected.size &&
           st.st_mtim.tv_sec == expected.modified.tv_sec && st.st_mtim.tv_nsec == expected.modified.tv_nsec;
}

fileidentity identityofstat(const struct stat& st) { return {st.st_dev, st.st_ino, st.st_size, st.st_mtim, true}; }

// Where the new text goes: an open folder and the name in it, and a path to that name for
// the calls that take paths.
struct placement {
    int folder = -1;
    std::string base;
    std::string path;
};

// The folder of a path the user named whole: a link at its end is followed to the file it
// names, and that file's folder is opened.
replaceresult placenamed(const std::string& path, placement& place) {
    std::string target = path;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (!::realpath(path.c_str(), resolved)) return ended(replaceoutcome::danglinglink, errno);
        target = resolved;
    }
    const size_t slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    place.base = slash == std::string::npos ? target : target.substr(slash + 1);
    if (place.base.empty()) return failure(EISDIR);
    place.folder = opendirectory(folder);
    if (place.folder < 0) return failure(errno);
    place.path = folder + "/" + place.base;
    return ended(replaceoutcome::replaced);
}

// The folder of a derived name: the named part opened with its links followed, then each
// derived folder below it opened without following a link (and made when it is missing and
// folders are to be made).
replaceresult placederived(const std::string& path, const replaceoptions& options, placement& place) {
    const size_t named = std::min(options.namedlength, path.size());
    std::string folder = path.substr(0, named);
    if (folder.empty() && !path.empty() && path[0] == '/') folder = "/";
    descriptor current(opendirectory(folder));
    if (current.get() < 0) return failure(errno);
    std::vector<std::string> levels;
    for (size_t at = named; at < path.size();) {
        const size_t end = std::min(path.find('/', at), path.size());
        if (end > at && path.compare(at, end - at, ".") != 0) levels.push_back(path.substr(at, end - at));
        at = end + 1;
    }
    if (levels.empty() || path.back() == '/') return failure(EISDIR);
    place.base = levels.back();
    levels.pop_back();
    std::string walked = folder;
    int fd = current.release();
    for (const std::string& level : levels) {
        walked = walked.empty() ? level : walked.back() == '/' ? walked + level : walked + "/" + level;
        if (level == "..") {
            ::close(fd);
            return failure(EINVAL);
        }
        if (options.makefolders && ::mkdirat(fd, level.c_str(), 0777) != 0 && errno != EEXIST) {
            const int error = errno;
            ::close(fd);
            return failure(error);
        }
        int next = ::openat(fd, level.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0) {
            const int error = errno;
            struct stat st {};
            const bool link = ::fstatat(fd, level.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode);
            ::close(fd);
            if (link) return ended(replaceoutcome::derivedlink, ELOOP, walked);
            return failure(error);
        }
        ::close(fd);
        fd = next;
    }
    place.folder = fd;
    place.path = walked.empty() ? place.base : walked.back() == '/' ? walked + place.base : walked + "/" + place.base;
    return ended(replaceoutcome::replaced);
}

// A path to the name in the open folder that does not pass through the folder's path again.
std::string pathbyfolder(const placement& place) {
    static const bool proc = ::access("/proc/self/fd", X_OK) == 0;
    if (!proc) return place.path;
    return "/proc/self/fd/" + std::to_string(place.folder) + "/" + place.base;
}

// Whether unnamed temporary files can be given a name afterwards: through /proc.
bool unnamedfilesusable() {
    static const bool usable = ::access("/proc/self/fd", X_OK) == 0;
    return usable;
}

// Up to nine decimal digits: a descriptor number.
bool isdescriptornumber(const std::string& text) {
    return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
}

// The descriptor that the name spells as it stands, its slashes aside: /dev/stdin,
// /dev/stdout, /dev/stderr, /dev/fd/N, /proc/self/fd/N, /proc/thread-self/fd/N; else -1.
int spelleddescriptor(const std::string& path) {
    std::string normal;
    for (char c : path)
        if (c != '/' || normal.empty() || normal.back() != '/') normal += c;
    if (normal == "/dev/stdin") return 0;
    if (normal == "/dev/stdout") return 1;
    if (normal == "/dev/stderr") return 2;
    for (const char* prefix : {"/dev/fd/", "/proc/self/fd/", "/proc/thread-self/fd/"}) {
        const std::string_view head(prefix);
        if (normal.size() <= head.size() || normal.compare(0, head.size(), head) != 0) continue;
        const std::string digits = normal.substr(head.size());
        return isdescriptornumber(digits) ? std::stoi(digits) : -1;
    }
    return -1;
}

// The resolved folder of this process's descriptors: /proc/PID/fd or /proc/PID/task/TID/fd.
bool isowndescriptorfolder(const std::string& folder) {
    const std::string own = "/proc/" + std::to_string(::getpid());
    if (folder == own + "/fd") return true;
    const std::string tasks = own + "/task/";
    if (folder.size() <= tasks.size() + 3 || folder.compare(0, tasks.size(), tasks) != 0 || !folder.ends_with("/fd"))
        return false;
    return isdescriptornumber(folder.substr(tasks.size(), folder.size() - tasks.size() - 3));
}

}  // namespace

fileidentity identityof(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return {};
    return identityofstat(st);
}

fileidentity identityofpath(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return {};
    return identityofstat(st);
}

bool samefile(const fileidentity& a, const fileidentity& b) {
    return a.known && b.known && a.device == b.device && a.inode == b.inode;
}

bool unchangedfile(const fileidentity& a, const fileidentity& b) {
    return samefile(a, b) && a.size == b.size && a.modified.tv_sec == b.modified.tv_sec &&
           a.modified.tv_nsec == b.modified.tv_nsec;
}

int descriptorofname(const std::string& path) {
    // However the name is spelled (a "." or ".." on the way, links to such names), what it
    // leads to is decided by the folder it resolves to.
    std::string name = path;
    for (int links = 0; links <= 40; ++links) {
        const int spelled = spelleddescriptor(name);
        if (spelled >= 0) return spelled;
        const size_t slash = name.find_last_of('/');
        const std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
        if (base.empty() || base == "." || base == "..") return -1;
        const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : name.substr(0, slash);
        char resolved[PATH_MAX];
        if (!::realpath(folder.c_str(), resolved)) return -1;
        const std::string at = (std::string(resolved) == "/" ? "" : std::string(resolved)) + "/" + base;
        if (isowndescriptorfolder(resolved) && isdescriptornumber(base)) return std::stoi(base);
        if (const int inresolved = spelleddescriptor(at); inresolved >= 0) return inresolved;
        struct stat st {};
        if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return -1;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(at.c_str(), target, sizeof target);
        if (length <= 0 || length >= static_cast<ssize_t>(sizeof target)) return -1;
        const std::string next(target, static_cast<size_t>(length));
        name = next[0] == '/' ? next : std::string(resolved) + "/" + next;
    }
    return -1;
}

textsource wholetext(std::string_view text) {
    return [text](const piecewriter& write) { return write(text); };
}

int opendirectory(const std::string& path) {
    return ::open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

temporaryfile::temporaryfile(int directoryfd, const std::string& base) : directory(directoryfd), base(base) {
    if (unnamedfilesusable()) {
        descriptor = ::openat(directory, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (descriptor >= 0) {
            unnamed = true;
            return;
        }
        // File systems without unnamed files get a named one; every other error is final.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = hiddenname(base);
        slot = registerpending(directory, name);
        descriptor = ::openat(directory, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (descriptor >= 0) return;
        int error = errno;
        unregisterpending(slot);
        slot = -1;
        errno = error;
        if (error != EEXIST) return;
    }
}

temporaryfile::~temporaryfile() {
    int error = errno;
    if (descriptor >= 0) ::close(descriptor);
    if (slot >= 0) {
        ::unlinkat(directory, name.c_str(), 0);
        unregisterpending(slot);
    }
    errno = error;
}

bool temporaryfile::write(std::string_view text) { return writeall(descriptor, text); }

bool temporaryfile::linkunnamed(const std::string& target) {
    const std::string self = "/proc/self/fd/" + std::to_string(descriptor);
    return ::linkat(AT_FDCWD, self.c_str(), directory, target.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

bool temporaryfile::putinplace(const std::string& target, bool noreplace) {
    if (descriptor >= 0 && ::fsync(descriptor) != 0) return false;
    if (unnamed) {
        if (descriptor < 0) {
            errno = EBADF;
            return false;
        }
        if (noreplace) {
            if (!linkunnamed(target)) return false;
        } else {
            // A name only for the moment of the rename, which replaces the target at once.
            bool linked = false;
            for (int attempt = 0; attempt < 100 && !linked; ++attempt) {
                name = hiddenname(base);
                slot = registerpending(directory, name);
                linked = linkunnamed(name);
                if (linked) break;
                const int error = errno;
                unregisterpending(slot);
                slot = -1;
                errno = error;
                if (error != EEXIST) return false;
            }
            if (!linked) return false;
            if (::renameat(directory, name.c_str(), directory, target.c_str()) != 0) return false;
        }
        unregisterpending(slot);
        slot = -1;
        ::close(descriptor);
        descriptor = -1;
        ::fsync(directory);
        return true;
    }
    if (descriptor >= 0) {
        int fd = descriptor;
        descriptor = -1;
        if (::close(fd) != 0) return false;
    }
    if (noreplace) {
        // A hard link fails when the name is taken, and the temporary name then goes.
        if (::linkat(directory, name.c_str(), directory, target.c_str(), 0) != 0) return false;
        ::unlinkat(directory, name.c_str(), 0);
    } else if (::renameat(directory, name.c_str(), directory, target.c_str()) != 0) {
        return false;
    }
    unregisterpending(slot);
    slot = -1;
    ::fsync(directory);
    return true;
}

replaceresult replacefile(const std::string& path, const textsource& text, const fileidentity& expected) {
    replaceoptions options;
    options.expected = expected;
    return replacefile(path, text, options);
}

replaceresult replacefile(const std::string& path, const textsource& text, const replaceoptions& options) {
    const bool derived = options.namedlength != std::string::npos;
    if (!derived) {
        const int fd = descriptorofname(path);
        if (fd >= 0) return writedescriptor(fd, text);
    }
    placement place;
    replaceresult placed = derived ? placederived(path, options, place) : placenamed(path, place);
    if (placed.outcome != replaceoutcome::replaced) return placed;
    descriptor directory(place.folder);
    const std::string& base = place.base;
    const fileidentity& expected = options.expected;

    struct stat old {};
    const bool exists = ::fstatat(directory.get(), base.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (!exists && errno != ENOENT) return failure(errno);
    if (expected.known && (!exists || !unchangedentry(old, expected))) return ended(replaceoutcome::changed);
    if (exists && S_ISLNK(old.st_mode)) {
        // A derived name is never followed; a named one was resolved above, so a link here
        // was put there meanwhile.
        if (derived) return ended(replaceoutcome::derivedlink, ELOOP);
        return failure(ELOOP);
    }
    if (exists && S_ISDIR(old.st_mode)) return failure(EISDIR);
    if (exists && !S_ISREG(old.st_mode)) {
        // A pipe or device the user named takes the text; one at a derived name is no output.
        if (derived) return ended(replaceoutcome::notregular);
        return writeinplace(directory.get(), base, text, options.waitforreader);
    }
    if (exists && old.st_nlink > 1) return ended(replaceoutcome::hardlinked);
    if (exists && ::faccessat(directory.get(), base.c_str(), W_OK, AT_EACCESS) != 0) return failure(errno);

    temporaryfile temporary(directory.get(), base);
    if (temporary.fd() < 0) return failure(errno);
    bool ready = exists ? keepattributes(temporary.fd(), pathbyfolder(place), old)
                        : ::fchmod(temporary.fd(), newfilemode()) == 0;
    if (!ready) return failure(errno);
    errno = 0;
    if (!text([&temporary](std::string_view piece) { return temporary.write(piece); }))
        return failure(errno ? errno : EIO);

    // The name must still lead to the file whose attributes were taken, as it was then.
    struct stat now {};
    if (exists) {
        if (::fstatat(directory.get(), base.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0 || !sameentry(now, old))
            return ended(replaceoutcome::changed);
        if (expected.known && !unchangedentry(now, expected)) return ended(replaceoutcome::changed);
        if (now.st_nlink > 1) return ended(replaceoutcome::hardlinked);
    }
    replaceresult done = ended(replaceoutcome::replaced);
    if (exists) done.before = identityofstat(old);
    done.after = identityof(temporary.fd());
    if (!temporary.putinplace(base, false)) return failure(errno);
    return done;
}
