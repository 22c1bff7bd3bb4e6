// One file formatted: its input read, its text formatted by the engine, the backup made and
// the output written.
#pragma once

#include "switchparser.h"

#include <cstdint>
#include <string>

class formatter;

// The command line as the engine asks for it: in-source options, and the switch listings.
class commandlineswitches : public switchparser {
public:
    void parseoptions(const std::string& text, settings& s, messagestream& sink) const override;
    std::string printswitches(const settings& s, int annotated) const override;
    void explainswitches(messagestream& sink, const settings& s, const std::string& inputname,
                         const std::string& outputname) const override;
};

// One source text formatted in memory.
struct textresult {
    int32_t status = 0;      // the file's exit status, as the program gives it
    bool formatted = false;  // text holds the output (false when a failure or a listing ended it)
    std::string text;        // the output as the program writes it, -slsf's side file left out
    std::string listing;     // the messages, the failure listing included
};

// Formats source (the whole text to format: a range cut is the input reader's) under the
// settings, as one file of the program is; nothing is read, backed up or written.
textresult formattext(const settings& s, const switchparser& switches, const std::string& source);

// Formats the file the formatter's settings name; ends through die on failure.
void formatfile(formatter& f);
