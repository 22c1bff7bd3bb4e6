// Whole-program test helper: programs run through the platform's process runner.
#include "programrun.h"

#include "process.h"

#include <sys/wait.h>

#include <cctype>
#include <cstdlib>

std::string programfile(const std::string& program) {
    if (program.find('/') != std::string::npos) return program;
    const char* bin = std::getenv("BRELM_BIN");
    return std::string(bin ? bin : BRELM_BIN_DIR) + "/" + program;
}

programresult runprogram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& folder, const std::optional<std::string>& input,
                         const std::map<std::string, std::optional<std::string>>& environment) {
    processrun run;
    run.path = programfile(program);
    run.arguments = arguments;
    if (input) run.input = *input;
    run.directory = folder.string();
    run.environment = environment;
    // Only a hang should end a run: sanitizer builds on a busy machine take minutes for
    // the large texts some tests format.
    run.timeout = std::chrono::seconds(300);
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

std::string significant(const std::string& text) {
    std::string kept;
    kept.reserve(text.size());
    for (char c : text)
        if (!std::isspace(static_cast<unsigned char>(c))) kept += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return kept;
}

// Backups of formatted files go to a folder of the test's own, not to a shared one.
void programtest::SetUp() {
    environment["BRELM_CLIPBOARD_FILE"] = (folder / ".clipboard").string();
    environment["TMP"] = backups.path().string();
}

programresult programtest::brelm(const std::vector<std::string>& arguments, const std::optional<std::string>& input) {
    return runprogram("brelm", arguments, folder, input, environment);
}
