// The settings file and the backup list: reading, the byte format written, read errors,
// unreadable files kept aside, save failures and the settings menu operations.
#include "scopedenvironment.h"
#include "sessiontest.h"

#include <sys/stat.h>

namespace {

const std::string header = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>";

// The lines, each ended by CR LF.
std::string crlf(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

const std::string emptysettings =
    crlf({header, "<!DOCTYPE Gantrel>", "<Gantrel>", "\t<tools/>", "\t<ides/>", "\t<backupdir></backupdir>", "</Gantrel>"});

const std::string fullsettings = crlf({
    header,
    "<!DOCTYPE Gantrel>",
    "<Gantrel>",
    "\t<tools>",
    "\t\t<tool>",
    "\t\t\t<name>brelm</name>",
    "\t\t\t<cmdline>%GRInstallDir%/brelm -i &quot;%File%&quot; -o stdout</cmdline>",
    "\t\t\t<curdir></curdir>",
    "\t\t\t<logparser>a&lt;b&amp;c</logparser>",
    "\t\t\t<installedin>Pspad,Textpad 5</installedin>",
    "\t\t</tool>",
    "\t\t<tool>",
    "\t\t\t<name>second</name>",
    "\t\t\t<cmdline></cmdline>",
    "\t\t\t<curdir></curdir>",
    "\t\t\t<logparser></logparser>",
    "\t\t\t<installedin></installedin>",
    "\t\t</tool>",
    "\t</tools>",
    "\t<ides>",
    "\t\t<ide>",
    "\t\t\t<name>Pspad</name>",
    "\t\t\t<dir>/opt/pspad</dir>",
    "\t\t</ide>",
    "\t</ides>",
    "\t<backupdir>/var/backups/gantrel/</backupdir>",
    "</Gantrel>",
});

std::string settingswith(const std::string& body) { return "<Gantrel>" + body + "</Gantrel>"; }

}  // namespace

class SettingsFiles : public SessionTest {};

TEST_F(SettingsFiles, FreshSettingsAreWrittenByteForByte) {
    session->SaveSettingsXml(Path("gantrel.xml"), Path("backuplist.xml"));
    EXPECT_EQ(Read("gantrel.xml"), emptysettings);
    EXPECT_EQ(Read("backuplist.xml"), crlf({header, "<!DOCTYPE backups>", "<backups/>"}));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(SettingsFiles, SettingsRoundTripByteForByte) {
    Write("gantrel.xml", fullsettings);
    session->LoadSettingsXml(Path("gantrel.xml"));
    ASSERT_EQ(session->tools.size(), 2u);
    EXPECT_EQ(session->tools[0].cmdline, "%GRInstallDir%/brelm -i \"%File%\" -o stdout");
    EXPECT_EQ(session->tools[0].logparser, "a<b&c");
    EXPECT_EQ(session->tools[0].installedin, "Pspad,Textpad 5");
    ASSERT_EQ(session->targets.size(), 1u);
    EXPECT_EQ(session->targets[0].dir, "/opt/pspad");
    EXPECT_EQ(session->backupDirectory, "/var/backups/gantrel/");
    session->SaveSettingsXml(Path("copy.xml"), "");
    EXPECT_EQ(Read("copy.xml"), fullsettings);
    EXPECT_FALSE(Exists("gantrel.xml.bad"));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(SettingsFiles, FieldsAreReadFromAnyLayout) {
    // No header, LF line ends, comments, a field given twice, unknown children, a row element of
    // another name, CDATA.
    Write("s.xml", "<!-- mine -->\n<Gantrel>\n <tools>\n  <tool><name>a</name><name>b</name><colour>red</colour>"
                   "<cmdline><![CDATA[x < y]]></cmdline></tool>\n  <item><curdir>/tmp</curdir></item>\n"
                   " </tools>\n <ides/>\n</Gantrel>\n");
    session->LoadSettingsXml(Path("s.xml"));
    ASSERT_EQ(session->tools.size(), 2u);
    EXPECT_EQ(session->tools[0].name, "b");
    EXPECT_EQ(session->tools[0].cmdline, "x < y");
    EXPECT_EQ(session->tools[1].name, "");
    EXPECT_EQ(session->tools[1].curdir, "/tmp");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(SettingsFiles, SavingLeavesOutUnnamedToolsAndUnlocatedTargets) {
    session->tools = {{"", "lost", "", "", ""}, {"kept", "", "", "", ""}};
    session->targets = {{"Pspad", ""}, {"Textpad 5", "/t"}};
    session->SaveSettingsXml(Path("s.xml"), "");
    std::string text = Read("s.xml");
    EXPECT_EQ(text.find("lost"), std::string::npos);
    EXPECT_EQ(text.find("Pspad"), std::string::npos);
    EXPECT_NE(text.find("\t\t\t<name>kept</name>\r\n"), std::string::npos);
    EXPECT_NE(text.find("\t\t\t<name>Textpad 5</name>\r\n\t\t\t<dir>/t</dir>\r\n"), std::string::npos);
}

TEST_F(SettingsFiles, EveryTextReadsBackAsItWasWritten) {
    std::string odd = "<&>'\"\t\x01 \xE2\x9C\x93 \xC3\xA9\r\nx";
    session->tools = {{"t", odd, " ", odd, ""}};
    session->backupDirectory = odd;
    session->SaveSettingsXml(Path("s.xml"), "");
    EXPECT_NE(Read("s.xml").find("<cmdline>&lt;&amp;&gt;&apos;&quot;\t&#x01; "), std::string::npos);
    auto again = MakeSession();
    again->LoadSettingsXml(Path("s.xml"));
    ASSERT_EQ(again->tools.size(), 1u);
    EXPECT_EQ(again->tools[0].cmdline, odd);
    EXPECT_EQ(again->tools[0].curdir, " ");
    EXPECT_EQ(again->backupDirectory, odd);
}

TEST_F(SettingsFiles, StructureErrorsStopTheReadWhereTheyAre) {
    struct Case {
        std::string text, error;   // the error after the file's path
        size_t tools;
    } cases[] = {
        {"<Other><tools/><ides/></Other>", ": No Gantrel tag", 0},
        {"<?xml version=\"1.0\"?><!-- c -->", ": No Gantrel tag", 0},
        {settingswith("<tools/>"), ": There should be 2 or more tags under Gantrel", 0},
        {settingswith("<ides/><tools><tool/></tools>"), ": No TOOLS tag", 0},
        {settingswith("<tools><tool/><tool/></tools><targets/>"), ": No IDES tag", 2},
        {settingswith("<tools><tool/></tools><ides/><backup>x</backup>"), ": No backupdir tag", 1},
        {"<Gantrel><tools>", ": line 1: the element <tools> is not closed", 0},
        {std::string("\xFE\xFF\0<\0G", 6), " is UTF-16 text", 0},
        {std::string("<\0G\0a\0", 6), " is UTF-16 text", 0},
    };
    for (const Case& c : cases) {
        prompter.shown.clear();
        session->tools = {{"old", "", "", "", ""}};
        Write("s.xml", c.text);
        session->LoadSettingsXml(Path("s.xml"));
        EXPECT_EQ(session->tools.size(), c.tools) << c.text;
        ASSERT_EQ(Boxes().size(), 1u) << c.text;
        EXPECT_EQ(Boxes()[0].substr(0, Boxes()[0].find('\n')), "Error reading the input file: " + Path("s.xml") + c.error);
        std::filesystem::remove_all(folder / "s.xml.bad");
    }
}

TEST_F(SettingsFiles, TwoChildrenLeaveTheBackupDirectoryAsItWas) {
    session->backupDirectory = "/kept";
    Write("s.xml", settingswith("<tools/><ides/>"));
    session->LoadSettingsXml(Path("s.xml"));
    EXPECT_EQ(session->backupDirectory, "/kept");
    Write("s.xml", settingswith("<tools/><ides/><backupdir/><more/>"));
    session->LoadSettingsXml(Path("s.xml"));
    EXPECT_EQ(session->backupDirectory, "");
    EXPECT_TRUE(Boxes().empty());
}

// Nothing saved yet is no error; a file that is no regular one is named, and never saved over.
TEST_F(SettingsFiles, MissingOrEmptyFilesAreSilentAndEmptyTheTools) {
    session->tools = {{"old", "", "", "", ""}};
    session->LoadSettingsXml(Path("missing.xml"));
    EXPECT_TRUE(session->tools.empty());
    session->tools = {{"old", "", "", "", ""}};
    Write("empty.xml", "");
    session->LoadSettingsXml(Path("empty.xml"));
    EXPECT_TRUE(session->tools.empty());
    EXPECT_TRUE(Boxes().empty());
    ASSERT_EQ(::mkfifo(Path("pipe.xml").c_str(), 0600), 0);
    for (const auto& [path, what] : {std::pair{folder.path().string(), " is a folder"},
                                     std::pair{Path("pipe.xml"), " is not a regular file"}}) {
        prompter.shown.clear();
        session->tools = {{"old", "", "", "", ""}};
        session->LoadSettingsXml(path);
        EXPECT_TRUE(session->tools.empty());
        EXPECT_EQ(Boxes(), std::vector<std::string>{"Error reading the input file: " + path + what +
                                                    "\nIt will not be saved over"});
        session->SaveSettingsXml(path, "");
        EXPECT_EQ(Boxes().size(), 2u);
    }
}

// Copies of a name keep the file's order, so that a saved list reads back the same.
TEST_F(SettingsFiles, TargetsAreMatchedByNameAndCopiesKeepTheirOrder) {
    session->targets = {{"Pspad", ""}, {"Eclipse Galileo/Helios", ""}, {"Textpad 5", "/default"}};
    Write("s.xml", settingswith("<tools/><ides>"
                                "<ide><name>Eclipse Galileo/Helios</name><dir>A</dir></ide>"
                                "<ide><name>Eclipse Galileo/Helios</name><dir>B</dir></ide>"
                                "<ide><name>Eclipse Galileo/Helios</name><dir>C</dir></ide>"
                                "<ide><name>Unknown</name><dir>U</dir></ide>"
                                "<ide><name>Textpad 5</name></ide>"
                                "</ides>"));
    session->LoadSettingsXml(Path("s.xml"));
    std::vector<std::pair<std::string, std::string>> rows;
    for (const TargetRecord& t : session->targets) rows.emplace_back(t.name, t.dir);
    std::vector<std::pair<std::string, std::string>> expected = {
        {"Pspad", ""},
        {"Eclipse Galileo/Helios", "A"},
        {"Eclipse Galileo/Helios", "B"},
        {"Eclipse Galileo/Helios", "C"},
        {"Textpad 5", "/default"},
        {"Unknown", "U"},
    };
    EXPECT_EQ(rows, expected);
    session->SaveSettingsXml(Path("s.xml"), "");
    session->targets = {{"Pspad", ""}, {"Eclipse Galileo/Helios", ""}, {"Textpad 5", "/default"}};
    session->LoadSettingsXml(Path("s.xml"));
    rows.clear();
    for (const TargetRecord& t : session->targets) rows.emplace_back(t.name, t.dir);
    expected.erase(expected.begin());   // a row without a folder is not saved, and not read back
    expected.insert(expected.begin(), {"Pspad", ""});
    EXPECT_EQ(rows, expected);
}

TEST_F(SettingsFiles, ATargetNamedTwiceAfterAnInsertedCopyGetsItsOwnRow) {
    // Rows inserted for copies shift the rows below; a later duplicate must still be seen.
    session->targets = {{"Eclipse Galileo/Helios", ""}, {"Textpad 5", ""}};
    Write("s.xml", settingswith("<tools/><ides>"
                                "<ide><name>Textpad 5</name><dir>T1</dir></ide>"
                                "<ide><name>Eclipse Galileo/Helios</name><dir>A</dir></ide>"
                                "<ide><name>Eclipse Galileo/Helios</name><dir>B</dir></ide>"
                                "<ide><name>Textpad 5</name><dir>T2</dir></ide>"
                                "</ides>"));
    session->LoadSettingsXml(Path("s.xml"));
    ASSERT_EQ(session->targets.size(), 4u);
    EXPECT_EQ(session->targets[2].name, "Textpad 5");
    EXPECT_EQ(session->targets[2].dir, "T1");
    EXPECT_EQ(session->targets[3].dir, "T2");
}

TEST_F(SettingsFiles, ADirBeforeAnyNameIsIgnoredAndLaterOnesFollowTheLastName) {
    session->targets = {{"Pspad", ""}};
    Write("s.xml", settingswith("<tools/><ides><ide><dir>lost</dir><name>Pspad</name></ide>"
                                "<ide><dir>/p</dir></ide></ides>"));
    session->LoadSettingsXml(Path("s.xml"));
    ASSERT_EQ(session->targets.size(), 1u);
    EXPECT_EQ(session->targets[0].dir, "/p");
}

TEST_F(SettingsFiles, BackupListReadAndWrittenWithEveryRow) {
    std::string list = crlf({header, "<!DOCTYPE backups>", "<backups>", "\t<backup>", "\t\t<name>Pspad</name>",
                             "\t\t<time>12/08/2026 18:05:09</time>", "\t\t<explanation>before installing brelm backup</explanation>",
                             "\t\t<location>/b/Pspad/0123links.ini</location>", "\t</backup>", "\t<backup>",
                             "\t\t<name></name>", "\t\t<time></time>", "\t\t<explanation></explanation>",
                             "\t\t<location></location>", "\t</backup>", "</backups>"});
    Write("b/backuplist.xml", list);
    session->LoadBackupList(Path("b/backuplist.xml"));
    ASSERT_EQ(session->backups.size(), 2u);
    EXPECT_EQ(session->backups[0].explanation, "before installing brelm backup");
    session->SaveSettingsXml("", Path("copy.xml"));
    EXPECT_EQ(Read("copy.xml"), list);
}

TEST_F(SettingsFiles, BackupListErrors) {
    session->backups = {{"old", "", "", ""}};
    Write("list.xml", "<backup><backup/></backup>");
    session->LoadBackupList(Path("list.xml"));
    EXPECT_TRUE(session->backups.empty());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0], "Error reading the input file: " + Path("list.xml") + ": No Backups tag\nThe file was kept as " +
                              Path("list.xml.bad"));
    session->backups = {{"old", "", "", ""}};
    session->LoadBackupList(Path("none.xml"));
    EXPECT_TRUE(session->backups.empty());
    EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(SettingsFiles, AnUnreadableFileIsCopiedAsideBeforeItIsSavedOver) {
    std::string broken = "<Gantrel><tools><tool><name>mine</name></tool></tools>";
    Write("s.xml", broken);
    Write("s.xml.bad", "an older copy");
    session->LoadSettingsXml(Path("s.xml"));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0], "Error reading the input file: " + Path("s.xml") + ": line 1: the element <Gantrel> is not closed\n"
                          "The file was kept as " + Path("s.xml.bad1"));
    EXPECT_EQ(Read("s.xml.bad1"), broken);
    EXPECT_EQ(Read("s.xml.bad"), "an older copy");
    session->SaveSettingsXml(Path("s.xml"), "");
    EXPECT_EQ(Read("s.xml"), emptysettings);
    EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(SettingsFiles, AnUnreadableFileThatCannotBeCopiedIsNeverSavedOver) {
    // The copy's name is longer than a file name may be.
    std::string name = std::string(251, 'g') + ".xml";
    std::string broken = settingswith("<tools/>");
    Write(name, broken);
    session->LoadSettingsXml(Path(name));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0], "Error reading the input file: " + Path(name) + ": There should be 2 or more tags under Gantrel\n"
                          "No copy of the file could be kept, so it will not be saved over");
    session->SaveSettingsXml(Path(name), "");
    EXPECT_EQ(Read(name), broken);
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[1], "Error saving " + Path(name) + " file!");
}

