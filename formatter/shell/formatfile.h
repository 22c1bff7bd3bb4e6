// One file formatted: its input read, its text formatted by the engine, the backup made and
// the output written.
#pragma once

#include "messages.h"
#include "settings.h"
#include "switchparser.h"

#include <cstdint>
#include <string>

// The command line as the engine asks for it: in-source options, and the switch listings.
class commandlineswitches : public switchparser {
public:
    void parseoptions(const std::string& text, settings& s, messagestream& sink) const override;
    std::string printswitches(const settings& s, int annotated) const override;
    void explainswitches(messagestream& sink, const settings& s, const std::string& inputname,
                         const std::string& outputname) const override;
};

// One file's run: its settings and message sink, and for a source handed over as a string
// (an empty input name) that text, with the text written for the output name "output_str".
struct filerun {
    settings s;
    messagestream messages;
    std::string inputstring;
    std::string outputstring;
};

// Formats the file the run's settings name; ends through die on failure.
void formatfile(filerun& run);

// One source text run in memory as one file of the program is.
struct textresult {
    int32_t status = 0;      // the file's exit status, as the program gives it
    bool formatted = false;  // text holds the output (false when a failure or a listing ended it)
    std::string text;        // the output as the program writes it, -slsf's side file left out
    std::string listing;     // the messages, the failure listing included
};

// Formats source (the whole text to format: a range cut is the input reader's) under the
// settings, with the status and the result line the program gives; nothing is read, backed
// up or written.
textresult runtext(const settings& s, const std::string& source);
