// The target catalogue with its Linux defaults, studio discovery on temporary folders, and the
// order of the start-up steps.
#include "core/studiodiscovery.h"
#include "core/targetlocations.h"
#include "sessiontest.h"

namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

Rows rowsof(const GantrelSession& session) {
    Rows rows;
    for (const TargetRecord& t : session.targets) rows.emplace_back(t.name, t.dir);
    return rows;
}

class Catalogue : public SessionTest {
protected:
    std::string AppData(const std::string& rest) const { return Path("appdata/" + rest); }
    std::string Settings(const std::string& rest) const { return Path("home/Documents/" + rest); }
    void MakeFolder(const std::string& name) const { std::filesystem::create_directories(folder / name); }
};

}  // namespace

TEST_F(Catalogue, NineTargetsInOrderWithTheFoldersOfTheirDefaults) {
    session->FillCatalogue();
    Rows expected = {
        {"Pspad", ""},
        {"Ultimate++ IDE", ""},
        {"Ultraedit 16", AppData("IDMComp/UltraEdit")},
        {"Code::Blocks 8-10", AppData("codeblocks")},
        {"Eclipse Galileo/Helios", ""},
        {"Textpad 5", AppData("Helios/TextPad/5.0")},
        {"EditPlus 3.2", AppData("EditPlus 3")},
        {"EditPadPro 6", AppData("JGsoft/EditPad Pro 6")},
        {"EditPadPro 7", AppData("JGsoft/EditPad Pro 7")},
    };
    EXPECT_EQ(rowsof(*session), expected);
    std::vector<std::string> names;
    for (const auto& row : expected) names.push_back(row.first);
    EXPECT_EQ(session->installList, names);
    EXPECT_TRUE(session->studioNames.empty());
    EXPECT_FALSE(Exists("appdata/IDMComp"));   // nothing is made or tested
}

TEST_F(Catalogue, TheEditPadPro6KeyPutsItInTheRegistry) {
    ASSERT_EQ(session->registry.createkey("Software\\JGsoft\\EditPadPro6\\EPPrefs"), registryok);
    session->FillCatalogue();
    ASSERT_EQ(session->targets.size(), 9u);
    EXPECT_EQ(session->targets[7].name, "EditPadPro 6");
    EXPECT_EQ(session->targets[7].dir, "located in registry");
    EXPECT_EQ(TargetConfigFile(session->targets[7], session->studioNames), "located in registry");
}

TEST_F(Catalogue, StudioTargetsStandBetweenEclipseAndTextpad) {
    MakeFolder("home/Documents/Visual Studio 2010/Settings");
    Write("home/Documents/Visual Studio 2010/Settings/CurrentSettings.vssettings", "<x/>");
    Write("home/Documents/SQL Server Management Studio/Settings/CurrentSettings-2011.vssettings", "<x/>");
    session->FillCatalogue();
    ASSERT_EQ(session->targets.size(), 11u);
    EXPECT_EQ(session->targets[4].name, "Eclipse Galileo/Helios");
    EXPECT_EQ(session->targets[5].name, "Visual Studio 2010");
    EXPECT_EQ(session->targets[5].dir, Settings("Visual Studio 2010/Settings/CurrentSettings.vssettings"));
    EXPECT_EQ(session->targets[6].name, "SQL Server Management Studio");
    EXPECT_EQ(session->targets[6].dir, Settings("SQL Server Management Studio/Settings/CurrentSettings-2011.vssettings"));
    EXPECT_EQ(session->targets[7].name, "Textpad 5");
    EXPECT_EQ(session->installList[5], "Visual Studio 2010");
    EXPECT_EQ(session->installList[6], "SQL Server Management Studio");
    EXPECT_EQ(session->studioNames, (std::vector<std::string>{"Visual Studio 2010", "SQL Server Management Studio"}));
    EXPECT_EQ(session->studioPaths[0], session->targets[5].dir);
    // A second fill starts over.
    session->FillCatalogue();
    EXPECT_EQ(session->targets.size(), 11u);
    EXPECT_EQ(session->installList.size(), 11u);
}

