// libFuzzer target: tolvane's file writers (UltraEdit, EditPlus, Code::Blocks, Eclipse, the
// studios, Pspad, the EditPadPro 7 ini and TextPad's config.xml) on arbitrary configuration
// files. The first byte picks the writer, the second the tool name, the rest is the file. A
// failed or empty install leaves the file as it was; an install is then seen by the check;
// installing again replaces in place, so a third install changes nothing more. A name with a
// line break is never installed into a line-based (ini) file.
#include "core/savefile.h"
#include "core/targetlocations.h"
#include "core/writers/toolwriter.h"

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

[[noreturn]] void fault(const std::string& what) {
    std::fprintf(stderr, "fuzzwriters: %s\n", what.c_str());
    std::abort();
}

class Context : public WriterContext {
public:
    explicit Context(const std::string& folder) : registry(folder + "/registry.reg") {}
    int installed = 0;
    registrystore registry;
    bool AskOverwrite(const std::string&) override { return true; }
    bool BackupBeforeInstall(const std::string&, const std::string&, const std::string&, const std::string&) override {
        return true;
    }
    void AddInstalledTarget(const std::string&, const std::string&) override { ++installed; }
    void LogError(const std::string&) override {}
    void ReportXmlReadError(const std::string&) override {}
    registrystore& Registry() override { return registry; }
    int CodePage() const override { return -1; }
    std::string InstallFolder() const override { return "/opt/tolvane"; }
};

struct Writer {
    const char* target;
    const char* file;  // inside the folder
    bool (*install)(const PreparedTool&, WriterContext&);
    bool linebased;  // an ini file: a line break in a value would start a line of its own
};

const Writer writers[] = {
    {UltraEditTarget, "uedit32.ini", InstallUltraEditTool, true},
    {EditPlusTarget, "tool_u.ini", InstallEditPlusTool, true},
    {CodeBlocksTarget, "default.conf", InstallCodeBlocksTool, false},
    {EclipseTarget, ".metadata/.plugins/org.eclipse.debug.core/.launches/brelm.launch", InstallEclipseTool, false},
    {"Visual Studio 2010", "CurrentSettings.vssettings", InstallStudioTool, false},
    {PspadTarget, "links.ini", InstallPspadTool, true},
    {EditPadPro7Target, "EditPadPro7.ini", InstallEditPadProTool, true},
    {TextPadTarget, "config.xml", InstallTextPadTool, false},
};

const std::string injected = "nl\n[Tools]\nTool Menu0=\"pwned\"";
const std::string names[] = {"brelm", "Tool 1", "a]]>b", "Create &GUID", "x.y", "\xc3\xa9 \xe2\x9c\x93", injected};

// The folder the files are written in, removed when the run ends.
struct TemporaryFolder {
    std::string path;
    TemporaryFolder() {
        // Every save is synced to disk: a folder in memory keeps the runs fast.
        std::error_code error;
        std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm" : std::filesystem::temp_directory_path();
        path = (base / "fuzzwritersXXXXXX").string();
        if (!mkdtemp(path.data())) fault("no temporary folder");
    }
    ~TemporaryFolder() {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }
};

const std::string& Folder() {
    static const TemporaryFolder folder;
    return folder.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const Writer& writer = writers[data[0] % std::size(writers)];
    std::string name = writer.target == std::string(EclipseTarget) ? "brelm" : names[data[1] % std::size(names)];
    std::string bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
    std::string folder = Folder();
    std::filesystem::remove_all(folder + "/.metadata");
    std::filesystem::remove(folder + "/registry.reg");  // TextPad's tools start afresh
    std::string path = folder + "/" + writer.file;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    if (!SaveFile(path, bytes)) fault("cannot write the input file");

    PreparedTool tool;
    tool.target = writer.target;
    tool.location = writer.target == std::string("Visual Studio 2010") ? path : folder;
    tool.toolName = name;
    tool.currentDirectory = "/src";
    tool.commandLine = "%GRInstallDir%/brelm -i %File% -l %Line%";
    tool.program = "/opt/tolvane/brelm";
    tool.argumentLine = "-i %File% -l %Line%";
    PreparedTool check;
    check.target = tool.target;
    check.location = tool.location;
    check.toolName = name;
    check.checkOnly = true;

    Context context(folder);
    bool result = writer.install(tool, context);
    std::string after = LoadFile(path);
    if (writer.linebased && name == injected && context.installed != 0) fault("a line break reached an ini file");
    if (context.installed == 0) {
        if (after != bytes) fault("a file changed without an install");
        return 0;
    }
    if (!result) fault("an install recorded and failed");
    if (!writer.install(check, context)) fault("an installed tool is not found");
    if (!writer.install(tool, context) || context.installed != 2) fault("a second install failed");
    std::string second = LoadFile(path);
    if (!writer.install(tool, context)) fault("a third install failed");
    if (LoadFile(path) != second) fault("replacing in place changed the file again");
    return 0;
}
