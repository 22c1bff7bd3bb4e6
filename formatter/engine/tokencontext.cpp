// The token context: walking the token list over comments and blanks, runs of line pieces,
// end tokens, line breaks put before tokens, and the line-break tests on texts.
#include "pattern.h"
#include "tokencontext.h"

#include <limits>

int32_t splitleadinglinebreak(std::string_view text, std::string& rest, bool& broke) {
    int32_t count = 0;
    if (!text.empty() && text[0] == '\r') ++count;
    if (text.size() > static_cast<size_t>(count) && text[static_cast<size_t>(count)] == '\n') ++count;
    broke = count != 0;
    rest.assign(text.substr(static_cast<size_t>(count)));
    return count;
}

bool startswithlinebreak(std::string_view text) { return !text.empty() && (text[0] == '\r' || text[0] == '\n'); }

std::string withoutleadinglinebreak(std::string_view text) {
    size_t skip = 0;
    if (!text.empty() && text[0] == '\r') skip = 1;
    if (text.size() > skip && text[skip] == '\n' && (skip == 1 || text[0] == '\n')) ++skip;
    return std::string(text.substr(skip));
}

bool hastabonline(std::string_view text) {
    if (text.empty() || startswithlinebreak(text)) return false;
    return text.find('\t') != std::string_view::npos;
}

tokencontext::tokencontext() {
    buildtabstops({4});
    usecharset(charset("US7ASCII"));
}

// Stashed tokens lie in the list's blocks and own nothing: they go with the list.
tokencontext::~tokencontext() = default;

position tokencontext::nextsignificant(position pos) const {
    while (pos != tokens.end() && isinsignificant(pos->kind)) ++pos;
    return pos;
}

position tokencontext::previoussignificant(position pos) const {
    if (tokens.empty() || pos == tokens.begin()) return tokens.begin();
    do {
        --pos;
    } while (pos != tokens.begin() && isinsignificant(pos->kind));
    return pos;
}

position tokencontext::previoustoken(position pos) const {
    return pos == tokens.begin() ? tokens.end() : std::prev(pos);
}

position tokencontext::skipcommentsandblanks(position pos, std::string_view patterntext) const {
    const pattern& stop = pattern::get(patterntext);
    for (; pos != tokens.end(); ++pos) {
        if (pos->kind != blockcomment && pos->kind != whitespace) break;
        if (stop.partialmatch(pos->text())) break;
    }
    return pos;
}

position tokencontext::skipblanks(position pos, std::string_view patterntext) const {
    if (pos == tokens.end() || pos->kind != whitespace) return pos;
    const pattern& stop = pattern::get(patterntext);
    for (; pos != tokens.end() && pos->kind == whitespace; ++pos)
        if (stop.partialmatch(pos->text())) return pos;
    return pos;
}

position tokencontext::nextpastinlineblanks(position pos) const {
    while (pos != tokens.end() && (pos->kind == whitespace || pos->kind == blockcomment) && !pos->breaksline()) ++pos;
    return pos;
}

position tokencontext::nextonsameline(position pos) const {
    while (pos != tokens.end() && pos->kind == whitespace && !pos->breaksline()) ++pos;
    return pos;
}

bool tokencontext::followedbylinebreak(position pos) const {
    if (pos == tokens.end()) return false;
    position after = std::next(pos);
    return after != tokens.end() && after->kind == whitespace && after->breaksline();
}

bool tokencontext::iscontinuationhyphen(position pos) const {
    if (pos == tokens.end() || pos->kind != othertoken || !istext(pos->text(), "-")) return false;
    position after = nextonsameline(std::next(pos));
    return after == tokens.end() || after->kind == endtoken || after->kind == whitespace;
}

bool tokencontext::hyphenbefore(position pos) const {
    while (pos != tokens.begin()) {
        --pos;
        if (pos->kind != whitespace || pos->breaksline()) return pos->kind == othertoken && istext(pos->text(), "-");
    }
    return false;
}

bool tokencontext::continuedbefore(position pos) const {
    if (hyphenbefore(pos)) return true;
    while (pos != tokens.begin()) {
        --pos;
        if (pos->kind == whitespace && !pos->breaksline()) continue;
        if (pos->kind != singlelinecomment) return false;
        std::string_view text = pos->text();
        while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
        return text.ends_with('-');
    }
    return false;
}

