// Whole-file reading, and writing through the platform's atomic replacement.
#include "core/savefile.h"

#include "replacefile.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// A device or a pipe is written where it is, never replaced by a file. A pipe without a
// reader fails at once rather than waiting for one; one whose reader stops reading is waited
// on only until a signal comes (poll is never restarted after one).
bool writedevice(const std::string& path, const std::string& text) {
    int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = true;
    for (size_t done = 0; ok && done < text.size();) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else if (n < 0 && errno == EAGAIN) {
            pollfd ready{fd, POLLOUT, 0};
            ok = ::poll(&ready, 1, -1) > 0;
        } else if (n < 0 && errno != EINTR) {
            ok = false;
        }
    }
    return ::close(fd) == 0 && ok;
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// SIGTERM, SIGINT and SIGHUP wait while a file is replaced, so that a run they end leaves
// either the old file or the new one, and no temporary file.
class SignalsHeld {
public:
    SignalsHeld() {
        sigset_t held;
        sigemptyset(&held);
        for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&held, signal);
        ::pthread_sigmask(SIG_BLOCK, &held, &previous);
    }
    ~SignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &previous, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t previous;
};

bool allzero(std::string_view bytes, size_t from) {
    for (size_t i = from; i < bytes.size(); i += 2)
        if (bytes[i] != '\0') return false;
    return true;
}

}  // namespace

FileText ReadFileText(const std::string& path) {
    FileText file;
    // Non-blocking, so that a pipe without a writer does not hold the program.
    int fd = path.empty() ? -1 : ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        file.missing = path.empty() || errno == ENOENT || errno == ENOTDIR;
        file.problem = file.missing ? "does not exist" : std::string("cannot be read: ") + std::strerror(errno);
        return file;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) file.problem = std::string("cannot be read: ") + std::strerror(errno);
    else if (S_ISDIR(st.st_mode)) file.problem = "is a folder";
    else if (!S_ISREG(st.st_mode)) file.problem = "is not a regular file";
    char chunk[65536];
    while (file.problem.empty()) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n > 0) file.text.append(chunk, static_cast<size_t>(n));
        else if (n == 0) break;
        else if (errno != EINTR) file.problem = std::string("cannot be read: ") + std::strerror(errno);
    }
    ::close(fd);
    if (!file.problem.empty()) file.text.clear();
    return file;
}

std::string LoadFile(const std::string& path) { return ReadFileText(path).text; }

std::string FileProblem(const std::string& path, const std::string& problem) { return path + " " + problem; }

TextEncoding DetectEncoding(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) return TextEncoding::Utf16LittleEndian;
    if (bytes.starts_with("\xFE\xFF")) return TextEncoding::Utf16BigEndian;
    std::string_view start = bytes.substr(0, 64);
    if (start.size() < 2) return TextEncoding::Bytes;
    if (allzero(start, 1) && !allzero(start, 0)) return TextEncoding::Utf16LittleEndian;
    if (allzero(start, 0) && !allzero(start, 1)) return TextEncoding::Utf16BigEndian;
    return TextEncoding::Bytes;
}

std::string Utf16Problem(std::string_view bytes) {
    return DetectEncoding(bytes) == TextEncoding::Bytes ? "" : "is UTF-16 text";
}

std::string TextFileProblem(const FileText& file) { return file.Read() ? Utf16Problem(file.text) : file.problem; }

bool SaveFile(const std::string& path, const std::string& text) {
    if (path.empty()) return false;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return !S_ISDIR(st.st_mode) && writedevice(path, text);
    SignalsHeld held;
    return replacefile(path, wholetext(text)).outcome == replaceoutcome::replaced;
}

std::string SaveCopyAside(const std::string& path, const std::string& text) {
    for (int n = 0; n < 1000; ++n) {
        std::string copy = path + ".bad" + (n ? std::to_string(n) : "");
        if (exists(copy)) continue;
        return SaveFile(copy, text) ? copy : "";
    }
    return "";
}
