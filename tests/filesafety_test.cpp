// brelm and the files it reads and writes: links are not written through, nor followed where
// the program chose the name, a file changed meanwhile is not replaced, the replacement keeps
// owner, group, mode and attributes, hard links and read-only files are refused, a cut or
// changed text never replaces its own input, descriptor names write to their descriptor, and
// no signal leaves a temporary file behind.
#include "plsqlgenerator.h"
#include "programrun.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

namespace fs = std::filesystem;

const std::string done = " formatting is done.\n";
const std::string failed = " formatting failed because of errors.\n";
const std::string hint = "\n(Give -h as option if you want to see the usage info)\n";
const std::string source = "begin\nx:=1;\nend;\n";
const std::string formatted = "BEGIN\n  x := 1;\nEND;\n";
constexpr uid_t nobody = 65534;

class filesafety : public programtest {
protected:
    struct stat status(const std::string& name) {
        struct stat st {};
        ::lstat((folder / name).c_str(), &st);
        return st;
    }
    std::vector<std::string> names(const fs::path& directory) {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(directory)) found.push_back(entry.path().filename());
        std::sort(found.begin(), found.end());
        return found;
    }
    // Why brelm cannot run as a second user here, or "" when it can: as root, with setpriv,
    // and with brelm and libmarlox.so copied where the user nobody reaches them (the build
    // folder may lie in a folder of mode 0700).
    std::string secondaryuserrefusal() {
        if (::geteuid() != 0 || !fs::exists("/usr/bin/setpriv")) return "needs root and setpriv to run as a second user";
        if (!programs) {
            programs = std::make_unique<testfolder>();
            fs::permissions(programs->path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                                  fs::perms::others_read | fs::perms::others_exec);
            for (const auto& entry : fs::directory_iterator(fs::path(programfile("brelm")).parent_path())) {
                const std::string name = entry.path().filename().string();
                if (name == "brelm" || name.ends_with(".so")) fs::copy_file(entry.path(), programs->path() / name);
            }
        }
        if (!reachablebyall(programs->path()) || !reachablebyall(folder.parent_path()))
            return "the user nobody cannot reach " + programs->path().parent_path().string();
        return "";
    }
    // Runs brelm as the user nobody (after secondaryuserrefusal), in a folder nobody may use.
    programresult brelmasnobody(const std::vector<std::string>& arguments) {
        fs::permissions(folder, fs::perms::all);
        std::vector<std::string> wrapped{"--reuid=65534", "--regid=65534", "--clear-groups", "--",
                                         (programs->path() / "brelm").string()};
        wrapped.insert(wrapped.end(), arguments.begin(), arguments.end());
        return runprogram("/usr/bin/setpriv", wrapped, folder, std::nullopt, environment);
    }
    // True when every folder on the path lets every user search it.
    static bool reachablebyall(const fs::path& path) {
        for (fs::path at = fs::absolute(path);; at = at.parent_path()) {
            struct stat st {};
            if (::stat(at.c_str(), &st) != 0 || !(st.st_mode & S_IXOTH)) return false;
            if (at == at.root_path()) return true;
        }
    }
    std::unique_ptr<testfolder> programs;
    // Runs brelm as root without the capabilities that let root write any file.
    programresult brelmobeyingpermissions(const std::vector<std::string>& arguments) {
        if (::geteuid() != 0) return brelm(arguments);
        std::vector<std::string> wrapped{"--bounding-set=-dac_override,-dac_read_search", "--", programfile("brelm")};
        wrapped.insert(wrapped.end(), arguments.begin(), arguments.end());
        return runprogram("/usr/bin/setpriv", wrapped, folder, std::nullopt, environment);
    }

    // Runs brelm through the shell, after the redirections.
    programresult brelmredirected(const std::string& redirections, const std::vector<std::string>& arguments) {
        std::vector<std::string> wrapped{"-c", "exec \"$0\" \"$@\" " + redirections, programfile("brelm")};
        wrapped.insert(wrapped.end(), arguments.begin(), arguments.end());
        return runprogram("/bin/sh", wrapped, folder, std::nullopt, environment);
    }
    // Runs brelm with a settings file that is a pipe the test holds: once brelm has read what
    // the pipe holds (its listing of the masks before it is done), meanwhile runs (on another
    // thread: it may not throw), and then the pipe ends and the run goes on.
    programresult brelmholding(const std::vector<std::string>& arguments, const std::function<void()>& meanwhile) {
        const fs::path pipe = folder / "hold.cfg";
        if (::mkfifo(pipe.c_str(), 0600) != 0) return {};
        const int hold = ::open(pipe.c_str(), O_RDWR | O_CLOEXEC);
        if (hold < 0 || ::write(hold, "-sr\n", 4) != 4) return {};
        std::atomic<bool> ended{false};
        std::thread holder([&] {
            int waiting = 1;
            while (!ended && ::ioctl(hold, FIONREAD, &waiting) == 0 && waiting > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            meanwhile();
            ::close(hold);
        });
        std::vector<std::string> all = arguments;
        all.insert(all.end(), {"-ls", pipe.string()});
        programresult run = brelm(all);
        ended = true;
        holder.join();
        fs::remove(pipe);
        return run;
    }

    // Starts brelm in the test folder without waiting; its output goes nowhere.
    pid_t start(const std::vector<std::string>& arguments) {
        const std::string program = programfile("brelm");
        pid_t pid = ::fork();
        if (pid == 0) {
            if (::chdir(folder.c_str()) != 0) ::_exit(127);
            ::setenv("TMP", backups.path().c_str(), 1);
            int null = ::open("/dev/null", O_RDWR);
            ::dup2(null, 0);
            ::dup2(null, 1);
            ::dup2(null, 2);
            std::vector<char*> argv{const_cast<char*>(program.c_str())};
            for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        return pid;
    }
    // Waits until the process has a file open inside the folder (a file being written there),
    // or has ended; true in the first case.
    static bool writingin(pid_t pid, const std::string& inside) {
        const std::string descriptors = "/proc/" + std::to_string(pid) + "/fd";
        for (;;) {
            std::error_code error;
            for (const auto& entry : fs::directory_iterator(descriptors, error)) {
                std::error_code unreadable;
                const std::string target = fs::read_symlink(entry.path(), unreadable).string();
                if (target.size() > inside.size() + 1 && target.compare(0, inside.size() + 1, inside + "/") == 0 &&
                    target != inside + "/big.sql")
                    return true;
            }
            siginfo_t ended{};
            if (error || ::waitid(P_PID, static_cast<id_t>(pid), &ended, WEXITED | WNOHANG | WNOWAIT) != 0 ||
                ended.si_pid != 0)
                return false;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
    // The exit code, or 128 + the signal that ended it.
    static int finish(pid_t pid) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
};

// A recursive mask lists no file or folder that a link stands for, so nothing outside the
// tree is rewritten; a link named on the command line is followed.
TEST_F(filesafety, recursivemasksfollownolink) {
    writefile("tree/a.sql", source);
    writefile("outside/victim.sql", source);
    writefile("outside/deep/b.sql", source);
    fs::create_symlink(folder / "outside/victim.sql", folder / "tree/link.sql");
    fs::create_directory_symlink(folder / "outside/deep", folder / "tree/deeplink");
    programresult run = brelm({"-ior", "tree/*.sql", "-b", "0"});
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "tree/a.sql" + done);
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_EQ(readfile("tree/a.sql"), formatted);
    EXPECT_EQ(readfile("outside/victim.sql"), source);
    EXPECT_EQ(readfile("outside/deep/b.sql"), source);

    run = brelm({"-io", "tree/link.sql", "-b", "0"});
    EXPECT_EQ(run.err, "tree/link.sql" + done);
    EXPECT_TRUE(fs::is_symlink(folder / "tree/link.sql"));
    EXPECT_EQ(readfile("outside/victim.sql"), formatted);
}

// The name is swapped for a link while brelm waits to write its line synchronization file
// (a pipe the test reads only after the swap): the output is not written through the link.
TEST_F(filesafety, anameswappedforalinkisnotwrittenthrough) {
    std::string text;
    for (int k = 0; k < 20000; ++k) text += "x" + std::to_string(k) + " := 1;\n";   // more than a pipe holds
    writefile("a.sql", text);
    writefile("victim.sql", "untouched\n");
    ASSERT_EQ(::mkfifo((folder / "sync").c_str(), 0600), 0);
    pid_t pid = start({"-io", "a.sql", "-b", "0", "-slsf", "sync"});
    int reader = ::open((folder / "sync").c_str(), O_RDONLY);   // brelm has read a.sql now
    ASSERT_GE(reader, 0);
    fs::rename(folder / "a.sql", folder / "a.old");
    fs::create_symlink(folder / "victim.sql", folder / "a.sql");
    char buffer[1 << 16];
    while (::read(reader, buffer, sizeof buffer) > 0) {
    }
    ::close(reader);
    EXPECT_EQ(finish(pid), 255);
    EXPECT_EQ(readfile("victim.sql"), "untouched\n");
    EXPECT_TRUE(readfile("a.old") == text);
    EXPECT_EQ(names(folder), (std::vector<std::string>{"a.old", "a.sql", "sync", "victim.sql"}));
}

TEST_F(filesafety, achangedfileisnamedandnotreplaced) {
    writefile("b.sql", "other\n");
    // The same swap, shown through its message: a.sql is renamed away and b.sql takes its name.
    std::string text;
    for (int k = 0; k < 20000; ++k) text += "y := " + std::to_string(k) + ";\n";
    writefile("a.sql", text);
    ASSERT_EQ(::mkfifo((folder / "sync").c_str(), 0600), 0);
    std::thread swapper([this] {
        int reader = ::open((folder / "sync").c_str(), O_RDONLY);
        fs::rename(folder / "a.sql", folder / "a.old");
        fs::rename(folder / "b.sql", folder / "a.sql");
        char buffer[1 << 16];
        while (reader >= 0 && ::read(reader, buffer, sizeof buffer) > 0) {
        }
        if (reader >= 0) ::close(reader);
    });
    programresult run = brelm({"-io", "a.sql", "-b", "0", "-slsf", "sync"});
    swapper.join();
    EXPECT_EQ(run.err, "a.sql changed while it was being formatted\na.sql" + failed);
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_EQ(readfile("a.sql"), "other\n");
    EXPECT_TRUE(readfile("a.old") == text);
}

// A file of a recursive listing that is swapped for a link or a pipe, or whose folder is
// swapped for a link to another folder, after the listing and before it is read: it is not
// read through the link, nor waited on, and the files the links lead to stay as they were.
TEST_F(filesafety, alistedfileswappedforalinkisnotfollowed) {
    writefile("tree/a.sql", source);
    writefile("tree/c.sql", source);
    writefile("tree/sub/b.sql", source);
    writefile("victim.sql", source);
    writefile("elsewhere/b.sql", source);
    programresult run = brelmholding({"-ior", "tree/*.sql", "-soe-", "-b", "0"}, [this] {
        std::error_code error;
        fs::remove(folder / "tree/a.sql", error);
        fs::create_symlink(folder / "victim.sql", folder / "tree/a.sql", error);
        fs::remove(folder / "tree/c.sql", error);
        ::mkfifo((folder / "tree/c.sql").c_str(), 0600);
        fs::rename(folder / "tree/sub", folder / "tree/sub.old", error);
        fs::create_directory_symlink(folder / "elsewhere", folder / "tree/sub", error);
    });
    EXPECT_EQ(run.out, "subdir:tree/sub\n");
    EXPECT_EQ(run.err, "tree/a.sql changed while it was being formatted\ntree/a.sql" + failed +
                           "tree/c.sql changed while it was being formatted\ntree/c.sql" + failed +
                           "tree/sub/b.sql changed while it was being formatted\ntree/sub/b.sql" + failed);
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_EQ(readfile("victim.sql"), source);
    EXPECT_EQ(readfile("elsewhere/b.sql"), source);
    EXPECT_EQ(readfile("tree/sub.old/b.sql"), source);
}

// Output names the program derives (-od, -odr, the default .vmq and -oe names) are not written
// through a link at the name or at a folder below the output directory; -odr makes its
// folders after the listing without following a link either. A link named on the command
// line is followed, and one that leads to no file is named as such.
TEST_F(filesafety, derivedoutputnamesfollownolink) {
    writefile("src/a.sql", source);
    writefile("src/sub/b.sql", source);
    writefile("victim.sql", "untouched\n");
    fs::create_directories(folder / "out");
    fs::create_directories(folder / "out2");
    fs::create_directories(folder / "other");
    fs::create_symlink(folder / "victim.sql", folder / "out/a.sql.vmq");
    fs::create_directory_symlink(folder / "other", folder / "out2/sub");
    fs::create_symlink(folder / "victim.sql", folder / "src/sub/b.sql.vmq");
    fs::create_symlink(folder / "victim.sql", folder / "src/sub/b.txt");
    struct row {
        std::vector<std::string> arguments;
        std::string err;
    } rows[] = {
        {{"-i", "src/*.sql", "-od", "out"}, "could not write out/a.sql.vmq: it is a symbolic link\nsrc/a.sql -> out/a.sql.vmq" + failed},
        {{"-ir", "src/*.sql", "-odr", "out2"},
         "could not write out2/sub/b.sql.vmq: out2/sub is a symbolic link\nsrc/sub/b.sql -> out2/sub/b.sql.vmq" + failed},
        {{"-ir", "src/*.sql"}, "could not write src/sub/b.sql.vmq: it is a symbolic link\nsrc/sub/b.sql -> src/sub/b.sql.vmq" + failed},
        {{"-ir", "src/*.sql", "-oe", ".txt"}, "could not write src/sub/b.txt: it is a symbolic link\nsrc/sub/b.sql -> src/sub/b.txt" + failed},
    };
    for (const row& r : rows) {
        std::vector<std::string> arguments = r.arguments;
        arguments.insert(arguments.end(), {"-soe-", "-sr-", "-b", "0"});
        programresult run = brelm(arguments);
        EXPECT_EQ(run.err, r.err) << testing::PrintToString(r.arguments);
        EXPECT_EQ(run.exitcode, 255);
        EXPECT_EQ(readfile("victim.sql"), "untouched\n");
        EXPECT_TRUE(fs::is_empty(folder / "other"));
    }
    EXPECT_EQ(readfile("out2/a.sql.vmq"), formatted);

    // -odr makes the folders it needs once the listing is done, and follows no link there.
    fs::remove(folder / "out2/sub");
    programresult run = brelmholding({"-ir", "src/*.sql", "-odr", "out2", "-b", "0"}, [this] {
        std::error_code error;
        fs::create_directory_symlink(folder / "other", folder / "out2/sub", error);
    });
    EXPECT_EQ(run.err, "src/a.sql -> out2/a.sql.vmq" + done +
                           "could not write out2/sub/b.sql.vmq: out2/sub is a symbolic link\nsrc/sub/b.sql -> out2/sub/b.sql.vmq" + failed);
    EXPECT_TRUE(fs::is_empty(folder / "other"));

    fs::create_symlink(folder / "victim.sql", folder / "named.sql");
    fs::create_symlink(folder / "missing.sql", folder / "dangling.sql");
    run = brelm({"-soe-", "-b", "0", "-i", "src/a.sql", "-o", "named.sql", "-i", "src/a.sql", "-o", "dangling.sql"});
    EXPECT_EQ(run.err, "src/a.sql -> named.sql" + done +
                           "could not write dangling.sql: it is a symbolic link that leads to no file\nsrc/a.sql -> dangling.sql" + failed);
    EXPECT_EQ(readfile("victim.sql"), formatted);
    EXPECT_TRUE(fs::is_symlink(folder / "named.sql"));
    EXPECT_FALSE(exists("missing.sql"));
}

// /dev/stdout, /dev/stderr, /dev/fd/N and /proc/self/fd/N are written to the open descriptor,
// as stdout and stderr are: the file behind it is never replaced, a pipe takes the text, and
// a closed descriptor fails the file. The same for -slsf and -e.
TEST_F(filesafety, descriptornameswritetothedescriptor) {
    writefile("in.sql", source);
    writefile("log.txt", "earlier\n");
    programresult run = brelmredirected(">> log.txt", {"-i", "in.sql", "-o", "/dev/stdout", "-b", "0", "-sr-"});
    EXPECT_EQ(run.exitcode, 0) << run.err;
    run = brelmredirected("3>> log.txt", {"-i", "in.sql", "-o", "/dev/fd/3", "-b", "0", "-sr-"});
    EXPECT_EQ(run.exitcode, 0) << run.err;
    run = brelmredirected("4>> log.txt", {"-i", "in.sql", "-o", "/proc/self/fd/4", "-b", "0", "-sr-"});
    EXPECT_EQ(run.exitcode, 0) << run.err;
    run = brelmredirected(">> log.txt", {"-i", "in.sql", "-o", "null", "-e=/dev/stdout", "-b", "0"});
    EXPECT_EQ(run.exitcode, 0) << run.err;
    // Spelled otherwise, or reached through a link the user names, such a name is the same.
    fs::create_symlink("/dev/stdout", folder / "out.lnk");
    run = brelmredirected(">> log.txt", {"-i", "in.sql", "-o", "/dev/./stdout", "-b", "0", "-sr-"});
    EXPECT_EQ(run.exitcode, 0) << run.err;
    run = brelmredirected(">> log.txt", {"-i", "in.sql", "-o", "out.lnk", "-b", "0", "-sr-"});
    EXPECT_EQ(run.exitcode, 0) << run.err;
    run = brelmredirected(">> log.txt", {"-i", "in.sql", "-o", "null", "-e=/dev/fd/../fd/1", "-b", "0"});
    EXPECT_EQ(run.exitcode, 0) << run.err;
    fs::remove(folder / "out.lnk");
    EXPECT_EQ(readfile("log.txt"), "earlier\n" + formatted + formatted + formatted + "in.sql -> null" + done +
                                       formatted + formatted + "in.sql -> null" + done);

    run = brelm({"-i", "in.sql", "-o", "/dev/stdout", "-b", "0", "-sr-"});
    EXPECT_EQ(run.out, formatted);
    EXPECT_EQ(run.exitcode, 0);
    run = brelm({"-i", "in.sql", "-o", "//dev//stderr", "-slsf", "/dev/stdout", "-b", "0", "-sr-"});
    EXPECT_EQ(run.err, formatted);
    EXPECT_EQ(run.out, "1 1\n2 2\n3 3\n");
    EXPECT_EQ(run.exitcode, 0);
    run = brelmredirected(">&-", {"-i", "in.sql", "-o", "/dev/stdout", "-b", "0"});
    EXPECT_EQ(run.err, "could not write /dev/stdout: Bad file descriptor\nin.sql -> /dev/stdout" + failed);
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_EQ(names(folder), (std::vector<std::string>{"in.sql", "log.txt"}));
}

// A write to the input while it is formatted in place, whether it changes its size or not:
// the file is not replaced and keeps the edit.
TEST_F(filesafety, aneditduringtheformattingisnotlost) {
    std::string text;
    for (int k = 0; k < 20000; ++k) text += "y := " + std::to_string(k % 10) + ";\n";   // more than a pipe holds
    for (bool samesize : {false, true}) {
        writefile("big.sql", text);
        // An old time stamp, so that an edit within the same tick of the clock still shows.
        const timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, (folder / "big.sql").c_str(), old, 0), 0);
        ASSERT_EQ(::mkfifo((folder / "sync").c_str(), 0600), 0);
        std::thread editor([this, samesize] {
            int reader = ::open((folder / "sync").c_str(), O_RDONLY);   // brelm has read big.sql now
            int edit = ::open((folder / "big.sql").c_str(), samesize ? O_WRONLY : O_WRONLY | O_APPEND);
            const std::string change = samesize ? "y := 9;" : "-- EDIT\n";
            if (edit >= 0 && ::write(edit, change.data(), change.size()) == static_cast<ssize_t>(change.size())) ::close(edit);
            char buffer[1 << 16];
            while (reader >= 0 && ::read(reader, buffer, sizeof buffer) > 0) {
            }
            if (reader >= 0) ::close(reader);
        });
        programresult run = brelm({"-io", "big.sql", "-b", "0", "-slsf", "sync"});
        editor.join();
        EXPECT_EQ(run.err, "big.sql changed while it was being formatted\nbig.sql" + failed) << samesize;
        EXPECT_EQ(run.exitcode, 255);
        const std::string edited = samesize ? "y := 9;" + text.substr(7) : text + "-- EDIT\n";
        EXPECT_TRUE(readfile("big.sql") == edited) << samesize;
        fs::remove(folder / "sync");
    }
}

