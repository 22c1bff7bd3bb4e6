// File access of the preprocessor over the POSIX calls.
#include "cppfiles.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cpperrors.h"

namespace {

[[noreturn]] void filefailure(const std::string& name, int error) {
    throw preprocesserror(name + ": " + std::strerror(error));
}

[[noreturn]] void toolarge(const std::string& name) { throw preprocesserror(name + ": the file is larger than 1 GB"); }

void refuseunlessregular(const std::string& name, const struct stat& info) {
    if (S_ISDIR(info.st_mode)) filefailure(name, EISDIR);
    if (!S_ISREG(info.st_mode)) throw preprocesserror(name + ": it is not a regular file");
    if (static_cast<uint64_t>(info.st_size) > maximumfilesize) toolarge(name);
}

// Closes the descriptor when it goes out of scope.
class descriptor {
public:
    explicit descriptor(int fd) : fd(fd) {}
    ~descriptor() {
        if (fd >= 0) close(fd);
    }
    descriptor(const descriptor&) = delete;
    descriptor& operator=(const descriptor&) = delete;
    int get() const { return fd; }
    // Closes now; false (errno set) when the close fails.
    bool release() {
        int closing = fd;
        fd = -1;
        return close(closing) == 0;
    }

private:
    int fd;
};

}  // namespace

// A file the library reads must be a regular file of bounded size: a device such as
// /dev/zero never ends, and a FIFO may never be opened by a writer. The type is checked before
// the open, so that no device is opened at all, and again on the open file, which is opened
// without waiting in case a FIFO took the name meanwhile.
std::string readwholefile(const std::string& name) {
    struct stat info;
    if (stat(name.c_str(), &info) != 0) filefailure(name, errno);
    refuseunlessregular(name, info);
    descriptor file(open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.get() < 0) filefailure(name, errno);
    if (fstat(file.get(), &info) != 0) filefailure(name, errno);
    refuseunlessregular(name, info);
    std::string text;
    text.reserve(static_cast<size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t count = read(file.get(), buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) filefailure(name, errno);
        if (count == 0) break;
        // The file may have grown since it was examined.
        if (text.size() + static_cast<size_t>(count) > maximumfilesize) toolarge(name);
        text.append(buffer, static_cast<size_t>(count));
    }
    return text;
}

std::string readtextfile(const std::string& name) {
    std::string text = readwholefile(name);
    if (text.find('\0') != std::string::npos) throw preprocesserror(name + ": the file holds a NUL byte");
    return text;
}

bool fileexists(const std::string& name) {
    struct stat info;
    return stat(name.c_str(), &info) == 0;
}

bool nameexists(const std::string& name) {
    struct stat info;
    return lstat(name.c_str(), &info) == 0;
}

bool isplainfile(const std::string& name) {
    struct stat info;
    return lstat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<int64_t> lastwritetime(const std::string& name) {
    struct stat info;
    if (stat(name.c_str(), &info) != 0) return std::nullopt;
    return static_cast<int64_t>(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000;
}

void writewholefile(const std::string& name, std::string_view content) {
    std::string temporary = name + ".XXXXXX";
    descriptor file(mkstemp(temporary.data()));
    if (file.get() < 0) filefailure(name, errno);
    int error = 0;
    for (size_t written = 0; written < content.size() && error == 0;) {
        ssize_t count = write(file.get(), content.data() + written, content.size() - written);
        if (count < 0 && errno != EINTR) error = errno;
        else if (count > 0) written += static_cast<size_t>(count);
    }
    if (!file.release() && error == 0) error = errno;
    if (error == 0 && std::rename(temporary.c_str(), name.c_str()) != 0) error = errno;
    if (error != 0) {
        unlink(temporary.c_str());
        filefailure(name, error);
    }
}
