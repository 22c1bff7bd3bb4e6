// Input reading: files keep their line terminators, the clipboard and a preset text are
// split into lines without them; -el then -sl cut the lines as read.
#include "inputreading.h"

#include "formatter.h"
#include "messages.h"
#include "support.h"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

// The file's text, whole; lines are not split where no range is cut from them.
void readfile(const std::string& name, std::string& text) {
    if (!name.empty() && isdirectory(name)) die("can't open " + name + ": Is a directory\n");
    // A name the user gives is opened as it stands, whatever characters it begins with.
    std::fstream in(name, std::ios::in | std::ios::binary);
    if (!in.is_open()) die("can't open " + name + ": " + errnotext() + "\n");
    // Room for the whole file at once: the text is not moved while it grows.
    std::error_code unknown;
    const std::uintmax_t size = std::filesystem::file_size(name, unknown);
    if (!unknown && size < text.max_size()) text.reserve(static_cast<size_t>(size));
    readtext(in, text);
}

std::vector<std::string> readclipboard() {
    std::string text, reason;
    if (getclipboardtext(text, &reason) < 0) die("can't open clipboard: " + reason + "\n");
    return splitlines(text);
}

std::vector<std::string> splitpreset(const std::string& preset) {
    std::string text;
    text.reserve(preset.size());
    for (size_t i = 0; i < preset.size(); ++i) {
        if (preset[i] == '\r' && i + 1 < preset.size() && preset[i + 1] == '\n') continue;
        text += preset[i];
    }
    return splitlines(text);
}

// Both numbers count the lines as read, from 1; a start beyond the end leaves no line.
void cuttorange(std::vector<std::string>& lines, int32_t first, int32_t last) {
    if (last > 0 && lines.size() > static_cast<size_t>(last)) lines.resize(static_cast<size_t>(last));
    if (first > 1) {
        size_t drop = std::min(lines.size(), static_cast<size_t>(first) - 1);
        lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(drop));
    }
}

}  // namespace

void readinput(formatter& f) {
    const std::string& name = f.s.inputfile;
    std::string source = lc(name);
    std::vector<std::string> lines;
    // Lines of the clipboard and of a preset text lose their ends, so a line feed joins them.
    f.sourcelinejoint.clear();
    f.sourcetext.clear();
    f.sourcelines.clear();
    // Read streams keep their line ends: without a range cut, their lines joined are the
    // text as read, which stays whole.
    const bool whole = f.s.sl <= 1 && f.s.el <= 0;
    if (source == "stdin") {
        readtext(std::cin, f.sourcetext);
        if (whole) return;
        lines = splitkeepingends(f.sourcetext);
        f.sourcetext.clear();
    } else if (source == "clipboard") {
        lines = readclipboard();
        f.sourcelinejoint.assign(1, '\n');
    } else if (name.empty() && !f.inputstring.empty()) {
        lines = splitpreset(f.inputstring);
        f.sourcelinejoint.assign(1, '\n');
    } else {
        readfile(name, f.sourcetext);
        if (whole) return;
        lines = splitkeepingends(f.sourcetext);
        f.sourcetext.clear();
    }
    cuttorange(lines, f.s.sl, f.s.el);
    f.sourcelines = std::move(lines);
}
