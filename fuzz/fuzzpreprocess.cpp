// libFuzzer target: marlox's processing driver over arbitrary text with a macro table. The
// first byte picks the #line switches; macro definitions ("name body" lines) come before a
// NUL byte, the text after it (with no NUL, the whole input is the text).
#include "charsettables.h"
#include "cpppreprocessor.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Macros every run starts with: recursive, pasting, stringizing and variadic-looking ones.
constexpr std::string_view standarddefinitions[] = {
    "self self + 1", "twice(x) x x", "call(f, x) f(x)", "str(x) #x", "quote(x) ###x",
    "paste(a, b) a##b", "loop(x) loop(x) twice(x)", "ping pong", "pong ping", "empty",
};

void resetstate(uint8_t selector) {
    macrotable.clear();
    forgetkepttexts();
    switches = {};
    switches.ld = selector & 1;
    switches.ild = selector & 2;
    switches.kld = selector & 4;
    statement = {};
    ifstack.clear();
    includestack.clear();
    linefile.clear();
    lineoffset = 0;
    lineinforce = false;
    warninglist.clear();
    setsourcefile("fuzz.sql");
    resetstatementstate();
}

// Defines the macro of one "name body" line; a definition the parser refuses is skipped.
void define(std::string_view line) {
    size_t position = 0;
    std::string name = scanidentifier(position, line);
    if (name.empty()) return;
    try {
        definemacro(name, parsemacrodefinition(position, line));
    } catch (const preprocesserror&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool built = (buildcharsettable(), buildidentifiertables(), choosecharset("US7ASCII"),
                               buildsqlpluscommands(), true);
    (void)built;
    if (size == 0) return 0;
    resetstate(data[0]);
    // The definitions' texts must outlive the call: macro bodies view into them.
    static std::string input;
    input.assign(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string_view text = input;
    for (std::string_view definition : standarddefinitions) define(definition);
    if (size_t nul = text.find('\0'); nul != std::string_view::npos) {
        std::string_view definitions = text.substr(0, nul);
        text.remove_prefix(nul + 1);
        while (!definitions.empty()) {
            size_t end = definitions.find_first_of("\r\n");
            define(definitions.substr(0, end));
            definitions.remove_prefix(end == std::string_view::npos ? definitions.size() : end + 1);
        }
    }
    try {
        tokenlist output;
        size_t position = 0;
        processtext(true, output, position, text);
        (void)jointokens(output);
    } catch (const preprocesserror&) {
        // A clean failure with the library's message.
    }
    return 0;
}