// The clipboard file is written as an output file is: replaced whole, never cut short in
// place, a link at its name followed, a file with more than one hard link refused; a pipe
// that nothing reads from is refused, as one that nothing writes to is when it is read.
TEST_F(filesafety, theclipboardfileisreplacedwhole) {
    writefile("in.sql", source);
    writefile("target.txt", "copied before\n");
    fs::create_symlink(folder / "target.txt", folder / "clip.txt");
    environment["BRELM_CLIPBOARD_FILE"] = (folder / "clip.txt").string();
    const ino_t before = status("target.txt").st_ino;
    programresult run = brelm({"-i", "in.sql", "-o", "clipboard", "-b", "0"});
    EXPECT_EQ(run.err, "in.sql -> clipboard" + done);
    EXPECT_TRUE(fs::is_symlink(folder / "clip.txt"));
    EXPECT_EQ(readfile("target.txt"), formatted);
    EXPECT_NE(status("target.txt").st_ino, before);

    fs::create_hard_link(folder / "target.txt", folder / "second.txt");
    run = brelm({"-i", "in.sql", "-o", "clipboard", "-b", "0", "-uk-", "-lk"});
    EXPECT_EQ(run.err, "could not write clipboard: " + (folder / "clip.txt").string() +
                           ": it has more than one hard link\nin.sql -> clipboard" + failed);
    EXPECT_EQ(readfile("second.txt"), formatted);

    ASSERT_EQ(::mkfifo((folder / "clip.fifo").c_str(), 0600), 0);
    environment["BRELM_CLIPBOARD_FILE"] = (folder / "clip.fifo").string();
    run = brelm({"-i", "in.sql", "-o", "clipboard", "-b", "0"});
    EXPECT_EQ(run.err, "could not write clipboard: " + (folder / "clip.fifo").string() +
                           ": no program reads from the pipe\nin.sql -> clipboard" + failed);
}

