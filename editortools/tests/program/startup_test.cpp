// tolvane as a user runs it: help, switch errors, the window-less run with its files, the
// missing display.
#include "tolvanerun.h"

namespace {

const std::string header = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>";

std::string ide(const std::string& name, const std::string& dir) {
    return CrLf({"\t\t<ide>", "\t\t\t<name>" + name + "</name>", "\t\t\t<dir>" + dir + "</dir>", "\t\t</ide>"});
}

// The catalogue rows that have a default, under APPDATA.
std::string catalogue(const std::string& appdata) {
    return ide("Ultraedit 16", appdata + "/IDMComp/UltraEdit") + ide("Code::Blocks 8-10", appdata + "/codeblocks") +
           ide("Textpad 5", appdata + "/Helios/TextPad/5.0") + ide("EditPlus 3.2", appdata + "/EditPlus 3") +
           ide("EditPadPro 6", appdata + "/JGsoft/EditPad Pro 6") + ide("EditPadPro 7", appdata + "/JGsoft/EditPad Pro 7");
}

std::string settingsfile(const std::string& ides, const std::string& backupdir) {
    return CrLf({header, "<!DOCTYPE Gantrel>", "<Gantrel>", "\t<tools/>", "\t<ides>"}) + ides +
           CrLf({"\t</ides>", "\t<backupdir>" + backupdir + "</backupdir>", "</Gantrel>"});
}

const std::string emptylist = CrLf({header, "<!DOCTYPE backups>", "<backups/>"});

}  // namespace

class Startup : public TolvaneTest {};

TEST_F(Startup, HelpGoesToStandardErrorAfterTheIgnoredArguments) {
    programresult r = Tolvane({"-x", "/nogui", "-h", "-if"});
    EXPECT_EQ(r.exitcode, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "-x is ignored\n/nogui is ignored\n"
                     "Gantrel 1.1.2.1\n"
                     "-if xmlfile  input xml file for tools settings\n"
                     "-it toolname tool to install\n"
                     "-bd dir      backup directory to use\n"
                     "-e ide       install in this ide\n"
                     "-ng/-nogui   run without the user interface\n"
                     "-sid         show information dialogs\n"
                     "-h  this help\n");
    EXPECT_EQ(Listing("bin"), std::vector<std::string>{"tolvane"});
}

