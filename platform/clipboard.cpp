// The system clipboard through wl-paste/wl-copy, xclip or xsel, run with fork and exec
// (no shell), or through the file that BRELM_CLIPBOARD_FILE names.
#include "clipboard.h"

#include "process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

struct clipboardtool {
    const char* reader;
    std::vector<std::string> readargs;
    const char* writer;
    std::vector<std::string> writeargs;
    const char* display;  // environment variable the tool needs
};

const clipboardtool tools[] = {
    {"wl-paste", {"--no-newline", "--type", "text"}, "wl-copy", {}, "WAYLAND_DISPLAY"},
    {"xclip", {"-selection", "clipboard", "-o"}, "xclip", {"-selection", "clipboard", "-i"}, "DISPLAY"},
    {"xsel", {"--clipboard", "--output"}, "xsel", {"--clipboard", "--input"}, "DISPLAY"},
};

std::string envtext(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The first tool on PATH whose display is set; otherwise why there is none.
const clipboardtool* choosetool(bool writing, std::string& path, clipboardstatus& status, std::string& reason) {
    const clipboardtool* foundwithoutdisplay = nullptr;
    for (const clipboardtool& tool : tools) {
        std::string found = findonpath(writing ? tool.writer : tool.reader);
        if (found.empty()) continue;
        if (envtext(tool.display).empty()) {
            if (!foundwithoutdisplay) foundwithoutdisplay = &tool;
            continue;
        }
        path = found;
        return &tool;
    }
    if (foundwithoutdisplay) {
        status = clipboardstatus::nodisplay;
        reason = std::string("no display for ") + (writing ? foundwithoutdisplay->writer : foundwithoutdisplay->reader) +
                 " (" + foundwithoutdisplay->display + " is not set)";
    } else {
        status = clipboardstatus::notool;
        reason = "no clipboard tool found (wl-paste/wl-copy, xclip or xsel)";
    }
    return nullptr;
}

std::string firstline(const std::string& text) {
    size_t end = text.find_first_of("\r\n");
    return text.substr(0, end);
}

// Why the tool failed, or "" when it succeeded.
std::string toolfailure(const char* name, const processresult& run) {
    if (!run.started || !run.finished) return std::string(name) + ": " + run.failure;
    if (WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0) return "";
    std::string said = firstline(run.err);
    if (!said.empty()) return std::string(name) + ": " + said;
    if (WIFSIGNALED(run.status)) return std::string(name) + " was ended by signal " + std::to_string(WTERMSIG(run.status));
    return std::string(name) + " failed with exit status " + std::to_string(WEXITSTATUS(run.status));
}

// What the readers say when the clipboard simply holds no text.
bool saysempty(const std::string& err) {
    for (const char* phrase : {"Nothing is copied", "No selection", "No suitable type", "not available"})
        if (err.find(phrase) != std::string::npos) return true;
    return false;
}

clipboardstatus readfile(const std::string& name, std::string& text, std::string& reason) {
    text.clear();
    int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return clipboardstatus::done;  // nothing copied yet
        reason = name + ": " + std::strerror(errno);
        return clipboardstatus::failed;
    }
    char chunk[65536];
    for (;;) {
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n > 0) {
            text.append(chunk, static_cast<size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            int error = n < 0 ? errno : 0;
            close(fd);
            if (!error) return clipboardstatus::done;
            text.clear();
            reason = name + ": " + std::strerror(error);
            return clipboardstatus::failed;
        }
    }
}

clipboardstatus writefile(const std::string& name, std::string_view text, std::string& reason) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    if (out) out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (out) out.close();
    if (!out) {
        reason = name + ": " + std::strerror(errno);
        return clipboardstatus::failed;
    }
    return clipboardstatus::done;
}

}  // namespace

clipboardstatus readclipboard(std::string& text, std::string& reason) {
    text.clear();
    std::string file = envtext("BRELM_CLIPBOARD_FILE");
    if (!file.empty()) return readfile(file, text, reason);

    std::string path;
    clipboardstatus status = clipboardstatus::failed;
    const clipboardtool* tool = choosetool(false, path, status, reason);
    if (!tool) return status;
    processrun reader;
    reader.path = path;
    reader.arguments = tool->readargs;
    processresult run = runprocess(reader);
    std::string failure = toolfailure(tool->reader, run);
    if (failure.empty()) {
        text = std::move(run.out);
        return clipboardstatus::done;
    }
    if (run.finished && run.out.empty() && saysempty(run.err)) return clipboardstatus::done;
    reason = failure;
    return clipboardstatus::failed;
}

clipboardstatus writeclipboard(std::string_view text, std::string& reason) {
    std::string file = envtext("BRELM_CLIPBOARD_FILE");
    if (!file.empty()) return writefile(file, text, reason);

    std::string path;
    clipboardstatus status = clipboardstatus::failed;
    const clipboardtool* tool = choosetool(true, path, status, reason);
    if (!tool) return status;
    // Writers keep the selection in a process of their own, which inherits stderr.
    processrun writer;
    writer.path = path;
    writer.arguments = tool->writeargs;
    writer.input = text;
    writer.keepoutput = false;
    writer.waitforerrorend = false;
    processresult run = runprocess(writer);
    reason = toolfailure(tool->writer, run);
    return reason.empty() ? clipboardstatus::done : clipboardstatus::failed;
}
