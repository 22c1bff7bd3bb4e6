// A configuration file that cannot be saved after its backup: each file writer says so with
// its own line, answers false and records nothing.
#include "fakewritercontext.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Once the backup is taken, a folder stands where the configuration file was, so the save
// that follows fails.
class VanishingFile : public FakeWriterContext {
public:
    using FakeWriterContext::FakeWriterContext;
    bool BackupBeforeInstall(const std::string& target, const std::string& toolName, const std::string& location,
                             const std::string& extra) override {
        bool taken = FakeWriterContext::BackupBeforeInstall(target, toolName, location, extra);
        std::filesystem::remove(location);
        std::filesystem::create_directories(std::filesystem::path(location) / "in the way");
        return taken;
    }
};

struct Case {
    std::string target, file, text;
    bool (*install)(const PreparedTool&, WriterContext&);
    std::string line;   // the message, followed by the file's path
};

std::string utf16(const std::string& ascii) {
    std::string out;
    for (char c : ascii) out += std::string{c, '\0'};
    return out;
}

const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n";

const Case cases[] = {
    {"Pspad", "links.ini", "WWW\n+Tools\n", InstallPspadTool, "Install failed,could not save configuration file for Pspad:"},
    {"Ultraedit 16", "uedit32.ini", "[Tools]\r\nTool Menu0=\"\"\r\nTool Cmd0=\"\"\r\n", InstallUltraEditTool,
     "Install failed,could not save configuration file for UltraEdit:"},
    {"EditPlus 3.2", "tool_u.ini", utf16("[Tools\\0]\r\nCount=0\r\n"), InstallEditPlusTool,
     "Install failed,could not save configuration file for EditPlus:"},
    {"Code::Blocks 8-10", "default.conf", declaration + "<CodeBlocksConfig><tools/></CodeBlocksConfig>\n",
     InstallCodeBlocksTool, "Install failed,could not save configuration file for Code::Blocks:"},
    {"Visual Studio 2010", "CurrentSettings.vssettings",
     "<UserSettings><Category name=\"Environment_Group\"><Category name=\"Environment_ExternalTools\"/>"
     "</Category></UserSettings>",
     InstallStudioTool, "Install failed,could not save configuration file for Visual Studio 2010:"},
};

TEST(SaveFailures, AFileThatCannotBeSavedIsReportedAndNotRecorded) {
    for (const Case& c : cases) {
        testfolder folder;
        folder.write("target/" + c.file, c.text);
        const std::string path = (folder / "target" / c.file).string();
        // The studio targets are located by their settings file, the others by their folder.
        const std::string location = c.install == InstallStudioTool ? path : (folder / "target").string();
        VanishingFile context(folder);
        EXPECT_FALSE(c.install(Prepared(c.target, location, "brelm", "/opt/brelm", "-i %File%"), context)) << c.target;
        EXPECT_EQ(context.errors, std::vector<std::string>{c.line + path}) << c.target;
        ASSERT_EQ(context.backups.size(), 1u) << c.target;
        EXPECT_EQ(context.backups[0].content, c.text) << c.target;   // the file as it was, backed up first
        EXPECT_TRUE(context.installed.empty()) << c.target;
        EXPECT_TRUE(context.xmlErrors.empty()) << c.target;
        EXPECT_TRUE(std::filesystem::is_directory(path)) << c.target;   // nothing was written in its place
    }
}

}  // namespace
