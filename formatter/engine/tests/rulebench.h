// A formatter over a tokenized text with the keyword tables of its settings, for tests that
// hand tokens to one rule outside the token loop.
#pragma once

#include "enginetesting.h"

#include <functional>
#include <string>

namespace enginetesting {

inline void preparerules(formatter& f, const std::string& text,
                         const std::function<void(settings&)>& adjust = {}) {
    usecharset("US7ASCII");
    f.s = defaultsettings();
    if (adjust) adjust(f.s);
    f.fillwordsets();
    f.sourcetext = text;
    f.tokenizesource();
    f.appendendtokens();
    f.resetrunstate();
    f.fillkeywordtables();
}

}  // namespace enginetesting
