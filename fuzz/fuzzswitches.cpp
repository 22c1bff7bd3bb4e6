// libFuzzer target: switch text as an in-source options comment gives it, split into words
// and parsed into settings; their listing must load, and load back unchanged once loaded.
#include "charsets.h"
#include "commandline.h"
#include "settings.h"
#include "settingsfiles.h"
#include "switchlistings.h"
#include "switchtable.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fault(const std::string& what) {
    std::fprintf(stderr, "fuzzswitches: %s\n", what.c_str());
    std::abort();
}

settings freshsettings() {
    settings s;
    setdefaults(s);
    applyoptiondefaults(s);
    s.inputfiles.at(0) = "input.sql";  // the parser wants an input to format
    return s;
}

// Parses the words into s; false when the parser ended the run (a usage error, a display).
bool parse(const std::vector<std::string>& words, settings& s, std::string& messages) {
    commandlineargs args(1);
    args.arguments = words;
    try {
        parsecommandline(args, s, 0);
    } catch (const std::string& message) {
        messages = args.messages.text + message;
        return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool built = (buildcharsettables(), buildswitchtable(), true);
    (void)built;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    settings first = freshsettings();
    std::string messages;
    if (!parse(splitsettingstext(text), first, messages)) return 0;

    // A listing may not load back exactly (presets can leave exclusive switches on together,
    // and -0 empties the tags a listing cannot remove), but it must load, and the listing of
    // what it loads must load back unchanged: a settings file saved again stays the same.
    std::string listing = printswitches(first, 0);
    for (int round = 0; round < 2; ++round) {
        settings loaded = freshsettings();
        if (!parse(splitsettingstext(listing), loaded, messages))
            fault("a listing of parsed switches is refused:\n" + listing + "\n" + messages);
        std::string again = printswitches(loaded, 0);
        if (round == 1 && again != listing)
            fault("a loaded listing does not load back:\n" + listing + "\n" + again);
        listing = again;
    }
    return 0;
}
