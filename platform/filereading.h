// Reading a whole file by the rule for every file brelm reads: regular files and pipes only,
// up to a bound, and for the files it reads besides its input, no waiting on a pipe that
// nothing writes to.
#pragma once

#include "replacefile.h"

#include <cstddef>
#include <string>

// The bound of the input and of the other files it stands for (the clipboard, a template): 1 GB.
inline constexpr size_t largestinput = size_t(1) << 30;

struct readrules {
    size_t limit = 0;  // the most bytes read; more fails the read
    // true: a pipe is opened as any program opens it, waiting for a writer (the input the
    // user named). false: it is opened without waiting, and a pipe that nothing writes to is
    // refused.
    bool waitforwriter = false;
    bool followlink = true;  // false: a symbolic link at the name is not opened (ELOOP)
    // true: only a regular file is read; a pipe is refused too, opened without waiting.
    bool regularonly = false;
};

enum class readoutcome {
    read,
    notopened,  // error holds the reason the open failed
    refused,    // a kind the rules do not read (a device; a pipe under regularonly), or a pipe that nothing writes to
    toolarge,   // more than the limit
    failed,     // a read failed; error holds the reason
};

struct readresult {
    readoutcome outcome = readoutcome::read;
    int error = 0;
    std::string refusal;    // for refused: why, in words
    fileidentity identity;  // the file that was opened, as it was when it was opened
};

// Reads the whole file into text (appended) by the rules.
readresult readwholefile(const std::string& name, std::string& text, const readrules& rules);

// Why a replacement failed, in words, for every outcome but replaced and changed: the
// system's text, or what stood in the way.
std::string replacefailure(const replaceresult& result);

// Why the read failed, in words: the system's text, the refusal, or "the file is larger than
// N" with the limit in GB, MB or bytes.
std::string readfailure(const readresult& result, size_t limit);
