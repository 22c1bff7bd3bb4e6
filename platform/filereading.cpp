// Whole files read by the rule for brelm's inputs: regular files and pipes, bounded.
#include "filereading.h"

#include "pagememory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

class openfile {
public:
    explicit openfile(int fd) : fd(fd) {}
    ~openfile() {
        if (fd >= 0) ::close(fd);
    }
    openfile(const openfile&) = delete;
    openfile& operator=(const openfile&) = delete;
    int get() const { return fd; }

private:
    int fd;
};

// Appends up to limit bytes in all from fd; false with errno on a read error, or with EFBIG
// when there is more.
bool readbounded(int fd, std::string& text, size_t limit) {
    char chunk[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        if (text.size() + static_cast<size_t>(n) > limit) {
            errno = EFBIG;
            return false;
        }
        text.append(chunk, static_cast<size_t>(n));
    }
}

// A pipe opened without waiting: when nothing writes to it, a read ends at once. The first
// bytes, if any, are kept; false when no writer holds it.
bool pipehaswriter(int fd, std::string& text) {
    char chunk[4096];
    for (;;) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno == EAGAIN;  // a writer, and nothing written yet
        if (n == 0) return false;
        text.append(chunk, static_cast<size_t>(n));
        return true;
    }
}

std::string sizetext(size_t limit) {
    if (limit >= (size_t(1) << 30) && limit % (size_t(1) << 30) == 0) return std::to_string(limit >> 30) + " GB";
    if (limit >= (size_t(1) << 20) && limit % (size_t(1) << 20) == 0) return std::to_string(limit >> 20) + " MB";
    return std::to_string(limit) + " bytes";
}

}  // namespace

readresult readwholefile(const std::string& name, std::string& text, const readrules& rules) {
    readresult result;
    const bool wait = rules.waitforwriter && !rules.regularonly;
    const int flags = O_RDONLY | O_NOCTTY | O_CLOEXEC | (rules.followlink ? 0 : O_NOFOLLOW) | (wait ? 0 : O_NONBLOCK);
    openfile fd(name.empty() ? -1 : ::open(name.c_str(), flags));
    if (fd.get() < 0) {
        result.outcome = readoutcome::notopened;
        result.error = name.empty() ? ENOENT : errno;
        return result;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) {
        result.outcome = readoutcome::notopened;
        result.error = S_ISDIR(st.st_mode) ? EISDIR : errno;
        return result;
    }
    result.identity = identityof(fd.get());
    if (!S_ISREG(st.st_mode) && (rules.regularonly || !S_ISFIFO(st.st_mode))) {
        result.outcome = readoutcome::refused;
        result.refusal = rules.regularonly ? "it is not a regular file" : "it is neither a regular file nor a pipe";
        return result;
    }
    if (S_ISREG(st.st_mode) && static_cast<uintmax_t>(st.st_size) > rules.limit) {
        result.outcome = readoutcome::toolarge;
        return result;
    }
    if (!wait) {
        if (S_ISFIFO(st.st_mode) && !pipehaswriter(fd.get(), text)) {
            result.outcome = readoutcome::refused;
            result.refusal = "no program writes to the pipe";
            return result;
        }
        // From here on the reads wait for the writer.
        ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    }
    // Room for the whole file at once: the text is not moved while it grows.
    if (S_ISREG(st.st_mode)) reservetext(text, text.size() + static_cast<size_t>(st.st_size));
    if (text.size() > rules.limit || !readbounded(fd.get(), text, rules.limit)) {
        result.outcome = text.size() > rules.limit || errno == EFBIG ? readoutcome::toolarge : readoutcome::failed;
        result.error = errno;
    }
    return result;
}

std::string readfailure(const readresult& result, size_t limit) {
    switch (result.outcome) {
    case readoutcome::read: return "";
    case readoutcome::refused: return result.refusal;
    case readoutcome::toolarge: return "the file is larger than " + sizetext(limit);
    case readoutcome::notopened:
    case readoutcome::failed: break;
    }
    return std::strerror(result.error);
}

std::string replacefailure(const replaceresult& result) {
    switch (result.outcome) {
    case replaceoutcome::hardlinked: return "it has more than one hard link";
    case replaceoutcome::danglinglink: return "it is a symbolic link that leads to no file";
    case replaceoutcome::notregular: return "it is not a regular file";
    case replaceoutcome::noreader: return "no program reads from the pipe";
    case replaceoutcome::derivedlink: return (result.link.empty() ? "it" : result.link) + " is a symbolic link";
    case replaceoutcome::changed: return "it changed while it was being written";
    case replaceoutcome::replaced:
    case replaceoutcome::failed: break;
    }
    return std::strerror(result.error);
}
