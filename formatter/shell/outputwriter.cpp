// The output writer: the formatted text to its target; files are written beside their
// target and renamed into place, so a failed write loses nothing.
#include "outputwriter.h"

#include "filereading.h"
#include "globals.h"
#include "messages.h"
#include "support.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string_view>
#include <utility>

namespace {

// The files this run replaced, and the files it wrote as they were when written. A mask lists
// its files before any is formatted, so a file listed twice, or once by its name and once
// through a link beside it, may have been replaced by the run itself when its turn comes.
struct ownwrites {
    std::set<std::pair<dev_t, ino_t>> replaced;
    std::map<std::pair<dev_t, ino_t>, fileidentity> written;
};

ownwrites& thisrun() {
    static ownwrites writes;
    return writes;
}

void notereplacement(const replaceresult& result) {
    if (result.before.known) thisrun().replaced.insert({result.before.device, result.before.inode});
    if (result.after.known) thisrun().written[{result.after.device, result.after.inode}] = result.after;
}

}  // namespace

bool replacedbythisrun(const fileidentity& listed, const fileidentity& now) {
    if (!listed.known || !thisrun().replaced.count({listed.device, listed.inode})) return false;
    const auto written = thisrun().written.find({now.device, now.inode});
    return written != thisrun().written.end() && unchangedfile(written->second, now);
}

void writefile(const std::string& name, const textsource& text, const replaceoptions& options) {
    replaceresult result = replacefile(name, text, options);
    if (result.outcome == replaceoutcome::replaced) {
        notereplacement(result);
        return;
    }
    if (result.outcome == replaceoutcome::changed) die(escapedword(name) + " changed while it was being formatted\n");
    die("could not write " + escapedword(name) + ": " + escapedword(replacefailure(result)) + "\n");
}

void writefile(const std::string& name, const textsource& text, const fileidentity& expected) {
    replaceoptions options;
    options.expected = expected;
    writefile(name, text, options);
}

bool isfiletarget(const std::string& name) {
    std::string target = lc(name);
    return target != "null" && target != "stdout" && target != "stderr" && target != "clipboard" &&
           target != "output_str" && !name.empty() && descriptorofname(name) < 0;
}

bool outputisinput(const settings& s, const fileidentity& input) {
    if (!isfiletarget(s.outputfile)) return false;
    return s.outputfile == s.inputfile || samefile(identityofpath(s.outputfile), input);
}

bool samename(const std::string& a, const std::string& b) {
    std::error_code ignored;
    return std::filesystem::absolute(a, ignored).lexically_normal() ==
               std::filesystem::absolute(b, ignored).lexically_normal() ||
           samefile(identityofpath(a), identityofpath(b));
}

bool isaninputfile(settings& s, const std::string& name) {
    const fileidentity file = identityofpath(name);
    for (int32_t i = 0; i < s.inputfiles.size(); ++i) {
        const std::string& input = s.inputfiles.at(i);
        if (input.empty() || lc(input) == "stdin" || lc(input) == "clipboard") continue;
        if (input == name || samefile(file, identityofpath(input))) return true;
    }
    return false;
}

bool isanoutputfile(settings& s, const std::string& name) {
    for (int32_t i = 0; i < s.outputfiles.size(); ++i) {
        const std::string& output = s.outputfiles.at(i);
        if (!s.inputfiles.at(i).empty() && isfiletarget(output) && samename(name, output)) return true;
    }
    return isfiletarget(s.slsf) && samename(name, s.slsf);
}

