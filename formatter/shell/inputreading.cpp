// Input reading: files keep their line terminators, the clipboard and a handed-over text are
// split into lines without them; -el then -sl cut the lines as read.
#include "inputreading.h"

#include "messages.h"
#include "support.h"

#include "globals.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// Reads the descriptor to its end into text, up to maxinputsize bytes; false with errno on a
// read error, or with EFBIG when there is more.
bool readbounded(int fd, std::string& text) {
    char chunk[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        if (text.size() + static_cast<size_t>(n) > maxinputsize) {
            errno = EFBIG;
            return false;
        }
        text.append(chunk, static_cast<size_t>(n));
    }
}

[[noreturn]] void failread(const std::string& name, int error) {
    if (error == EFBIG) die("can't read " + name + ": the input is larger than 1 GB\n");
    die("can't read " + name + ": " + std::strerror(error) + "\n");
}

// The file's text, whole, and which file it was. Only regular files and pipes are read.
void readfile(const std::string& name, std::string& text, fileidentity& identity) {
    // A name the user gives is opened as it stands, whatever characters it begins with.
    int fd = ::open(name.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) die("can't open " + name + ": " + errnotext() + "\n");
    struct stat st {};
    int error = ::fstat(fd, &st) == 0 ? 0 : errno;
    if (error == 0 && S_ISDIR(st.st_mode)) error = EISDIR;
    if (error != 0) {
        ::close(fd);
        die("can't open " + name + ": " + std::strerror(error) + "\n");
    }
    if (!S_ISREG(st.st_mode) && !S_ISFIFO(st.st_mode)) {
        ::close(fd);
        die("can't open " + name + ": it is neither a regular file nor a pipe\n");
    }
    if (S_ISREG(st.st_mode) && static_cast<uintmax_t>(st.st_size) > maxinputsize) {
        ::close(fd);
        failread(name, EFBIG);
    }
    identity = identityof(fd);
    // Room for the whole file at once: the text is not moved while it grows.
    if (S_ISREG(st.st_mode)) text.reserve(static_cast<size_t>(st.st_size));
    bool read = readbounded(fd, text);
    error = errno;
    ::close(fd);
    if (!read) failread(name, error);
}

void readstandardinput(std::string& text) {
    if (standardinputclosed) failread("stdin", EBADF);
    if (!readbounded(STDIN_FILENO, text)) failread("stdin", errno);
}

std::vector<std::string> readclipboard() {
    std::string text, reason;
    if (getclipboardtext(text, &reason) < 0) die("can't open clipboard: " + reason + "\n");
    return splitlines(text);
}

std::vector<std::string> splitpreset(const std::string& preset) {
    std::string text;
    text.reserve(preset.size());
    for (size_t i = 0; i < preset.size(); ++i) {
        if (preset[i] == '\r' && i + 1 < preset.size() && preset[i + 1] == '\n') continue;
        text += preset[i];
    }
    return splitlines(text);
}

// Both numbers count the lines as read, from 1; a start beyond the end leaves no line.
void cuttorange(std::vector<std::string>& lines, int32_t first, int32_t last) {
    if (last > 0 && lines.size() > static_cast<size_t>(last)) lines.resize(static_cast<size_t>(last));
    if (first > 1) {
        size_t drop = std::min(lines.size(), static_cast<size_t>(first) - 1);
        lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(drop));
    }
}

}  // namespace

inputtext readinput(const settings& s, const std::string& handedover) {
    const std::string& name = s.inputfile;
    std::string source = lc(name);
    inputtext in;
    std::vector<std::string> lines;
    // Lines of the clipboard and of a handed-over text lose their ends, so a line feed joins them.
    std::string joint;
    // Read streams keep their line ends: without a range cut, their text stays whole.
    const bool whole = s.sl <= 1 && s.el <= 0;
    if (source == "stdin") {
        readstandardinput(in.text);
        if (whole) return in;
        lines = splitkeepingends(in.text);
    } else if (source == "clipboard") {
        lines = readclipboard();
        joint.assign(1, '\n');
    } else if (name.empty() && !handedover.empty()) {
        lines = splitpreset(handedover);
        joint.assign(1, '\n');
    } else {
        readfile(name, in.text, in.identity);
        if (whole) return in;
        lines = splitkeepingends(in.text);
        in.bytes = std::move(in.text);   // the bytes as read stay for the backup
        in.cut = true;
    }
    cuttorange(lines, s.sl, s.el);
    in.text = join(lines, joint);
    return in;
}
