// tolvane -nogui -e TARGET -it TOOL into UltraEdit, EditPlus, Code::Blocks, Eclipse and a
// discovered Visual Studio: the target's file byte for byte, the automatic backup and the
// messages; a second run asks and changes nothing, with -o it replaces in place.
#include "tolvanerun.h"

#include <sys/stat.h>

namespace {

const std::string header = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>";
const std::string question = "brelm tool already exists.Should I overwrite it?\n";

std::string xmltext(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&') out += "&amp;";
        else if (c == '"') out += "&quot;";
        else out += c;
    }
    return out;
}

std::string utf16(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii) out += std::string{c, '\0'};
    return out;
}

class InstallRuns : public TolvaneTest {
protected:
    void SetUp() override {
        TolvaneTest::SetUp();
        std::filesystem::create_directories(root / "backups");
    }

    // The settings file with the tool (brelm unless named) and one target row.
    void Settings(const std::string& target, const std::string& dir,
                  const std::string& commandLine = "%GRInstallDir%/brelm -i \"%File%\" -l %Line%",
                  const std::string& tool = "brelm") {
        Write("s.xml", CrLf({header, "<!DOCTYPE Gantrel>", "<Gantrel>", "\t<tools>", "\t\t<tool>",
                             "\t\t\t<name>" + xmltext(tool) + "</name>", "\t\t\t<cmdline>" + xmltext(commandLine) + "</cmdline>",
                             "\t\t\t<curdir>/src</curdir>", "\t\t\t<logparser></logparser>",
                             "\t\t\t<installedin></installedin>", "\t\t</tool>", "\t</tools>", "\t<ides>",
                             "\t\t<ide>", "\t\t\t<name>" + xmltext(target) + "</name>", "\t\t\t<dir>" + dir + "</dir>",
                             "\t\t</ide>", "\t</ides>", "\t<backupdir>" + Path("backups") + "</backupdir>",
                             "</Gantrel>"}));
    }
    programresult Install(const std::string& target, bool overwrite = false, const std::string& tool = "brelm") {
        std::vector<std::string> arguments = {"-nogui", "-if", Path("s.xml"), "-e", target, "-it", tool};
        if (overwrite) arguments.push_back("-o");
        return Tolvane(arguments);
    }
    // The one backup file in the target's backup folder: its name ends with tail, its bytes.
    std::string Backup(const std::string& folder, const std::string& tail) {
        std::vector<std::string> files = Listing("backups/" + folder);
        EXPECT_EQ(files.size(), 1u) << folder;
        if (files.size() != 1) return "";
        EXPECT_EQ(files[0].size(), 32 + tail.size()) << files[0];
        EXPECT_TRUE(files[0].ends_with(tail)) << files[0];
        EXPECT_EQ(files[0].substr(0, 32).find_first_not_of("0123456789abcdef"), std::string::npos) << files[0];
        return Read("backups/" + folder + "/" + files[0]);
    }
    std::string InstalledIn() {
        std::string settings = Read("s.xml");
        size_t at = settings.find("<installedin>");
        return at == std::string::npos ? "" : settings.substr(at + 13, settings.find("</installedin>") - at - 13);
    }
    // Runs it again without -o (the question is answered No: no change, no backup) and with -o
    // (a second backup).
    void Again(const std::string& target, const std::string& backupFolder, const std::string& file) {
        std::string first = Read(file);
        programresult r = Install(target);
        EXPECT_EQ(r.err, question + "Done\n");
        EXPECT_EQ(Read(file), first);
        EXPECT_EQ(Listing("backups/" + backupFolder).size(), 1u);
        r = Install(target, true);
        EXPECT_EQ(r.err, "Installed tool brelm in " + target + ".\nDone\n");
        EXPECT_EQ(Listing("backups/" + backupFolder).size(), 2u);
        EXPECT_EQ(Read(file), first);   // the same tool again: replaced in place by the same bytes
    }
};

}  // namespace