void refuseinplacecut(settings& s, const fileidentity& input, messagestream& messages) {
    if (s.html && outputisinput(s, input)) usageerror(messages, "-io and -html cannot be used at the same time.\n");
    if ((s.sl > 1 || s.el > 0 || s.pp) && outputisinput(s, input))
        usageerror(messages, "The output " + escapedword(s.outputfile) +
                                 " is the input file itself, which -sl, -el and -pp cannot replace.");
    const bool sidefileisinput =
        isfiletarget(s.slsf) && (s.slsf == s.inputfile || samefile(identityofpath(s.slsf), input));
    if (sidefileisinput)
        usageerror(messages, "The line synchronization file " + escapedword(s.slsf) +
                                 " is the input file itself, which -slsf cannot replace.");
    // Nor another input of the run, which would be lost before its turn or after it.
    if (isfiletarget(s.slsf) && isaninputfile(s, s.slsf))
        usageerror(messages, "The line synchronization file " + escapedword(s.slsf) +
                                 " is an input file, which -slsf cannot replace.");
    // The output is written after it and would take its place.
    if (isfiletarget(s.slsf) && isfiletarget(s.outputfile) && samename(s.slsf, s.outputfile))
        usageerror(messages, "The line synchronization file " + escapedword(s.slsf) +
                                 " is the output file itself, which would replace it.");
}

namespace {

bool writestream(std::FILE* stream, const std::string& text) {
    return (text.empty() || std::fwrite(text.data(), 1, text.size(), stream) == text.size()) &&
           std::fflush(stream) == 0;
}

// Standard output and error, and every other open descriptor that a name such as
// /dev/fd/3 stands for, are written where they are: the file behind them is never replaced.
void writedescriptor(const std::string& name, int fd, const std::string& text) {
    bool written = true;
    if (fd == STDOUT_FILENO) {
        errno = EBADF;
        written = !standardoutputclosed && writestream(stdout, text);
    } else if (fd == STDERR_FILENO) {
        written = writestream(stderr, text);
    } else {
        std::fflush(stdout);
        errno = 0;
        written = wholetext(text)([fd](std::string_view piece) {
            for (size_t done = 0; done < piece.size();) {
                ssize_t n = ::write(fd, piece.data() + done, piece.size() - done);
                if (n < 0 && errno == EINTR) continue;
                if (n < 0) return false;
                done += static_cast<size_t>(n);
            }
            return true;
        });
    }
    if (!written) die("could not write " + escapedword(name) + ": " + errnotext() + "\n");
}

}  // namespace

void writeoutput(const settings& s, const formattedtext& output, const fileidentity& input, bool handedover,
                 std::string& outputstring, messagestream& messages) {
    std::string target = lc(s.outputfile);
    if (target == "null") return;
    const bool inplace = outputisinput(s, input);
    if (s.html && inplace) usageerror(messages, "-io and -html cannot be used at the same time.\n");
    if (!s.slsf.empty() && !s.html) {
        const int fd = descriptorofname(s.slsf);
        if (fd >= 0) writedescriptor(s.slsf, fd, output.sidefile);
        else writefile(s.slsf, wholetext(output.sidefile), fileidentity{});
    }

    // A derived name is never followed to a descriptor: a link there fails the file.
    const int fd = s.outputnamedlength >= 0 ? -1 : descriptorofname(s.outputfile);
    if (target == "stdout" || target == "stderr") {
        writedescriptor(s.outputfile, target == "stdout" ? STDOUT_FILENO : STDERR_FILENO, output.text);
    } else if (fd >= 0) {
        writedescriptor(s.outputfile, fd, output.text);
    } else if (target == "output_str" && handedover) {
        outputstring.clear();
        for (char c : output.text) {
            if (c == '\n') outputstring += '\r';
            outputstring += c;
        }
    } else if (target == "clipboard") {
        std::string reason;
        if (setclipboardtext(output.text, &reason) < 0) die("could not write clipboard: " + escapedword(reason) + "\n");
    } else {
        // A name the program derived follows no link after the part the user named.
        replaceoptions options;
        if (inplace) options.expected = input;
        if (s.outputnamedlength >= 0) {
            options.namedlength = static_cast<size_t>(s.outputnamedlength);
            options.makefolders = true;
        }
        writefile(s.outputfile, wholetext(output.text), options);
    }
}
