// TextPad and EditPadPro through InstallTool and the session's backups: the prepared command
// line, the backup files they leave, the success line and the "Installed in" list.
#include "core/registry.h"
#include "core/targetlocations.h"
#include "registryfixtures.h"
#include "sessiontest.h"

#include <regex>

namespace {

const std::string header = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\r\n";
const std::string prefs = "Software\\JGsoft\\EditPadPro6\\EPPrefs";

class RegistryInstall : public SessionTest {
protected:
    void SetUp() override {
        session->flags.noGui = true;
        session->backupDirectory = Path("backups");
        session->tools = {{"brelm", "", "", "", ""}};
    }
    std::string Lines() {
        std::string text = err.str();
        err.str("");
        return text;
    }
    std::string Relative(const std::string& path) const { return path.substr(folder.path().string().size() + 1); }
    std::string Value(const std::string& key, const std::string& name) const {
        registryvalue raw;
        if (session->registry.queryvalue(key, name, raw) != registryok) return "missing";
        return std::to_string(raw.type) + ":" + raw.data;
    }
    bool Install(const std::string& target, const std::string& location, const std::string& commandLine) {
        return session->InstallTool(target, location, "brelm", "/work", commandLine, "", false);
    }
};

}  // namespace

TEST_F(RegistryInstall, TextPadKeepsConfigAndItsRecordInTheBackup) {
    const std::string config = "<GUI><NormalLayout><CommandBars><CommandBars><CommandBar Class=\"CXTPToolBar\">"
                               "<Controls><Control Id=\"32854\"/></Controls></CommandBar></CommandBars></CommandBars>"
                               "</NormalLayout></GUI>";
    Write("textpad/config.xml", config);
    ASSERT_TRUE(Install("Textpad 5", Path("textpad"), "\"%GRInstallDir%/brelm\" -i %File% -l %Line% %GRInstallDir%"));
    EXPECT_EQ(Lines(), "Installed tool brelm in Textpad 5.\n");
    EXPECT_EQ(session->tools[0].installedin, "Textpad 5");
    const std::string key = "Software\\Helios\\TextPad 5\\Tools\\0";
    EXPECT_EQ(Value(key, "Parameters"), Sz("\"" + Path("bin") + "/brelm\" -i $File -l $Line %GRInstallDir%"));
    EXPECT_EQ(Value(key, "Folder"), Sz("/work"));
    std::string written = config;
    written.insert(written.find("/>"), " TooltipText=\"brelm\"");
    EXPECT_EQ(Read("textpad/config.xml"), written);
    ASSERT_EQ(session->backups.size(), 1u);
    const std::string& location = session->backups[0].location;
    EXPECT_TRUE(std::regex_match(location, std::regex(Path("backups") + "/Textpad 5/[0-9a-f]{32}config\\.xml")));
    EXPECT_EQ(Read(Relative(location)), config);
    EXPECT_EQ(Read(Relative(location) + "2"),
              header + "<!DOCTYPE registry>\r\n<registry><overwrite>false</overwrite><toolno>0</toolno><Command></Command>"
                       "<MenuText></MenuText><Folder></Folder><Parameters></Parameters><Properties></Properties>"
                       "<RE></RE></registry>");
    EXPECT_TRUE(session->IsToolPresent("Textpad 5", Path("textpad"), "brelm"));
    EXPECT_FALSE(session->IsToolPresent("Textpad 5", Path("textpad"), "grep"));
    // A replacement asks; declined, nothing changes.
    EXPECT_TRUE(Install("Textpad 5", Path("textpad"), "other"));
    EXPECT_EQ(prompter.Texts(ScriptedPrompter::Box::YesNo),
              std::vector<std::string>{"brelm tool already exists.Should I overwrite it?"});
    EXPECT_EQ(Lines(), "");
    EXPECT_EQ(session->backups.size(), 1u);
    // Without config.xml the backup of a replaced tool cannot be taken, and nothing is written.
    session->flags.overwrite = true;
    EXPECT_FALSE(Install("Textpad 5", Path("elsewhere"), "other"));
    EXPECT_EQ(Lines(), "could not backup Textpad 5. Installation cancelled\n");
    EXPECT_EQ(Value(key, "Parameters"), Sz("\"" + Path("bin") + "/brelm\" -i $File -l $Line %GRInstallDir%"));
    // A config.xml the reader rejects is an input error box in every mode.
    Write("textpad/config.xml", "<GUI>");
    EXPECT_FALSE(Install("Textpad 5", Path("textpad"), "other"));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].rfind("Error reading the input file: " + Path("textpad/config.xml") + ": line 1: ", 0), 0u)
        << Boxes()[0];
    EXPECT_EQ(Lines(), "");
    EXPECT_EQ(session->backups.size(), 1u);
}