TEST_F(InstallRuns, UltraEdit) {
    std::string before = CrLf({"[Settings]", "Tabs=4", "[Tools]", "Tool Menu0=\"Compile\"", "Tool Cmd0=\"cl %F\"",
                               "Tool Dir0=\"\"", "Save Active File0=1", "Capture Mode0=0", "Tool Menu1=\"\"",
                               "Tool Cmd1=\"\"", "Tool Dir1=\"\"", "Save Active File1=0", "Capture Mode1=0"});
    Write("appdata/IDMComp/UltraEdit/Uedit32.ini", before);
    Settings("Ultraedit 16", Path("appdata/IDMComp/UltraEdit"));
    programresult r = Install("Ultraedit 16");
    EXPECT_EQ(r.err, "Installed tool brelm in Ultraedit 16.\nDone\n");
    EXPECT_EQ(r.exitcode, 0);
    EXPECT_EQ(Read("appdata/IDMComp/UltraEdit/Uedit32.ini"),
              CrLf({"[Settings]", "Tabs=4", "[Tools]", "Tool Menu0=\"Compile\"", "Tool Cmd0=\"cl %F\"", "Tool Dir0=\"\"",
                    "Save Active File0=1", "Capture Mode0=0", "Tool Menu1=\"brelm\"",
                    "Tool Cmd1=\"" + Path("bin") + "/brelm -i \"%F\" -l %line%\"", "Tool Dir1=\"/src\"",
                    "Save Active File1=1", "Capture Mode1=3"}));
    EXPECT_EQ(Backup("Ultraedit 16", "Uedit32.ini"), before);
    EXPECT_EQ(InstalledIn(), "Ultraedit 16");
    Again("Ultraedit 16", "Ultraedit 16", "appdata/IDMComp/UltraEdit/Uedit32.ini");
}

TEST_F(InstallRuns, AMissingFileIsNamed) {
    Settings("Ultraedit 16", Path("appdata/IDMComp/UltraEdit"));
    EXPECT_EQ(Install("Ultraedit 16").err, "Configuration file for UltraEdit is not found:" +
                                               Path("appdata/IDMComp/UltraEdit/uedit32.ini") + "\nDone\n");
    Settings("EditPlus 3.2", Path("appdata/EditPlus 3"));
    EXPECT_EQ(Install("EditPlus 3.2").err,
              "Configuration file for EditPlus is not found:" + Path("appdata/EditPlus 3/tool_u.ini") + "\nDone\n");
    EXPECT_FALSE(Exists("backups/EditPlus 3.2"));
}

TEST_F(InstallRuns, EditPlus) {
    std::string before = utf16(CrLf({"[Tools\\0]", "Count=1", "[Tools\\0\\0]", "Command=notepad.exe", "Text=Notepad",
                                     "Argument=$(FilePath)", "InitDir=", "RedirOut=0", "Stdin=0", "Plugin=0", "Save=0",
                                     "Pattern=0", "Pattern Regex=", "Close=0", "Hide=0", "Help=0"}));
    Write("appdata/EditPlus 3/tool_u.ini", before);
    Settings("EditPlus 3.2", Path("appdata/EditPlus 3"));
    programresult r = Install("EditPlus 3.2");
    EXPECT_EQ(r.err, "Installed tool brelm in EditPlus 3.2.\nDone\n");
    EXPECT_EQ(Read("appdata/EditPlus 3/tool_u.ini"),
              utf16(CrLf({"[Tools\\0]", "Count=2", "[Tools\\0\\0]", "Command=notepad.exe", "Text=Notepad",
                          "Argument=$(FilePath)", "InitDir=", "RedirOut=0", "Stdin=0", "Plugin=0", "Save=0",
                          "Pattern=0", "Pattern Regex=", "Close=0", "Hide=0", "Help=0", "[Tools\\0\\1]",
                          "Command=" + Path("bin") + "/brelm", "Text=brelm",
                          "Argument=-i \"$(FilePath)\" -l $(CurLine)", "InitDir=/src", "RedirOut=1", "Stdin=0",
                          "Plugin=0", "Save=1", "Pattern=0", "Pattern Regex=", "Close=0", "Hide=0", "Help=0"})));
    EXPECT_EQ(Backup("EditPlus 3.2", "tool_u.ini"), before);
    Again("EditPlus 3.2", "EditPlus 3.2", "appdata/EditPlus 3/tool_u.ini");
}