TEST_F(SettingsFiles, SaveFailuresAreReportedEachOnItsOwn) {
    session->SaveSettingsXml(Path("missing/s.xml"), Path("b/backuplist.xml"));
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Error saving " + Path("missing/s.xml") + " file!",
                                                 "Error saving the " + Path("b/backuplist.xml") + " file!"}));
    std::filesystem::create_directories(folder / "b");
    session->SaveSettingsXml(Path("s.xml"), Path("b"));   // a folder stands where the list goes
    ASSERT_EQ(Boxes().size(), 3u);
    EXPECT_EQ(Boxes()[2], "Error saving the " + Path("b") + " file!");
    EXPECT_EQ(Read("s.xml"), emptysettings);
    session->SaveSettingsXml(Path("missing/s.xml"), Path("b/backuplist.xml"));
    EXPECT_EQ(Boxes().size(), 4u);
    EXPECT_EQ(Read("b/backuplist.xml"), crlf({header, "<!DOCTYPE backups>", "<backups/>"}));
}

TEST_F(SettingsFiles, ASaveFollowsLinksKeepsTheModeAndLeavesNoTemporaryFile) {
    Write("s.xml", "old");
    ::chmod(Path("s.xml").c_str(), 0600);
    session->SaveSettingsXml(Path("s.xml"), "");
    struct stat st {};
    ASSERT_EQ(::stat(Path("s.xml").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    std::filesystem::create_symlink(Path("s.xml"), Path("link.xml"));
    session->tools = {{"via link", "", "", "", ""}};
    session->SaveSettingsXml(Path("link.xml"), "");
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.xml"));
    EXPECT_NE(Read("s.xml").find("via link"), std::string::npos);
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) left.push_back(entry.path().filename());
    EXPECT_EQ(left.size(), 3u);   // no temporary file stays behind
}

TEST_F(SettingsFiles, SaveSettingsAsksForAFileOnce) {
    prompter.answers = {std::nullopt};
    session->SaveSettings();
    EXPECT_EQ(prompter.Texts(ScriptedPrompter::Box::SaveFile), std::vector<std::string>{"Save as"});
    EXPECT_EQ(session->currentSettingsPath, "");
    prompter.answers = {Path("chosen.xml")};
    session->backupDirectory = "/b";
    session->SaveSettings();
    EXPECT_EQ(session->currentSettingsPath, Path("chosen.xml"));
    EXPECT_NE(Read("chosen.xml").find("<backupdir>/b</backupdir>"), std::string::npos);
    EXPECT_FALSE(Exists("backuplist.xml"));
    session->backupDirectory = "/c";
    session->SaveSettings();   // no question now
    EXPECT_EQ(prompter.Texts(ScriptedPrompter::Box::SaveFile).size(), 2u);
    EXPECT_NE(Read("chosen.xml").find("<backupdir>/c</backupdir>"), std::string::npos);
}

TEST_F(SettingsFiles, OpenSettingsReadsTheChosenFileButTheEndSavesTheStartupFile) {
    Write("other.xml", settingswith("<tools><tool><name>other</name></tool></tools><ides/>"));
    CommandLineOptions options;
    options.xmlFile = Path("start.xml");
    session->StartUp(options);
    prompter.answers = {std::nullopt};
    session->OpenSettings();
    EXPECT_EQ(session->currentSettingsPath, "");
    prompter.answers = {Path("other.xml")};
    session->OpenSettings();
    EXPECT_EQ(session->currentSettingsPath, Path("other.xml"));
    ASSERT_EQ(session->tools.size(), 1u);
    session->ShutDown();
    EXPECT_NE(Read("start.xml").find("<name>other</name>"), std::string::npos);
    EXPECT_EQ(Read("other.xml"), settingswith("<tools><tool><name>other</name></tool></tools><ides/>"));
}

// A file that does not read whole leaves the session as it was: the save at the end keeps
// the start-up file's tools.
TEST_F(SettingsFiles, OpenSettingsOfAFileThatFailsChangesNothing) {
    const std::string start = settingswith("<tools><tool><name>a</name></tool><tool><name>b</name></tool></tools>"
                                           "<ides><ide><name>Pspad</name><dir>/p</dir></ide></ides><backupdir>/b</backupdir>");
    Write("start.xml", start);
    const std::string truncated = start.substr(0, start.find("</tools>"));
    Write("truncated.xml", truncated);
    Write("empty.xml", "");
    ASSERT_EQ(::mkfifo(Path("pipe.xml").c_str(), 0600), 0);
    CommandLineOptions options;
    options.xmlFile = Path("start.xml");
    session->StartUp(options);
    const std::vector<TargetRecord> targets = session->targets;
    for (const char* name : {"truncated.xml", "empty.xml", "pipe.xml", "missing.xml"}) {
        prompter.answers = {Path(name)};
        session->OpenSettings();
    }
    EXPECT_EQ(Boxes(), (std::vector<std::string>{
                           "Error reading the input file: " + Path("truncated.xml") + ": line 1: the element <tools> is not closed",
                           "Error reading the input file: " + Path("empty.xml") + ": No Gantrel tag",
                           "Error reading the input file: " + Path("pipe.xml") + " is not a regular file",
                           "Error reading the input file: " + Path("missing.xml") + " does not exist"}));
    EXPECT_EQ(session->currentSettingsPath, "");
    ASSERT_EQ(session->tools.size(), 2u);
    EXPECT_EQ(session->targets.size(), targets.size());
    EXPECT_EQ(session->backupDirectory, "/b");
    EXPECT_FALSE(Exists("truncated.xml.bad"));   // never saved over, so nothing is kept aside
    session->ShutDown();
    EXPECT_NE(Read("start.xml").find("<name>b</name>"), std::string::npos);
    EXPECT_EQ(Read("truncated.xml"), truncated);
}

TEST_F(SettingsFiles, StartUpReadsTheSettingsAndTheListOfTheBackupDirectory) {
    Write("bin/gantrel.xml", settingswith("<tools/><ides/><backupdir>" + Path("stored") + "/</backupdir>"));
    Write("stored/backuplist.xml", "<backups><backup><name>stored</name></backup></backups>");
    Write("given/backuplist.xml", "<backups><backup><name>given</name></backup></backups>");
    session->StartUp({});
    EXPECT_EQ(session->startupSettingsPath, Path("bin/gantrel.xml"));
    ASSERT_EQ(session->backups.size(), 1u);
    EXPECT_EQ(session->backups[0].name, "stored");

    auto withdir = MakeSession();
    CommandLineOptions options;
    options.backupDir = Path("given");
    withdir->StartUp(options);
    EXPECT_EQ(withdir->backupDirectory, Path("given"));
    EXPECT_EQ(withdir->previousBackupDir, Path("given"));
    ASSERT_EQ(withdir->backups.size(), 1u);
    EXPECT_EQ(withdir->backups[0].name, "given");
    withdir->ShutDown();
    EXPECT_NE(Read("bin/gantrel.xml").find("<backupdir>" + Path("given") + "</backupdir>"), std::string::npos);
}

TEST_F(SettingsFiles, AFreshStartWritesTheCatalogueAndMakesTheDefaultBackupDirectory) {
    session->StartUp({});
    EXPECT_TRUE(std::filesystem::is_directory(folder / "appdata/Gantrel"));
    session->ShutDown();
    auto ide = [&](const std::string& name, const std::string& dir) {
        return std::vector<std::string>{"\t\t<ide>", "\t\t\t<name>" + name + "</name>",
                                        "\t\t\t<dir>" + Path("appdata/" + dir) + "</dir>", "\t\t</ide>"};
    };
    std::string expected = crlf({header, "<!DOCTYPE Gantrel>", "<Gantrel>", "\t<tools/>", "\t<ides>"});
    for (const auto& lines : {ide("Ultraedit 16", "IDMComp/UltraEdit"), ide("Code::Blocks 8-10", "codeblocks"),
                              ide("Textpad 5", "Helios/TextPad/5.0"), ide("EditPlus 3.2", "EditPlus 3"),
                              ide("EditPadPro 6", "JGsoft/EditPad Pro 6"), ide("EditPadPro 7", "JGsoft/EditPad Pro 7")})
        for (const std::string& line : lines) expected += line + "\r\n";
    expected += crlf({"\t</ides>", "\t<backupdir>" + Path("appdata/Gantrel") + "</backupdir>", "</Gantrel>"});
    EXPECT_EQ(Read("bin/gantrel.xml"), expected);
    EXPECT_EQ(Read("appdata/Gantrel/backuplist.xml"), crlf({header, "<!DOCTYPE backups>", "<backups/>"}));
    EXPECT_FALSE(std::filesystem::exists("/backuplist.xml"));
    EXPECT_TRUE(Boxes().empty());
    // What was written reads back and is written again unchanged.
    auto again = MakeSession();
    again->StartUp({});
    again->ShutDown();
    EXPECT_EQ(Read("bin/gantrel.xml"), expected);
}

TEST_F(SettingsFiles, OnlyTheDefaultBackupDirectoryIsMade) {
    Write("s.xml", settingswith("<tools/><ides/><backupdir>" + Path("stored") + "</backupdir>"));
    CommandLineOptions options;
    options.xmlFile = Path("s.xml");
    session->StartUp(options);
    EXPECT_EQ(session->backupDirectory, Path("stored"));
    EXPECT_FALSE(Exists("stored"));
    options.xmlFile = Path("none.xml");
    options.backupDir = Path("given");
    auto given = MakeSession();
    given->StartUp(options);
    EXPECT_EQ(given->backupDirectory, Path("given"));
    EXPECT_EQ(given->previousBackupDir, Path("given"));
    EXPECT_FALSE(Exists("given"));
    EXPECT_TRUE(Exists("appdata/Gantrel"));   // the default came first, -bd then replaced it
}

TEST(DefaultSettingsPath, BesideTheProgramOrInTheConfigFolder) {
    testfolder folder;
    EXPECT_EQ(DefaultSettingsPath(folder.path().string()), (folder / "gantrel.xml").string());
    ScopedEnvironment env({{"XDG_CONFIG_HOME", (folder / "config").string()}});
    EXPECT_EQ(DefaultSettingsPath((folder / "no such folder").string()), (folder / "config/tolvane/gantrel.xml").string());
    EXPECT_TRUE(std::filesystem::is_directory(folder / "config/tolvane"));
}

TEST_F(SettingsFiles, OpenSettingsRecomputesTheInstalledInColumn) {
    Write("pspad/links.ini", "WWW\n+Tools\n\tt\n");
    Write("other.xml", settingswith("<tools><tool><name>t</name><installedin>Textpad 5,Pspad,Gone</installedin></tool>"
                                    "<tool><name>u</name><installedin>Pspad</installedin></tool></tools>"
                                    "<ides><ide><name>Pspad</name><dir>" + Path("pspad") + "</dir></ide></ides>"));
    session->StartUp({});
    prompter.answers = {Path("other.xml")};
    session->OpenSettings();
    ASSERT_EQ(session->tools.size(), 2u);
    EXPECT_EQ(session->tools[0].installedin, "Pspad");
    EXPECT_EQ(session->tools[1].installedin, "");
}
