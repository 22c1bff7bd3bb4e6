// What the engine asks of the command line while it formats a text: the switches of an
// in-source options comment parsed into the settings, and the switches shown or explained.
#pragma once

#include "messages.h"
#include "settings.h"

#include <string>

class switchparser {
public:
    virtual ~switchparser() = default;
    // Parses the switch text of an options comment into s as in-source options; the parser's
    // messages go to sink, and a usage error ends the file with its message.
    virtual void parseoptions(const std::string& text, settings& s, messagestream& sink) const = 0;
    // The switches of s as settings text: on one line (annotated 0) or one a line with help.
    virtual std::string printswitches(const settings& s, int annotated) const = 0;
    // The switches of s explained in sentences, for the given input and output names.
    virtual void explainswitches(messagestream& sink, const settings& s, const std::string& inputname,
                                 const std::string& outputname) const = 0;
};
