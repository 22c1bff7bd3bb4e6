// Stand-in formatter object: checks the html tags, shows the switches when asked and
// copies the input text to the output unchanged.
#include "formatter.h"

#include "htmltags.h"
#include "support.h"
#include "switchlistings.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>

namespace {

std::string readsource(const std::string& name) {
    if (lc(name) == "stdin") return join(readlines(std::cin), "");
    std::fstream in;
    if (!openbymode(in, "<", name)) die("can't open " + name + ": " + errnotext() + "\n");
    return join(readlines(in), "");
}

// The permissions of the file the output replaces, or those of a new file.
mode_t outputmode(const std::string& name) {
    struct stat info;
    if (stat(name.c_str(), &info) == 0) return info.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// A file is written beside its final name and then renamed over it, so that a failed
// write never leaves it half written.
void writefile(const std::string& name, const std::string& text) {
    std::string temporary = name + ".XXXXXX";
    int fd = mkstemp(temporary.data());
    bool written = fd >= 0 && fchmod(fd, outputmode(name)) == 0;
    for (size_t at = 0; written && at < text.size();) {
        ssize_t n = write(fd, text.data() + at, text.size() - at);
        written = n > 0;
        if (written) at += static_cast<size_t>(n);
    }
    if (fd >= 0 && close(fd) != 0) written = false;
    if (written && std::rename(temporary.c_str(), name.c_str()) == 0) return;
    if (fd >= 0) unlink(temporary.c_str());
    die("could not write " + name + "\n");
}

}  // namespace

void formatter::formatsource() {
    std::string text = readsource(s.inputfile);
    tagsbykind opentags, closetags;
    parsetagsequence(s.tag, messages, opentags, closetags);
    if (s.sw == 0 && (s.x != 0 || s.v != 0)) {
        explainswitches(messages, s, s.inputfilealias, s.outputfilealias);
        if (s.x != 0) dieline(0);
    }
    if (s.swx != 0 || s.sw != 0) {
        printout(messages, printswitches(s, s.swx != 0 ? 1 : 0) + "\n");
        dieline(0);
    }
    std::string target = lc(s.outputfile);
    if (target == "null") return;
    FILE* stream = target == "stdout" ? stdout : target == "stderr" ? stderr : nullptr;
    if (!stream) return writefile(s.outputfile, text);
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}
