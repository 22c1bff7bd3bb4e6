// The Code::Blocks writer on default.conf files as Code::Blocks writes them: declaration,
// comment, indented elements, names in CDATA sections.
#include "core/targetlocations.h"
#include "fakewritercontext.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>";
const std::string comment = "<!-- application info:\n\t\t svn_revision:\t6181\n\t\t gcc_version:\t4.4.1 -->";

struct CbTool {
    std::string tag, name, command, params, dir, launch = "0";
};

// A tool as Code::Blocks writes it, indented by tabs.
std::string indented(const CbTool& t) {
    auto field = [](const std::string& tag, const std::string& value) {
        return "\t\t\t<" + tag + ">\n\t\t\t\t<str>\n\t\t\t\t\t<![CDATA[" + value + "]]>\n\t\t\t\t</str>\n\t\t\t</" + tag + ">\n";
    };
    return "\t\t<" + t.tag + ">\n" + field("NAME", t.name) + field("COMMAND", t.command) + field("PARAMS", t.params) +
           field("WORKINGDIR", t.dir) + "\t\t\t<LAUNCHOPTION int=\"" + t.launch + "\" />\n\t\t</" + t.tag + ">\n";
}

// The same tool as the writer gives it back: no layout.
std::string compact(const CbTool& t) {
    auto field = [](const std::string& tag, const std::string& value) {
        return "<" + tag + "><str><![CDATA[" + value + "]]></str></" + tag + ">";
    };
    return "<" + t.tag + ">" + field("NAME", t.name) + field("COMMAND", t.command) + field("PARAMS", t.params) +
           field("WORKINGDIR", t.dir) + "<LAUNCHOPTION int=\"" + t.launch + "\"/></" + t.tag + ">";
}

std::string conffile(const std::vector<CbTool>& tools) {
    std::string text = declaration + "\n<CodeBlocksConfig version=\"1\">\n\t" + comment +
                       "\n\t<app>\n\t\t<locale>\n\t\t\t<ENABLE bool=\"0\" />\n\t\t</locale>\n\t</app>\n\t<tools>\n";
    for (const CbTool& t : tools) text += indented(t);
    return text + "\t</tools>\n</CodeBlocksConfig>\n";
}

std::string written(const std::vector<CbTool>& tools) {
    std::string text = declaration + "<CodeBlocksConfig version=\"1\">" + comment +
                       "<app><locale><ENABLE bool=\"0\"/></locale></app><tools>";
    for (const CbTool& t : tools) text += compact(t);
    return text + "</tools></CodeBlocksConfig>";
}

CbTool other(int n) {
    char tag[16];
    std::snprintf(tag, sizeof tag, "tool%02d", n);
    return {tag, "Tool " + std::to_string(n), "make", "-f ${ACTIVE_EDITOR_FILENAME}", "${PROJECT_DIR}"};
}

CbTool brelm(const std::string& tag, const std::string& dir = "/src") {
    return {tag, "brelm", "/opt/tolvane/brelm",
            "-i ${ACTIVE_EDITOR_FILENAME} -c ${ACTIVE_EDITOR_COLUMN} -l ${ACTIVE_EDITOR_LINE}", dir, "1"};
}

class CodeBlocks : public testing::Test {
protected:
    testfolder folder;
    FakeWriterContext context{folder};
    std::string dir = (folder / "codeblocks").string();
    std::string conf = dir + "/default.conf";

    PreparedTool Tool(const std::string& name = "brelm", const std::string& currentDirectory = "/src") {
        PreparedTool tool = Prepared(CodeBlocksTarget, dir, name, "/opt/tolvane/brelm", "-i %File% -c %Col% -l %Line%");
        tool.currentDirectory = currentDirectory;
        return tool;
    }
    void Write(const std::string& text) { folder.write("codeblocks/default.conf", text); }
    std::string Read() const { return folder.read("codeblocks/default.conf"); }
    bool Install(const PreparedTool& tool) { return InstallCodeBlocksTool(tool, context); }
    bool Present(const std::string& name = "brelm") { return InstallCodeBlocksTool(CheckOnly(Tool(name)), context); }
};

}  // namespace

TEST_F(CodeBlocks, ToolsOneToNineGiveToolTenWithTheDeclarationWrittenOnce) {
    std::vector<CbTool> tools;
    for (int n = 1; n <= 9; ++n) tools.push_back(other(n));
    std::string before = conffile(tools);
    Write(before);
    EXPECT_FALSE(Present());
    ASSERT_TRUE(Install(Tool()));
    tools.push_back(brelm("tool10"));
    EXPECT_EQ(Read(), written(tools));
    ASSERT_EQ(context.backups.size(), 1u);
    EXPECT_EQ(context.backups[0].location, conf);
    EXPECT_EQ(context.backups[0].content, before);
    EXPECT_EQ(context.installed, (std::vector<std::pair<std::string, std::string>>{{"brelm", CodeBlocksTarget}}));
    EXPECT_TRUE(context.asked.empty());
    EXPECT_TRUE(context.errors.empty());
    EXPECT_TRUE(Present());
    EXPECT_TRUE(Present("Tool 9"));
    EXPECT_FALSE(Present("Tool"));
}

TEST_F(CodeBlocks, NumberingStartsAtOneAndGrowsPastTwoDigits) {
    Write(conffile({}));
    ASSERT_TRUE(Install(Tool()));
    EXPECT_EQ(Read(), written({brelm("tool01")}));
    Write(conffile({other(99), {"toolbar", "x", "", "", ""}, other(7)}));
    ASSERT_TRUE(Install(Tool()));
    EXPECT_EQ(Read(), written({other(99), {"toolbar", "x", "", "", ""}, other(7), brelm("tool100")}));
}

