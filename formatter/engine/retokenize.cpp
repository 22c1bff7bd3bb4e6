// Tokenizing the rest of a text again after a SQL*Plus line has cut a literal short. The
// tokenizer's result at an offset depends only on the text from there on, so new tokens are
// made only until they reach the start of a token made before; that token's tail is linked
// in as it is. Cut-off tails wait in a stash, since a later cut often meets them again.
#include "messages.h"
#include "tokencontext.h"

void tokencontext::indextail(position from) {
    for (position p = from; p != tokens.end(); ++p)
        if (p->matchstart) matchstarts[p->sourceoffset] = p.get();
}

// Frees the chain from first up to, not including, stop (nullptr: to its end).
void tokencontext::freechain(token* first, token* stop) {
    for (token* t = first; t && t != stop;) {
        token* after = tokenlist::nextof(t);
        auto found = matchstarts.find(t->sourceoffset);
        if (found != matchstarts.end() && found->second == t) matchstarts.erase(found);
        tokenlist::freenode(t);
        t = after;
    }
}

token* tokencontext::stashheadof(token* t) const {
    while (tokenlist::prevof(t)) t = tokenlist::prevof(t);
    return t;
}

void tokencontext::retokenizeafter(position literal) {
    position cut = std::next(literal);
    if (cut == tokens.end()) return;
    // The cut token begins with the line break that ends the literal's first line.
    int32_t line = tokenline(cut) - (startswithlinebreak(cut->text()) ? 1 : 0);
    int64_t offset = cut->sourceoffset;
    if (offset < tokenizedbase || tokens.editedfrom(offset)) {
        retokenizejoined(cut, line);
        return;
    }
    if (!tailindexed) {
        indextail(cut);
        tailindexed = true;
    }
    tokenlist::chain old = tokens.detachtail(cut);
    stash[old.first] = old.last;
    alternation = &tokenpattern();

    scanstate state;
    state.line = line;
    size_t pos = static_cast<size_t>(offset - tokenizedbase);
    while (true) {
        if (pos >= tokenizedtext.size()) {
            appendendtokens();
            break;
        }
        auto met = matchstarts.find(tokenizedbase + static_cast<int64_t>(pos));
        if (met != matchstarts.end()) {
            token* join = met->second;
            token* head = stashheadof(join);
            auto stashed = stash.find(head);
            if (stashed == stash.end()) die("Internal error: a stashed token tail was lost\n");
            token* last = stashed->second;
            stash.erase(stashed);
            freechain(head, join);
            tokens.attachtail({join, last});
            endsentinel = std::prev(std::prev(tokens.end()));
            firstrealtoken = tokens.begin();
            break;
        }
        scanmatch(tokenizedtext, pos, tokenizedbase, state);
    }
    tokensadded = state.added;
}

// When rules have already changed the tail, its present texts are joined and tokenized anew.
void tokencontext::retokenizejoined(position cut, int32_t line) {
    int64_t offset = cut->sourceoffset;
    std::string rest = jointokentexts(cut, tokens.end());
    tokenlist::chain old = tokens.detachtail(cut);
    freechain(old.first, nullptr);
    for (auto& [head, last] : stash) freechain(head, nullptr);
    stash.clear();
    matchstarts.clear();
    tailindexed = false;
    tokens.forgeteditsfrom(offset);

    tokenizedbase = offset;
    tokenizedtext = std::move(rest);
    alternation = &tokenpattern();
    scanstate state;
    state.line = line;
    size_t pos = 0;
    while (pos < tokenizedtext.size()) scanmatch(tokenizedtext, pos, tokenizedbase, state);
    appendendtokens();
    tokensadded = state.added;
}