TEST_F(Startup, AMissingValueEndsTheRunWithoutALineBreak) {
    struct Case {
        std::vector<std::string> arguments;
        std::string err;
    } cases[] = {
        {{"-nogui", "-if"}, "Error:xml file not found in the command line"},
        {{"-nogui", "-it"}, "Error:tool name not found in the command line"},
        {{"-bd"}, "Error:backup directory not found in the command line"},
        {{"-ng", "junk", "-e"}, "junk is ignored\nError:Text Editor or Ide not found in the command line"},
    };
    for (const Case& c : cases) {
        programresult r = Tolvane(c.arguments);
        EXPECT_EQ(r.exitcode, 0);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(Listing("bin"), std::vector<std::string>{"tolvane"});
}

TEST_F(Startup, WithoutADisplayTheWindowCannotOpen) {
    programresult r = Tolvane({"-if", Path("s.xml")});
    EXPECT_EQ(r.exitcode, 1);
    EXPECT_EQ(r.err, "cannot open a display; use -nogui\n");
    environment["DISPLAY"] = ":97";   // no such server
    r = Tolvane({"-sid"});
    EXPECT_EQ(r.exitcode, 1);
    EXPECT_EQ(r.err, "cannot open a display; use -nogui\n");
    environment["QT_QPA_PLATFORM"] = "xcb";
    EXPECT_EQ(Tolvane({}).err, "cannot open a display; use -nogui\n");
    EXPECT_EQ(Listing("bin"), std::vector<std::string>{"tolvane"});
    EXPECT_FALSE(Exists("s.xml"));
}

TEST_F(Startup, AFreshRunWritesTheSettingsBesideTheProgram) {
    programresult r = Tolvane({"-nogui"});
    EXPECT_EQ(r.exitcode, 0);
    EXPECT_EQ(r.err, "Done\n");
    EXPECT_EQ(r.out, "");
    std::string fresh = settingsfile(catalogue(Path("appdata")), Path("appdata/Gantrel"));
    EXPECT_EQ(Read("bin/gantrel.xml"), fresh);
    EXPECT_EQ(Listing("bin"), (std::vector<std::string>{"gantrel.xml", "tolvane"}));
    EXPECT_EQ(Listing(""), (std::vector<std::string>{"appdata", "bin", "config", "home"}));
    EXPECT_EQ(Listing("appdata"), std::vector<std::string>{"Gantrel"});
    EXPECT_EQ(Read("appdata/Gantrel/backuplist.xml"), emptylist);
    // A second run reads what the first wrote and writes the same bytes.
    r = Tolvane({"-ng"});
    EXPECT_EQ(r.err, "Done\n");
    EXPECT_EQ(Read("bin/gantrel.xml"), fresh);
}

TEST_F(Startup, TheBackupDirectoryOfTheCommandLineGetsItsList) {
    std::filesystem::create_directories(root / "backups");
    programresult r = Tolvane({"-nogui", "-bd", Path("backups/")});
    EXPECT_EQ(r.err, "Done\n");
    EXPECT_EQ(Read("bin/gantrel.xml"), settingsfile(catalogue(Path("appdata")), Path("backups/")));
    EXPECT_EQ(Read("backups/backuplist.xml"), emptylist);
}

TEST_F(Startup, SettingsAndTheStoredBackupListRoundTripByteForByte) {
    std::string settings = CrLf({
        header, "<!DOCTYPE Gantrel>", "<Gantrel>", "\t<tools>", "\t\t<tool>", "\t\t\t<name>brelm</name>",
        "\t\t\t<cmdline>%GRInstallDir%/brelm -i &quot;%File%&quot; -o stdout</cmdline>", "\t\t\t<curdir></curdir>",
        "\t\t\t<logparser>&lt;&amp;&gt;&apos;&#x01;</logparser>", "\t\t\t<installedin>Pspad</installedin>",
        "\t\t</tool>", "\t</tools>", "\t<ides>", "\t\t<ide>", "\t\t\t<name>Pspad</name>",
        "\t\t\t<dir>" + Path("pspad") + "</dir>", "\t\t</ide>"}) +
        ide("Ultraedit 16", "/opt/ue") + ide("Code::Blocks 8-10", "/opt/cb") +
        ide("Eclipse Galileo/Helios", Path("workspace")) + ide("Eclipse Galileo/Helios", Path("workspace2")) +
        ide("Textpad 5", "/opt/tp") + ide("EditPlus 3.2", "/opt/ep") + ide("EditPadPro 6", "located in registry") +
        ide("EditPadPro 7", "/opt/epp7") + ide("My editor", "/opt/mine") +
        CrLf({"\t</ides>", "\t<backupdir>" + Path("stored") + "</backupdir>", "</Gantrel>"});
    std::string list = CrLf({header, "<!DOCTYPE backups>", "<backups>", "\t<backup>", "\t\t<name>Pspad</name>",
                             "\t\t<time>12/08/2026 18:05:09</time>",
                             "\t\t<explanation>before installing brelm backup</explanation>",
                             "\t\t<location>" + Path("stored/Pspad/links.ini") + "</location>", "\t</backup>",
                             "</backups>"});
    Write("s.xml", settings);
    Write("stored/backuplist.xml", list);
    programresult r = Tolvane({"-nogui", "-if", Path("s.xml")});
    EXPECT_EQ(r.err, "Done\n");
    EXPECT_EQ(Read("s.xml"), settings);
    EXPECT_EQ(Read("stored/backuplist.xml"), list);
    EXPECT_FALSE(Exists("bin/gantrel.xml"));
}

TEST_F(Startup, AnUnreadableSettingsFileIsReportedAndKeptAside) {
    std::string broken = "<Gantrel>\n<tools><tool><name>mine</name></tool></tools>\n";
    Write("bin/gantrel.xml", broken);
    programresult r = Tolvane({"-nogui"});
    EXPECT_EQ(r.exitcode, 0);
    EXPECT_EQ(r.err, "Error reading the input file: " + Path("bin/gantrel.xml") + ": line 3: the element <Gantrel> is not closed\n"
                     "The file was kept as " + Path("bin/gantrel.xml.bad") + "\nDone\n");
    EXPECT_EQ(Read("bin/gantrel.xml.bad"), broken);
    EXPECT_EQ(Read("bin/gantrel.xml"), settingsfile(catalogue(Path("appdata")), Path("appdata/Gantrel")));
}

TEST_F(Startup, AWrongStructureKeepsWhatWasReadBeforeIt) {
    std::string wrong = "<Gantrel><tools><tool><name>kept</name></tool></tools><targets/></Gantrel>";
    Write("s.xml", wrong);
    Write("b/backuplist.xml", "<backup/>");
    programresult r = Tolvane({"-nogui", "-if", Path("s.xml"), "-bd", Path("b")});
    EXPECT_EQ(r.err, "Error reading the input file: " + Path("s.xml") + ": No IDES tag\nThe file was kept as " +
                         Path("s.xml.bad") + "\nError reading the input file: " + Path("b/backuplist.xml") +
                         ": No Backups tag\nThe file was kept as " +
                         Path("b/backuplist.xml.bad") + "\nDone\n");
    EXPECT_NE(Read("s.xml").find("\t\t\t<name>kept</name>\r\n"), std::string::npos);
    EXPECT_EQ(Read("s.xml.bad"), wrong);
    EXPECT_EQ(Read("b/backuplist.xml"), emptylist);
}

TEST_F(Startup, SaveErrorsFollowDone) {
    programresult r = Tolvane({"-nogui", "-if", Path("none/s.xml"), "-bd", Path("none")});
    EXPECT_EQ(r.exitcode, 0);
    EXPECT_EQ(r.err, "Done\nError saving " + Path("none/s.xml") + " file!\nError saving the " +
                         Path("none/backuplist.xml") + " file!\n");
}

TEST_F(Startup, BadBytesAndDeepNestingNeverCrash) {
    const char oddtext[] = "<Gantrel><tools><tool><name>a\0b\xFF\xFE</name></tool></tools><ides/></Gantrel>";
    std::string odd(oddtext, sizeof oddtext - 1);
    Write("odd.xml", odd);
    programresult r = Tolvane({"-nogui", "-if", Path("odd.xml"), "-it", std::string("\xC3\x28", 2)});
    EXPECT_EQ(r.exitcode, 0);
    EXPECT_EQ(r.err, "Done\n");
    EXPECT_NE(Read("odd.xml").find("<name>a&#x00;b\xFF\xFE</name>"), std::string::npos);

    std::string deep;
    for (int i = 0; i < 100000; ++i) deep += "<a>";
    Write("deep.xml", deep);
    r = Tolvane({"-nogui", "-if", Path("deep.xml")});
    EXPECT_EQ(r.err, "Error reading the input file: " + Path("deep.xml") + ": line 1: elements nested deeper than 1000 levels\n"
                     "The file was kept as " + Path("deep.xml.bad") + "\nDone\n");
}

TEST_F(Startup, TheCommandLineBackupDirectoryWinsOverTheStoredOneAndIsNotMade) {
    std::string stored = CrLf({header, "<!DOCTYPE backups>", "<backups>", "\t<backup>", "\t\t<name>Pspad</name>",
                               "\t\t<time></time>", "\t\t<explanation></explanation>", "\t\t<location>/x</location>",
                               "\t</backup>", "</backups>"});
    Write("stored/backuplist.xml", stored);
    Write("s.xml", settingsfile("", Path("stored")));
    programresult r = Tolvane({"-nogui", "-if", Path("s.xml"), "-bd", Path("given")});
    EXPECT_EQ(r.err, "Done\nError saving the " + Path("given/backuplist.xml") + " file!\n");
    EXPECT_FALSE(Exists("given"));
    EXPECT_FALSE(Exists("appdata/Gantrel"));
    EXPECT_EQ(Read("stored/backuplist.xml"), stored);
    EXPECT_EQ(Read("s.xml"), settingsfile(catalogue(Path("appdata")), Path("given")));
    // The next run without -bd keeps to the directory saved, and reads its list.
    std::filesystem::create_directories(root / "given");
    r = Tolvane({"-nogui", "-if", Path("s.xml")});
    EXPECT_EQ(r.err, "Done\n");
    EXPECT_EQ(Read("given/backuplist.xml"), emptylist);
}
