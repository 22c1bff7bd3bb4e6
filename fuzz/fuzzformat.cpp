// libFuzzer target: the whole format driver on arbitrary bytes read from a file, with the
// default switches, one of a few heavy switch sets or preprocessing, chosen by the first byte.
#include "charsets.h"
#include "commandline.h"
#include "formatter.h"
#include "settings.h"
#include "switchtable.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

[[noreturn]] void fault(const std::string& what) {
    std::fprintf(stderr, "fuzzformat: %s\n", what.c_str());
    std::abort();
}

// The settings of one switch set, parsed as in-source options are (no paths, no backups).
settings parsedsettings(const std::vector<std::string>& words) {
    settings s;
    setdefaults(s);
    applyoptiondefaults(s);
    s.inputfiles.at(0) = "input.sql";  // the parser wants an input to format
    commandlineargs args(1);
    args.arguments = words;
    try {
        parsecommandline(args, s, 0);
    } catch (const std::string& message) {
        fault("switches refused: " + args.messages.text + message);
    }
    s.b = 0;
    return s;
}

struct setup {
    std::vector<settings> switchsets;
    std::filesystem::path folder;

    setup() {
        buildcharsettables();
        buildswitchtable();
        for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
                 {},
                 {"-mcs", "40", "-acs", "-aci", "-asc", "-abuc"},
                 {"-al", "-acav", "-actv", "-sbi"},
                 {"-uk", "-ui", "-ctis", "-ut"},
                 {"-pp"},
             })
            switchsets.push_back(parsedsettings(words));
        folder = std::filesystem::temp_directory_path() / ("brelmfuzz_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
    }
    ~setup() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static setup context;
    if (size == 0) return 0;
    const std::string input = (context.folder / "input.sql").string();
    const std::string output = (context.folder / "output.sql").string();
    {
        std::ofstream file(input, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data) + 1, static_cast<std::streamsize>(size - 1));
        if (!file) fault("could not write " + input);
    }
    formatter f;
    f.s = context.switchsets[data[0] % context.switchsets.size()];
    f.s.inputfile = f.s.inputfilealias = input;
    f.s.outputfile = f.s.outputfilealias = output;
    f.messages.stringmode = 1;
    try {
        f.formatsource();
    } catch (const std::string&) {
        // A clean failure: a syntax error, an integrity failure, an unclosed literal.
    }
    return 0;
}