TEST_F(Catalogue, StoredTargetsReplaceTheDefaults) {
    Write("s.xml", "<Gantrel><tools/><ides><ide><name>Textpad 5</name><dir>/tp</dir></ide>"
                   "<ide><name>Eclipse Galileo/Helios</name><dir>/w1</dir></ide>"
                   "<ide><name>Eclipse Galileo/Helios</name><dir>/w2</dir></ide>"
                   "<ide><name>Mine</name><dir>/m</dir></ide></ides></Gantrel>");
    CommandLineOptions options;
    options.xmlFile = Path("s.xml");
    session->StartUp(options);
    Rows rows = rowsof(*session);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[4], (std::pair<std::string, std::string>{"Eclipse Galileo/Helios", "/w1"}));
    EXPECT_EQ(rows[5], (std::pair<std::string, std::string>{"Eclipse Galileo/Helios", "/w2"}));
    EXPECT_EQ(rows[6], (std::pair<std::string, std::string>{"Textpad 5", "/tp"}));
    EXPECT_EQ(rows[10], (std::pair<std::string, std::string>{"Mine", "/m"}));
    EXPECT_EQ(session->installList.size(), 9u);   // the file adds no install targets
    EXPECT_EQ(session->GetTargetDir("Eclipse Galileo/Helios"), "/w1");
    EXPECT_EQ(session->GetTargetDir("Ultraedit 16"), AppData("IDMComp/UltraEdit"));
    EXPECT_EQ(session->GetTargetDir("Pspad"), "");
    EXPECT_EQ(session->GetTargetDir("pspad"), "");
}

TEST_F(Catalogue, AStudioTargetHasOneRowAndOneInstallEntry) {
    Write("home/Documents/Visual Studio 2010/Settings/CurrentSettings.vssettings", "");
    Write("s.xml", "<Gantrel><tools/><ides><ide><name>Visual Studio 2010</name><dir>/stored.vssettings</dir></ide>"
                   "<ide><name>Visual Studio Gone 2008</name><dir>/gone.vssettings</dir></ide></ides></Gantrel>");
    CommandLineOptions options;
    options.xmlFile = Path("s.xml");
    session->StartUp(options);
    Rows rows = rowsof(*session);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[5], (std::pair<std::string, std::string>{"Visual Studio 2010", "/stored.vssettings"}));
    EXPECT_EQ(rows[10], (std::pair<std::string, std::string>{"Visual Studio Gone 2008", "/gone.vssettings"}));
    EXPECT_EQ(std::count(session->installList.begin(), session->installList.end(), "Visual Studio 2010"), 1);
    EXPECT_EQ(session->installList.size(), 10u);   // a target no longer found is no install target
    EXPECT_EQ(session->studioNames, std::vector<std::string>{"Visual Studio 2010"});
}

class Discovery : public testing::Test {
protected:
    testfolder home;
    std::string Settings(const std::string& rest) const { return (home / "Documents").string() + "/" + rest; }
    void File(const std::string& rest) const { home.write("Documents/" + rest, ""); }
    void Folder(const std::string& rest) const { std::filesystem::create_directories(home / "Documents" / rest); }
    std::vector<std::string> names;
    std::vector<std::string> Discover() { return DiscoverStudioSettings(home.path().string() + "/", names); }
};

TEST_F(Discovery, NoFoldersNoTargets) {
    EXPECT_TRUE(Discover().empty());
    EXPECT_TRUE(names.empty());
    Folder("Visual Studio 2010/Settings");
    EXPECT_TRUE(Discover().empty());
}

TEST_F(Discovery, FourStepsInTheirOrderWithFoldersSortedIgnoringCase) {
    Folder("Visual Studio 2008/Settings/Express");
    Folder("Visual Studio 2008/Settings/alpha");   // no settings file: still a target
    File("Visual Studio 2008/Settings/notafolder.txt");
    File("Visual Studio 2010/Settings/CurrentSettings-b.vssettings");
    File("Visual Studio 2010/Settings/currentsettings-A.VSSETTINGS");
    Folder("Visual Studio 2010/Settings/CurrentSettings-0.vssettings");   // a folder is no file
    File("Visual Studio 2010/Settings/Pro/Other.vssettings");
    File("Visual Studio 2010/Settings/Pro/CurrentSettings.vssettings");
    File("SQL Server Management Studio/Settings/CurrentSettings.vssettings");
    std::vector<std::string> paths = Discover();
    std::vector<std::string> expectedNames = {
        "Visual Studio alpha 2008",
        "Visual Studio Express 2008",
        "Visual Studio 2010",
        "Visual Studio CurrentSettings-0.vssettings 2010",
        "Visual Studio Pro 2010",
        "SQL Server Management Studio",
    };
    std::vector<std::string> expectedPaths = {
        Settings("Visual Studio 2008/Settings/alpha/CurrentSettings.vssettings"),
        Settings("Visual Studio 2008/Settings/Express/CurrentSettings.vssettings"),
        Settings("Visual Studio 2010/Settings/currentsettings-A.VSSETTINGS"),
        Settings("Visual Studio 2010/Settings/CurrentSettings-0.vssettings/"),   // empty edition folder
        Settings("Visual Studio 2010/Settings/Pro/CurrentSettings.vssettings"),
        Settings("SQL Server Management Studio/Settings/CurrentSettings.vssettings"),
    };
    EXPECT_EQ(names, expectedNames);
    EXPECT_EQ(paths, expectedPaths);
}