// The replacement keeps the mode with its set-user-ID bit, the owner and group root gave
// the file, and its extended attributes, an access list among them.
TEST_F(filesafety, areplacementkeepsownergroupmodeandattributes) {
    writefile("a.sql", source);
    ::chmod((folder / "a.sql").c_str(), 04751);
    const bool attributes = ::setxattr((folder / "a.sql").c_str(), "user.note", "kept", 4, 0) == 0;
    // user::rwx user:nobody:r-- group::r-x mask::r-x other::--x
    struct aclentry {
        uint16_t tag, perm;
        uint32_t id;
    };
    const uint32_t version = 2;
    const aclentry entries[] = {{0x01, 7, ~0u}, {0x02, 4, nobody}, {0x04, 5, ~0u}, {0x10, 5, ~0u}, {0x20, 1, ~0u}};
    std::string acl(reinterpret_cast<const char*>(&version), 4);
    acl.append(reinterpret_cast<const char*>(entries), sizeof entries);
    const bool accesslist =
        attributes && ::setxattr((folder / "a.sql").c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) == 0;
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown((folder / "a.sql").c_str(), nobody, 100), 0);
    }
    const struct stat before = status("a.sql");

    programresult run = brelm({"-io", "a.sql", "-b", "0"});
    EXPECT_EQ(run.err, "a.sql" + done);
    EXPECT_EQ(readfile("a.sql"), formatted);
    const struct stat after = status("a.sql");
    EXPECT_NE(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(after.st_mode & 07777, before.st_mode & 07777);
    if (!attributes) GTEST_SKIP() << "the file system keeps no extended attributes";
    char value[16] = {};
    EXPECT_EQ(::getxattr((folder / "a.sql").c_str(), "user.note", value, sizeof value), 4);
    EXPECT_STREQ(value, "kept");
    if (accesslist) {
        std::string kept(acl.size() + 16, '\0');
        ssize_t size = ::getxattr((folder / "a.sql").c_str(), "system.posix_acl_access", kept.data(), kept.size());
        ASSERT_GT(size, 0);
        kept.resize(static_cast<size_t>(size));
        EXPECT_TRUE(kept == acl);
    }
    EXPECT_EQ(names(folder), std::vector<std::string>{"a.sql"});
}

