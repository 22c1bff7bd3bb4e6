// Whole-program test helper: programs run through the platform's process runner.
#include "programrun.h"

#include "process.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

std::string programfile(const std::string& program) {
    if (program.find('/') != std::string::npos) return program;
    const char* bin = std::getenv("BRELM_BIN");
    return std::string(bin ? bin : ".") + "/" + program;
}

programresult runprogram(const std::string& program, const std::vector<std::string>& arguments,
                         const fs::path& folder, const std::optional<std::string>& input,
                         const std::map<std::string, std::optional<std::string>>& environment) {
    processrun run;
    run.path = programfile(program);
    run.arguments = arguments;
    if (input) run.input = *input;
    run.directory = folder.string();
    run.environment = environment;
    run.timeout = std::chrono::seconds(60);
    processresult done = runprocess(run);
    programresult result;
    result.out = std::move(done.out);
    result.err = std::move(done.err);
    if (!done.started || !done.finished) {
        ADD_FAILURE() << run.path << ": " << done.failure;
        return result;
    }
    result.exitcode = WIFEXITED(done.status) ? WEXITSTATUS(done.status) : 128 + WTERMSIG(done.status);
    return result;
}

void programtest::SetUp() {
    std::string templ = (fs::temp_directory_path() / "brelmtestXXXXXX").string();
    ASSERT_NE(mkdtemp(templ.data()), nullptr);
    folder = templ;
    environment["BRELM_CLIPBOARD_FILE"] = (folder / ".clipboard").string();
}

void programtest::TearDown() {
    std::error_code ignored;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(folder, ignored);
}

void programtest::writefile(const std::string& name, const std::string& text) {
    fs::path file = folder / name;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

std::string programtest::readfile(const std::string& name) {
    std::ifstream in(folder / name, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

bool programtest::exists(const std::string& name) { return fs::exists(folder / name); }

programresult programtest::brelm(const std::vector<std::string>& arguments, const std::optional<std::string>& input) {
    return runprogram("brelm", arguments, folder, input, environment);
}
