// The output of a call: batches of tokens joined into the result text.
#include "cppoutput.h"

#include <algorithm>

#include "pagememory.h"

namespace {

// Whether tokens end at a line start, given whether the text before them did.
bool endsatlinestart(std::span<const atoken> tokens, bool before) {
    for (size_t index = tokens.size(); index > 0;) {
        const atoken& token = tokens[--index];
        if (token.kind == kindwhitespace && holdslinebreak(token.text)) return true;
        if (token.kind != kindwhitespace && token.kind != kindblockcomment) return false;
    }
    return before;
}

}  // namespace

std::string tokenoutput::text() const {
    std::string whole = joined;
    whole += jointokens(recenttokens);
    return whole;
}

std::string tokenoutput::taketext() {
    joinrecent();
    linestart = true;
    textbytes = 0;
    std::string whole = std::move(joined);
    joined.clear();
    return whole;
}

void tokenoutput::reservetext(size_t bytes, size_t likely) { ::reservetext(joined, bytes, likely); }

void tokenoutput::clear() {
    recenttokens.clear();
    joined.clear();
    linestart = true;
    textbytes = 0;
}

void tokenoutput::joinrecent() {
    linestart = endsatlinestart(recenttokens, linestart);
    size_t length = joined.size();
    for (const atoken& token : recenttokens) length += token.text.size();
    if (length > joined.capacity()) joined.reserve(std::max(length, 2 * joined.capacity()));
    // Tokens read from one text lie end to end there: each such run is appended at once.
    std::string_view run;
    for (const atoken& token : recenttokens) {
        if (token.text.empty()) continue;
        if (token.text.data() == run.data() + run.size()) {
            run = std::string_view(run.data(), run.size() + token.text.size());
            continue;
        }
        joined += run;
        run = token.text;
    }
    joined += run;
    recenttokens.clear();
}