// A user who may not keep the group of a set-group-ID file: the bit goes with the group.
TEST_F(filesafety, setidbitsgowhentheownerorgroupcannotbekept) {
    if (const std::string why = secondaryuserrefusal(); !why.empty()) GTEST_SKIP() << why;
    writefile("shared.sql", source);
    ASSERT_EQ(::chown((folder / "shared.sql").c_str(), nobody, 100), 0);   // nobody is not in group 100
    ::chmod((folder / "shared.sql").c_str(), 02775);
    programresult run = brelmasnobody({"-io", "shared.sql", "-b", "0"});
    EXPECT_EQ(run.err, "shared.sql" + done);
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_EQ(readfile("shared.sql"), formatted);
    const struct stat after = status("shared.sql");
    EXPECT_EQ(after.st_uid, nobody);
    EXPECT_NE(after.st_gid, 100u);
    EXPECT_EQ(after.st_mode & 07777, 0775u);
}

TEST_F(filesafety, hardlinkedandreadonlyfilesstayastheyare) {
    writefile("a.sql", source);
    fs::create_hard_link(folder / "a.sql", folder / "b.sql");
    writefile("ro.sql", source);
    ::chmod((folder / "ro.sql").c_str(), 0444);
    writefile("ok.sql", source);
    if (::geteuid() == 0 && !fs::exists("/usr/bin/setpriv")) GTEST_SKIP() << "setpriv is needed to test permissions as root";
    programresult run = brelmobeyingpermissions({"-soe-", "-b", "0", "-io", "a.sql", "-io", "ro.sql", "-io", "ok.sql"});
    EXPECT_EQ(run.err, "could not write a.sql: it has more than one hard link\na.sql" + failed +
                           "could not write ro.sql: Permission denied\nro.sql" + failed + "ok.sql" + done);
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_EQ(readfile("a.sql"), source);
    EXPECT_EQ(status("a.sql").st_nlink, 2u);
    EXPECT_EQ(readfile("ro.sql"), source);
    EXPECT_EQ(status("ro.sql").st_mode & 0777, 0444u);
    EXPECT_EQ(names(folder), (std::vector<std::string>{"a.sql", "b.sql", "ok.sql", "ro.sql"}));
}

