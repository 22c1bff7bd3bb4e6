// The formatted-by header: the writer's marker texts, the header line and the removal of a
// header left at the front of the text by an earlier run.
#pragma once

#include "pattern.h"
#include "tokencontext.h"

#include <cstdint>
#include <ctime>
#include <string>

// What the output writer marks and finds: the start of every header line, the html
// template's placeholder, and a line break with the blanks after it.
struct headermarker {
    headermarker();

    std::string placeholder;  // where an html template takes the formatted code
    std::string headertext;   // the start of every header line
    const pattern* linebreakfollow = nullptr;
};

// The header line: headertext, version, " on: " and the time, " options:" and the switch
// text unless withoptions is 0, "*/" and the line break.
std::string headerline(const headermarker& part, const std::string& switchtext, int withoptions, const std::tm& now,
                       const std::string& linebreak);

// Removes a header that an earlier run left as the first non-empty token, with the line
// break that ended it.
void removeoldheader(const headermarker& part, tokencontext& context);
