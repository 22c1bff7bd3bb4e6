// The TextPad writer: registry keys by number, the toolbar tooltip in config.xml, and the
// previous values that go with the backup, which runs before anything is written.
#include "fakewritercontext.h"
#include "registryfixtures.h"

#include "core/numbers.h"
#include "core/targetlocations.h"
#include "core/xml.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string tools = "Software\\Helios\\TextPad 5\\Tools\\";

std::string tool(int n, const std::string& name) {
    return "[HKEY_CURRENT_USER\\" + tools + std::to_string(n) + "]\r\n\"MenuText\"=\"" + name + "\"\r\n";
}

// Keys 0 to 4 with other tools, key 2 complete with all six values.
std::string fivetools() {
    std::string text = "Windows Registry Editor Version 5.00\r\n\r\n";
    for (int n = 0; n < 5; ++n) {
        if (n == 2) {
            text += "[HKEY_CURRENT_USER\\" + tools + "2]\r\n"
                    "\"Command\"=\"cmd.exe\"\r\n\"MenuText\"=\"brelm\"\r\n\"Folder\"=\"C:\\\\work\"\r\n"
                    "\"Parameters\"=\"old.exe $File\"\r\n\"Properties\"=hex:01,00,00,00,58,80,00,00,68,39,00,00\r\n"
                    "\"RE\"=\"\"\r\n";
        } else {
            text += tool(n, "tool" + std::to_string(n));
        }
        text += "\r\n";
    }
    return text;
}

const std::string config =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<GUI>\n"
    " <NormalLayout>\n"
    "  <CommandBars>\n"
    "   <CommandBars Count=\"3\">\n"
    "    <CommandBar Class=\"CXTPMenuBar\"><Controls><Control Id=\"32859\"/></Controls></CommandBar>\n"
    "    <CommandBar Class=\"CXTPToolBar\" Title=\"Standard\"/>\n"
    "    <CommandBar Class=\"CXTPToolBar\" Title=\"Tools\"><Controls>"
    "<Control Id=\"32858\" TooltipText=\"old\"/><Control Id=\"32859\"/><Control Id=\"32859\"/>"
    "</Controls></CommandBar>\n"
    "   </CommandBars>\n"
    "  </CommandBars>\n"
    " </NormalLayout>\n"
    " <!-- kept -->\n"
    "</GUI>\n";

// The same, as the writer gives it back with the tooltip of button 32854 + 5.
const std::string configafter =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<GUI><NormalLayout><CommandBars><CommandBars Count=\"3\">"
    "<CommandBar Class=\"CXTPMenuBar\"><Controls><Control Id=\"32859\"/></Controls></CommandBar>"
    "<CommandBar Class=\"CXTPToolBar\" Title=\"Standard\"><Controls/></CommandBar>"
    "<CommandBar Class=\"CXTPToolBar\" Title=\"Tools\"><Controls>"
    "<Control Id=\"32858\" TooltipText=\"old\"/><Control Id=\"32859\" TooltipText=\"brelm\"/><Control Id=\"32859\"/>"
    "</Controls></CommandBar>"
    "</CommandBars></CommandBars></NormalLayout><!-- kept --></GUI>";

const std::string header = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\r\n<!DOCTYPE registry>\r\n";

class TextPad : public testing::Test {
protected:
    testfolder folder;
    std::string configpath = (folder / "5.0/config.xml").string();

    PreparedTool Tool(const std::string& name = "brelm") const {
        PreparedTool tool;
        tool.target = TextPadTarget;
        tool.location = (folder / "5.0").string();
        tool.toolName = name;
        tool.currentDirectory = "/work";
        tool.program = "/opt/tolvane/brelm";
        tool.argumentLine = "-i %File% -c %Col% -l %Line% -s \"%SelText%\"";
        return tool;
    }

    std::string Value(FakeWriterContext& context, int n, const std::string& name) const {
        registryvalue raw;
        if (context.registry.queryvalue(tools + std::to_string(n), name, raw) != registryok) return "missing";
        return std::to_string(raw.type) + ":" + raw.data;
    }
};

}  // namespace

