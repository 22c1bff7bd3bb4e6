// Default target locations under APPDATA, the EditPadPro registry probes, and the
// configuration file of a target row with its name found ignoring case.
#include "core/targetlocations.h"
#include "core/registry.h"
#include "scopedenvironment.h"
#include "testfolder.h"

#include <gtest/gtest.h>

namespace {

class TargetLocations : public testing::Test {
protected:
    testfolder folder;
    registrystore registry{(folder / "registry.reg").string()};
    std::string Path(const std::string& name) const { return (folder / name).string(); }
};

TEST_F(TargetLocations, DefaultsLieUnderAppData) {
    ScopedEnvironment environment{{"APPDATA", "/home/u/AppData/"}};
    EXPECT_EQ(DefaultUltraeditIni(), "/home/u/AppData/IDMComp/UltraEdit/Uedit32.ini");
    EXPECT_EQ(DefaultCodeBlocksConf(), "/home/u/AppData/codeblocks/default.conf");
    EXPECT_EQ(DefaultTextpadConfig(), "/home/u/AppData/Helios/TextPad/5.0/config.xml");
    EXPECT_EQ(DefaultEditPlusIni(), "/home/u/AppData/EditPlus 3/tool_u.ini");
    EXPECT_EQ(DefaultEditPadPro7Ini(), "/home/u/AppData/JGsoft/EditPad Pro 7/EditPadPro7.ini");
    EXPECT_EQ(DefaultEditPadPro6Location(registry), "/home/u/AppData/JGsoft/EditPad Pro 6/EditPadPro.ini");
}

TEST_F(TargetLocations, AppDataFallsBackToTheConfigFolderAndNeverToTheRoot) {
    {
        ScopedEnvironment environment{{"APPDATA", std::nullopt}, {"XDG_CONFIG_HOME", "/cfg"}};
        EXPECT_EQ(DefaultCodeBlocksConf(), "/cfg/codeblocks/default.conf");
    }
    ScopedEnvironment environment{{"APPDATA", ""}, {"XDG_CONFIG_HOME", ""}, {"HOME", ""}};
    // The account's home folder still counts: the default never lands at the root.
    std::string conf = DefaultCodeBlocksConf();
    EXPECT_NE(conf, "/codeblocks/default.conf");
    EXPECT_TRUE(conf.empty() || conf.ends_with("/.config/codeblocks/default.conf")) << conf;
}

TEST_F(TargetLocations, EditPadProKeysDecideTheRegistryForms) {
    ScopedEnvironment environment{{"APPDATA", "/a"}};
    EXPECT_FALSE(IsEditPadPro7InRegistry(registry, EditPadPro7Target));
    ASSERT_EQ(registry.createkey("Software\\JGsoft\\EditPadPro6\\EPPrefs"), registryok);
    ASSERT_EQ(registry.createkey("software\\jgsoft\\editpadpro7"), registryok);
    EXPECT_EQ(DefaultEditPadPro6Location(registry), LocatedInRegistry);
    EXPECT_TRUE(IsEditPadPro7InRegistry(registry, EditPadPro7Target));
    EXPECT_FALSE(IsEditPadPro7InRegistry(registry, EditPadPro6Target));
    EXPECT_FALSE(IsEditPadPro7InRegistry(registry, "editpadpro 7"));
}

TEST(FolderOf, KeepsARootAndDropsTheLastPart) {
    EXPECT_EQ(FolderOf("/a/b/c.ini"), "/a/b");
    EXPECT_EQ(FolderOf("/c.ini"), "/");
    EXPECT_EQ(FolderOf("c.ini"), "");
    EXPECT_EQ(FolderOf("/a/b/"), "/a/b");
}

TEST_F(TargetLocations, ConfigFileJoinsWithOneSlashAndFindsTheNameIgnoringCase) {
    std::vector<std::string> studios = {"Visual Studio 2010"};
    std::string dir = Path("ue");
    folder.write("ue/Uedit32.ini", "[Tools]\n");
    EXPECT_EQ(TargetConfigFile({UltraEditTarget, dir}, studios), dir + "/Uedit32.ini");
    EXPECT_EQ(TargetConfigFile({UltraEditTarget, dir + "/"}, studios), dir + "/Uedit32.ini");
    EXPECT_EQ(TargetConfigFile({PspadTarget, dir}, studios), dir + "/links.ini");
    EXPECT_EQ(TargetConfigFile({CodeBlocksTarget, "/"}, studios), "/default.conf");
    EXPECT_EQ(TargetConfigFile({EditPlusTarget, ""}, studios), "tool_u.ini");
    EXPECT_EQ(TargetConfigFile({EditPadPro7Target, dir}, studios), dir + "/EditPadPro7.ini");
}

TEST_F(TargetLocations, ConfigFileOfRegistryStudioAndFolderTargets) {
    std::vector<std::string> studios = {"Visual Studio 2010"};
    EXPECT_EQ(TargetConfigFile({EditPadPro6Target, LocatedInRegistry}, studios), LocatedInRegistry);
    EXPECT_EQ(TargetConfigFile({EditPadPro6Target, "/x"}, studios), "/x/EditPadPro.ini");
    EXPECT_EQ(TargetConfigFile({"Visual Studio 2010", "/d/CurrentSettings.vssettings"}, studios),
              "/d/CurrentSettings.vssettings");
    EXPECT_EQ(TargetConfigFile({"Visual Studio 2008", "/d/x"}, studios), "");
    EXPECT_EQ(TargetConfigFile({TheIdeTarget, "/d"}, studios), "");
    EXPECT_EQ(TargetConfigFile({EclipseTarget, "/d"}, studios), "");
    EXPECT_EQ(TargetConfigFile({TextPadTarget, "/d"}, studios), "");
}

}  // namespace