// With -sl, -el or -pp the result is not the whole input: it may not replace the input file,
// whatever name leads to it; nor may html, and the -slsf listing and the -e messages may
// replace no input of the run. Nor may the -slsf listing or the -e file be an output, which
// would replace it.
TEST_F(filesafety, acutorchangedtextneverreplacesitsinput) {
    const std::string text = "#define one 1\nx := one;\ny := 2;\n";
    writefile("h.sql", text);
    writefile("a.sql", source);
    fs::create_hard_link(folder / "h.sql", folder / "same.sql");
    const std::string itself = " is the input file itself, which -sl, -el and -pp cannot replace.\n" + hint;
    struct row {
        std::vector<std::string> arguments;
        std::string err;
    } rows[] = {
        {{"-io", "h.sql", "-sl", "2"}, "The output h.sql" + itself + "h.sql" + failed},
        {{"-io", "h.sql", "-sl", "999999", "-b", "0"}, "The output h.sql" + itself + "h.sql" + failed},
        {{"-io", "h.sql", "-el", "1"}, "The output h.sql" + itself + "h.sql" + failed},
        {{"-pp", "-io", "h.sql"}, "The output h.sql" + itself + "h.sql" + failed},
        {{"-pp", "-i", "h.sql", "-o", "./h.sql"}, "The output ./h.sql" + itself + "h.sql -> ./h.sql" + failed},
        {{"-pp", "-i", "h.sql", "-o", "same.sql"}, "The output same.sql" + itself + "h.sql -> same.sql" + failed},
        {{"-i", "h.sql", "-o", "./h.sql", "-html"},
         "-io and -html cannot be used at the same time.\n\n" + hint + "h.sql -> ./h.sql" + failed},
        {{"-i", "h.sql", "-o", "out.sql", "-slsf", "h.sql"},
         "The line synchronization file h.sql is the input file itself, which -slsf cannot replace.\n" + hint +
             "h.sql -> out.sql" + failed},
        {{"-i", "h.sql", "-o", "out.sql", "-slsf", "same.sql"},
         "The line synchronization file same.sql is the input file itself, which -slsf cannot replace.\n" + hint +
             "h.sql -> out.sql" + failed},
        {{"-i", "a.sql", "-o", "a.out", "-slsf", "same.sql", "-i", "h.sql", "-o", "out.sql"},
         "The line synchronization file same.sql is an input file, which -slsf cannot replace.\n" + hint +
             "a.sql -> a.out" + failed},
        {{"-i", "h.sql", "-o", "out.sql", "-slsf", "./out.sql"},
         "The line synchronization file ./out.sql is the output file itself, which would replace it.\n" + hint +
             "h.sql -> out.sql" + failed},
        {{"-e=h.sql", "-i", "h.sql", "-o", "out.sql"}, "The error file h.sql is an input file, which -e cannot replace.\n" + hint},
        {{"-i", "a.sql", "-e=same.sql", "-i", "h.sql", "-o", "out.sql"},
         "The error file same.sql is an input file, which -e cannot replace.\n" + hint},
        {{"-e=out.sql", "-i", "h.sql", "-o", "out.sql"}, "The error file out.sql is an output file, which would replace it.\n" + hint},
        {{"-i", "a.sql", "-e=./a.sql.vmq"}, "The error file ./a.sql.vmq is an output file, which would replace it.\n" + hint},
        {{"-i", "a.sql", "-o", "a.out", "-slsf", "sync", "-e=sync"}, "The error file sync is an output file, which would replace it.\n" + hint},
    };
    for (const row& r : rows) {
        programresult run = brelm(r.arguments);
        EXPECT_EQ(run.err, r.err) << r.arguments[0];
        EXPECT_EQ(run.exitcode, 2);
        EXPECT_EQ(readfile("h.sql"), text);
    }
    EXPECT_TRUE(fs::is_empty(backups.path()));
    // Into another file the cut text is written as usual.
    programresult run = brelm({"-i", "h.sql", "-o", "part.sql", "-sl", "3", "-b", "0"});
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_EQ(readfile("part.sql"), "y := 2;\n");
}

