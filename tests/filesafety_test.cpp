// brelm and the files it writes: links are not written through, a file changed meanwhile is
// not replaced, the replacement keeps owner, group, mode and attributes, hard links and
// read-only files are refused, a cut or changed text never replaces its own input, and a
// terminating signal leaves no temporary file behind.
#include "plsqlgenerator.h"
#include "programrun.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
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
    // Runs brelm as the user nobody (the run as root only), in a folder nobody may use.
    programresult brelmasnobody(const std::vector<std::string>& arguments) {
        fs::permissions(folder, fs::perms::all);
        std::vector<std::string> wrapped{"--reuid=65534", "--regid=65534", "--clear-groups", "--", programfile("brelm")};
        wrapped.insert(wrapped.end(), arguments.begin(), arguments.end());
        return runprogram("/usr/bin/setpriv", wrapped, folder, std::nullopt, environment);
    }
    bool cansecondaryuser() { return ::geteuid() == 0 && fs::exists("/usr/bin/setpriv"); }
    // Runs brelm as root without the capabilities that let root write any file.
    programresult brelmobeyingpermissions(const std::vector<std::string>& arguments) {
        if (::geteuid() != 0) return brelm(arguments);
        std::vector<std::string> wrapped{"--bounding-set=-dac_override,-dac_read_search", "--", programfile("brelm")};
        wrapped.insert(wrapped.end(), arguments.begin(), arguments.end());
        return runprogram("/usr/bin/setpriv", wrapped, folder, std::nullopt, environment);
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
    if (!cansecondaryuser()) GTEST_SKIP() << "needs root and setpriv to run as a second user";
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
// whatever name leads to it; nor may html.
TEST_F(filesafety, acutorchangedtextneverreplacesitsinput) {
    const std::string text = "#define one 1\nx := one;\ny := 2;\n";
    writefile("h.sql", text);
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

// SIGTERM, SIGINT and SIGHUP while the output is written: the temporary file beside it goes,
// the old file stays, and the run ends by the signal.
TEST_F(filesafety, asignalduringthewriteleavesnotemporaryfile) {
    // One long comment formats fast and writes long.
    std::string text = "/*";
    const std::string line(1000, 'c');
    while (text.size() < (32u << 20)) text += line + "\n";
    text += "*/\nx := 1;\n";
    writefile("big.sql", text);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        int watch = ::inotify_init1(IN_CLOEXEC);
        ASSERT_GE(watch, 0);
        ASSERT_GE(::inotify_add_watch(watch, folder.c_str(), IN_CREATE), 0);
        pid_t pid = start({"-io", "big.sql", "-b", "0"});
        pollfd event{watch, POLLIN, 0};
        ASSERT_EQ(::poll(&event, 1, 60000), 1) << "no temporary file was made";
        ::kill(pid, signal);
        EXPECT_EQ(finish(pid), 128 + signal) << strsignal(signal);
        ::close(watch);
        EXPECT_EQ(names(folder), std::vector<std::string>{"big.sql"}) << strsignal(signal);
    }
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
    EXPECT_EQ(run.err, "could not create directory " + mirror("other") + ",Too many levels of symbolic links\nother/pkg.sql" + failed);
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_TRUE(fs::is_empty(folder / "elsewhere"));
    EXPECT_EQ(readfile("other/pkg.sql"), source);
}

// A folder of another user in a shared backup tree is refused; without TMP and TMPDIR the
// backups go to the user's own /tmp/brelm-UID, which must be a folder of the user's own.
TEST_F(filesafety, sharedbackuptreesarerefused) {
    if (!cansecondaryuser()) GTEST_SKIP() << "needs root and setpriv to run as a second user";
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

    environment["TMP"] = std::nullopt;
    environment["TMPDIR"] = std::nullopt;
    const std::string own = "/tmp/brelm-" + std::to_string(::geteuid());
    run = brelm({"-i", "pkg.sql", "-o", "null"});
    EXPECT_EQ(run.exitcode, 0) << run.err;
    EXPECT_EQ(testfolder::readall(mirror("pkg_b1.sql.bak", own)), source);
    struct stat st {};
    ASSERT_EQ(::lstat(own.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    std::error_code ignored;
    fs::remove_all(own + fs::canonical(folder).string(), ignored);

    // nobody's folder, made by root beforehand.
    const std::string foreign = "/tmp/brelm-" + std::to_string(nobody);
    if (fs::exists(foreign)) GTEST_SKIP() << foreign << " exists already";
    fs::create_directory(foreign);
    run = brelmasnobody({"-io", "pkg.sql"});
    fs::remove_all(foreign, ignored);
    EXPECT_EQ(run.err, "could not create directory " + mirror("", foreign) + ",it is not a folder of the user's own with mode 0700\npkg.sql" + failed);
    EXPECT_EQ(run.exitcode, 255);
    EXPECT_EQ(readfile("pkg.sql"), source);
}

}  // namespace
