// libFuzzer target: marlox's exported preprocessplsql on arbitrary text under a few option
// sets picked by the first byte (line directives, definitions, include paths, preloaded
// macros, and chains of stringizing and pasting macros that double their text at every
// level). Every call must end with a result or an error text, and then be released; the
// fuzzer's memory and time limits catch an expansion that outgrows its bounds.
#include "exports/cpreprocessordll.h"

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
    std::fprintf(stderr, "fuzzpreprocess: %s\n", what.c_str());
    std::abort();
}

// Levels of macros named prefix1..prefixN, each made by the form from the level below.
std::string chain(const std::string& prefix, const std::string& form, int levels) {
    std::string text;
    for (int level = 1; level <= levels; ++level)
        text +=
            "#define " + prefix + std::to_string(level) + " " + form + "(" + prefix + std::to_string(level - 1) + ")\n";
    return text;
}

// A folder with preload files of macros and include files, one of which includes itself.
struct setup {
    std::filesystem::path folder;
    std::vector<std::vector<std::string>> optionsets;

    setup() {
        folder = std::filesystem::temp_directory_path() / ("marloxfuzz_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        write("macros.sql",
              "#define twice(x) x x\n#define str(x) #x\n#define paste(a, b) a##b\n#define self self + 1\n"
              "#define ping pong\n#define pong ping\n#define loop(x) loop(x) twice(x)\n");
        write("part.sql", "#ifndef PART\n#define PART 1\nx := PART;\n#endif\n");
        write("self.sql", "#include \"self.sql\"\n");
        // uN doubles by stringizing, vN by pasting, wN by both, qN by quoting; each level
        // at least doubles the text of the one below.
        write("chains.sql",
              "#define s(x) #x\n#define t(x) s(x) s(x)\n#define q(x) ###x x\n"
              "#define p(a, b) a##b\n#define pp(x) p(x, x) x##x\n#define tp(x) t(pp(x))\n"
              "#define u0 x\n#define v0 ab\n#define w0 'c'\n#define q0 q\n" +
                  chain("u", "t", 26) + chain("v", "pp", 26) + chain("w", "tp", 20) + chain("q", "q", 26) +
                  "#include \"part.sql\"\n");
        const std::string directory = folder.string();
        const std::string preload = (folder / "macros.sql").string();
        const std::string chains = (folder / "chains.sql").string();
        optionsets = {
            {},
            {"-ld+"},
            {"-kld+", "-ild+"},
            {"-D", "TRACE=1", "-D", "LIMIT=100", "-cs", "WE8ISO8859P1"},
            {"-I", directory, "-pf", preload},
            {"-pf", preload, "-ld+", "-D", "self=self"},
            {"-I", directory, "-pf", chains},
            {"-I", directory, "-pf", chains, "-pf", preload, "-ld+"},
        };
    }
    ~setup() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(folder / name, std::ios::binary) << text;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static setup context;
    if (size == 0) return 0;
    const std::vector<std::string>& options = context.optionsets[data[0] % context.optionsets.size()];
    std::vector<const char*> pointers;
    for (const std::string& option : options) pointers.push_back(option.c_str());
    // The library reads the source up to its first NUL, as every caller hands it over.
    const std::string source(reinterpret_cast<const char*>(data) + 1, size - 1);
    const char* error = nullptr;
    const char* warnings = nullptr;
    const char* result = preprocessplsql("fuzz.sql", pointers.data(), static_cast<int>(pointers.size()), source.c_str(),
                                         &error, &warnings);
    if (!result || !error || !warnings) fault("a text of the call is missing");
    if (*result != '\0' && *error != '\0') fault("a call gave both a result and an error");
    safetoprocess();
    return 0;
}
