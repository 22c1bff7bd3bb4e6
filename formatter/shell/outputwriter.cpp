// The output writer: the formatted text to its target; files are written beside their
// target and renamed into place, so a failed write loses nothing.
#include "outputwriter.h"

#include "globals.h"
#include "messages.h"
#include "support.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

void writefile(const std::string& name, const textsource& text, const fileidentity& expected) {
    replaceresult result = replacefile(name, text, expected);
    switch (result.outcome) {
    case replaceoutcome::replaced: return;
    case replaceoutcome::changed: die(name + " changed while it was being formatted\n");
    case replaceoutcome::hardlinked: die("could not write " + name + ": it has more than one hard link\n");
    case replaceoutcome::failed: break;
    }
    die("could not write " + name + ": " + std::strerror(result.error) + "\n");
}

bool isfiletarget(const std::string& name) {
    std::string target = lc(name);
    return target != "null" && target != "stdout" && target != "stderr" && target != "clipboard" &&
           target != "output_str" && !name.empty();
}

bool outputisinput(const settings& s, const fileidentity& input) {
    if (!isfiletarget(s.outputfile)) return false;
    return s.outputfile == s.inputfile || samefile(identityofpath(s.outputfile), input);
}

void refuseinplacecut(const settings& s, const fileidentity& input, messagestream& messages) {
    if (s.html && outputisinput(s, input)) usageerror(messages, "-io and -html cannot be used at the same time.\n");
    if ((s.sl > 1 || s.el > 0 || s.pp) && outputisinput(s, input))
        usageerror(messages, "The output " + s.outputfile +
                                 " is the input file itself, which -sl, -el and -pp cannot replace.");
}

namespace {

bool writestream(std::FILE* stream, const std::string& text) {
    return (text.empty() || std::fwrite(text.data(), 1, text.size(), stream) == text.size()) &&
           std::fflush(stream) == 0;
}

}  // namespace

void writeoutput(const settings& s, const formattedtext& output, const fileidentity& input,
                 bool handedover, std::string& outputstring, messagestream& messages) {
    std::string target = lc(s.outputfile);
    if (target == "null") return;
    const bool inplace = outputisinput(s, input);
    if (s.html && inplace) usageerror(messages, "-io and -html cannot be used at the same time.\n");
    if (!s.slsf.empty() && !s.html) writefile(s.slsf, wholetext(output.sidefile), {});

    bool written = true;
    if (target == "stdout") {
        errno = EBADF;
        written = !standardoutputclosed && writestream(stdout, output.text);
    } else if (target == "stderr") {
        written = writestream(stderr, output.text);
    } else if (target == "output_str" && handedover) {
        outputstring.clear();
        for (char c : output.text) {
            if (c == '\n') outputstring += '\r';
            outputstring += c;
        }
    } else if (target == "clipboard") {
        std::string reason;
        if (setclipboardtext(output.text, &reason) < 0) die("could not write clipboard: " + reason + "\n");
    } else {
        writefile(s.outputfile, wholetext(output.text), inplace ? input : fileidentity{});
    }
    if (!written) die("could not write " + s.outputfile + ": " + errnotext() + "\n");
}
