// Environment rules, the case-insensitive file lookup, the display decision and the clipboard hook.
#include "core/clipboard.h"
#include "core/display.h"
#include "core/environment.h"
#include "core/filelookup.h"
#include "scopedenvironment.h"
#include "testfolder.h"

#include <gtest/gtest.h>

TEST(Environment, AppDataFallsBackToTheConfigFolder) {
    ScopedEnvironment env({{"APPDATA", "/win/appdata"}, {"XDG_CONFIG_HOME", "/xdg"}, {"HOME", "/home/u"}});
    EXPECT_EQ(AppDataFolder(), "/win/appdata");
    ScopedEnvironment::Set("APPDATA", "");
    EXPECT_EQ(AppDataFolder(), "/xdg");
    ScopedEnvironment::Set("XDG_CONFIG_HOME", "");
    EXPECT_EQ(AppDataFolder(), "/home/u/.config");
    ScopedEnvironment::Set("APPDATA", std::nullopt);
    ScopedEnvironment::Set("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(ConfigFolder(), "/home/u/.config");
    ScopedEnvironment::Set("HOME", std::nullopt);
    EXPECT_NE(ConfigFolder(), "/.config");   // the account's home folder, never the root
}

TEST(Environment, HomeFolderSystemRootAndProgramFolder) {
    ScopedEnvironment env({{"HOMEDRIVE", "C:"}, {"HOMEPATH", "/Users/u"}, {"HOME", "/home/u"}, {"SystemRoot", std::nullopt}});
    EXPECT_EQ(HomeFolder(), "C:/Users/u");
    ScopedEnvironment::Set("HOMEDRIVE", std::nullopt);
    EXPECT_EQ(HomeFolder(), "/Users/u");
    ScopedEnvironment::Set("HOMEPATH", "");
    EXPECT_EQ(HomeFolder(), "/home/u");
    EXPECT_EQ(SystemRootFolder(), "");
    ScopedEnvironment::Set("SystemRoot", "C:\\Windows");
    EXPECT_EQ(SystemRootFolder(), "C:\\Windows");
    EXPECT_EQ(ProgramFolder(), BRELM_BIN_DIR);
}

TEST(Environment, PathsJoinWithASlash) {
    EXPECT_EQ(JoinPath("/a/b", "c.xml"), "/a/b/c.xml");
    EXPECT_EQ(JoinPath("", "c.xml"), "/c.xml");
    EXPECT_EQ(StripTrailingBackslash("/a/b/"), "/a/b");
    EXPECT_EQ(StripTrailingBackslash("/a/b//"), "/a/b/");
    EXPECT_EQ(StripTrailingBackslash("/a"), "/a");
    EXPECT_EQ(StripTrailingBackslash(""), "");
}

TEST(FileLookup, ExactNameFirstThenOneThatDiffersInCase) {
    testfolder folder;
    folder.write("UEdit32.INI", "upper");
    folder.write("uedit32.ini2", "other");
    std::filesystem::create_directories(folder / "tool_u.ini");
    folder.write("Tool_U.ini", "file");
    std::string base = folder.path().string();
    EXPECT_EQ(FindFileIgnoringCase(base, "uedit32.ini"), base + "/UEdit32.INI");
    folder.write("uedit32.ini", "exact");
    EXPECT_EQ(FindFileIgnoringCase(base, "uedit32.ini"), base + "/uedit32.ini");
    EXPECT_EQ(FindFileIgnoringCase(base, "tool_u.ini"), base + "/Tool_U.ini");   // a folder is passed over
    EXPECT_EQ(FindFileIgnoringCase(base, "Missing.ini"), base + "/Missing.ini");
    EXPECT_EQ(FindFileIgnoringCase(base + "/none", "a.ini"), base + "/none/a.ini");
    folder.write("LINKS.ini", "1");
    folder.write("Links.ini", "2");
    EXPECT_EQ(FindFileIgnoringCase(base, "links.INI"), base + "/LINKS.ini");   // the first in byte order
    EXPECT_TRUE(EqualsIgnoringCase("Tool\xC3\xA9", "tOOL\xC3\xA9"));
    EXPECT_FALSE(EqualsIgnoringCase("Tool\xC3\xA9", "Tool\xC3\x89"));
    EXPECT_FALSE(EqualsIgnoringCase("a", "ab"));
}

TEST(Display, UsableAndRealDisplays) {
    ScopedEnvironment env({{"QT_QPA_PLATFORM", std::nullopt}, {"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}});
    int probes = 0;
    auto answers = [&probes] { ++probes; return true; };
    auto silent = [&probes] { ++probes; return false; };
    auto check = [&](std::function<bool()> probe, bool usable, bool real) {
        DisplayState state = DetectDisplay(probe);
        EXPECT_EQ(state.usable, usable);
        EXPECT_EQ(state.real, real);
    };
    check(answers, false, false);
    EXPECT_EQ(probes, 0);   // no DISPLAY: nothing to connect to
    ScopedEnvironment::Set("DISPLAY", ":5");
    check(answers, true, true);
    check(silent, false, false);
    ScopedEnvironment::Set("WAYLAND_DISPLAY", "wayland-0");
    check(silent, true, true);
    ScopedEnvironment::Set("QT_QPA_PLATFORM", "xcb");
    check(silent, false, false);
    check(answers, true, true);
    ScopedEnvironment::Set("QT_QPA_PLATFORM", "offscreen");
    check(silent, true, false);
    ScopedEnvironment::Set("QT_QPA_PLATFORM", "minimal:enable_fonts");
    check(answers, true, false);
    ScopedEnvironment::Set("QT_QPA_PLATFORM", "wayland;xcb");
    check(silent, true, true);
    ScopedEnvironment::Set("QT_QPA_PLATFORM", "");
    ScopedEnvironment::Set("WAYLAND_DISPLAY", "");
    check(silent, false, false);
}

TEST(Clipboard, FailsWithoutAWriter) {
    SetClipboardWriter(nullptr);
    EXPECT_EQ(CopyToClipboard("x"), -1);
    std::string copied;
    SetClipboardWriter([&copied](const std::string& text) { copied = text; return true; });
    EXPECT_EQ(CopyToClipboard("/b/Pspad/links.ini"), 0);
    EXPECT_EQ(copied, "/b/Pspad/links.ini");
    SetClipboardWriter([](const std::string&) { return false; });
    EXPECT_EQ(CopyToClipboard("x"), -1);
    SetClipboardWriter(nullptr);
}
