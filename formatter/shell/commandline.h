// Command-line parsing: turns switch words (from "brelm.cfg", the arguments, -ls files or
// in-source options) into a settings record and completes the input/output pairs.
#pragma once

#include "messages.h"
#include "settings.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

struct commandlineargs {
    messagestream messages;               // the parser's messages and usage errors
    std::vector<std::string> arguments;   // the switch words, walked by index
    std::set<std::string> excludednames;  // inputs dropped by -ef
    std::string outputdirectory;          // -od, without a trailing separator
    char outputdirectoryrecursive = 0;    // 1 when -odr was given
    std::string lastinputmask;            // the last -i or -io value, when it was a mask
    std::vector<std::string> inputmasks;  // every mask given for inputs

    // A non-zero stringmode collects the messages in messages.text.
    explicit commandlineargs(int32_t stringmode = 0) { messages.stringmode = stringmode != 0 ? 1 : 0; }
};

// Parses args.arguments into s. With fromcommandline 1 the words of "brelm.cfg" go first;
// with 0 (in-source options) switches that choose backups, templates, extensions, the
// error stream or any path are consumed and ignored. Ends the run through die, dieline
// or a usage error where the switches say so.
void parsecommandline(commandlineargs& args, settings& s, int fromcommandline);

// The exclusive switch groups: a member switched on switches the others off.
const std::vector<std::vector<std::string>>& exclusiveswitchgroups();
