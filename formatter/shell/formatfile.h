// One file formatted: its input read, its text formatted by the engine, the backup made and
// the output written.
#pragma once

#include "switchparser.h"

class formatter;

// The command line as the engine asks for it: in-source options, and the switch listings.
class commandlineswitches : public switchparser {
public:
    void parseoptions(const std::string& text, settings& s, messagestream& sink) const override;
    std::string printswitches(const settings& s, int annotated) const override;
    void explainswitches(messagestream& sink, const settings& s, const std::string& inputname,
                         const std::string& outputname) const override;
};

// Formats the file the formatter's settings name; ends through die on failure.
void formatfile(formatter& f);
