// The formatted-by header: its texts and patterns, the header line with the local time, and
// the removal of an old header so that formatting twice leaves one header.
#include "header.h"

#include "globals.h"
#include "support.h"

headermarker::headermarker()
    : placeholder("$formatted"),
      headertext("/*formatted by " + bannertext + " "),
      linebreakfollow(&pattern::get("(" + linebreakpattern + ")[\t ]*", pattern::dotall)) {}

namespace {

std::string twodigits(int n) {
    std::string digits = numtostring(n);
    if (n < 10) digits.insert(digits.begin(), '0');
    return digits;
}

}  // namespace

std::string headerline(const headermarker& part, const std::string& switchtext, int withoptions, const std::tm& now,
                       const std::string& linebreak) {
    std::string line = part.headertext + versiontext + " on: " + twodigits(now.tm_hour) + ":" + twodigits(now.tm_min) +
                       ":" + numtostring(now.tm_sec) + " " + numtostring(now.tm_mday) + "/" +
                       numtostring(now.tm_mon + 1) + "/" + numtostring(now.tm_year + 1900);
    if (withoptions) line += " options:" + switchtext;
    return line + "*/" + linebreak;
}

void removeoldheader(const headermarker& part, tokencontext& context) {
    tokenlist& tokens = context.tokens;
    position first = tokens.begin();
    while (first != tokens.end() && first->text().empty()) ++first;
    if (first == tokens.end() || !startswith(first->text(), part.headertext)) return;
    position after = context.removetokenrun(first);
    if (after != tokens.end() && after->kind == whitespace && part.linebreakfollow->partialmatch(after->text()))
        tokens.erase(after);
}