TEST_F(Discovery, TheFirstMatchingFileOfAFolder) {
    std::string folder = Settings("x/");
    Folder("x");
    EXPECT_EQ(FindStudioSettingsFile(folder), "");
    File("x/CurrentSettings.vssettings.bak");
    File("x/MyCurrentSettings.vssettings");
    EXPECT_EQ(FindStudioSettingsFile(folder), "");
    File("x/CURRENTSETTINGS-z.vssettings");
    File("x/CurrentSettings-Y.vssettings");
    EXPECT_EQ(FindStudioSettingsFile(folder), "CurrentSettings-Y.vssettings");
    EXPECT_EQ(FindStudioSettingsFile(Settings("missing/")), "");
}

class StartUpOrder : public SessionTest {};

TEST_F(StartUpOrder, TheTargetMessageComesBeforeTheSettingsAreRead) {
    std::ostringstream out;
    std::istringstream none;
    ConsolePrompter console(none, out);
    SessionSetup setup;
    setup.prompter = &console;
    setup.err = &out;
    setup.programFolder = Path("bin");
    setup.registryPath = Path("registry.reg");
    GantrelSession own(setup);
    Write("bad.xml", "<Other/>");
    CommandLineOptions options;
    options.xmlFile = Path("bad.xml");
    options.ide = "textpad 5";
    options.toolName = "brelm";
    own.StartUp(options);
    EXPECT_EQ(out.str(), "The specified enviroment is not correct:textpad 5\n"
                         "Error reading the input file: " + Path("bad.xml") + ": No Gantrel tag\nThe file was kept as " +
                             Path("bad.xml.bad") + "\n");
    EXPECT_FALSE(own.selectedTarget);
    out.str("");
    EXPECT_EQ(own.CommandLineInstall(), std::nullopt);   // no target: the tool is not looked up
    EXPECT_EQ(out.str(), "");
}

TEST_F(StartUpOrder, TheTargetIsLookedUpInTheWholeInstallList) {
    Write("home/Documents/Visual Studio 2010/Settings/CurrentSettings.vssettings", "");
    for (auto [ide, index] : {std::pair{"Pspad", 0}, std::pair{"Visual Studio 2010", 5}, std::pair{"EditPadPro 7", 9}}) {
        auto own = MakeSession();
        CommandLineOptions options;
        options.ide = ide;
        own->StartUp(options);
        ASSERT_TRUE(own->selectedTarget) << ide;
        EXPECT_EQ(*own->selectedTarget, static_cast<size_t>(index));
        EXPECT_EQ(own->installList[*own->selectedTarget], ide);
    }
    EXPECT_EQ(err.str(), "");
}

TEST_F(StartUpOrder, TheToolOfTheCommandLineIsFoundByItsExactName) {
    Write("bin/gantrel.xml", "<Gantrel><tools><tool><name>Brelm</name></tool><tool><name>brelm</name></tool>"
                             "</tools><ides/></Gantrel>");
    CommandLineOptions options;
    options.ide = "Pspad";
    options.toolName = "brelm";
    options.noGui = true;
    session->StartUp(options);
    EXPECT_EQ(session->CommandLineInstall(), std::optional<size_t>(1));
    auto other = MakeSession();
    options.toolName = "BRELM";
    other->StartUp(options);
    EXPECT_EQ(other->CommandLineInstall(), std::nullopt);
    EXPECT_EQ(err.str(), "could not find the specified tool called BRELM\n");
}

TEST_F(StartUpOrder, TheInstalledInColumnIsAskedOfTheWriters) {
    Write("pspad/links.ini", "WWW\n+Tools\n\tt\n");
    Write("bin/gantrel.xml", "<Gantrel><tools><tool><name>t</name><installedin>Ultimate++ IDE,Gone,Pspad</installedin>"
                             "</tool><tool><name>u</name><installedin>Pspad</installedin></tool></tools><ides>"
                             "<ide><name>Pspad</name><dir>" + Path("pspad") + "</dir></ide>"
                             "<ide><name>Gone</name><dir>" + Path("gone") + "</dir></ide></ides></Gantrel>");
    session->StartUp({});
    session->CommandLineInstall();
    ASSERT_EQ(session->tools.size(), 2u);
    EXPECT_EQ(session->tools[0].installedin, "Pspad");
    EXPECT_EQ(session->tools[1].installedin, "");
    EXPECT_EQ(err.str(), "");
}
