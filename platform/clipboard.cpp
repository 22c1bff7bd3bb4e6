// The system clipboard through wl-paste/wl-copy, xclip or xsel, run with fork and exec
// (no shell), or through the file that BRELM_CLIPBOARD_FILE names.
#include "clipboard.h"

#include "filereading.h"
#include "process.h"
#include "replacefile.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace {

struct clipboardtool {
    const char* reader;
    std::vector<std::string> readargs;
    const char* writer;
    std::vector<std::string> writeargs;
    const char* display;  // environment variable the tool needs
};

const clipboardtool tools[] = {
    {"wl-paste", {"--no-newline", "--type", "text"}, "wl-copy", {}, "WAYLAND_DISPLAY"},
    {"xclip", {"-selection", "clipboard", "-o"}, "xclip", {"-selection", "clipboard", "-i"}, "DISPLAY"},
    {"xsel", {"--clipboard", "--output"}, "xsel", {"--clipboard", "--input"}, "DISPLAY"},
};

std::string envtext(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The run of the first tool on PATH whose display is set; otherwise why there is none.
std::optional<processrun> choosetool(bool writing, std::string& name, clipboardstatus& status, std::string& reason) {
    const clipboardtool* foundwithoutdisplay = nullptr;
    for (const clipboardtool& tool : tools) {
        name = writing ? tool.writer : tool.reader;
        std::string found = findonpath(name);
        if (found.empty()) continue;
        if (envtext(tool.display).empty()) {
            if (!foundwithoutdisplay) foundwithoutdisplay = &tool;
            continue;
        }
        processrun run;
        run.path = found;
        run.arguments = writing ? tool.writeargs : tool.readargs;
        return run;
    }
    if (foundwithoutdisplay) {
        status = clipboardstatus::nodisplay;
        reason = std::string("no display for ") +
                 (writing ? foundwithoutdisplay->writer : foundwithoutdisplay->reader) + " (" +
                 foundwithoutdisplay->display + " is not set)";
    } else {
        status = clipboardstatus::notool;
        reason = "no clipboard tool found (wl-paste/wl-copy, xclip or xsel)";
    }
    return std::nullopt;
}

std::string firstline(const std::string& text) {
    size_t end = text.find_first_of("\r\n");
    return text.substr(0, end);
}

// Why the tool failed, or "" when it succeeded.
std::string toolfailure(const std::string& name, const processresult& run) {
    if (!run.started || !run.finished) return name + ": " + run.failure;
    if (WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0) return "";
    std::string said = firstline(run.err);
    if (!said.empty()) return name + ": " + said;
    if (WIFSIGNALED(run.status)) return name + " was ended by signal " + std::to_string(WTERMSIG(run.status));
    return name + " failed with exit status " + std::to_string(WEXITSTATUS(run.status));
}

// What the readers say when the clipboard simply holds no text.
bool saysempty(const std::string& err) {
    for (const char* phrase : {"Nothing is copied", "No selection", "No suitable type", "not available"})
        if (err.find(phrase) != std::string::npos) return true;
    return false;
}

// The clipboard file is read by the input's rule; one that is not there holds no text yet.
clipboardstatus readfile(const std::string& name, std::string& text, std::string& reason) {
    text.clear();
    readrules rules;
    rules.limit = largestinput;
    readresult result = readwholefile(name, text, rules);
    if (result.outcome == readoutcome::read) return clipboardstatus::done;
    text.clear();
    if (result.outcome == readoutcome::notopened && result.error == ENOENT) return clipboardstatus::done;
    reason = name + ": " + readfailure(result, rules.limit);
    return clipboardstatus::failed;
}

// Written as an output file is: atomically, a link at the name followed to the file it names.
// A pipe there is not waited on, as it is not when the clipboard is read.
clipboardstatus writefile(const std::string& name, std::string_view text, std::string& reason) {
    replaceoptions options;
    options.waitforreader = false;
    replaceresult result = replacefile(name, wholetext(text), options);
    if (result.outcome == replaceoutcome::replaced) return clipboardstatus::done;
    reason = name + ": " + replacefailure(result);
    return clipboardstatus::failed;
}

}  // namespace

clipboardstatus readclipboard(std::string& text, std::string& reason) {
    text.clear();
    std::string file = envtext("BRELM_CLIPBOARD_FILE");
    if (!file.empty()) return readfile(file, text, reason);

    std::string name;
    clipboardstatus status = clipboardstatus::failed;
    std::optional<processrun> reader = choosetool(false, name, status, reason);
    if (!reader) return status;
    reader->outputlimit = largestinput;
    processresult run = runprocess(*reader);
    std::string failure = toolfailure(name, run);
    if (failure.empty()) text = std::move(run.out);
    if (failure.empty() || (run.finished && run.out.empty() && saysempty(run.err))) return clipboardstatus::done;
    reason = failure;
    return clipboardstatus::failed;
}

clipboardstatus writeclipboard(std::string_view text, std::string& reason) {
    std::string file = envtext("BRELM_CLIPBOARD_FILE");
    if (!file.empty()) return writefile(file, text, reason);

    std::string name;
    clipboardstatus status = clipboardstatus::failed;
    std::optional<processrun> writer = choosetool(true, name, status, reason);
    if (!writer) return status;
    // Writers keep the selection in a process of their own, which inherits stderr.
    writer->input = text;
    writer->keepoutput = false;
    writer->waitforerrorend = false;
    reason = toolfailure(name, runprocess(*writer));
    return reason.empty() ? clipboardstatus::done : clipboardstatus::failed;
}
