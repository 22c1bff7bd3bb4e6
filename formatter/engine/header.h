// The formatted-by header: the header-marker part of the formatter, the header line and the
// removal of a header left at the front of the text by an earlier run.
#pragma once

#include "autoarray.h"
#include "pattern.h"
#include "tokencontext.h"

#include <cstdint>
#include <ctime>
#include <map>
#include <string>

struct headermarker {
    headermarker();

    std::string inputstring;       // a source text handed over as a string
    std::string outputstring;      // the text written for the output name "output_str"
    std::string placeholder;       // where an html template takes the formatted code
    std::string headertext;        // the start of every header line
    int32_t htmlcolumn = 0;        // running display column of the html writer
    const pattern* linebreakfollow = nullptr;      // a line break and the blanks after it
    int32_t htmlstartcolumn = 0;
    int32_t htmlpreviouscolumn = 0;
    const pattern* leadingtabs = nullptr;          // TABs before any line break
    const pattern* optionalbreakblanks = nullptr;  // an optional line break, then blanks
    autoarray<int32_t> linearray;  // sequence numbers of the input's line-break tokens
    std::map<int32_t, int32_t> linemap;
};

void makeformattedmarker(headermarker& part);

// The header line: headertext, version, " on: " and the time, " options:" and the switch
// text unless withoptions is 0, "*/" and the line break.
std::string headerline(const headermarker& part, const std::string& switchtext, int withoptions,
                       const std::tm& now, const std::string& linebreak);

// Removes a header that an earlier run left as the first non-empty token, with the line
// break that ended it.
void removeoldheader(const headermarker& part, tokencontext& context);
