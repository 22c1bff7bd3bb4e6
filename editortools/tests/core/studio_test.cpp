// The Visual Studio / SQL Server Management Studio writer on .vssettings files as the studios
// export them: the external-tools category inside the environment group.
#include "fakewritercontext.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

namespace {

const std::string externaltools =
    "<Category name=\"Environment_ExternalTools\" Category=\"{E8FAE9E8-FBA2-4474-B134-AB0FFCFB291D}\" "
    "Package=\"{DA9FB551-C724-11d0-AE1F-00A0C90FFFC3}\" RegisteredName=\"Environment_ExternalTools\" "
    "PackageName=\"Visual Studio Environment Package\"";

struct Property {
    std::string name, value;
    bool kept = false;   // read from the file: an empty one comes back as <PropertyValue .../>
};

std::vector<Property> kept(std::vector<Property> properties) {
    for (Property& p : properties) p.kept = true;
    return properties;
}

std::vector<Property> toolproperties(const std::string& tool, const std::string& command, const std::string& arguments,
                                     const std::string& dir, bool nameId = true) {
    std::vector<Property> p = {{tool + ".Command", command},
                               {tool + ".Arguments", arguments},
                               {tool + ".InitialDirectory", dir},
                               {tool + ".SourceKeyName", ""},
                               {tool + ".UseOutputWindow", "true"},
                               {tool + ".PromptForArguments", "false"},
                               {tool + ".CloseOnExit", "true"},
                               {tool + ".IsGUIapp", "false"},
                               {tool + ".SaveAllDocs", "true"},
                               {tool + ".UseTaskList", "false"},
                               {tool + ".Unicode", "false"},
                               {tool + ".Package", "{00000000-0000-0000-0000-000000000000}"}};
    if (nameId) p.push_back({tool + ".NameID", "0"});
    return p;
}

std::vector<Property> guidgen(bool nameId = true) {
    std::vector<Property> p = toolproperties("Create &GUID", "C:\\sdk\\guidgen.exe", "", "$(ProjectDir)", nameId);
    p[3].value = "Tools.CreateGUID";
    p[4].value = "false";
    p[7].value = "true";
    p[11].value = "{DA9FB551-C724-11D0-AE1F-00A0C90FFFC3}";
    if (nameId) p[12].value = "4597";
    return p;
}

std::vector<Property> brelm(const std::string& dir = "/src") {
    return toolproperties("brelm", "/opt/tolvane/brelm", "-i $(ItemPath) -c $(CurCol) -l $(CurLine) -s $(CurText)", dir);
}

std::vector<Property> cat(std::initializer_list<std::vector<Property>> parts) {
    std::vector<Property> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '&' ? std::string("&amp;") : std::string(1, c);
    return out;
}

std::string element(const Property& p, bool selfclosing) {
    std::string start = "<PropertyValue name=\"" + escaped(p.name) + "\"";
    if (selfclosing && p.value.empty()) return start + "/>";
    return start + ">" + escaped(p.value) + "</PropertyValue>";
}

// The file as a studio exports it: declaration, indentation, CR LF.
std::string exported(const std::vector<Property>& properties) {
    std::string text = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<UserSettings>\r\n"
                       "  <ApplicationIdentity version=\"10.0\"/>\r\n  <!-- exported -->\r\n"
                       "  <ToolsOptions>\r\n    <ToolsOptionsCategory name=\"Environment\" RegisteredName=\"Environment\"/>\r\n"
                       "  </ToolsOptions>\r\n"
                       "  <Category name=\"Environment_Group\" RegisteredName=\"Environment_Group\">\r\n    " + externaltools;
    if (properties.empty()) text += "/>\r\n";
    else {
        text += ">\r\n";
        for (const Property& p : properties) text += "      " + element(p, false) + "\r\n";
        text += "    </Category>\r\n";
    }
    return text + "  </Category>\r\n</UserSettings>\r\n";
}

// What the writer gives back: no declaration, no comment, no layout.
std::string written(const std::vector<Property>& properties) {
    std::string text = "<UserSettings><ApplicationIdentity version=\"10.0\"/>"
                       "<ToolsOptions><ToolsOptionsCategory name=\"Environment\" RegisteredName=\"Environment\"/>"
                       "</ToolsOptions><Category name=\"Environment_Group\" RegisteredName=\"Environment_Group\">" +
                       externaltools + ">";
    for (const Property& p : properties) text += element(p, p.kept);
    return text + "</Category></Category></UserSettings>";
}

class Studio : public testing::Test {
protected:
    testfolder folder;
    FakeWriterContext context{folder};
    std::string file = (folder / "Documents/Visual Studio 2010/Settings/CurrentSettings.vssettings").string();
    const std::string target = "Visual Studio 2010";

