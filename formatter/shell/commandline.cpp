// Stand-in command line: input and output names and the run flags -ss, -soe and -sr.
#include "commandline.h"

#include "pattern.h"

namespace {

void addinput(settings& s, const std::string& name) {
    if (!s.inputfiles.at(s.fileindex).empty()) ++s.fileindex;
    s.inputfiles.at(s.fileindex) = name;
}

void setoutput(commandlineargs& args, settings& s, const std::string& name) {
    if (!s.outputfiles.at(s.fileindex).empty()) ++s.fileindex;
    if (s.inputfiles.at(s.fileindex).empty())
        usageerror(args.messages, "The input file (-i) is missing before -o " + name);
    s.outputfiles.at(s.fileindex) = name;
}

// Pairs without an output name write beside their input with the output extension.
void completepairs(commandlineargs& args, settings& s) {
    bool anyinput = false;
    for (int32_t i = 0; i < s.inputfiles.size(); ++i) {
        const std::string name = s.inputfiles.at(i);
        if (name.empty()) continue;
        anyinput = true;
        if (s.outputfiles.at(i).empty() && !s.oe.empty() && s.oe[0] == '+') s.outputfiles.at(i) = name + s.oe.substr(1);
    }
    if (!anyinput) usageerror(args.messages, "No input file is given.");
}

}  // namespace

void parsecommandline(commandlineargs& args, settings& s, int) {
    std::string pending;
    patternmatch m;
    for (const std::string& word : args.arguments) {
        if (pending == "Input file") {
            addinput(s, word);
        } else if (pending == "Output file") {
            setoutput(args, s, word);
        } else if (pattern::get("^-i(=(.+))?$").partialmatch(word, &m)) {
            if (m.matched(2)) addinput(s, m.str(2));
            else pending = "Input file";
            continue;
        } else if (pattern::get("^-o(=(.+))?$").partialmatch(word, &m)) {
            if (m.matched(2)) setoutput(args, s, m.str(2));
            else pending = "Output file";
            continue;
        } else if (pattern::get("^-(ss|soe|sr)(\\-|\\+|)$").partialmatch(word, &m)) {
            int32_t value = m.str(2) == "-" ? 0 : 1;
            if (m.str(1) == "ss") s.ss = value;
            else if (m.str(1) == "soe") s.soe = value;
            else s.sr = value;
        } else {
            printout(args.messages, "Argument " + word + " is ignored\n");
        }
        pending.clear();
    }
    if (!pending.empty())
        usageerror(args.messages,
                   "You have some incomplete option specified in your command line.\n(" + pending + " is not given.)");
    completepairs(args, s);
}
