// Installing into TextPad and EditPadPro from the command line, with the registry store file
// written by hand.
#include "tolvanerun.h"

#include <regex>

namespace {

const std::string header = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>";
const std::string regheader = "Windows Registry Editor Version 5.00\r\n";
const std::string textpadtools = "HKEY_CURRENT_USER\\Software\\Helios\\TextPad 5\\Tools\\";
const std::string prefs = "HKEY_CURRENT_USER\\Software\\JGsoft\\EditPadPro6\\EPPrefs";

const std::string config = "<?xml version=\"1.0\"?>\r\n<GUI>\r\n <NormalLayout><CommandBars><CommandBars>"
                           "<CommandBar Class=\"CXTPToolBar\"><Controls><Control Id=\"32856\"/></Controls></CommandBar>"
                           "</CommandBars></CommandBars></NormalLayout>\r\n</GUI>\r\n";

}  // namespace

class RegistryTargets : public TolvaneTest {
protected:
    void SetUp() override {
        TolvaneTest::SetUp();
        std::filesystem::create_directories(root / "backups");
    }
    // The settings file with the tool brelm, one target row and the backup directory.
    void Settings(const std::string& target, const std::string& dir, const std::string& installedin = "") {
        Write("s.xml", CrLf({header, "<!DOCTYPE Gantrel>", "<Gantrel>", "\t<tools>", "\t\t<tool>",
                             "\t\t\t<name>brelm</name>", "\t\t\t<cmdline>%GRInstallDir%/brelm -i %File% -l %Line%</cmdline>",
                             "\t\t\t<curdir>/work</curdir>", "\t\t\t<logparser></logparser>",
                             "\t\t\t<installedin>" + installedin + "</installedin>", "\t\t</tool>", "\t</tools>",
                             "\t<ides>", "\t\t<ide>", "\t\t\t<name>" + target + "</name>", "\t\t\t<dir>" + dir + "</dir>",
                             "\t\t</ide>", "\t</ides>", "\t<backupdir>" + Path("backups") + "</backupdir>",
                             "</Gantrel>"}));
    }
    programresult Install(const std::string& target, std::vector<std::string> more = {}) {
        std::vector<std::string> arguments = {"-nogui", "-if", Path("s.xml"), "-e", target, "-it", "brelm"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return Tolvane(arguments);
    }
    // The one backup file of the target whose name ends with tail, by its path under the folder.
    std::string BackupFile(const std::string& target, const std::string& tail) const {
        for (const std::string& name : Listing("backups/" + target))
            if (std::regex_match(name, std::regex("[0-9a-f]{32}" + tail))) return "backups/" + target + "/" + name;
        return "";
    }
    std::string InstalledIn() const {
        std::smatch found;
        std::string settings = Read("s.xml");
        return std::regex_search(settings, found, std::regex("<installedin>(.*)</installedin>")) ? found[1].str() : "?";
    }
};

TEST_F(RegistryTargets, TextPadTakesTheFirstFreeKeyAndTheButtonsTooltip) {
    const std::string store = regheader + "\r\n[" + textpadtools + "0]\r\n\"MenuText\"=\"grep\"\r\n\r\n[" + textpadtools +
                              "1]\r\n\"MenuText\"=\"sed\"\r\n\r\n";
    Write("registry.reg", store);
    Write("appdata/Helios/TextPad/5.0/config.xml", config);
    Settings("Textpad 5", Path("appdata/Helios/TextPad/5.0"));
    programresult r = Install("Textpad 5");
    EXPECT_EQ(r.exitcode, 0);
    EXPECT_EQ(r.err, "Installed tool brelm in Textpad 5.\nDone\n");
    const std::string key2 = "[" + textpadtools + "2]\r\n\"Command\"=\"cmd.exe\"\r\n\"MenuText\"=\"brelm\"\r\n"
                             "\"Folder\"=\"/work\"\r\n\"Parameters\"=\"" + bin.string() + "/brelm -i $File -l $Line\"\r\n"
                             "\"Properties\"=hex:01,00,00,00,58,80,00,00,68,39,00,00\r\n\"RE\"=\"\"\r\n\r\n";
    EXPECT_EQ(Read("registry.reg").substr(Read("registry.reg").find("[" + textpadtools + "2]")), key2);
    EXPECT_EQ(Read("appdata/Helios/TextPad/5.0/config.xml"),
              "<?xml version=\"1.0\"?><GUI><NormalLayout><CommandBars><CommandBars><CommandBar Class=\"CXTPToolBar\">"
              "<Controls><Control Id=\"32856\" TooltipText=\"brelm\"/></Controls></CommandBar></CommandBars>"
              "</CommandBars></NormalLayout></GUI>");
    std::string backup = BackupFile("Textpad 5", "config\\.xml");
    ASSERT_NE(backup, "");
    EXPECT_EQ(Read(backup), config);
    EXPECT_EQ(Read(backup + "2"), CrLf({header, "<!DOCTYPE registry>"}) +
                                      "<registry><overwrite>false</overwrite><toolno>2</toolno><Command></Command>"
                                      "<MenuText></MenuText><Folder></Folder><Parameters></Parameters>"
                                      "<Properties></Properties><RE></RE></registry>");
    EXPECT_EQ(Listing("backups/Textpad 5").size(), 2u);
    EXPECT_NE(Read("backups/backuplist.xml").find("<location>" + Path(backup) + "</location>"), std::string::npos);
    EXPECT_EQ(InstalledIn(), "Textpad 5");

    // Again: the question, and end of input is No.
    std::string before = Read("registry.reg");
    r = Install("Textpad 5");
    EXPECT_EQ(r.err, "brelm tool already exists.Should I overwrite it?\nDone\n");
    EXPECT_EQ(Read("registry.reg"), before);
    EXPECT_EQ(Listing("backups/Textpad 5").size(), 2u);
    // With -o the key is replaced and its old values go with the backup.
    Settings("Textpad 5", Path("appdata/Helios/TextPad/5.0"));
    r = Install("Textpad 5", {"-o"});
    EXPECT_EQ(r.err, "Installed tool brelm in Textpad 5.\nDone\n");
    EXPECT_EQ(Read("registry.reg"), before);   // the same values once more
    ASSERT_EQ(Listing("backups/Textpad 5").size(), 4u);
    std::string records;
    for (const std::string& name : Listing("backups/Textpad 5"))
        if (name.back() == '2') records += Read("backups/Textpad 5/" + name);
    EXPECT_NE(records.find("<registry><overwrite>true</overwrite><toolno>2</toolno><Command>cmd.exe</Command>"
                           "<MenuText>brelm</MenuText><Folder>/work</Folder><Parameters>" + bin.string() +
                           "/brelm -i $File -l $Line</Parameters><Properties>010000005880000068390000</Properties>"
                           "<RE></RE></registry>"),
              std::string::npos);
}

// A key without its MenuText is still the user's tool: the new one takes the next key, and
// its record says so, so that a restore leaves the user's key alone.
TEST_F(RegistryTargets, TextPadLeavesAKeyWithoutAMenuTextToItsOwner) {
    const std::string users = "[" + textpadtools + "0]\r\n\"Command\"=\"cmd.exe\"\r\n\"Folder\"=\"/mine\"\r\n"
                              "\"Parameters\"=\"mine.exe $File\"\r\n\r\n";
    Write("registry.reg", regheader + "\r\n" + users);
    Write("appdata/Helios/TextPad/5.0/config.xml", config);
    Settings("Textpad 5", Path("appdata/Helios/TextPad/5.0"));
    EXPECT_EQ(Install("Textpad 5").err, "Installed tool brelm in Textpad 5.\nDone\n");
    const std::string store = Read("registry.reg");
    EXPECT_NE(store.find(users), std::string::npos);
    EXPECT_NE(store.find("[" + textpadtools + "1]\r\n\"Command\"=\"cmd.exe\"\r\n\"MenuText\"=\"brelm\"\r\n"),
              std::string::npos);
    std::string backup = BackupFile("Textpad 5", "config\\.xml");
    ASSERT_NE(backup, "");
    EXPECT_NE(Read(backup + "2").find("<overwrite>false</overwrite><toolno>1</toolno>"), std::string::npos);
}

// A registry store that cannot be parsed is named, and nothing is written into it.
TEST_F(RegistryTargets, AStoreThatCannotBeReadIsNamed) {
    const std::string broken = regheader + "\r\n[" + textpadtools + "0\r\n";
    Write("registry.reg", broken);
    Write("appdata/Helios/TextPad/5.0/config.xml", config);
    Settings("Textpad 5", Path("appdata/Helios/TextPad/5.0"));
    programresult r = Install("Textpad 5");
    EXPECT_EQ(r.err.rfind("Error reading the input file: " + Path("registry.reg") + ": line 3: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("\nInstall failed,could not save write registry for Textpad 5\nDone\n"), std::string::npos) << r.err;
    EXPECT_EQ(Read("registry.reg"), broken);
}

TEST_F(RegistryTargets, EditPadPro7AppendsItsSectionAndRaisesTheCount) {
    const std::string ini = "[Pro]\r\nToolCount=1\r\n[Tool0]\r\nCaption=grep\r\nCommandLine=grep %FILE%\r\n";
    Write("appdata/JGsoft/EditPad Pro 7/EditPadPro7.ini", ini);
    Settings("EditPadPro 7", Path("appdata/JGsoft/EditPad Pro 7"));
    programresult r = Install("EditPadPro 7");
    EXPECT_EQ(r.err, "Installed tool brelm in EditPadPro 7.\nDone\n");
    EXPECT_EQ(Read("appdata/JGsoft/EditPad Pro 7/EditPadPro7.ini"),
              CrLf({"[Pro]", "ToolCount=2", "[Tool0]", "Caption=grep", "CommandLine=grep %FILE%", "[Tool1]",
                    "Caption=brelm", "Hint=", "CommandLine=" + bin.string() + "/brelm -i %FILE% -l %LINE%",
                    "WorkingFolder=/work", "Toolbar=1", "ToolbarCaption=0", "ShortCut=0", "FileTypes=*", "FileSave=1",
                    "FileSaveTemp=0", "SelSaveTemp=0", "ReloadFile=1", "FileOpenTemp=0", "MsgOpenTemp=0",
                    "ReplaceTemp=0", "SelOpenTemp=0", "OpenTempFileType=txt", "OpenTempSyntax=None", "StdIn=0",
                    "StdOut=2", "StdOutModified=1", "StdOutClose=0", "StdOutFileType=0", "StdOutUserFileType=txt",
                    "StdOutSyntax=None", "StdErr=1", "StdErrModified=1", "StdErrClose=0", "StdErrFileType=txt",
                    "StdErrSyntax=None"}));
    std::string backup = BackupFile("EditPadPro 7", "editpadpro\\.xml");
    ASSERT_NE(backup, "");
    EXPECT_EQ(Read(backup), CrLf({header, "<!DOCTYPE Editpadpro>", "<Editpadpro version=\"EditPadPro 7\">", "\t<tools>",
                                  "\t\t<tool>", "\t\t\t<Caption type=\"1\">grep</Caption>",
                                  "\t\t\t<CommandLine type=\"1\">grep %FILE%</CommandLine>", "\t\t</tool>", "\t</tools>",
                                  "</Editpadpro>"}));
    EXPECT_EQ(InstalledIn(), "EditPadPro 7");
}

TEST_F(RegistryTargets, EditPadPro6InTheRegistryWritesTheNextToolKey) {
    Write("registry.reg", regheader + "\r\n[" + prefs + "\\Pro]\r\n\"ToolCount\"=dword:00000001\r\n\r\n[" + prefs +
                              "\\Tool0]\r\n\"Caption\"=\"grep\"\r\n\"StdOut\"=dword:00000002\r\n\r\n");
    Settings("EditPadPro 6", "located in registry");
    programresult r = Install("EditPadPro 6");
    EXPECT_EQ(r.err, "Installed tool brelm in EditPadPro 6.\nDone\n");
    std::string store = Read("registry.reg");
    EXPECT_NE(store.find("[" + prefs + "\\Pro]\r\n\"ToolCount\"=dword:00000002\r\n"), std::string::npos);
    EXPECT_EQ(store.substr(store.find("[" + prefs + "\\Tool1]")),
              "[" + prefs + "\\Tool1]\r\n\"Caption\"=\"brelm\"\r\n\"Hint\"=\"\"\r\n\"CommandLine\"=\"" + bin.string() +
                  "/brelm -i %FILE% -l %LINE%\"\r\n\"WorkingFolder\"=\"/work\"\r\n\"ShortCut\"=dword:00000000\r\n"
                  "\"AllFileTypes\"=\"0\"\r\n\"FileTypes\"=\"YNNN\"\r\n\"UserFileTypes\"=\"" + std::string(30, 'N') +
                  "\"\r\n\"FileSave\"=\"1\"\r\n\"FileSaveTemp\"=\"0\"\r\n\"SelSaveTemp\"=\"0\"\r\n\"ReloadFile\"=\"1\"\r\n"
                  "\"FileOpenTemp\"=\"0\"\r\n\"MsgOpenTemp\"=\"0\"\r\n\"SelOpenTemp\"=\"0\"\r\n"
                  "\"OpenTempFileType\"=dword:00000000\r\n\"OpenTempUserFileType\"=\"0\"\r\n\"OpenTempSyntax\"=\"None\"\r\n"
                  "\"StdIn\"=dword:00000000\r\n\"StdOut\"=dword:00000002\r\n\"StdOutModified\"=\"1\"\r\n"
                  "\"StdOutClose\"=\"0\"\r\n\"StdOutFileType\"=dword:00000000\r\n\"StdOutUserFileType\"=\"0\"\r\n"
                  "\"StdOutSyntax\"=\"None\"\r\n\"StdErr\"=dword:00000001\r\n\"StdErrModified\"=\"1\"\r\n"
                  "\"StdErrClose\"=\"0\"\r\n\"StdErrFileType\"=dword:00000000\r\n\"StdErrUserFileType\"=\"0\"\r\n"
                  "\"StdErrSyntax\"=\"None\"\r\n\r\n");
    std::string backup = BackupFile("EditPadPro 6", "editpadpro\\.xml");
    ASSERT_NE(backup, "");
    EXPECT_EQ(Read(backup), CrLf({header, "<!DOCTYPE Editpadpro>", "<Editpadpro>", "\t<tools>", "\t\t<tool>",
                                  "\t\t\t<Caption type=\"1\">grep</Caption>", "\t\t\t<StdOut type=\"4\">2</StdOut>",
                                  "\t\t</tool>", "\t</tools>", "</Editpadpro>"}));
    EXPECT_EQ(InstalledIn(), "EditPadPro 6");
}

TEST_F(RegistryTargets, EditPadPro6InTheRegistryRefusesItsIniFile) {
    const std::string store = regheader + "\r\n[" + prefs + "\\Tool0]\r\n\"Caption\"=\"grep\"\r\n\r\n";
    const std::string ini = "[Pro]\r\nToolCount=0\r\n";
    Write("registry.reg", store);
    Write("epp6/EditPadPro.ini", ini);
    Settings("EditPadPro 6", Path("epp6"));
    programresult r = Install("EditPadPro 6");
    EXPECT_EQ(r.err, "EditPadPro is NOW stored in the registry,not in an ini file, use autodetect.\nDone\n");
    EXPECT_EQ(Read("registry.reg"), store);
    EXPECT_EQ(Read("epp6/EditPadPro.ini"), ini);
    EXPECT_FALSE(Exists("backups/EditPadPro 6"));
    EXPECT_EQ(InstalledIn(), "");
    // And the other way round.
    Write("registry.reg", regheader);
    Settings("EditPadPro 6", "located in registry");
    r = Install("EditPadPro 6");
    EXPECT_EQ(r.err, "EditPadPro is NOW stored in an ini file, not in registry, use autodetect.\nDone\n");
    EXPECT_EQ(Read("epp6/EditPadPro.ini"), ini);
}