namespace {

// Marks that bind what touches them: a bind variable's ":", a substitution's "&", an
// attribute's "%", a database link's "@", a name's "." and what a substitution glues to a
// name ("_", "$", "#" and the ".." of &x..sql).
bool binds(const token& t) {
    if (t.kind != othertoken) return false;
    const std::string_view text = t.text();
    if (text.size() == 1) {
        switch (text[0]) {
        case ':':
        case '%':
        case '@':
        case '.':
        case '&':
        case '_':
        case '$':
        case '#': return true;
        default: return false;
        }
    }
    return text[0] == '&' || text == "..";
}

bool iswordlike(const token& t) { return t.kind == identifier || t.kind == keywordtoken || t.kind == number; }

}  // namespace

// A line break between two tokens that touch would change how the text is read: N'text' is a
// national literal, :name a bind variable, emp%type an attribute, &&owner._info one name.
bool readtogether(const token& before, const token& after) {
    if (before.kind == whitespace || after.kind == whitespace) return false;
    const bool literal = after.kind == stringliteral || after.kind == qquoteliteral || after.kind == doublequotedname;
    return (iswordlike(before) && literal) || binds(before) || binds(after);
}

bool tokencontext::breakableat(position pos) const {
    if (pos == tokens.end() || pos == tokens.begin()) return true;
    if (hyphenbefore(pos) || iscontinuationhyphen(nextonsameline(pos))) return false;
    return !readtogether(*std::prev(pos), *pos);
}

position tokencontext::matchingbracket(position opening) const {
    int32_t depth = 0;
    for (position pos = opening; pos != tokens.end() && pos->kind != endtoken; ++pos) {
        if (pos->kind != othertoken) continue;
        std::string_view text = pos->text();
        if (text == "(") {
            ++depth;
        } else if (text == ")") {
            if (--depth == 0) return pos;
        } else if (text == ";") {
            break;
        }
    }
    return tokens.end();
}

int32_t tokencontext::tokenline(position pos) const {
    while (pos != tokens.end()) {
        if (pos->line != -1) return pos->line;
        if (pos == tokens.begin()) break;
        --pos;
    }
    return -1;
}

std::string tokencontext::jointokentexts(position first, position end) const {
    std::string joined;
    for (position pos = first; pos != end && pos != tokens.end(); ++pos) joined += pos->text();
    return joined;
}

std::string tokencontext::jointokenrun(position pos) const {
    if (pos == tokens.end()) return {};
    std::string joined(pos->text());
    for (position next = std::next(pos); next != tokens.end() && next->sequence == pos->sequence + 1;
         pos = next, ++next)
        joined += next->text();
    return joined;
}

position tokencontext::removetokenrun(position pos) {
    if (pos == tokens.end()) return pos;
    int32_t sequence = pos->sequence;
    pos = tokens.erase(pos);
    while (pos != tokens.end() && pos->sequence == sequence + 1) {
        sequence = pos->sequence;
        pos = tokens.erase(pos);
    }
    return pos;
}

void tokencontext::breakbeforefirsttoken(int32_t flag) {
    leadingbreakadded = 0;
    if (!flag || tokens.empty()) return;
    position first = std::next(firsttoken);
    if (first == tokens.end() || first->kind != whitespace || first->breaksline()) return;
    std::string broken = linebreaktext;
    broken += first->text();
    first->settext(broken);
    leadingbreakadded = 1;
}

void tokencontext::appendendtokens() {
    token last = tokens.empty() ? token() : tokens.back();
    int64_t offset = tokenizedbase + static_cast<int64_t>(tokenizedtext.size());
    for (int i = 0; i < 2; ++i) {
        token end("", endtoken, 0, sequencecounter, last.line, last.column);
        end.setsourceoffset(offset);
        position added = tokens.append(std::move(end));
        if (i == 0) endsentinel = added;
    }
    ++sequencecounter;
    firstrealtoken = tokens.begin();
}

// The expected text names the significant token that the line break must come before.
void tokencontext::ensurelinebreak(position pos, std::string_view expected, int32_t classcode) {
    if (pos == tokens.end()) return;
    auto fits = [&](position concerned) {
        return expected.empty() || (concerned != tokens.end() && concerned->text() == expected);
    };
    auto insertbreak = [&](position before) {
        tokens.insertnew(before, linebreaktext, whitespace, classcode, -(sequencecounter++));
    };
    if (!isinsignificant(pos->kind)) {
        if (fits(pos) && breakableat(pos)) insertbreak(pos);
        return;
    }
    position reached = pos;
    for (; reached != tokens.end() && isinsignificant(reached->kind); ++reached)
        if (reached->breaksline()) return;
    position before = previoustoken(reached);
    if (before == tokens.end() || !fits(reached)) return;
    if (before->kind == whitespace) {
        if (!breakableat(before)) return;
        before->settext(linebreaktext);
        before->classcode = classcode;
    } else if (before->kind == blockcomment) insertbreak(reached);
}
