// Running another program with fork and exec (no shell), with pipes polled for its
// standard streams and a time limit after which it is killed.
#include "process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

extern char** environ;

namespace {

using clock = std::chrono::steady_clock;

struct pipepair {
    int read = -1, write = -1;
    bool open() {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) return false;
        read = fds[0];
        write = fds[1];
        return true;
    }
};

void closefd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

void setnonblocking(int fd) {
    if (fd >= 0) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// Reads what the pipe holds now, stopping once into holds more than limit; clears open at its
// end or on an error.
void readavailable(int fd, std::string& into, bool& open, size_t limit = SIZE_MAX) {
    char chunk[65536];
    while (into.size() <= limit) {
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n > 0) {
            into.append(chunk, static_cast<size_t>(n));
            continue;
        }
        if (n == 0 || (errno != EAGAIN && errno != EINTR)) open = false;
        return;
    }
}

// Our environment with the changes applied, as "NAME=VALUE" texts.
std::vector<std::string> childenvironment(const std::map<std::string, std::optional<std::string>>& changes) {
    std::vector<std::string> entries;
    for (char** e = environ; e && *e; ++e) {
        std::string entry = *e;
        std::string name = entry.substr(0, entry.find('='));
        if (!changes.count(name)) entries.push_back(entry);
    }
    for (const auto& [name, value] : changes)
        if (value) entries.push_back(name + "=" + *value);
    return entries;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> list;
    for (std::string& t : texts) list.push_back(t.data());
    list.push_back(nullptr);
    return list;
}

// In the child, between fork and exec: only system calls.
[[noreturn]] void startchild(const processrun& run, const pipepair& in, const pipepair& out, const pipepair& err,
                             char** argv, char** envp) {
    // An ignored signal stays ignored across exec: the program gets the usual one back.
    signal(SIGXFSZ, SIG_DFL);
    int devnull = open("/dev/null", O_RDWR);
    dup2(run.input ? in.read : devnull, 0);
    dup2(run.keepoutput ? out.write : devnull, 1);
    dup2(err.write, 2);
    if (!run.directory.empty() && chdir(run.directory.c_str()) != 0) {
        const char text[] = "can't enter the working directory\n";
        ssize_t ignored = write(2, text, sizeof text - 1);
        (void)ignored;
        _exit(127);
    }
    execve(run.path.c_str(), argv, envp);
    const char text[] = "can't start the program\n";
    ssize_t ignored = write(2, text, sizeof text - 1);
    (void)ignored;
    _exit(127);
}

// Waits for the child until the deadline; kills it after that.
void reap(pid_t child, clock::time_point deadline, processresult& result) {
    for (;;) {
        pid_t done = waitpid(child, &result.status, WNOHANG);
        if (done == child) {
            result.finished = true;
            return;
        }
        if (done < 0 && errno != EINTR) return;
        if (clock::now() >= deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    kill(child, SIGKILL);
    waitpid(child, &result.status, 0);
    result.failure = "did not finish in time";
}

}  // namespace

processresult runprocess(const processrun& run) {
    processresult result;
    pipepair in, out, err;
    if ((run.input && !in.open()) || (run.keepoutput && !out.open()) || !err.open()) {
        result.failure = std::strerror(errno);
        for (int* fd : {&in.read, &in.write, &out.read, &out.write, &err.read, &err.write}) closefd(*fd);
        return result;
    }
    std::vector<std::string> argtexts{run.path};
    argtexts.insert(argtexts.end(), run.arguments.begin(), run.arguments.end());
    std::vector<std::string> envtexts = childenvironment(run.environment);
    std::vector<char*> argv = pointers(argtexts), envp = pointers(envtexts);

    pid_t child = fork();
    if (child == 0) startchild(run, in, out, err, argv.data(), envp.data());
    closefd(in.read);
    closefd(out.write);
    closefd(err.write);
    if (child < 0) {
        result.failure = std::strerror(errno);
        for (int* fd : {&in.write, &out.read, &err.read}) closefd(*fd);
        return result;
    }
    result.started = true;
    for (int fd : {in.write, out.read, err.read}) setnonblocking(fd);

    struct sigaction ignorepipe {
    }, previous{};
    ignorepipe.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignorepipe, &previous);

    const clock::time_point deadline = clock::now() + run.timeout;
    std::string_view input = run.input.value_or(std::string_view());
    size_t written = 0;
    bool outopen = out.read >= 0, erropen = true;
    if (in.write >= 0 && input.empty()) closefd(in.write);
    while ((in.write >= 0 || outopen || (erropen && run.waitforerrorend)) && result.out.size() <= run.outputlimit) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now());
        if (left.count() <= 0) break;
        std::vector<pollfd> fds;
        if (in.write >= 0) fds.push_back({in.write, POLLOUT, 0});
        if (outopen) fds.push_back({out.read, POLLIN, 0});
        if (erropen) fds.push_back({err.read, POLLIN, 0});
        if (poll(fds.data(), fds.size(), static_cast<int>(left.count())) < 0 && errno != EINTR) break;
        for (const pollfd& p : fds) {
            if (!p.revents) continue;
            if (p.fd == in.write) {
                ssize_t n = write(in.write, input.data() + written, input.size() - written);
                if (n > 0) written += static_cast<size_t>(n);
                if ((n < 0 && errno != EAGAIN && errno != EINTR) || written == input.size()) closefd(in.write);
            } else if (p.fd == out.read) {
                readavailable(out.read, result.out, outopen, run.outputlimit);
            } else {
                readavailable(err.read, result.err, erropen);
            }
        }
    }
    closefd(in.write);
    if (result.out.size() > run.outputlimit) kill(child, SIGKILL);
    reap(child, deadline, result);
    if (erropen) readavailable(err.read, result.err, erropen);
    if (outopen && result.out.size() <= run.outputlimit) readavailable(out.read, result.out, outopen, run.outputlimit);
    if (result.out.size() > run.outputlimit) {
        result.out.clear();
        result.finished = false;
        result.failure = "it wrote more than " + std::to_string(run.outputlimit) + " bytes";
    }
    closefd(out.read);
    closefd(err.read);
    sigaction(SIGPIPE, &previous, nullptr);
    return result;
}

std::string findonpath(const std::string& name) {
    const char* value = std::getenv("PATH");
    std::string path = value ? value : "";
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
