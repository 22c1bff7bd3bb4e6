// The output of a call: batches of tokens joined into the result text.
#include "cppoutput.h"

#include <algorithm>
#include <cstring>

namespace {

// Whether tokens end at a line start, given whether the text before them did.
bool endsatlinestart(std::span<const atoken> tokens, bool before)
{
    for (size_t index = tokens.size(); index > 0;) {
        const atoken& token = tokens[--index];
        if (token.kind == kindwhitespace && holdslinebreak(token.text))
            return true;
        if (token.kind != kindwhitespace && token.kind != kindblockcomment)
            return false;
    }
    return before;
}

} // namespace

std::string tokenoutput::text() const
{
    std::string whole = joined;
    whole += jointokens(recenttokens);
    return whole;
}

std::string tokenoutput::taketext()
{
    joinrecent();
    linestart = true;
    std::string whole = std::move(joined);
    joined.clear();
    return whole;
}

void tokenoutput::clear()
{
    recenttokens.clear();
    joined.clear();
    linestart = true;
}

void tokenoutput::joinrecent()
{
    linestart = endsatlinestart(recenttokens, linestart);
    size_t start = joined.size();
    size_t length = start;
    for (const atoken& token : recenttokens)
        length += token.text.size();
    if (length > joined.capacity())
        joined.reserve(std::max(length, 2 * joined.capacity()));
    joined.resize(length);
    // Tokens read from one text lie end to end there: each such run is copied at once.
    char* out = joined.data() + start;
    const char* run = nullptr;
    size_t runlength = 0;
    for (const atoken& token : recenttokens) {
        // An empty token may view no text at all: memcpy must not see its null pointer.
        if (token.text.empty())
            continue;
        if (token.text.data() == run + runlength) {
            runlength += token.text.size();
            continue;
        }
        if (runlength > 0)
            std::memcpy(out, run, runlength);
        out += runlength;
        run = token.text.data();
        runlength = token.text.size();
    }
    if (runlength > 0)
        std::memcpy(out, run, runlength);
    recenttokens.clear();
}
