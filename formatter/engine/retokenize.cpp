// Tokenizing the rest of a text again after a SQL*Plus line has cut a literal short. The
// tokenizer's result at an offset depends only on the text from there on, so new tokens are
// made only until they reach the start of a token made before; that token's tail is linked
// in as it is. Cut-off tails wait in a stash, since a later cut often meets them again.
#include "messages.h"
#include "tokencontext.h"

namespace {

// Tails kept at most: a tail that no cut met for this long is not worth a check per token.
constexpr size_t stashlimit = 8;

}  // namespace

// Frees the chain from first up to, not including, stop (nullptr: to its end).
void tokencontext::freechain(token* first, token* stop) {
    for (token* t = first; t && t != stop;) {
        token* after = tokens.nextof(t);
        tokens.freenode(t);
        t = after;
    }
}

void tokencontext::freestash() {
    for (const tokenlist::chain& c : stash) freechain(c.first, nullptr);
    stash.clear();
}

// Cuts move forward through the text, so stashed tokens before offset are of no more use.
// Meeting a stashed tail only saves work: whatever goes, the result stays the same.
void tokencontext::trimstash(int64_t offset) {
    size_t kept = 0;
    for (tokenlist::chain c : stash) {
        token* first = c.first;
        while (first && first->sourceoffset() < offset) first = tokens.nextof(first);
        freechain(c.first, first);
        if (first) stash[kept++] = {first, c.last};
    }
    stash.resize(kept);
    if (kept > stashlimit) {
        for (size_t i = 0; i + stashlimit < kept; ++i) freechain(stash[i].first, nullptr);
        stash.erase(stash.begin(), stash.end() - static_cast<std::ptrdiff_t>(stashlimit));
    }
}

// A line break inside a quoted name is not counted, so a tail tokenized from another start
// can number its lines differently: it takes the numbering of the scan that meets it.
void tokencontext::renumberlines(token* first, int32_t shift) {
    if (shift == 0) return;
    for (token* t = first; t; t = tokens.nextof(t))
        if (t->line >= 0) t->line += shift;
}

void tokencontext::retokenizeafter(position literal) {
    position cut = std::next(literal);
    if (cut == tokens.end()) return;
    // The cut token begins with the line break that ends the literal's first line.
    int32_t line = tokenline(cut) - (startswithlinebreak(cut->text()) ? 1 : 0);
    int64_t offset = cut->sourceoffset();
    if (offset < tokenizedbase || tokens.editedfrom(offset)) {
        retokenizejoined(cut, line);
        return;
    }
    trimstash(offset);
    tokenlist::chain old = tokens.detachtail(cut);
    stash.push_back(old);

    // One cursor per stashed tail walks along with the tokenizer: all offsets grow.
    preparescan();
    std::vector<token*> cursors;
    for (const tokenlist::chain& c : stash) cursors.push_back(c.first);
    scanstate state;
    state.line = line;
    size_t pos = static_cast<size_t>(offset - tokenizedbase);
    while (true) {
        if (pos >= tokenizedtext.size()) {
            appendendtokens();
            break;
        }
        int64_t here = tokenizedbase + static_cast<int64_t>(pos);
        size_t met = stash.size();
        for (size_t i = 0; i < cursors.size() && met == stash.size(); ++i) {
            token*& c = cursors[i];
            if (!c) continue;
            // A tail met only near its end is kept whole: it is the other way of reading the
            // text (two quote parities that never meet), which the next cut often needs. Past
            // the point where a meeting would come too late, its cursor stops walking.
            if (stash[i].last->sourceoffset() - here < here - offset) {
                c = nullptr;
                continue;
            }
            while (c && c->sourceoffset() < here) c = tokens.nextof(c);
            if (c && c->sourceoffset() == here && c->matchstart) met = i;
        }
        if (met < stash.size()) {
            token* join = cursors[met];
            tokenlist::chain tail = stash[met];
            stash.erase(stash.begin() + static_cast<std::ptrdiff_t>(met));
            freechain(tail.first, join);
            renumberlines(join, state.line - join->line);
            tokens.attachtail({join, tail.last});
            endsentinel = std::prev(std::prev(tokens.end()));
            firstrealtoken = tokens.begin();
            break;
        }
        scanmatch(tokenizedtext, pos, tokenizedbase, state);
    }
    finishscan(state);
}

// When rules have already changed the tail, its present texts are joined and tokenized anew.
void tokencontext::retokenizejoined(position cut, int32_t line) {
    int64_t offset = cut->sourceoffset();
    std::string rest = jointokentexts(cut, tokens.end());
    tokenlist::chain old = tokens.detachtail(cut);
    freechain(old.first, nullptr);
    freestash();
    tokens.forgeteditsfrom(offset);

    tokenizedbase = offset;
    keeptokenizedtext(std::move(rest));
    preparescan();
    scanstate state;
    state.line = line;
    size_t pos = 0;
    while (pos < tokenizedtext.size()) scanmatch(tokenizedtext, pos, tokenizedbase, state);
    appendendtokens();
    finishscan(state);
}
