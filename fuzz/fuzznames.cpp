// libFuzzer target: file names and switch values of any bytes through the whole run of
// brelm (the command line, the listing of masks, the per-file runs and their messages),
// with standard output and standard error caught. No control byte but the line feed and
// the tab may reach either stream: a name or a value can neither steer the terminal nor
// forge a line. The first byte chooses the switches; the rest, split at NUL bytes, gives a
// file name, a value, an alias and a number.
#include "globals.h"
#include "runfiles.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

[[noreturn]] void fault(const std::string& what) {
    std::fprintf(stderr, "fuzznames: %s\n", what.c_str());
    std::abort();
}

// The folder the runs work in, made the working folder; removed when the process ends.
struct sandbox {
    std::filesystem::path path;
    sandbox() {
        std::error_code error;
        std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm" : std::filesystem::temp_directory_path();
        std::string made = (base / "fuzznamesXXXXXX").string();
        if (!mkdtemp(made.data())) fault("no temporary folder");
        path = made;
        if (::chdir(path.c_str()) != 0) fault("cannot enter the temporary folder");
        environmenttable["TMP"] = path.string();
        programdirectory = path.string();
    }
    ~sandbox() {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }
};

// A name that stays one file in the run folder: no slash, not empty, not "." or "..".
std::string filename(std::string_view bytes) {
    std::string name(bytes.substr(0, 200));
    for (char& c : name)
        if (c == '/') c = '_';
    return "n" + name;
}

// Standard output and error go to one file in memory while the run lasts.
class caughtstreams {
public:
    caughtstreams() {
        std::cout.flush();
        std::fflush(nullptr);
        memory = ::memfd_create("fuzznames", MFD_CLOEXEC);
        savedout = ::dup(1);
        savederr = ::dup(2);
        if (memory < 0 || savedout < 0 || savederr < 0) fault("cannot catch the streams");
        ::dup2(memory, 1);
        ::dup2(memory, 2);
    }
    // Everything written, and the streams put back.
    std::string release() {
        std::cout.flush();
        std::fflush(nullptr);
        ::dup2(savedout, 1);
        ::dup2(savederr, 2);
        ::close(savedout);
        ::close(savederr);
        std::string text;
        char chunk[1 << 16];
        ::lseek(memory, 0, SEEK_SET);
        for (ssize_t n; (n = ::read(memory, chunk, sizeof chunk)) > 0;) text.append(chunk, static_cast<size_t>(n));
        ::close(memory);
        return text;
    }

private:
    int memory = -1, savedout = -1, savederr = -1;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const sandbox folder;
    if (size < 1) return 0;
    const uint8_t choice = data[0];
    std::vector<std::string> fields;
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    for (size_t at = 0; fields.size() < 4;) {
        const size_t end = std::min(rest.find('\0', at), rest.size());
        fields.emplace_back(rest.substr(std::min(at, rest.size()), end - std::min(at, rest.size())));
        at = end + 1;
    }
    const std::string& value = fields[1];
    const std::string name = filename(fields[0]);

    std::error_code error;
    std::filesystem::remove_all("run", error);
    std::filesystem::create_directories("run/out", error);
    if (choice & 2) {
        std::FILE* file = std::fopen(("run/" + name).c_str(), "wb");
        if (file) {
            std::fputs(choice & 1 ? "x:=1;\n" : "x := 'open;\n", file);
            std::fclose(file);
        }
    }
    std::filesystem::create_directories("run/d" + name + "/" + name, error);
    std::FILE* listed = std::fopen(("run/d" + name + "/" + name + "/a.sql").c_str(), "wb");
    if (listed) std::fclose(listed);

    std::vector<std::string> arguments{"-b", "0", "-soe-"};
    if (!(choice & 8) && !value.empty() && value[0] != '-') arguments.insert(arguments.begin(), value);
    arguments.insert(arguments.end(), {"-i", "run/" + name, "-o", "null"});
    if (choice & 4) arguments.insert(arguments.end(), {"-ir", "run/d" + name + "/*.sql", "-od", "run/out"});
    if (choice & 8) arguments.insert(arguments.end(), {"-cs", value});
    if (choice & 16) arguments.push_back("-tag[" + value + "]=<b>");
    if (choice & 32) arguments.insert(arguments.end(), {"-ias", fields[2], "-oas", fields[2]});
    if (choice & 64) arguments.push_back("-x");
    if (choice & 128) arguments.insert(arguments.end(), {choice & 1 ? "-t" : "-od", fields[3]});

    argumentlist = arguments;
    caughtstreams streams;
    runguarded(formatallfiles);
    const std::string shown = streams.release();
    for (char c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\n' && c != '\t') || byte == 0x7f)
            fault("a control byte reached the output streams:\n" + shown);
    }
    return 0;
}
