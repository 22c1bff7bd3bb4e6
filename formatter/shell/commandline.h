// Command-line parsing: turns switch words (from "brelm.cfg", the arguments, -ls files or
// in-source options) into a settings record and completes the input/output pairs.
#pragma once

#include "messages.h"
#include "pattern.h"
#include "settings.h"
#include "switchtable.h"

#include <cstdint>
#include <set>
#include <span>
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

// The settings of a run before its switches are read: the defaults, the switch objects'
// defaults, and an input to format (the parser wants one).
settings freshsettings();
// Parses the words into s as an options comment's words are parsed (no settings files, no
// paths). False when the parser refused them or ended the run: messages then holds what it
// printed and why it stopped.
bool parseswitchwords(const std::vector<std::string>& words, settings& s, std::string& messages);

// The exclusive switch groups: a member switched on switches the others off.
const std::vector<std::vector<std::string>>& exclusiveswitchgroups();

class commandlineparser;

// One row of the switch table: how a switch word is recognised and where its value goes.
// A value goes into the row's number or text field, or to its setter, which may use the
// field. Numbers are read and checked against the range in one place for every row.
struct switchrow {
    using step = bool (commandlineparser::*)(const std::string& word, const patternmatch& m);
    using setter = void (commandlineparser::*)(const switchrow& row, const std::string& value);

    const char* name;               // the switch as messages name it
    const char* form = nullptr;     // its pattern; by default the name and an optional "=value"
    int valuegroup = 1;             // the capture that holds a value given in the word
    step recognised = nullptr;      // runs on a match; declining lets the next row try
    const char* label = nullptr;    // names the value when it is missing; nullptr: no value
    switchkind kind = novaluekind;  // numberkind or stringkind for a switch with a value
    // The field of the value: a number, a list of numbers (one range for each) or a text.
    int32_t settings::*number = nullptr;
    std::vector<int32_t> settings::*numbers = nullptr;
    std::string settings::*text = nullptr;
    setter apply = nullptr;
    numberrange range{};
    bool tabs = false;             // the number may end in "t" (a size in tabs)
    bool inblock = false;          // may stand inside an -ifs block
    bool commandlineonly = false;  // in-source options consume the value and drop it
    bool listed = false;           // the switch listings write its field, in table order
};

// The rows in the order they are tried: the first whose pattern matches (and whose step
// does not decline) decides.
std::span<const switchrow> switchrows();