TEST_F(TextPad, ANewToolTakesTheFirstFreeNumberAfterTheBackup) {
    folder.write("registry.reg", fivetools());
    folder.write("5.0/config.xml", config);
    FakeWriterContext context(folder);
    ASSERT_TRUE(InstallTextPadTool(Tool("grep"), context));
    EXPECT_TRUE(context.asked.empty());
    EXPECT_TRUE(context.errors.empty());
    EXPECT_EQ(Value(context, 5, "Command"), Sz("cmd.exe"));
    EXPECT_EQ(Value(context, 5, "MenuText"), Sz("grep"));
    EXPECT_EQ(Value(context, 5, "Folder"), Sz("/work"));
    EXPECT_EQ(Value(context, 5, "Parameters"),
              Sz("/opt/tolvane/brelm -i $File -c $Col -l $Line -s \"$Sel\""));
    EXPECT_EQ(Value(context, 5, "Properties"), std::string("3:\x01\0\0\0\x5B\x80\0\0\x68\x39\0\0", 14));
    EXPECT_EQ(Value(context, 5, "RE"), Sz(""));
    // The backup came first, with a record of six empty values.
    ASSERT_EQ(context.backups.size(), 1u);
    const FakeWriterContext::Backup& backup = context.backups[0];
    EXPECT_EQ(backup.target, "Textpad 5");
    EXPECT_EQ(backup.toolName, "grep");
    EXPECT_EQ(backup.location, configpath);
    EXPECT_EQ(backup.registryText, fivetools());
    EXPECT_EQ(backup.extra, header + "<registry><overwrite>false</overwrite><toolno>5</toolno><Command></Command>"
                                     "<MenuText></MenuText><Folder></Folder><Parameters></Parameters>"
                                     "<Properties></Properties><RE></RE></registry>");
    std::string expected = configafter;
    expected.replace(expected.find("TooltipText=\"brelm\""), 19, "TooltipText=\"grep\"");
    EXPECT_EQ(folder.read("5.0/config.xml"), expected);
    EXPECT_EQ(context.installed, (std::vector<std::pair<std::string, std::string>>{{"grep", "Textpad 5"}}));
}

TEST_F(TextPad, CheckOnlyFindsTheMenuTextUpToTheFirstGap) {
    std::string store = fivetools() + tool(7, "beyond");
    folder.write("registry.reg", store);
    FakeWriterContext context(folder);
    PreparedTool check = Tool();
    check.checkOnly = true;
    EXPECT_TRUE(InstallTextPadTool(check, context));
    check.toolName = "tool4";
    EXPECT_TRUE(InstallTextPadTool(check, context));
    check.toolName = "Brelm";
    EXPECT_FALSE(InstallTextPadTool(check, context));
    check.toolName = "beyond";   // after the free key 5
    EXPECT_FALSE(InstallTextPadTool(check, context));
    EXPECT_TRUE(context.asked.empty());
    EXPECT_TRUE(context.errors.empty());
    EXPECT_TRUE(context.backups.empty());
    EXPECT_EQ(folder.read("registry.reg"), store);
    EXPECT_FALSE(std::filesystem::exists(configpath));
}

TEST_F(TextPad, AReplacedToolKeepsItsPreviousValuesInTheRecord) {
    folder.write("registry.reg", fivetools());
    folder.write("5.0/config.xml", config);
    FakeWriterContext context(folder);
    context.overwriteAnswers = {true};
    ASSERT_TRUE(InstallTextPadTool(Tool(), context));
    EXPECT_EQ(context.asked, std::vector<std::string>{"brelm"});
    EXPECT_EQ(Value(context, 2, "Folder"), Sz("/work"));
    EXPECT_EQ(Value(context, 2, "Properties"), std::string("3:\x01\0\0\0\x58\x80\0\0\x68\x39\0\0", 14));
    EXPECT_EQ(Value(context, 3, "MenuText"), Sz("tool3"));
    ASSERT_EQ(context.backups.size(), 1u);
    EXPECT_EQ(context.backups[0].extra,
              header + "<registry><overwrite>true</overwrite><toolno>2</toolno><Command>cmd.exe</Command>"
                       "<MenuText>brelm</MenuText><Folder>C:\\work</Folder><Parameters>old.exe $File</Parameters>"
                       "<Properties>010000005880000068390000</Properties><RE></RE></registry>");
    // The record reads back to the old bytes.
    XmlNode record;
    std::string error;
    ASSERT_TRUE(ParseXml(context.backups[0].extra, 0, record, error)) << error;
    const XmlNode* properties = record.Find("registry")->Find("Properties");
    EXPECT_EQ(FromHex(properties->FirstChildText()), std::string("\x01\0\0\0\x58\x80\0\0\x68\x39\0\0", 12));
    // Button 32854 + 2 does not exist: config.xml is written back unchanged but for its layout.
    std::string expected = configafter;
    expected.replace(expected.find(" TooltipText=\"brelm\""), 20, "");
    EXPECT_EQ(folder.read("5.0/config.xml"), expected);
    EXPECT_EQ(context.installed.size(), 1u);
}

TEST_F(TextPad, DecliningToOverwriteWritesNothing) {
    folder.write("registry.reg", fivetools());
    folder.write("5.0/config.xml", config);
    FakeWriterContext context(folder);
    EXPECT_TRUE(InstallTextPadTool(Tool(), context));
    EXPECT_EQ(context.asked, std::vector<std::string>{"brelm"});
    EXPECT_TRUE(context.backups.empty());
    EXPECT_TRUE(context.installed.empty());
    EXPECT_EQ(folder.read("registry.reg"), fivetools());
    EXPECT_EQ(folder.read("5.0/config.xml"), config);
}

