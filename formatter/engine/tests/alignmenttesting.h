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
    f.sourcetext = text;
    f.tokenizesource();
    f.appendendtokens();
    f.resetrunstate();
    f.buildtables();
}

// One golden case: its label (the switches it stands for), the settings, the input and the
// text it formats to (and stays).
struct golden {
    std::string label;
    adjustment adjust;
    std::string input, expected;
};

// A golden case that formats alike under the defaults and under alignment with a column limit.
struct goldenpair {
    std::string input, expected;
};

class goldenrun : public formatrun {
protected:
    void verifyall(std::initializer_list<golden> cases, std::source_location where = std::source_location::current()) {
        for (const golden& g : cases) {
            SCOPED_TRACE(g.label);
            verifyformat(g.expected, g.input, g.adjust, where);
        }
    }
    void verifydefaultandlimit(std::initializer_list<goldenpair> cases,
                               std::source_location where = std::source_location::current()) {
        for (const goldenpair& g : cases) {
            verifyformat(g.expected, g.input, {}, where);
            SCOPED_TRACE("alignment under a column limit");
            verifyformat(g.expected, g.input, alignedunderlimit, where);
        }
    }
};

}  // namespace enginetesting
