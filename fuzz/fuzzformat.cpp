// libFuzzer target: the engine's entry on arbitrary bytes in memory, with the default
// switches, one of a few heavy switch sets, preprocessing, in-source options or html output,
// chosen by the first byte (tests/fuzzregressions_test.cpp names the sets), or any switches of
// the table: then the second byte gives the length of the bytes that choose them. Bytes 1 to 3
// of the text stretch the byte before them into a long run. No run may fail its integrity check.
#include "charsets.h"
#include "commandline.h"
#include "formatfile.h"
#include "formattext.h"
#include "settings.h"
#include "switchtable.h"
#include "switchwords.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The end of a file whose result failed the check (the messages may quote the source).
const std::string integrityfailure = "Integrity failure. Stop. Nothing is changed.\n";

[[noreturn]] void fault(const std::string& what) {
    std::fprintf(stderr, "fuzzformat: %s\n", what.c_str());
    std::abort();
}

// The settings of one switch set, parsed as in-source options are (no paths, no backups).
settings parsedsettings(const std::vector<std::string>& words) {
    settings s = freshsettings();
    std::string messages;
    if (!parseswitchwords(words, s, messages)) fault("switches refused: " + messages);
    s.b = 0;
    s.sr = 0;
    return s;
}

struct setup {
    std::vector<settings> switchsets;
    std::filesystem::path folder;

    setup() {
        buildcharsettables();
        buildswitchtable();
        discardstandardoutput();
        for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
                 {},
                 {"-mcs", "40", "-acs", "-aci", "-asc", "-abuc"},
                 {"-al", "-acav", "-actv", "-sbi"},
                 {"-uk", "-ui", "-ctis", "-ut"},
                 {"-pp"},
                 {"-gsfif"},
                 {"-html"},
                 {"-pp", "-gsfif", "-mcs", "40", "-ctis", "-bus", "-bbj"},
                 {"-kitt", "-kwlt", "-kflt", "-kpit", "-kwtt", "-mlacd", "-mlai", "-mlaf", "-mlaw", "-mlapr", "-rael",
                  "-pius", "-rask", "-plouwh", "-buml", "-cmk", "-sic", "-ric"},
                 {"-rlai", "-rlaf", "-rlaw", "-rlapr", "-rlapa", "-rlal", "-rlafu", "-rlacd", "-sbi", "-isc", "-isc2",
                  "-iibe", "-itlwb", "-amso", "-amc", "-abusc", "-acoslc"},
                 {"-acav", "-actv", "-acarv", "-as", "-aav", "-mcs", "60", "-amso", "-mlipl", "3"},
             })
            switchsets.push_back(parsedsettings(words));
        folder = std::filesystem::temp_directory_path() / ("brelmfuzz_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        // Integrity dumps go here rather than to the shared temporary folder.
        for (settings& s : switchsets) s.bdir = folder.string();
    }
    ~setup() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

// Bytes 1, 2 and 3 repeat the byte before them to a run of 4,100, 9,000 or 20,000 bytes, so
// that short inputs reach long identifiers, literals and comments (up to 1 MB in all).
std::string stretched(std::string_view text) {
    static const size_t lengths[] = {0, 4100, 9000, 20000};
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 1 && c <= 3 && !out.empty() && out.size() + lengths[c] <= (size_t(1) << 20))
            out.append(lengths[c] - 1, out.back());
        else out += text[i];
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static setup context;
    if (size == 0) return 0;
    const size_t chosen = data[0] % (context.switchsets.size() + 1);
    std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    settings s;
    if (chosen < context.switchsets.size()) {
        s = context.switchsets[chosen];
    } else {
        const size_t length = text.empty() ? 0 : std::min<size_t>(static_cast<uint8_t>(text[0]), text.size() - 1);
        s = freshsettings();
        std::string refusal;
        if (!parseswitchwords(switchwordsfrom(text.substr(1, length)), s, refusal)) return 0;
        text.remove_prefix(std::min(text.size(), length + 1));
        s.b = 0;
        s.sr = 0;
        s.lt = s.ct = s.str = 0;
        s.l = -1;
        s.bdir = context.folder.string();
    }
    s.inputfile = s.inputfilealias = (context.folder / "input.sql").string();
    s.outputfile = s.outputfilealias = (context.folder / "output.sql").string();
    messagestream messages;
    messages.stringmode = 1;
    try {
        formattext(s, commandlineswitches(), stretched(text), messages);
    } catch (const std::string& message) {
        // A clean failure (a syntax error, an unclosed literal, a usage error in in-source
        // options) is fine; a result that fails its check is a fault.
        if (message == integrityfailure) fault("the result failed its integrity check:\n" + messages.text + message);
    }
    return 0;
}
