// The engine's entry: one source text in, the text to write out. Nothing is read from or
// written to the input or output; the shell reads, backs up and writes around it.
#pragma once

#include "messages.h"
#include "settings.h"
#include "switchparser.h"

#include <iostream>
#include <string>

class formatter;

// What one formatted text gives the writer.
struct formattedtext {
    bool formatted = false;  // false: a listing or display ended the file; nothing is written
    std::string text;        // the output: the -pl/-plo header and the text, or the html page
    std::string sidefile;    // -slsf: "input-line output-line" for every input line still there
    std::string input;       // the source as handed in, given back for the backup (whole when s.b > 0)
    settings s;              // the settings in force at the end, in-source options applied
};

// Formats source under s. In-source options and the switch displays go through switches,
// messages to sink, and the -lt, -ct and -str listings to listings. A failure ends through
// die, with sink holding what was printed. The output name "null" takes no text. With
// keephighbytecase the bytes above 127 keep their case whatever the character set says.
// Each call keeps its state to itself: texts may be formatted on several threads at once.
formattedtext formattext(const settings& s, const switchparser& switches, std::string source, messagestream& sink,
                         std::ostream& listings = std::cout, bool keephighbytecase = false);

// The output of a formatter whose formatsource gave true: the header (an old one is taken
// out of the tokens first), the -slsf lines and the text or html page.
formattedtext writtentext(formatter& f, const switchparser& switches);
