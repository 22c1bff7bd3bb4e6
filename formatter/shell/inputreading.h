// Input reading: the formatter's input lines from a file, standard input, the clipboard or
// a text handed over as a string, cut to the -sl/-el line range.
#pragma once

#include <cstddef>

class formatter;

// The largest input read: 1 GB.
inline constexpr size_t maxinputsize = size_t(1) << 30;

// Fills the formatter's input lines from the input its settings name; ends the file through
// die when the input cannot be read.
void readinput(formatter& f);
