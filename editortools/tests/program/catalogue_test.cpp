// tolvane's start-up as a whole: the catalogue in the settings file, copies of Eclipse, the
// target and tool of the command line, studio targets under the home folder, the default
// backup directory, and the signals that end a window's run.
#include "tolvanerun.h"

#include <signal.h>

#include <sstream>

namespace {

const std::string header = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>";

std::string ide(const std::string& name, const std::string& dir) {
    return CrLf({"\t\t<ide>", "\t\t\t<name>" + name + "</name>", "\t\t\t<dir>" + dir + "</dir>", "\t\t</ide>"});
}

std::string settings(const std::string& tools, const std::string& ides, const std::string& backupdir) {
    return CrLf({header, "<!DOCTYPE Gantrel>", "<Gantrel>"}) + tools + CrLf({"\t<ides>"}) + ides +
           CrLf({"\t</ides>", "\t<backupdir>" + backupdir + "</backupdir>", "</Gantrel>"});
}

const std::string notools = CrLf({"\t<tools/>"});

class Catalogue : public TolvaneTest {
protected:
    // The rows after Eclipse, with their defaults under APPDATA.
    std::string Later() const {
        std::string appdata = Path("appdata");
        return ide("Textpad 5", appdata + "/Helios/TextPad/5.0") + ide("EditPlus 3.2", appdata + "/EditPlus 3") +
               ide("EditPadPro 6", appdata + "/JGsoft/EditPad Pro 6") +
               ide("EditPadPro 7", appdata + "/JGsoft/EditPad Pro 7");
    }
    std::string Earlier() const {
        return ide("Ultraedit 16", Path("appdata/IDMComp/UltraEdit")) + ide("Code::Blocks 8-10", Path("appdata/codeblocks"));
    }
};

}  // namespace

TEST_F(Catalogue, CopiesOfEclipseKeepTheirOrderAndUnknownTargetsComeLast) {
    Write("s.xml", "<Gantrel><tools/><ides>"
                   "<ide><name>Unknown</name><dir>/u</dir></ide>"
                   "<ide><name>Eclipse Galileo/Helios</name><dir>/A</dir></ide>"
                   "<ide><name>Eclipse Galileo/Helios</name><dir>/B</dir></ide>"
                   "<ide><name>Eclipse Galileo/Helios</name><dir>/C</dir></ide>"
                   "<ide><name>Pspad</name><dir>/p</dir></ide>"
                   "</ides><backupdir>" + Path("b") + "</backupdir></Gantrel>");
    std::filesystem::create_directories(root / "b");
    programresult r = Tolvane({"-nogui", "-if", Path("s.xml")});
    EXPECT_EQ(r.err, "Done\n");
    EXPECT_EQ(Read("s.xml"), settings(notools,
                                      ide("Pspad", "/p") + Earlier() + ide("Eclipse Galileo/Helios", "/A") +
                                          ide("Eclipse Galileo/Helios", "/B") + ide("Eclipse Galileo/Helios", "/C") +
                                          Later() + ide("Unknown", "/u"),
                                      Path("b")));
    EXPECT_TRUE(Exists("b/backuplist.xml"));
    EXPECT_FALSE(Exists("appdata/Gantrel"));   // the default is made only when none is stored
    // Every later start reads them back in the same order.
    const std::string saved = Read("s.xml");
    EXPECT_EQ(Tolvane({"-nogui", "-if", Path("s.xml")}).err, "Done\n");
    EXPECT_EQ(Read("s.xml"), saved);
}

TEST_F(Catalogue, TheTargetAndToolOfTheCommandLine) {
    Write("bin/gantrel.xml", "<Gantrel><tools><tool><name>brelm</name></tool></tools><ides/></Gantrel>");
    programresult r = Tolvane({"-nogui", "-e", "textpad 5", "-it", "brelm"});
    EXPECT_EQ(r.exitcode, 0);
    EXPECT_EQ(r.err, "The specified enviroment is not correct:textpad 5\nDone\n");
    r = Tolvane({"-nogui", "-e", "Textpad 5", "-it", "Brelm"});
    EXPECT_EQ(r.err, "could not find the specified tool called Brelm\nDone\n");
    r = Tolvane({"-nogui", "-it", "Brelm"});   // no target: the tool is not looked up
    EXPECT_EQ(r.err, "Done\n");
    r = Tolvane({"-nogui", "-e", "EditPadPro 7"});
    EXPECT_EQ(r.err, "Done\n");
    EXPECT_NE(Read("bin/gantrel.xml").find("\t\t\t<name>brelm</name>\r\n"), std::string::npos);
}

TEST_F(Catalogue, TheTargetMessageComesBeforeAReadError) {
    Write("s.xml", "<Gantrel>");
    programresult r = Tolvane({"-nogui", "-if", Path("s.xml"), "-e", "Nowhere", "-it", "x"});
    EXPECT_EQ(r.err, "The specified enviroment is not correct:Nowhere\n"
                     "Error reading the input file: " + Path("s.xml") + ": line 1: the element <Gantrel> is not closed\n"
                     "The file was kept as " + Path("s.xml.bad") + "\nDone\n");
}