// A signal while the output or the backup is written, SIGKILL among them: no temporary file
// stays beside the output or in the backup folder, the old file stays, and the run ends by
// the signal.
TEST_F(filesafety, asignalduringthewriteleavesnotemporaryfile) {
    // One long comment formats fast and writes long.
    std::string text = "/*";
    const std::string line(1000, 'c');
    while (text.size() < (32u << 20)) text += line + "\n";
    text += "*/\nx := 1;\n";
    writefile("big.sql", text);
    const std::string copies = fs::canonical(backups.path()).string() + fs::canonical(folder).string();
    // A busy machine may let a run write and end between two looks: that run starts again.
    auto caughtwriting = [&](const std::vector<std::string>& arguments, const std::string& inside) -> pid_t {
        for (int attempt = 0; attempt < 20; ++attempt) {
            pid_t pid = start(arguments);
            if (writingin(pid, inside)) return pid;
            finish(pid);
            writefile("big.sql", text);
            std::error_code ignored;
            for (const auto& entry : fs::directory_iterator(copies, ignored)) fs::remove(entry.path());
        }
        return -1;
    };
    for (int signal : {SIGTERM, SIGINT, SIGHUP, SIGKILL}) {
        pid_t pid = caughtwriting({"-io", "big.sql", "-b", "0"}, fs::canonical(folder).string());
        ASSERT_GT(pid, 0) << "no output was written";
        ::kill(pid, signal);
        EXPECT_EQ(finish(pid), 128 + signal) << strsignal(signal);
        EXPECT_EQ(names(folder), std::vector<std::string>{"big.sql"}) << strsignal(signal);
    }
    EXPECT_TRUE(readfile("big.sql") == text);

    pid_t pid = caughtwriting({"-io", "big.sql"}, copies);
    ASSERT_GT(pid, 0) << "no backup was written";
    ::kill(pid, SIGKILL);
    EXPECT_EQ(finish(pid), 128 + SIGKILL);
    EXPECT_TRUE(names(copies).empty());
    EXPECT_EQ(names(folder), std::vector<std::string>{"big.sql"});
    EXPECT_TRUE(readfile("big.sql") == text);
}