TEST_F(InstallRuns, CodeBlocks) {
    std::string before = header + "\n<CodeBlocksConfig version=\"1\">\n\t<!-- application info -->\n\t<tools>\n"
                                  "\t\t<tool01>\n\t\t\t<NAME>\n\t\t\t\t<str>\n\t\t\t\t\t<![CDATA[Make]]>\n\t\t\t\t</str>\n"
                                  "\t\t\t</NAME>\n\t\t\t<LAUNCHOPTION int=\"0\" />\n\t\t</tool01>\n\t</tools>\n"
                                  "</CodeBlocksConfig>\n";
    Write("appdata/codeblocks/default.conf", before);
    Settings("Code::Blocks 8-10", Path("appdata/codeblocks"));
    programresult r = Install("Code::Blocks 8-10");
    EXPECT_EQ(r.err, "Installed tool brelm in Code::Blocks 8-10.\nDone\n");
    EXPECT_EQ(Read("appdata/codeblocks/default.conf"),
              header + "<CodeBlocksConfig version=\"1\"><!-- application info --><tools>"
                       "<tool01><NAME><str><![CDATA[Make]]></str></NAME><LAUNCHOPTION int=\"0\"/></tool01>"
                       "<tool02><NAME><str><![CDATA[brelm]]></str></NAME><COMMAND><str><![CDATA[" + Path("bin") +
                       "/brelm]]></str></COMMAND><PARAMS><str><![CDATA[-i \"${ACTIVE_EDITOR_FILENAME}\" "
                       "-l ${ACTIVE_EDITOR_LINE}]]></str></PARAMS><WORKINGDIR><str><![CDATA[/src]]></str></WORKINGDIR>"
                       "<LAUNCHOPTION int=\"1\"/></tool02></tools></CodeBlocksConfig>");
    EXPECT_EQ(Backup("Code  Blocks 8-10", "default.conf"), before);
    Again("Code::Blocks 8-10", "Code  Blocks 8-10", "appdata/codeblocks/default.conf");
}

TEST_F(InstallRuns, ABrokenCodeBlocksFileIsShownOnTheConsole) {
    std::string broken = header + "\n<CodeBlocksConfig>\n<tools>\n";
    Write("appdata/codeblocks/default.conf", broken);
    Settings("Code::Blocks 8-10", Path("appdata/codeblocks"));
    programresult r = Install("Code::Blocks 8-10");
    EXPECT_EQ(r.err, "Error reading the input file: " + Path("appdata/codeblocks/default.conf") +
                         ": line 4: the element <tools> is not closed\nDone\n");
    EXPECT_EQ(Read("appdata/codeblocks/default.conf"), broken);
}

TEST_F(InstallRuns, Eclipse) {
    std::filesystem::create_directories(root / "ws/.metadata");
    Settings("Eclipse Galileo/Helios", Path("ws"), "%GRInstallDir%/brelm -i \"%File%\"");
    const std::string launch = "ws/.metadata/.plugins/org.eclipse.debug.core/.launches/brelm.launch";
    programresult r = Install("Eclipse Galileo/Helios");
    EXPECT_EQ(r.err, "Installed tool brelm in Eclipse Galileo/Helios.\nDone\n");
    EXPECT_EQ(Read(launch),
              header + "\r\n<!DOCTYPE launchConfiguration>\r\n"
                       "<launchConfiguration type=\"org.eclipse.ui.externaltools.ProgramLaunchConfigurationType\">"
                       "<listAttribute key=\"org.eclipse.debug.ui.favoriteGroups\">"
                       "<listEntry value=\"org.eclipse.ui.externaltools.launchGroup\"/></listAttribute>"
                       "<stringAttribute key=\"org.eclipse.ui.externaltools.ATTR_LOCATION\" value=\"" + Path("bin") +
                       "/brelm\"/><stringAttribute key=\"org.eclipse.ui.externaltools.ATTR_TOOL_ARGUMENTS\" "
                       "value=\"-i &quot;${resource_loc}&quot;\"/>"
                       "<stringAttribute key=\"org.eclipse.ui.externaltools.ATTR_WORKING_DIRECTORY\" value=\"/src\"/>"
                       "</launchConfiguration>");
    EXPECT_FALSE(Exists("backups/Eclipse Galileo Helios"));   // a new file has no backup
    std::string first = Read(launch);
    EXPECT_EQ(Install("Eclipse Galileo/Helios").err, question + "Done\n");
    EXPECT_EQ(Install("Eclipse Galileo/Helios", true).err, "Installed tool brelm in Eclipse Galileo/Helios.\nDone\n");
    EXPECT_EQ(Read(launch), first);
    EXPECT_EQ(Backup("Eclipse Galileo Helios", "brelm.launch"), first);
}