    PreparedTool Tool(const std::string& name = "brelm", const std::string& currentDirectory = "/src") {
        PreparedTool tool = Prepared(target, file, name, "/opt/tolvane/brelm", "-i %File% -c %Col% -l %Line% -s %SelText%");
        tool.currentDirectory = currentDirectory;
        return tool;
    }
    void Write(const std::string& text) { folder.write("Documents/Visual Studio 2010/Settings/CurrentSettings.vssettings", text); }
    std::string Read() const { return folder.read("Documents/Visual Studio 2010/Settings/CurrentSettings.vssettings"); }
    bool Install(const PreparedTool& tool) { return InstallStudioTool(tool, context); }
    bool Present(const std::string& name = "brelm") { return InstallStudioTool(CheckOnly(Tool(name)), context); }
};

}  // namespace

TEST_F(Studio, AnEmptyCategoryGetsTheToolAndThenItsList) {
    Write(exported({}));
    EXPECT_FALSE(Present());
    ASSERT_TRUE(Install(Tool()));
    EXPECT_EQ(Read(), written(cat({brelm(), {{"ToolNames", "brelm"}}})));
    ASSERT_EQ(context.backups.size(), 1u);
    EXPECT_EQ(context.backups[0].target, target);
    EXPECT_EQ(context.backups[0].location, file);
    EXPECT_EQ(context.backups[0].content, exported({}));
    EXPECT_EQ(context.installed, (std::vector<std::pair<std::string, std::string>>{{"brelm", target}}));
    EXPECT_TRUE(context.asked.empty());
    EXPECT_TRUE(Present());
}

TEST_F(Studio, ACategoryOfBlanksCountsAsEmpty) {
    std::string text = exported({});
    text.replace(text.find("Package\"/>"), 10, "Package\">\r\n    </Category>");
    Write(text);
    ASSERT_TRUE(Install(Tool()));
    EXPECT_EQ(Read(), written(cat({brelm(), {{"ToolNames", "brelm"}}})));
}

TEST_F(Studio, AddingMovesTheListBehindTheNewTool) {
    Write(exported(cat({guidgen(), {{"ToolNames", "Create &GUID"}}, toolproperties("brelm.x", "x", "", "")})));
    ASSERT_TRUE(Install(Tool()));
    EXPECT_TRUE(context.asked.empty());
    EXPECT_EQ(Read(), written(cat({kept(guidgen()), kept(toolproperties("brelm.x", "x", "", "")), brelm(),
                                   {{"ToolNames", "Create &GUID, brelm"}}})));
    EXPECT_TRUE(Present("Create &GUID"));
    EXPECT_FALSE(Present("Create"));
}

TEST_F(Studio, AToolIsReplacedInPlaceWhereverItsListStands) {
    // The list first, the list last: one question, the tool changed where it is, never added.
    for (bool listfirst : {true, false}) {
        std::vector<Property> old = toolproperties("brelm", "old.exe", "%File%", "/old");
        old[3].value = "Tools.Old";
        old[11].value = "{11111111-0000-0000-0000-000000000000}";
        std::vector<Property> list = {{"ToolNames", "Create &GUID, brelm"}};
        Write(exported(listfirst ? cat({list, guidgen(), old}) : cat({guidgen(), old, list})));
        context.asked.clear();
        context.overwriteAnswers = {true};
        EXPECT_TRUE(Present());
        ASSERT_TRUE(Install(Tool("brelm", "/new")));
        EXPECT_EQ(context.asked, std::vector<std::string>{"brelm"});
        EXPECT_EQ(Read(), written(listfirst ? cat({list, kept(guidgen()), brelm("/new")})
                                       : cat({kept(guidgen()), brelm("/new"), list})));
    }
}

