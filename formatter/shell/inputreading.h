// Input reading: the text to format from a file, standard input, the clipboard or a text
// handed over as a string, cut to the -sl/-el line range.
#pragma once

#include "replacefile.h"
#include "settings.h"

#include <cstddef>
#include <string>

// The largest input read: 1 GB.
inline constexpr size_t maxinputsize = size_t(1) << 30;

// What was read for one file.
struct inputtext {
    std::string text;        // the text to format
    std::string bytes;       // a file's whole bytes as read, kept apart when a range was cut
    bool cut = false;        // a file's text was cut to a range: bytes holds the file
    fileidentity identity;   // the input file that was read (unknown for streams)
};

// Reads the input that the settings name; handedover is the text of an empty input name.
// Files and standard input keep their line terminators; the lines of the clipboard and of a
// handed-over text are joined by LF. Ends the file through die when the input cannot be read.
inputtext readinput(const settings& s, const std::string& handedover);