TEST_F(InstallRuns, DiscoveredVisualStudio) {
    const std::string file = "home/Documents/Visual Studio 2010/Settings/CurrentSettings.vssettings";
    std::string before = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<UserSettings>\r\n"
                         "  <ApplicationIdentity version=\"10.0\"/>\r\n"
                         "  <Category name=\"Environment_Group\" RegisteredName=\"Environment_Group\">\r\n"
                         "    <Category name=\"Environment_ExternalTools\" RegisteredName=\"Environment_ExternalTools\">\r\n"
                         "      <PropertyValue name=\"ToolNames\">Create &amp;GUID</PropertyValue>\r\n"
                         "      <PropertyValue name=\"Create &amp;GUID.Command\">guidgen.exe</PropertyValue>\r\n"
                         "    </Category>\r\n  </Category>\r\n</UserSettings>\r\n";
    Write(file, before);
    Settings("Visual Studio 2010", Path(file));
    programresult r = Install("Visual Studio 2010");
    EXPECT_EQ(r.err, "Installed tool brelm in Visual Studio 2010.\nDone\n");
    std::string properties;
    for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>>{
             {"Command", Path("bin") + "/brelm"}, {"Arguments", "-i &quot;$(ItemPath)&quot; -l $(CurLine)"},
             {"InitialDirectory", "/src"}, {"SourceKeyName", ""}, {"UseOutputWindow", "true"},
             {"PromptForArguments", "false"}, {"CloseOnExit", "true"}, {"IsGUIapp", "false"},
             {"SaveAllDocs", "true"}, {"UseTaskList", "false"}, {"Unicode", "false"},
             {"Package", "{00000000-0000-0000-0000-000000000000}"}, {"NameID", "0"}})
        properties += "<PropertyValue name=\"brelm." + name + "\">" + value + "</PropertyValue>";
    EXPECT_EQ(Read(file), "<UserSettings><ApplicationIdentity version=\"10.0\"/>"
                          "<Category name=\"Environment_Group\" RegisteredName=\"Environment_Group\">"
                          "<Category name=\"Environment_ExternalTools\" RegisteredName=\"Environment_ExternalTools\">"
                          "<PropertyValue name=\"Create &amp;GUID.Command\">guidgen.exe</PropertyValue>" +
                              properties +
                              "<PropertyValue name=\"ToolNames\">Create &amp;GUID, brelm</PropertyValue>"
                              "</Category></Category></UserSettings>");
    EXPECT_EQ(Backup("Visual Studio 2010", "CurrentSettings.vssettings"), before);
    Again("Visual Studio 2010", "Visual Studio 2010", file);
}

