// Stand-in command line until the full switch parser: reads only -i NAME, -o NAME
// (also -i=NAME, -o=NAME) and the flags -ss, -soe and -sr (with "+" or "-").
#pragma once

#include "messages.h"
#include "settings.h"

#include <set>
#include <string>
#include <vector>

struct commandlineargs {
    messagestream messages;
    std::vector<std::string> unused;
    std::vector<std::string> arguments;
    std::set<std::string> excludednames;
    std::string outputdirectory;
    char outputdirectoryrecursive = 0;

    explicit commandlineargs(int stringmode = 0) { messages.stringmode = stringmode ? 1 : 0; }
};

void parsecommandline(commandlineargs& args, settings& s, int fromcommandline);