TEST_F(TextPad, NothingIsWrittenWhenAPreviousValueOrTheBackupOrConfigFails) {
    // A tool another program wrote without "RE" cannot be replaced, and nothing changes.
    std::string norevalue = fivetools();
    norevalue.erase(norevalue.find("\"RE\"=\"\"\r\n"), 9);
    folder.write("registry.reg", norevalue);
    folder.write("5.0/config.xml", config);
    {
        FakeWriterContext context(folder);
        context.overwriteAnswers = {true};
        EXPECT_FALSE(InstallTextPadTool(Tool(), context));
        EXPECT_EQ(context.errors, std::vector<std::string>{"Install failed,could not save write registry for Textpad 5"});
        EXPECT_TRUE(context.backups.empty());
        EXPECT_TRUE(context.installed.empty());
    }
    EXPECT_EQ(folder.read("registry.reg"), norevalue);
    // A failed backup leaves the store and config.xml as they were.
    {
        FakeWriterContext context(folder);
        context.backupSucceeds = false;
        EXPECT_FALSE(InstallTextPadTool(Tool("grep"), context));
        EXPECT_EQ(context.backups.size(), 1u);
        EXPECT_TRUE(context.errors.empty());
        EXPECT_TRUE(context.installed.empty());
    }
    EXPECT_EQ(folder.read("registry.reg"), norevalue);
    EXPECT_EQ(folder.read("5.0/config.xml"), config);
    // A config.xml the reader rejects is reported as an input error before the backup.
    const std::string broken = "<GUI><NormalLayout></GUI>";
    folder.write("5.0/config.xml", broken);
    {
        FakeWriterContext context(folder);
        EXPECT_FALSE(InstallTextPadTool(Tool("grep"), context));
        ASSERT_EQ(context.xmlErrors.size(), 1u);
        EXPECT_FALSE(context.xmlErrors[0].empty());
        EXPECT_TRUE(context.backups.empty());
        EXPECT_TRUE(context.installed.empty());
    }
    EXPECT_EQ(folder.read("registry.reg"), norevalue);
    EXPECT_EQ(folder.read("5.0/config.xml"), broken);
}

TEST_F(TextPad, AMissingConfigIsWrittenWithTheElementPath) {
    std::filesystem::create_directories(folder / "5.0");
    FakeWriterContext context(folder);
    PreparedTool first = Tool();
    first.argumentLine = "";
    ASSERT_TRUE(InstallTextPadTool(first, context));
    EXPECT_TRUE(context.backups.empty());   // nothing existed to back up
    EXPECT_EQ(Value(context, 0, "Parameters"), Sz("/opt/tolvane/brelm "));
    EXPECT_EQ(Value(context, 0, "Properties"), std::string("3:\x01\0\0\0\x56\x80\0\0\x68\x39\0\0", 14));
    EXPECT_EQ(folder.read("5.0/config.xml"),
              "<GUI><NormalLayout><CommandBars><CommandBars/></CommandBars></NormalLayout></GUI>");
    EXPECT_EQ(context.installed.size(), 1u);
    // A folder where config.xml cannot be written: the registry is written, the file is not.
    FakeWriterContext again(folder);
    PreparedTool second = Tool("grep");
    second.location = (folder / "missing").string();
    EXPECT_FALSE(InstallTextPadTool(second, again));
    EXPECT_EQ(again.errors, std::vector<std::string>{"Install failed,could not save configuration file for Textpad 5:" +
                                                     second.location + "/config.xml"});
    EXPECT_EQ(Value(again, 1, "MenuText"), Sz("grep"));
    EXPECT_TRUE(again.installed.empty());
}

TEST_F(TextPad, AFailingStoreGivesTheRegistryMessage) {
    folder.write("registry.reg", fivetools());
    folder.write("5.0/config.xml", config);
    FakeWriterContext context(folder);
    // A folder where the store's file was: every save fails.
    std::filesystem::remove(folder / "registry.reg");
    std::filesystem::create_directory(folder / "registry.reg");
    EXPECT_FALSE(InstallTextPadTool(Tool("grep"), context));
    EXPECT_EQ(context.errors, std::vector<std::string>{"Install failed,could not save write registry for Textpad 5"});
    EXPECT_EQ(folder.read("5.0/config.xml"), config);
    EXPECT_TRUE(context.installed.empty());
}

TEST_F(TextPad, TheConfigFileIsFoundIgnoringCase) {
    folder.write("5.0/Config.XML", config);
    FakeWriterContext context(folder);
    ASSERT_TRUE(InstallTextPadTool(Tool(), context));
    ASSERT_EQ(context.backups.size(), 1u);
    EXPECT_EQ(context.backups[0].location, (folder / "5.0/Config.XML").string());
    EXPECT_FALSE(std::filesystem::exists(configpath));
    EXPECT_NE(folder.read("5.0/Config.XML"), config);
}