// A tool from a shared settings file whose name breaks lines: a line-based file would get a
// section of the name's making, so the install is refused and the file stays as it was.
TEST_F(InstallRuns, ALineBreakInAToolIsNeverWrittenIntoAnIniFile) {
    const std::string name = "nl\n[Tools]\nTool Menu0=\"pwned\"";
    struct Case {
        std::string target, folder, file, text;
    } cases[] = {
        {"Pspad", "pspad", "links.ini", "WWW\n+Tools\n"},
        {"Ultraedit 16", "appdata/IDMComp/UltraEdit", "Uedit32.ini", CrLf({"[Tools]", "Tool Menu0=\"\"", "Tool Cmd0=\"\""})},
        {"EditPlus 3.2", "appdata/EditPlus 3", "tool_u.ini", utf16(CrLf({"[Tools\\0]", "Count=0"}))},
        {"EditPadPro 7", "appdata/JGsoft/EditPad Pro 7", "EditPadPro7.ini", CrLf({"[Pro]", "ToolCount=0"})},
    };
    for (const Case& c : cases) {
        Write(c.folder + "/" + c.file, c.text);
        Settings(c.target, Path(c.folder), "%GRInstallDir%/brelm -i \"%File%\"", name);
        programresult r = Install(c.target, false, name);
        EXPECT_EQ(r.err, name + ": a line break in the tool cannot be written to " + c.target + "\nDone\n");
        EXPECT_EQ(Read(c.folder + "/" + c.file), c.text) << c.target;
        EXPECT_FALSE(Exists("backups/" + c.target)) << c.target;
    }
    // A line break in the folder counts as much.
    Settings("Pspad", Path("pspad"), "brelm", "brelm");
    std::string settings = Read("s.xml");
    settings.replace(settings.find("<curdir>/src"), 12, "<curdir>/src\n+Other");
    Write("s.xml", settings);
    EXPECT_EQ(Install("Pspad").err, "brelm: a line break in the tool cannot be written to Pspad\nDone\n");
    EXPECT_EQ(Read("pspad/links.ini"), "WWW\n+Tools\n");
}

// What keeps a target's file from being read is said with its path; nothing is written.
TEST_F(InstallRuns, FilesThatCannotBeTakenAreNamed) {
    std::string utf16be;
    for (char c : CrLf({"[Tools\\0]", "Count=0"})) utf16be += std::string{'\0', c};
    Write("appdata/EditPlus 3/tool_u.ini", "\xFE\xFF" + utf16be);
    Settings("EditPlus 3.2", Path("appdata/EditPlus 3"));
    EXPECT_EQ(Install("EditPlus 3.2").err, "could not open configuration file for EditPlus:" +
                                               Path("appdata/EditPlus 3/tool_u.ini") + " is UTF-16 big-endian text\nDone\n");

    std::string conf = header + "<CodeBlocksConfig><tools/></CodeBlocksConfig>", wide = "\xFF\xFE";
    for (char c : conf) wide += std::string{c, '\0'};
    Write("appdata/codeblocks/default.conf", wide);
    Settings("Code::Blocks 8-10", Path("appdata/codeblocks"));
    EXPECT_EQ(Install("Code::Blocks 8-10").err, "Error reading the input file: " + Path("appdata/codeblocks/default.conf") +
                                                    " is UTF-16 text\nDone\n");
    std::filesystem::remove(root / "appdata/codeblocks/default.conf");
    ASSERT_EQ(::mkfifo(Path("appdata/codeblocks/default.conf").c_str(), 0600), 0);
    EXPECT_EQ(Install("Code::Blocks 8-10").err, "Error reading the input file: " + Path("appdata/codeblocks/default.conf") +
                                                    " is not a regular file\nDone\n");

    // Visual Studio: an edition folder names a file that is missing; an empty file or one
    // without the external tools has nothing to write into.
    std::filesystem::create_directories(root / "home/Documents/Visual Studio 2008/Settings/Pro");
    const std::string missing = Path("home/Documents/Visual Studio 2008/Settings/Pro/CurrentSettings.vssettings");
    Settings("Visual Studio Pro 2008", missing);
    EXPECT_EQ(Install("Visual Studio Pro 2008").err, "Error reading the input file: " + missing + " does not exist\nDone\n");
    const std::string file = "home/Documents/Visual Studio 2010/Settings/CurrentSettings.vssettings";
    for (const std::string& text : {std::string(), std::string("<UserSettings><Category name=\"Environment_Group\"/></UserSettings>")}) {
        Write(file, text);
        Settings("Visual Studio 2010", Path(file));
        EXPECT_EQ(Install("Visual Studio 2010").err,
                  "could not find the external tools of Visual Studio 2010 in " + Path(file) + "\nDone\n");
        EXPECT_EQ(Read(file), text);
    }
    EXPECT_FALSE(Exists("backups/Visual Studio 2010"));
}
