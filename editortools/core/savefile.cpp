// Whole-file reading and atomic writing.
#include "core/savefile.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

QString qtpath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

// A device or a pipe is written where it is, never replaced by a file. A pipe without a
// reader fails at once rather than waiting for one.
bool writedevice(const std::string& path, const std::string& text) {
    int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0;
    for (size_t done = 0; ok && done < text.size();) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n > 0) done += static_cast<size_t>(n);
        else if (n < 0 && errno != EINTR) ok = false;
    }
    return ::close(fd) == 0 && ok;
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace

std::string LoadFile(const std::string& path) {
    if (path.empty()) return "";
    // Non-blocking, so that a pipe without a writer does not hold the program.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return "";
    struct stat st {};
    std::string text;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    char chunk[65536];
    while (ok) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n > 0) text.append(chunk, static_cast<size_t>(n));
        else if (n == 0) break;
        else if (errno != EINTR) ok = false;
    }
    ::close(fd);
    return ok ? text : "";
}

bool SaveFile(const std::string& path, const std::string& text) {
    if (path.empty()) return false;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) return writedevice(path, text);
    QSaveFile file(qtpath(path));
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::string SaveCopyAside(const std::string& path, const std::string& text) {
    for (int n = 0; n < 1000; ++n) {
        std::string copy = path + ".bad" + (n ? std::to_string(n) : "");
        if (exists(copy)) continue;
        return SaveFile(copy, text) ? copy : "";
    }
    return "";
}
