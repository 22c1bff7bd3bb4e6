// The clipboard layer: the file backend, the choice of tool and how tools are run,
// with stand-in tools written as small scripts in a temporary folder.
#include "clipboard.h"

#include "../../tests/testfolder.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class clipboard : public testing::Test {
protected:
    testfolder temporary;
    const fs::path& folder = temporary.path();
    fs::path tools = folder / "bin";
    std::map<std::string, std::optional<std::string>> saved;

    void SetUp() override {
        for (const char* name : {"PATH", "DISPLAY", "WAYLAND_DISPLAY", "BRELM_CLIPBOARD_FILE"}) {
            const char* value = std::getenv(name);
            saved[name] = value ? std::optional<std::string>(value) : std::nullopt;
            unsetenv(name);
        }
        fs::create_directory(tools);
        setenv("PATH", tools.c_str(), 1);
    }
    void TearDown() override {
        for (auto& [name, value] : saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }

    // A stand-in tool: a shell script with the given body.
    void maketool(const std::string& name, const std::string& body) {
        fs::path file = tools / name;
        std::ofstream(file) << "#!/bin/sh\n" << body;
        fs::permissions(file, fs::perms::owner_all);
    }
    // A tool that logs its name and arguments, and keeps the clipboard in a file.
    void makestoringtool(const std::string& name) {
        std::string store = (folder / "store").string(), log = (folder / "log").string();
        maketool(name, "echo \"" + name + " $*\" >> " + log + "\n"
                       "case \"$*\" in\n"
                       "  *-o*|*--output*|*--no-newline*) /bin/cat " + store + " ;;\n"
                       "  *) /bin/cat > " + store + " ;;\n"
                       "esac\n");
    }
    std::string readall(const fs::path& p) { return testfolder::readall(p); }
};

}  // namespace

TEST_F(clipboard, filebackendtakesprecedence) {
    makestoringtool("xclip");
    setenv("DISPLAY", ":9", 1);
    setenv("BRELM_CLIPBOARD_FILE", (folder / "board").c_str(), 1);
    std::string text, reason;
    EXPECT_EQ(readclipboard(text, reason), clipboardstatus::done);
    EXPECT_EQ(text, "");
    EXPECT_EQ(writeclipboard(std::string("a\r\n\0b", 5), reason), clipboardstatus::done);
    EXPECT_EQ(readclipboard(text, reason), clipboardstatus::done);
    EXPECT_EQ(text, std::string("a\r\n\0b", 5));
    EXPECT_FALSE(fs::exists(folder / "log"));  // the tool was never run

    setenv("BRELM_CLIPBOARD_FILE", folder.c_str(), 1);
    EXPECT_EQ(readclipboard(text, reason), clipboardstatus::failed);
    EXPECT_NE(reason.find("Is a directory"), std::string::npos) << reason;
}

TEST_F(clipboard, notoolandnodisplayaretolddistinctly) {
    std::string text = "stale", reason;
    EXPECT_EQ(readclipboard(text, reason), clipboardstatus::notool);
    EXPECT_EQ(text, "");
    EXPECT_EQ(reason, "no clipboard tool found (wl-paste/wl-copy, xclip or xsel)");
    EXPECT_EQ(writeclipboard("x", reason), clipboardstatus::notool);

    makestoringtool("xclip");
    EXPECT_EQ(readclipboard(text, reason), clipboardstatus::nodisplay);
    EXPECT_EQ(reason, "no display for xclip (DISPLAY is not set)");
    setenv("WAYLAND_DISPLAY", "wayland-0", 1);  // the wrong display for xclip
    EXPECT_EQ(writeclipboard("x", reason), clipboardstatus::nodisplay);
    EXPECT_FALSE(fs::exists(folder / "log"));
}

TEST_F(clipboard, toolsarechoseninorderamongthosewithadisplay) {
    for (const char* name : {"wl-paste", "wl-copy", "xclip", "xsel"}) makestoringtool(name);
    std::string text, reason;
    setenv("DISPLAY", ":9", 1);
    ASSERT_EQ(writeclipboard("via x", reason), clipboardstatus::done) << reason;
    ASSERT_EQ(readclipboard(text, reason), clipboardstatus::done) << reason;
    EXPECT_EQ(text, "via x");
    setenv("WAYLAND_DISPLAY", "wayland-0", 1);
    ASSERT_EQ(writeclipboard("via wayland", reason), clipboardstatus::done) << reason;
    ASSERT_EQ(readclipboard(text, reason), clipboardstatus::done) << reason;
    EXPECT_EQ(text, "via wayland");
    EXPECT_EQ(readall(folder / "log"),
              "xclip -selection clipboard -i\n"
              "xclip -selection clipboard -o\n"
              "wl-copy \n"
              "wl-paste --no-newline --type text\n");

    fs::remove(tools / "xclip");
    unsetenv("WAYLAND_DISPLAY");
    ASSERT_EQ(writeclipboard("via xsel", reason), clipboardstatus::done) << reason;
    EXPECT_NE(readall(folder / "log").find("xsel --clipboard --input\n"), std::string::npos);
}

TEST_F(clipboard, readerendingsbecometextorreasons) {
    struct row {
        const char *display, *tool, *body;
        clipboardstatus status;
        std::string reason;
    } rows[] = {
        {"DISPLAY", "xclip", "echo 'Error: Can'\"'\"'t open display: :9' >&2\nexit 1\n", clipboardstatus::failed,
         "xclip: Error: Can't open display: :9"},
        {"DISPLAY", "xclip", "exit 4\n", clipboardstatus::failed, "xclip failed with exit status 4"},
        {"DISPLAY", "xclip", "kill -TERM $$\n", clipboardstatus::failed, "xclip was ended by signal 15"},
        {"WAYLAND_DISPLAY", "wl-paste", "echo 'Nothing is copied' >&2\nexit 1\n", clipboardstatus::done, ""},
        {"WAYLAND_DISPLAY", "wl-paste", "printf 'partial'\necho 'Nothing is copied' >&2\nexit 1\n",
         clipboardstatus::failed, "wl-paste: Nothing is copied"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.body);
        setenv(r.display, "x", 1);
        maketool(r.tool, r.body);
        std::string text = "stale", reason;
        EXPECT_EQ(readclipboard(text, reason), r.status);
        EXPECT_EQ(text, "");
        EXPECT_EQ(reason, r.reason);
        fs::remove(tools / r.tool);
        unsetenv(r.display);
    }
}

TEST_F(clipboard, writerfailuresgivethetoolsownwords) {
    setenv("DISPLAY", ":9", 1);
    maketool("xsel", "echo 'xsel: Can'\"'\"'t open display: :9' >&2\nexit 1\n");
    std::string reason;
    EXPECT_EQ(writeclipboard("x", reason), clipboardstatus::failed);
    EXPECT_EQ(reason, "xsel: xsel: Can't open display: :9");
}

TEST_F(clipboard, awriterthatleavesaprocessbehinddoesnotblock) {
    setenv("DISPLAY", ":9", 1);
    std::string pidfile = (folder / "pid").string();
    // Like xclip -i: read the text, then keep the selection in a background process
    // that still holds the inherited standard error.
    maketool("xclip", "/bin/cat > /dev/null\n/bin/sleep 30 &\necho $! > " + pidfile + "\nexit 0\n");
    std::string reason;
    auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(writeclipboard("text", reason), clipboardstatus::done) << reason;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    pid_t sleeper = static_cast<pid_t>(std::stol(readall(pidfile)));
    if (sleeper > 0) kill(sleeper, SIGTERM);
}