TEST_F(RegistryInstall, EditPadPro7TakesTheSelectionAndBacksUpItsIni) {
    const std::string ini = "[Pro]\r\nToolCount=1\r\n[Tool0]\r\nCaption=grep\r\n";
    Write("epp7/EditPadPro7.ini", ini);
    ASSERT_TRUE(Install("EditPadPro 7", Path("epp7"), "brelm.exe -i %File% -s \"%SelText%\""));
    EXPECT_EQ(Lines(), "Installed tool brelm in EditPadPro 7.\n");
    std::string text = Read("epp7/EditPadPro7.ini");
    EXPECT_EQ(text.substr(0, 46), "[Pro]\r\nToolCount=2\r\n[Tool0]\r\nCaption=grep\r\n[To");
    EXPECT_NE(text.find("\r\n[Tool1]\r\nCaption=brelm\r\nHint=\r\nCommandLine=brelm.exe -i %FILE% -s \"%SELECTION%\"\r\n"),
              std::string::npos);
    ASSERT_EQ(session->backups.size(), 1u);
    EXPECT_EQ(Read(Relative(session->backups[0].location)),
              header + "<!DOCTYPE Editpadpro>\r\n<Editpadpro version=\"EditPadPro 7\">\r\n\t<tools>\r\n\t\t<tool>\r\n"
                       "\t\t\t<Caption type=\"1\">grep</Caption>\r\n\t\t</tool>\r\n\t</tools>\r\n</Editpadpro>\r\n");
    EXPECT_TRUE(session->IsToolPresent("EditPadPro 7", Path("epp7"), "brelm"));
}

TEST_F(RegistryInstall, EditPadPro6InTheRegistryIsBackedUpAsAToolsDocument) {
    ASSERT_TRUE(RegWriteValue(session->registry, prefs + "\\Tool0", "Caption", std::string("grep"), false));
    ASSERT_TRUE(RegWriteValue(session->registry, prefs + "\\Tool0", "Blob", std::string("\x01\x00<", 3), true));
    ASSERT_TRUE(RegWriteValue(session->registry, prefs + "\\Tool1", "Caption", std::string("sed"), false));
    ASSERT_TRUE(RegWriteValue(session->registry, prefs + "\\Pro", "ToolCount", int32_t(2), false));
    EXPECT_FALSE(Install("EditPadPro 6", LocatedInRegistry, "brelm.exe %SelText%"));
    EXPECT_EQ(Lines(), "%SelText% is not supported for EditPadPro 6\n");
    ASSERT_TRUE(Install("EditPadPro 6", LocatedInRegistry, "brelm.exe -i %File% -c %Col%"));
    EXPECT_EQ(Lines(), "Installed tool brelm in EditPadPro 6.\n");
    EXPECT_EQ(Value(prefs + "\\Tool2", "CommandLine"), Sz("brelm.exe -i %FILE% -c %COL%"));
    EXPECT_EQ(Value(prefs + "\\Pro", "ToolCount"), std::string("4:\x03\0\0\0", 6));
    ASSERT_EQ(session->backups.size(), 1u);
    EXPECT_EQ(session->backups[0].name, "EditPadPro 6");
    EXPECT_TRUE(std::regex_match(session->backups[0].location,
                                 std::regex(Path("backups") + "/EditPadPro 6/[0-9a-f]{32}editpadpro\\.xml")));
    EXPECT_EQ(Read(Relative(session->backups[0].location)),
              header + "<!DOCTYPE Editpadpro>\r\n<Editpadpro>\r\n\t<tools>\r\n\t\t<tool>\r\n"
                       "\t\t\t<Caption type=\"1\">grep</Caption>\r\n\t\t\t<Blob type=\"3\">01003c</Blob>\r\n"
                       "\t\t</tool>\r\n\t\t<tool>\r\n\t\t\t<Caption type=\"1\">sed</Caption>\r\n\t\t</tool>\r\n"
                       "\t</tools>\r\n</Editpadpro>\r\n");
    EXPECT_TRUE(session->IsToolPresent("EditPadPro 6", LocatedInRegistry, "brelm"));
    EXPECT_FALSE(session->IsToolPresent("EditPadPro 6", Path("epp6"), "brelm"));
    EXPECT_EQ(Lines(), "");
    // The ini of a version 6 that now keeps its tools in the registry is not touched.
    Write("epp6/EditPadPro.ini", "[Pro]\r\nToolCount=0\r\n");
    EXPECT_FALSE(Install("EditPadPro 6", Path("epp6"), "brelm.exe"));
    EXPECT_EQ(Lines(), "EditPadPro is NOW stored in the registry,not in an ini file, use autodetect.\n");
    EXPECT_EQ(Read("epp6/EditPadPro.ini"), "[Pro]\r\nToolCount=0\r\n");
    EXPECT_EQ(session->backups.size(), 1u);
}
