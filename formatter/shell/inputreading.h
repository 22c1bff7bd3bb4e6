// Input reading: the text to format from a file, standard input, the clipboard or a text
// handed over as a string, cut to the -sl/-el line range.
#pragma once

#include "filereading.h"
#include "replacefile.h"
#include "settings.h"

#include <cstddef>
#include <string>
#include <string_view>

// The largest input read: 1 GB.
inline constexpr size_t maxinputsize = largestinput;

// What was read for one file.
struct inputtext {
    std::string text;       // the text to format
    std::string bytes;      // a file's whole bytes as read, kept apart when a range was cut
    bool cut = false;       // a file's text was cut to a range: bytes holds the file
    fileidentity identity;  // the input file that was read (unknown for streams)
};

// Reads the input that the settings name; handedover is the text of an empty input name.
// Files and standard input keep their line terminators; the lines of the clipboard and of a
// handed-over text are joined by LF. Ends the file through die when the input cannot be read,
// when a file a mask listed is no longer the file listed, and when it is UTF-16 or UTF-32 text.
inputtext readinput(const settings& s, const std::string& handedover);

// "UTF-16" or "UTF-32" for a text in either (with a byte-order mark, or with the high bytes
// of nearly every unit of its first 64 KB NUL and the low byte not), else "".
std::string unicodeencodingof(std::string_view text);