TEST_F(Catalogue, StudioSettingsUnderTheHomeFolderBecomeTargets) {
    Write("home/Documents/Visual Studio 2010/Settings/CurrentSettings.vssettings", "<UserSettings/>");
    Write("home/Documents/Visual Studio 2008/Settings/C# Express/CurrentSettings.vssettings", "<UserSettings/>");
    Write("home/Documents/SQL Server Management Studio/Settings/currentsettings-1.VSSETTINGS", "<UserSettings/>");
    programresult r = Tolvane({"-nogui", "-e", "Visual Studio C# Express 2008"});
    EXPECT_EQ(r.err, "Done\n");
    std::string documents = Path("home/Documents");
    EXPECT_EQ(Read("bin/gantrel.xml"),
              settings(notools,
                       Earlier() +
                           ide("Visual Studio C# Express 2008",
                               documents + "/Visual Studio 2008/Settings/C# Express/CurrentSettings.vssettings") +
                           ide("Visual Studio 2010", documents + "/Visual Studio 2010/Settings/CurrentSettings.vssettings") +
                           ide("SQL Server Management Studio",
                               documents + "/SQL Server Management Studio/Settings/currentsettings-1.VSSETTINGS") +
                           Later(),
                       Path("appdata/Gantrel")));
}

TEST_F(Catalogue, HomeDriveAndHomePathNameTheHomeFolder) {
    Write("win/Documents/Visual Studio 2010/Settings/Pro/CurrentSettings.vssettings", "");
    Write("home/Documents/Visual Studio 2010/Settings/CurrentSettings.vssettings", "");
    environment["HOMEDRIVE"] = "";
    environment["HOMEPATH"] = Path("win");
    EXPECT_EQ(Tolvane({"-nogui", "-e", "Visual Studio 2010"}).err, "The specified enviroment is not correct:Visual Studio 2010\nDone\n");
    std::string text = Read("bin/gantrel.xml");
    EXPECT_NE(text.find("<name>Visual Studio Pro 2010</name>"), std::string::npos);
    EXPECT_EQ(text.find("<name>Visual Studio 2010</name>"), std::string::npos);
}

TEST_F(Catalogue, TheEditPadPro6KeyOfTheRegistry) {
    Write("registry.reg", "Windows Registry Editor Version 5.00\r\n\r\n"
                          "[HKEY_CURRENT_USER\\Software\\JGsoft\\EditPadPro6\\EPPrefs]\r\n\r\n");
    EXPECT_EQ(Tolvane({"-nogui"}).err, "Done\n");
    EXPECT_NE(Read("bin/gantrel.xml").find(ide("EditPadPro 6", "located in registry")), std::string::npos);
}

TEST_F(Catalogue, ABrokenListOfTheDefaultDirectoryIsKeptAside) {
    Write("appdata/Gantrel/backuplist.xml", "<backups><backup>");
    programresult r = Tolvane({"-nogui"});
    EXPECT_EQ(r.err, "Error reading the input file: " + Path("appdata/Gantrel/backuplist.xml") +
                     ": line 1: the element <backup> is not closed\n"
                     "The file was kept as " + Path("appdata/Gantrel/backuplist.xml.bad") + "\nDone\n");
    EXPECT_EQ(Read("appdata/Gantrel/backuplist.xml.bad"), "<backups><backup>");
    EXPECT_EQ(Read("appdata/Gantrel/backuplist.xml"), CrLf({header, "<!DOCTYPE backups>", "<backups/>"}));
}

TEST_F(Catalogue, SignalsEndAWindowsRunWithDoneAndTheSaves) {
    std::filesystem::create_directories(root / "b");
    std::filesystem::create_directories(root / "runtime");
    std::filesystem::permissions(root / "runtime", std::filesystem::perms::owner_all);
    auto env = environment;
    env["QT_QPA_PLATFORM"] = "offscreen";
    env["XDG_RUNTIME_DIR"] = Path("runtime");
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        std::filesystem::remove(bin / "gantrel.xml");
        std::filesystem::remove(root / "b/backuplist.xml");
        BackgroundProcess window((bin / "tolvane").string(), {"-bd", Path("b")}, env, Path("err.txt"));
        ASSERT_TRUE(window.WaitForHandler(signal, 20000)) << signal;
        kill(window.pid, signal);
        EXPECT_EQ(window.Wait(20000), 0) << signal;
        // The offscreen platform's own remarks aside.
        std::string err = Read("err.txt"), ours;
        std::istringstream lines(err);
        for (std::string line; std::getline(lines, line);)
            if (line != "This plugin does not support propagateSizeHints()") ours += line + "\n";
        EXPECT_EQ(ours, "Done\n") << signal;
        EXPECT_NE(Read("bin/gantrel.xml").find("<backupdir>" + Path("b") + "</backupdir>"), std::string::npos);
        EXPECT_EQ(Read("b/backuplist.xml"), CrLf({header, "<!DOCTYPE backups>", "<backups/>"}));
    }
}
