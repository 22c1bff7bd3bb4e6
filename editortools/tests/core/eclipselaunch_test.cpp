// The Eclipse writer: one launch file per tool in a workspace, its name made safe.
#include "core/targetlocations.h"
#include "fakewritercontext.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string launches = ".metadata/.plugins/org.eclipse.debug.core/.launches/";

std::string launchfile(const std::string& program, const std::string& arguments, const std::string& dir) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\r\n"
           "<!DOCTYPE launchConfiguration>\r\n"
           "<launchConfiguration type=\"org.eclipse.ui.externaltools.ProgramLaunchConfigurationType\">"
           "<listAttribute key=\"org.eclipse.debug.ui.favoriteGroups\">"
           "<listEntry value=\"org.eclipse.ui.externaltools.launchGroup\"/></listAttribute>"
           "<stringAttribute key=\"org.eclipse.ui.externaltools.ATTR_LOCATION\" value=\"" + program + "\"/>"
           "<stringAttribute key=\"org.eclipse.ui.externaltools.ATTR_TOOL_ARGUMENTS\" value=\"" + arguments + "\"/>"
           "<stringAttribute key=\"org.eclipse.ui.externaltools.ATTR_WORKING_DIRECTORY\" value=\"" + dir + "\"/>"
           "</launchConfiguration>";
}

class Eclipse : public testing::Test {
protected:
    testfolder folder;
    FakeWriterContext context{folder};
    std::string workspace = (folder / "workspace").string();

    Eclipse() { std::filesystem::create_directories(folder / "workspace/.metadata"); }

    PreparedTool Tool(const std::string& name = "brelm", const std::string& currentDirectory = "/src") {
        PreparedTool tool =
            Prepared(EclipseTarget, workspace, name, "/opt/tolvane/brelm", "-i \"%File%\" -s %SelText% & more");
        tool.currentDirectory = currentDirectory;
        return tool;
    }
    std::string Launch(const std::string& file) const { return (folder / ("workspace/" + launches + file)).string(); }
    std::string Read(const std::string& file) const { return folder.read("workspace/" + launches + file); }
    bool Install(const PreparedTool& tool) { return InstallEclipseTool(tool, context); }
    bool Present(const std::string& name = "brelm") { return InstallEclipseTool(CheckOnly(Tool(name)), context); }
};

const std::string brelmlaunch =
    launchfile("/opt/tolvane/brelm", "-i &quot;${resource_loc}&quot; -s ${selected_text} &amp; more", "/src");

}  // namespace

TEST_F(Eclipse, ANewToolMakesItsFoldersAndNoBackup) {
    EXPECT_FALSE(Present());
    EXPECT_TRUE(context.Silent());
    EXPECT_FALSE(std::filesystem::exists(folder / "workspace/.metadata/.plugins"));
    ASSERT_TRUE(Install(Tool()));
    EXPECT_EQ(Read("brelm.launch"), brelmlaunch);
    EXPECT_TRUE(context.backups.empty());
    EXPECT_TRUE(context.asked.empty());
    EXPECT_EQ(context.installed, (std::vector<std::pair<std::string, std::string>>{{"brelm", EclipseTarget}}));
    EXPECT_TRUE(Present());
    // A trailing "/" of the workspace changes nothing.
    PreparedTool slash = CheckOnly(Tool());
    slash.location += "/";
    EXPECT_TRUE(InstallEclipseTool(slash, context));
}

TEST_F(Eclipse, UnsafeCharactersBecomeBlanks) {
    ASSERT_TRUE(Install(Tool("a<b>c:d\"e/f\\g|h?i*j\x01k\x1fl\x7fm é")));
    EXPECT_EQ(Read("a b c d e f g h i j k l\x7fm é.launch"), brelmlaunch);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / ("workspace/" + launches)), {}), 1);
}

TEST_F(Eclipse, TwoNamesOfOneFileAreOneTool) {
    ASSERT_TRUE(Install(Tool("x:y")));
    EXPECT_TRUE(Present("x/y"));
    EXPECT_TRUE(Present("x y"));
    EXPECT_FALSE(Present("X:y"));
    context.overwriteAnswers = {false};
    EXPECT_TRUE(Install(Tool("x?y", "/other")));
    EXPECT_EQ(context.asked, std::vector<std::string>{"x?y"});
    EXPECT_EQ(Read("x y.launch"), brelmlaunch);
    EXPECT_TRUE(context.backups.empty());
}

TEST_F(Eclipse, OverwritingBacksTheOldFileUpFirst) {
    ASSERT_TRUE(Install(Tool()));
    context.overwriteAnswers = {true, true};
    ASSERT_TRUE(Install(Tool("brelm", "/new")));
    EXPECT_EQ(context.asked, std::vector<std::string>{"brelm"});
    ASSERT_EQ(context.backups.size(), 1u);
    EXPECT_EQ(context.backups[0].target, EclipseTarget);
    EXPECT_EQ(context.backups[0].location, Launch("brelm.launch"));
    EXPECT_EQ(context.backups[0].content, brelmlaunch);
    EXPECT_EQ(Read("brelm.launch"),
              launchfile("/opt/tolvane/brelm", "-i &quot;${resource_loc}&quot; -s ${selected_text} &amp; more", "/new"));
    context.backupSucceeds = false;
    EXPECT_FALSE(Install(Tool("brelm", "/third")));
    EXPECT_NE(Read("brelm.launch").find("\"/new\""), std::string::npos);
    EXPECT_EQ(context.installed.size(), 2u);
}

TEST_F(Eclipse, FoldersThatCannotBeMadeAndFilesThatCannotBeSaved) {
    std::filesystem::remove(folder / "workspace/.metadata");
    folder.write("workspace/.metadata", "not a folder");
    EXPECT_FALSE(Install(Tool()));
    EXPECT_EQ(context.errors, std::vector<std::string>{
                                  "Install failed,could not create directories for the configuration file:" +
                                  Launch("brelm.launch")});
    std::filesystem::remove(folder / "workspace/.metadata");
    std::filesystem::create_directories(Launch("brelm.launch"));
    context.errors.clear();
    EXPECT_FALSE(Present());
    EXPECT_FALSE(Install(Tool()));
    EXPECT_EQ(context.errors,
              std::vector<std::string>{"Install failed,could not save configuration file for Eclipse:" + Launch("brelm.launch")});
    EXPECT_TRUE(context.installed.empty());
}
