// Helpers of the alignment tests: a formatter prepared over a text for handing tokens to one
// rule outside the token loop, and tables of golden formatting cases.
#pragma once

#include "enginetesting.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace enginetesting {

inline void preparerules(formatter& f, const std::string& text,
                         const std::function<void(settings&)>& adjust = {}) {
    f.s = defaultsettings();
    if (adjust) adjust(f.s);
    f.fillwordsets();
    f.sourcetext = text;
    f.tokenizesource();
    f.appendendtokens();
    f.resetrunstate();
    f.fillkeywordtables();
}

// One golden case: the switches, the input and the text it formats to (and stays).
struct golden {
    std::vector<std::string> switches;
    std::string input, expected;
};

// A golden case that formats alike under the defaults and under alignment with a column limit.
struct goldenpair {
    std::string input, expected;
};

class goldenrun : public formatrun {
protected:
    void verifyall(std::initializer_list<golden> cases) {
        for (const golden& g : cases) verifyformat(g.expected, g.input, g.switches);
    }
    void verifydefaultandlimit(std::initializer_list<goldenpair> cases) {
        static const std::vector<std::string> limit = {"-acav", "-actv", "-acarv", "-as", "-aav", "-mcs", "100"};
        for (const goldenpair& g : cases) {
            verifyformat(g.expected, g.input);
            verifyformat(g.expected, g.input, limit);
        }
    }
};

}  // namespace enginetesting