// Backups: each folder its own series; a link planted at the next copy's name or in the
// mirror path is never followed, and a copy number already taken is passed over.
TEST_F(filesafety, backupsfollownolinkandkeepseriesapart) {
    for (const char* name : {"a.b/pkg.sql", "adotb/pkg.sql", "doubledot/pkg.sql", "sub/pkg.sql"}) writefile(name, source);
    for (const char* name : {"a.b/pkg.sql", "adotb/pkg.sql", "sub/../doubledot/pkg.sql", "doubledot/pkg.sql"}) {
        programresult run = brelm({"-i", name, "-o", "null"});
        EXPECT_EQ(run.exitcode, 0) << run.err;
    }
    EXPECT_EQ(names(mirror("a.b")), std::vector<std::string>{"pkg_b1.sql.bak"});
    EXPECT_EQ(names(mirror("adotb")), std::vector<std::string>{"pkg_b1.sql.bak"});
    EXPECT_EQ(names(mirror("doubledot")), (std::vector<std::string>{"pkg_b1.sql.bak", "pkg_b2.sql.bak"}));

    writefile("victim.txt", "untouched\n");
    ::chmod((folder / "victim.txt").c_str(), 0644);
    fs::create_directories(mirror("sub"));
    fs::create_symlink(folder / "victim.txt", mirror("sub/pkg_b1.sql.bak"));
    programresult run = brelm({"-i", "sub/pkg.sql", "-o", "null", "-v", "-x-"});
    EXPECT_NE(run.err.find("Backed up in " + mirror("sub/pkg_b2.sql.bak") + "\n"), std::string::npos) << run.err;
    EXPECT_EQ(readfile("victim.txt"), "untouched\n");
    EXPECT_EQ(status("victim.txt").st_mode & 0777, 0644u);
    EXPECT_EQ(testfolder::readall(mirror("sub/pkg_b2.sql.bak")), source);

    // A link in the mirror path, as another user of a shared backup folder could plant it.
    writefile("other/pkg.sql", source);
    fs::create_directories(folder / "elsewhere");
    fs::create_directory_symlink(folder / "elsewhere", mirror("other"));
    run = brelm({"-io", "other/pkg.sql"});
    EXPECT_EQ(run.err, "could not create directory " + mirror("other") + ",it is a symbolic link\nother/pkg.sql" + failed);
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_TRUE(fs::is_empty(folder / "elsewhere"));
    EXPECT_EQ(readfile("other/pkg.sql"), source);
}