TEST_F(Studio, DecliningLeavesTheFileAsItWas) {
    std::string before = exported(cat({brelm("/old"), {{"ToolNames", "brelm"}}}));
    Write(before);
    context.overwriteAnswers = {false};
    EXPECT_TRUE(Install(Tool()));
    EXPECT_EQ(context.asked, std::vector<std::string>{"brelm"});
    EXPECT_EQ(Read(), before);
    EXPECT_TRUE(context.backups.empty());
    EXPECT_TRUE(context.installed.empty());
}

TEST_F(Studio, WithoutNameIdNothingIsSaved) {
    std::string before = exported(cat({guidgen(false), {{"ToolNames", "Create &GUID"}}}));
    Write(before);
    context.overwriteAnswers = {true};
    EXPECT_TRUE(Install(Tool("Create &GUID")));
    EXPECT_EQ(context.asked, std::vector<std::string>{"Create &GUID"});
    EXPECT_EQ(Read(), before);
    EXPECT_TRUE(context.backups.empty());
    EXPECT_TRUE(context.installed.empty());
    EXPECT_TRUE(context.errors.empty());
}

TEST_F(Studio, AListedToolWithoutPropertiesGetsThemOnce) {
    Write(exported(cat({{{"ToolNames", "brelm, Create &GUID"}}, guidgen()})));
    EXPECT_TRUE(Present());
    context.overwriteAnswers = {true};
    ASSERT_TRUE(Install(Tool()));
    EXPECT_EQ(context.asked, std::vector<std::string>{"brelm"});
    EXPECT_EQ(Read(), written(cat({kept(guidgen()), brelm(), {{"ToolNames", "brelm, Create &GUID"}}})));
}

TEST_F(Studio, AFileTheReaderRejectsIsReportedWhenInstalling) {
    std::string bad = "<UserSettings><Category name=\"Environment_Group\"></UserSettings>";
    Write(bad);
    EXPECT_FALSE(Present());
    EXPECT_TRUE(context.Silent());
    EXPECT_FALSE(Install(Tool()));
    EXPECT_EQ(context.xmlErrors,
              std::vector<std::string>{file + ": line 1: the closing tag </UserSettings> does not match <Category>"});
    EXPECT_EQ(Read(), bad);
    EXPECT_TRUE(context.backups.empty());
}

// An install that can write nothing says why; the check stays silent.
TEST_F(Studio, NoCategoryNoFileNoChange) {
    EXPECT_FALSE(Present());
    EXPECT_TRUE(context.Silent());
    EXPECT_FALSE(Install(Tool()));
    EXPECT_EQ(context.xmlErrors, std::vector<std::string>{file + " does not exist"});
    EXPECT_FALSE(std::filesystem::exists(file));
    std::string other = "<UserSettings><Category name=\"Environment_ExternalTools\"/>"
                        "<Category name=\"Other_Group\"><Category name=\"Environment_ExternalTools\"/></Category>"
                        "</UserSettings>";
    const std::string nothing = "could not find the external tools of Visual Studio 2010 in " + file;
    for (const std::string& text : {other, std::string()}) {
        Write(text);
        EXPECT_FALSE(Present());
        EXPECT_FALSE(Install(Tool()));
        EXPECT_EQ(context.errors, std::vector<std::string>{nothing});
        EXPECT_EQ(Read(), text);
        context.errors.clear();
    }
    std::filesystem::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    context.xmlErrors.clear();
    EXPECT_FALSE(Present());
    EXPECT_FALSE(Install(Tool()));
    EXPECT_EQ(context.xmlErrors, std::vector<std::string>{file + " is not a regular file"});
    EXPECT_TRUE(context.backups.empty());
    EXPECT_TRUE(context.installed.empty());
}

TEST_F(Studio, AFailedBackupWritesNothing) {
    Write(exported({}));
    context.backupSucceeds = false;
    EXPECT_FALSE(Install(Tool()));
    EXPECT_EQ(Read(), exported({}));
    EXPECT_TRUE(context.installed.empty());
}