TEST_F(CodeBlocks, OverwriteKeepsTheTagAndTheOtherToolsCData) {
    CbTool old = {"tool05", "brelm", "old.exe", "%File%", "/old"};
    Write(conffile({other(1), old, other(6)}));
    context.overwriteAnswers = {false};
    std::string before = Read();
    EXPECT_TRUE(Install(Tool()));
    EXPECT_EQ(Read(), before);
    EXPECT_TRUE(context.backups.empty());
    EXPECT_TRUE(context.installed.empty());
    context.overwriteAnswers = {true};
    ASSERT_TRUE(Install(Tool("brelm", "/new")));
    EXPECT_EQ(Read(), written({other(1), brelm("tool05", "/new"), other(6)}));
    EXPECT_EQ(context.asked, (std::vector<std::string>{"brelm", "brelm"}));
}

TEST_F(CodeBlocks, TheRootMustFollowTheDeclaration) {
    std::string text = conffile({other(1)});
    for (std::string bad : {"<!-- first -->" + text, text.substr(text.find('<', 1)),
                            declaration + "<!-- c --><CodeBlocksConfig><tools/></CodeBlocksConfig>"}) {
        Write(bad);
        context.xmlErrors.clear();
        EXPECT_FALSE(Present("Tool 1"));
        EXPECT_EQ(context.xmlErrors, std::vector<std::string>{conf + ": No CodeBlocksConfig tag"});
        context.xmlErrors.clear();
        EXPECT_FALSE(Install(Tool()));
        EXPECT_EQ(context.xmlErrors, std::vector<std::string>{conf + ": No CodeBlocksConfig tag"});
        EXPECT_EQ(Read(), bad);
    }
    EXPECT_TRUE(context.backups.empty());
}

TEST_F(CodeBlocks, AParseErrorIsShownAndNothingIsWritten) {
    std::string bad = declaration + "\n<CodeBlocksConfig>\n<tools>\n</CodeBlocksConfig>\n";
    Write(bad);
    EXPECT_FALSE(Present());
    EXPECT_EQ(context.xmlErrors,
              std::vector<std::string>{conf + ": line 4: the closing tag </CodeBlocksConfig> does not match <tools>"});
    EXPECT_FALSE(Install(Tool()));
    EXPECT_EQ(context.xmlErrors.size(), 2u);
    EXPECT_EQ(Read(), bad);
    EXPECT_TRUE(context.backups.empty());
    EXPECT_TRUE(context.errors.empty());
}

TEST_F(CodeBlocks, WithoutToolsTagEveryModeSaysSo) {
    std::string text = declaration + "<CodeBlocksConfig><app/><!-- <tools/> --></CodeBlocksConfig>";
    Write(text);
    const std::string message = "Install failed,could not find tools tag in configuration file:" + conf;
    EXPECT_FALSE(Present());
    EXPECT_EQ(context.errors, std::vector<std::string>{message});
    EXPECT_FALSE(Install(Tool()));
    EXPECT_EQ(context.errors, (std::vector<std::string>{message, message}));
    EXPECT_EQ(Read(), text);
}

// What the file is, said with its path: the check asks nothing of a file it cannot read.
TEST_F(CodeBlocks, FilesThatCannotBeReadAreNamed) {
    EXPECT_FALSE(Present());
    EXPECT_TRUE(context.Silent());
    EXPECT_FALSE(Install(Tool()));
    EXPECT_EQ(context.xmlErrors, std::vector<std::string>{conf + " does not exist"});
    EXPECT_FALSE(std::filesystem::exists(conf));
    std::filesystem::create_directories(dir);
    ASSERT_EQ(::mkfifo(conf.c_str(), 0600), 0);
    context.xmlErrors.clear();
    EXPECT_FALSE(Present());
    EXPECT_FALSE(Install(Tool()));
    EXPECT_EQ(context.xmlErrors, std::vector<std::string>{conf + " is not a regular file"});
    std::filesystem::remove(conf);
    std::string utf16 = "\xFF\xFE";
    for (char c : conffile({other(1)})) utf16 += std::string{c, '\0'};
    Write(utf16);
    context.xmlErrors.clear();
    EXPECT_FALSE(Install(Tool()));
    EXPECT_EQ(context.xmlErrors, std::vector<std::string>{conf + " is UTF-16 text"});
    EXPECT_EQ(Read(), utf16);
    EXPECT_TRUE(context.backups.empty());
}

TEST_F(CodeBlocks, NamesAreTheCDataContentEvenWithBracketsInside) {
    Write(conffile({other(1)}));
    ASSERT_TRUE(Install(Tool("a]]>b")));
    EXPECT_NE(Read().find("<NAME><str><![CDATA[a]]]]><![CDATA[>b]]></str></NAME>"), std::string::npos);
    EXPECT_TRUE(Present("a]]>b"));
    ASSERT_TRUE(Install(Tool("a]]>b")));
    EXPECT_EQ(context.asked, std::vector<std::string>{"a]]>b"});
    // A name held as plain text counts as well.
    Write(declaration + "<CodeBlocksConfig><tools><tool03><NAME><str>plain &amp; simple</str></NAME></tool03>"
                        "</tools></CodeBlocksConfig>");
    EXPECT_TRUE(Present("plain & simple"));
}

TEST_F(CodeBlocks, AFailedBackupWritesNothing) {
    std::string before = conffile({other(1)});
    Write(before);
    context.backupSucceeds = false;
    EXPECT_FALSE(Install(Tool()));
    EXPECT_EQ(Read(), before);
    EXPECT_TRUE(context.installed.empty());
}