// A folder of another user in a shared backup tree is refused.
TEST_F(filesafety, sharedbackuptreesarerefused) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to give a folder to another user";
    writefile("pkg.sql", source);
    testfolder shared;
    fs::permissions(shared.path(), fs::perms::all | fs::perms::sticky_bit);
    const std::string planted = mirror("", shared.path().string());
    // Planted by nobody: the first folder of the mirror path.
    const std::string first = shared.path().string() + "/" + planted.substr(shared.path().string().size() + 1, planted.find('/', shared.path().string().size() + 1) - shared.path().string().size() - 1);
    fs::create_directory(first);
    ASSERT_EQ(::chown(first.c_str(), nobody, nobody), 0);
    environment["TMP"] = shared.path().string();
    programresult run = brelm({"-io", "pkg.sql"});
    EXPECT_EQ(run.err, "could not create directory " + planted + ",it is not owned by the user\npkg.sql" + failed);
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_EQ(readfile("pkg.sql"), source);
}

// Without TMP and TMPDIR the backups go to the user's own /tmp/brelm-UID, which must be a
// folder of the user's own with mode 0700. The machine's /tmp is shared with its other users,
// so the test runs in a mount namespace of its own, over a /tmp of its own.
TEST_F(filesafety, theprivatebackupfoldermustbetheusers) {
    if (::geteuid() != 0 || !fs::exists("/usr/bin/setpriv")) GTEST_SKIP() << "needs root and setpriv to run as a second user";
    const std::vector<std::string> unshare{"--mount", "--propagation", "private", "--"};
    std::vector<std::string> probe = unshare;
    probe.insert(probe.end(), {"/bin/sh", "-c", "mount -t tmpfs tmpfs /tmp"});
    if (!fs::exists("/usr/bin/unshare") || runprogram("/usr/bin/unshare", probe, folder).exitcode != 0)
        GTEST_SKIP() << "needs a mount namespace of its own (unshare) to use /tmp/brelm-" << ::geteuid() << " undisturbed";
    // brelm and libmarlox.so are copied from the build folder to where nobody reaches them.
    // The build folder may itself lie below /tmp (a checkout in a folder mktemp made): the
    // shell enters it before the new /tmp hides it, and copies from where it stands.
    const std::string script =
        "cd \"$1\" && mount -t tmpfs -o mode=1777 tmpfs /tmp || exit 1\n"
        "mkdir -m 755 /tmp/bin && cp brelm *.so /tmp/bin/ || exit 1\n"
        "mkdir -m 777 /tmp/work && cd /tmp/work && printf 'begin\\nx:=1;\\nend;\\n' > pkg.sql && chmod 666 pkg.sql || exit 1\n"
        "/tmp/bin/brelm -i pkg.sql -o null\n"
        "echo \"exit $?\"\n"
        "stat -c '%F %a %u' /tmp/brelm-$(id -u)\n"
        "cat /tmp/brelm-$(id -u)/tmp/work/pkg_b1.sql.bak\n"
        "mkdir /tmp/brelm-65534\n"
        "setpriv --reuid=65534 --regid=65534 --clear-groups -- /tmp/bin/brelm -io pkg.sql 2>&1\n"
        "echo \"exit $?\"\n"
        "cat pkg.sql\n";
    std::vector<std::string> arguments = unshare;
    arguments.insert(arguments.end(), {"/bin/sh", "-c", script, "sh", fs::path(programfile("brelm")).parent_path().string()});
    environment["TMP"] = std::nullopt;
    environment["TMPDIR"] = std::nullopt;
    programresult run = runprogram("/usr/bin/unshare", arguments, folder, std::nullopt, environment);
    EXPECT_EQ(run.err, "pkg.sql -> null" + done);
    EXPECT_EQ(run.out, "exit 0\ndirectory 700 " + std::to_string(::geteuid()) + "\n" + source +
                           "could not create directory /tmp/brelm-65534/tmp/work,it is not a folder of the user's own with "
                           "mode 0700\npkg.sql" + failed + "exit 255\n" + source);
    EXPECT_EQ(run.exitcode, 0);
}

}  // namespace
