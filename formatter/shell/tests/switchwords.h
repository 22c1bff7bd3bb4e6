// The engine tests' golden checks under switch words, for the cases whose settings only the
// command line gives: presets, -ifs blocks, options comments and the switch displays.
#pragma once

#include "commandline.h"
#include "enginetesting.h"
#include "formatfile.h"
#include "switchtable.h"

#include <string>
#include <vector>

namespace enginetesting {

// The tables the command line reads switch words with.
inline void preparecommandline() {
    static bool built = (buildcharsettables(), buildswitchtable(), true);
    (void)built;
}

// The settings the switch words give, read as an in-source options comment would be (no
// configuration file, no paths); the names of the text stay.
inline adjustment words(const std::vector<std::string>& switches) {
    preparecommandline();
    settings parsed = freshsettings();
    parsed.b = 0;
    std::string messages;
    if (!parseswitchwords(switches, parsed, messages)) ADD_FAILURE() << "switches refused: " << messages;
    return [parsed](settings& s) {
        std::string in = s.inputfile, out = s.outputfile;
        s = parsed;
        s.inputfile = s.inputfilealias = in;
        s.outputfile = s.outputfilealias = out;
    };
}

// The engine's checks with the command line's parser for options comments and displays.
class wordrun : public formatrun {
protected:
    void SetUp() override {
        formatrun::SetUp();
        preparecommandline();
    }
    const switchparser& switches() const override {
        static const commandlineswitches parser;
        return parser;
    }
};

}  // namespace enginetesting
