// Blanks around operators: -co removes the blanks next to an operator, -sao puts one blank
// on each side, with the exceptions for brackets, commas, signs and aligned blanks.
#include "formatter.h"
#include "operatorwords.h"
#include "wordset.h"

namespace {

// The word as an anchored pattern sees it: one final LF may follow it.
std::string_view withoutfinallinefeed(std::string_view word) {
    if (!word.empty() && word.back() == '\n') word.remove_suffix(1);
    return word;
}

bool istwobyteoperator(std::string_view word) {
    return istext(word, "=>") || istext(word, ":=") || istext(word, "||") || istext(word, "<>") || istext(word, "!=") ||
           istext(word, "<=") || istext(word, ">=");
}

bool isonebyteoperator(char c) {
    return c == '<' || c == '>' || c == '+' || c == '-' || c == '=' || c == '*' || c == '/';
}

// Words after which an expression begins, so a "-" or "+" there is a sign: an opening
// bracket and the keywords that no operand can end.
bool startsexpression(std::string_view word) {
    return istext(word, "(") || isword(word, "return") || isword(word, "then") || isword(word, "else") ||
           isword(word, "when") || isword(word, "select");
}

}  // namespace

bool isspacingremovalword(std::string_view word, bool& bracket) {
    word = withoutfinallinefeed(word);
    bracket = istext(word, "(") || istext(word, ")");
    if (bracket || istext(word, ",")) return true;
    if (word.size() == 1) return isonebyteoperator(word[0]);
    return istwobyteoperator(word);
}

bool isspacingadditionword(std::string_view word, bool& comma) {
    word = withoutfinallinefeed(word);
    comma = istext(word, ",");
    if (comma) return true;
    if (word.size() == 1) return isonebyteoperator(word[0]);
    return istwobyteoperator(word) || isword(word, "and") || isword(word, "or") || isword(word, "not");
}

namespace {

// Removing the blank between two texts must not glue them into another token: "- -" into a
// comment, "* /" or "/ *" into a comment mark.
bool wouldjoin(std::string_view left, std::string_view right) {
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
    bool bracket = false;
    if (!isspacingremovalword(currentword, bracket)) return;
    if (s.ncb && bracket) return;
    position t = currenttoken;
    if (t != tokens.begin()) {
        position before = std::prev(t);
        bool removable = before->kind == whitespace && !before->breaksline() &&
                         before != outputline.lastinsertedblank && before != tokens.begin() &&
                         outputline.spacingallowed == 1 && !t->protectedtoken;
        if (removable && !wouldjoin(std::prev(before)->text(), t->text())) {
            tokens.erase(before);
            outputline.tokenposition = outputline.savedtokenposition;
        }
    }
    position after = std::next(t);
    if (after != tokens.end() && after->kind == whitespace && !after->breaksline() && !keepblankafter(after) &&
        !after->protectedfollowingblank) {
        position beyond = std::next(after);
        if (beyond == tokens.end() || !wouldjoin(t->text(), beyond->text())) {
            if (after == outputline.lastinsertedblank) outputline.lastinsertedblank = tokens.end();
            tokens.erase(after);
        }
    }
}

void formatter::addoperatorblanks() {
    if (!s.sao) return;
    bool comma = false;
    if (!isspacingadditionword(currentword, comma)) return;
    position t = currenttoken;
    if (!comma && t != tokens.begin()) {
        position before = std::prev(t);
        bool afteropening = istext(before->text(), "(") && (s.rsaob || s.ncb);
        if (!holdsspace(*before) && !afteropening) {
            tokens.insertnew(t, " ", whitespace, 0, -(sequencecounter++));
            ++outputline.tokenposition;
        }
    }
    position after = std::next(t);
    if (after == tokens.end() || holdsspace(*after)) return;
    if (s.ncb && istext(after->text(), ")")) return;
    if (signafteroperator(t)) return;
    outputline.lastinsertedblank = tokens.insertnew(after, " ", whitespace, 0, -t->sequence);
}

// A "-" or "+" where an expression begins is a sign: no blank goes after it.
bool formatter::signafteroperator(position t) const {
    if (!istext(t->text(), "-") && !istext(t->text(), "+")) return false;
    bool comma = false;
    std::string_view previous = previoussignificant(t)->text();
    return isspacingadditionword(previous, comma) || startsexpression(previous);
}

// A rule joins two lines once the operator blanks of the word before the line break (left)
// were laid out: the blank that goes between the words is the one those rules leave there,
// as a second run finds it (-co takes it after an operator, a comma or, without -ncb, a
// bracket; -sao puts one back after an operator or comma).
std::string formatter::joinedblank(position left, position blank) {
    bool bracket = false, comma = false;
    const std::string_view word = left->text();
    // Line breaks after it join the line as well.
    position after = std::next(blank);
    while (after != tokens.end() && after->kind == whitespace) ++after;
    const bool removed = s.co && isspacingremovalword(word, bracket) && !(s.ncb && bracket) && !keepblankafter(blank) &&
                         (after == tokens.end() || !wouldjoin(word, after->text()));
    if (!removed) return " ";
    if (!s.sao || !isspacingadditionword(word, comma) || after == tokens.end() || holdsspace(*after)) return "";
    if ((s.ncb && istext(after->text(), ")")) || signafteroperator(left)) return "";
    return " ";
}
