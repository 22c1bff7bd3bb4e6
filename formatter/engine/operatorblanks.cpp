// Blanks around operators: -co removes the blanks next to an operator, -sao puts one blank
// on each side, with the exceptions for brackets, commas, signs and aligned blanks.
#include "formatter.h"

namespace {

const pattern& spacingremovalpattern() {
    static const pattern& compiled = pattern::get("^(?:=>|\\:=|\\|\\||<>|<|>|!=|<=|>=|\\+|-|,|=|\\*|\\/|(\\(|\\)))$",
                        pattern::caseless);
    return compiled;
}

const pattern& spacingadditionpattern() {
    static const pattern& compiled = pattern::get("^(?:=>|\\:=|\\|\\||<>|<|>|!=|<=|>=|\\+|-|(,)|=|\\*|\\/|and|or|not)$",
                        pattern::caseless);
    return compiled;
}

// Removing the blank between two texts must not glue them into another token: "- -" into a
// comment, "* /" or "/ *" into a comment mark.
bool wouldjoin(const std::string& left, const std::string& right) {
    if (left.empty() || right.empty()) return false;
    char a = left.back(), b = right.front();
    return (a == '-' && b == '-') || (a == '*' && b == '/') || (a == '/' && b == '*');
}

bool holdsspace(const token& t) {
    return (t.kind == blockcomment || t.kind == whitespace) &&
           t.text().find_first_of(" \t\n\r\f\v") != std::string::npos;
}

}  // namespace

void formatter::removeoperatorblanks() {
    if (!s.co) return;
    patternmatch m;
    if (!spacingremovalpattern().partialmatch(currentword, &m)) return;
    if (s.ncb && m.matched(1)) return;
    position t = currenttoken;
    if (t != tokens.begin()) {
        position before = std::prev(t);
        bool removable = before->kind == whitespace && !haslinebreak(before->text()) &&
                         before != lastinsertedblank && before != tokens.begin() &&
                         spacingallowed == 1 && !t->protectedtoken;
        if (removable && !wouldjoin(std::prev(before)->text(), t->text())) {
            tokens.erase(before);
            tokenposition = savedtokenposition;
        }
    }
    position after = std::next(t);
    if (after != tokens.end() && after->kind == whitespace && !haslinebreak(after->text()) &&
        !keepblankafter(after) && !after->protectedfollowingblank) {
        position beyond = std::next(after);
        if (beyond == tokens.end() || !wouldjoin(t->text(), beyond->text())) {
            if (after == lastinsertedblank) lastinsertedblank = tokens.end();
            tokens.erase(after);
        }
    }
}

void formatter::addoperatorblanks() {
    if (!s.sao) return;
    patternmatch m;
    if (!spacingadditionpattern().partialmatch(currentword, &m)) return;
    position t = currenttoken;
    if (!m.matched(1) && t != tokens.begin()) {
        position before = std::prev(t);
        bool afteropening = before->text() == "(" && (s.rsaob || s.ncb);
        if (!holdsspace(*before) && !afteropening) {
            tokens.insert(t, token(" ", whitespace, 0, -(sequencecounter++), -1));
            ++tokenposition;
        }
    }
    position after = std::next(t);
    if (after == tokens.end() || holdsspace(*after)) return;
    if (s.ncb && after->text() == ")") return;
    if ((t->text() == "-" || t->text() == "+") &&
        spacingadditionpattern().partialmatch(previoussignificant(t)->text()))
        return;
    lastinsertedblank = tokens.insert(after, token(" ", whitespace, 0, -t->sequence, -1));
}
