// The system clipboard through wl-paste/wl-copy, xclip or xsel, run with fork and exec
// (no shell), or through the file that BRELM_CLIPBOARD_FILE names.
#include "clipboard.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>
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

constexpr auto tooltimeout = std::chrono::seconds(10);

std::string envtext(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string findonpath(const std::string& name) {
    std::string path = envtext("PATH");
    size_t start = 0;
    for (;;) {
        size_t end = path.find(':', start);
        std::string dir = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        struct stat info;
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (end == std::string::npos) return "";
        start = end + 1;
    }
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

struct toolresult {
    bool finished = false;  // exited by itself within the time allowed
    int status = 0;         // wait status
    std::string out, err;
};

void readavailable(int fd, std::string& into, bool& open) {
    char chunk[4096];
    for (;;) {
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n > 0) {
            into.append(chunk, static_cast<size_t>(n));
            continue;
        }
        if (n == 0 || (errno != EAGAIN && errno != EINTR)) open = false;
        return;
    }
}

void closefd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

// Runs the tool with the arguments. With input, the input is written to its stdin and
// its stdout is discarded (writers may leave a process behind that keeps the selection,
// so only what stderr holds once the tool exits is read); without, stdout is collected.
toolresult runtool(const std::string& path, const std::vector<std::string>& args, const std::string_view* input,
                   std::string& reason) {
    toolresult result;
    int inpipe[2] = {-1, -1}, outpipe[2] = {-1, -1}, errpipe[2] = {-1, -1};
    if ((input && pipe2(inpipe, O_CLOEXEC) != 0) || (!input && pipe2(outpipe, O_CLOEXEC) != 0) ||
        pipe2(errpipe, O_CLOEXEC) != 0) {
        reason = std::string("can't run ") + path + ": " + std::strerror(errno);
        for (int* fd : {&inpipe[0], &inpipe[1], &outpipe[0], &outpipe[1], &errpipe[0], &errpipe[1]}) closefd(*fd);
        return result;
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    pid_t child = fork();
    if (child == 0) {
        int devnull = open("/dev/null", O_RDWR);
        dup2(input ? inpipe[0] : devnull, 0);
        dup2(input ? devnull : outpipe[1], 1);
        dup2(errpipe[1], 2);
        execv(path.c_str(), argv.data());
        const char* why = std::strerror(errno);
        ssize_t ignored = write(2, why, std::strlen(why));
        (void)ignored;
        _exit(127);
    }
    closefd(inpipe[0]);
    closefd(outpipe[1]);
    closefd(errpipe[1]);
    if (child < 0) {
        reason = std::string("can't run ") + path + ": " + std::strerror(errno);
        for (int* fd : {&inpipe[1], &outpipe[0], &errpipe[0]}) closefd(*fd);
        return result;
    }
    for (int fd : {inpipe[1], outpipe[0], errpipe[0]})
        if (fd >= 0) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);

    struct sigaction ignorepipe{}, previous{};
    ignorepipe.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignorepipe, &previous);

    auto deadline = std::chrono::steady_clock::now() + tooltimeout;
    size_t written = 0;
    bool outopen = outpipe[0] >= 0, erropen = !input;
    while (inpipe[1] >= 0 || outopen || erropen) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        std::vector<pollfd> fds;
        if (inpipe[1] >= 0) fds.push_back({inpipe[1], POLLOUT, 0});
        if (outopen) fds.push_back({outpipe[0], POLLIN, 0});
        if (erropen) fds.push_back({errpipe[0], POLLIN, 0});
        if (poll(fds.data(), fds.size(), static_cast<int>(left.count())) < 0 && errno != EINTR) break;
        for (const pollfd& p : fds) {
            if (!p.revents) continue;
            if (p.fd == inpipe[1]) {
                ssize_t n = write(inpipe[1], input->data() + written, input->size() - written);
                if (n > 0) written += static_cast<size_t>(n);
                if ((n < 0 && errno != EAGAIN && errno != EINTR) || written == input->size()) closefd(inpipe[1]);
            } else if (p.fd == outpipe[0]) {
                readavailable(outpipe[0], result.out, outopen);
            } else {
                readavailable(errpipe[0], result.err, erropen);
            }
        }
    }
    closefd(inpipe[1]);

    while (std::chrono::steady_clock::now() < deadline) {
        pid_t done = waitpid(child, &result.status, WNOHANG);
        if (done == child || (done < 0 && errno != EINTR)) {
            result.finished = done == child;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!result.finished) {
        kill(child, SIGKILL);
        waitpid(child, &result.status, 0);
        reason = std::string(path) + " did not finish";
    }
    bool open = true;
    readavailable(errpipe[0], result.err, open);
    closefd(outpipe[0]);
    closefd(errpipe[0]);
    sigaction(SIGPIPE, &previous, nullptr);
    return result;
}

std::string firstline(const std::string& text) {
    size_t end = text.find_first_of("\r\n");
    return text.substr(0, end);
}

// The reason a finished tool gives for failing, or "" when it succeeded.
std::string toolfailure(const char* name, const toolresult& run) {
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
    toolresult run = runtool(path, tool->readargs, nullptr, reason);
    if (!run.finished) return clipboardstatus::failed;
    std::string failure = toolfailure(tool->reader, run);
    if (failure.empty()) {
        text = std::move(run.out);
        return clipboardstatus::done;
    }
    if (run.out.empty() && saysempty(run.err)) return clipboardstatus::done;
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
    toolresult run = runtool(path, tool->writeargs, &text, reason);
    if (!run.finished) return clipboardstatus::failed;
    reason = toolfailure(tool->writer, run);
    return reason.empty() ? clipboardstatus::done : clipboardstatus::failed;
}
