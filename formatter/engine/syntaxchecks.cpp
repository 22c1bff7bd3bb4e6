// Syntax checks: unbalanced brackets, block keywords without their END, missing THEN and LOOP
// (-cmk), the block-stack listing after structural errors, and the bracket and list searches
// of the statement rules.
#include "formatter.h"
#include "wordset.h"
#include "support.h"

namespace {

bool isspacebyte(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// What must close a block of this kind.
std::string expectedend(const std::string& blockname) {
    if (istext(blockname, "for") || istext(blockname, "while") || istext(blockname, "loop")) return "end loop";
    if (istext(blockname, "if")) return "end if";
    if (istext(blockname, "begin") || istext(blockname, "package")) return "end";
    return "";
}

}  // namespace

std::string squeezedspace(std::string_view text, bool trimstart, bool trimend) {
    std::string result;
    bool inspace = false;
    for (char c : text) {
        if (isspacebyte(c)) {
            inspace = true;
            continue;
        }
        if (inspace && !(trimstart && result.empty())) result += ' ';
        inspace = false;
        result += c;
    }
    if (inspace && !trimend && !(trimstart && result.empty())) result += ' ';
    return result;
}

std::string withoutleadingspace(std::string text) {
    chomp(text);
    size_t from = 0;
    while (from < text.size() && isspacebyte(text[from])) ++from;
    return text.substr(from);
}

std::string formatter::tokenizedline(int32_t line) {
    if (tokenizedlines.empty()) tokenizedlines = splitlines(sourcetext);
    if (line < 1 || static_cast<size_t>(line) > tokenizedlines.size()) return "";
    return tokenizedlines[static_cast<size_t>(line) - 1];
}

bool formatter::checkbrackets() {
    if (brackets.bracketdepth == 0 && bracketproblem != 1) return true;
    const std::string& file = s.inputfilealias;
    std::string text = "Bracket problem found at " + file + " line ";
    text += numtostring(tokenline(currenttoken));
    text += " col ";
    text += numtostring(currenttoken->column);
    text += "\n";
    printout(messages, text);
    text = "Syntax error:Brackets are unbalanced, open brackets:";
    text += numtostring(brackets.bracketdepth);
    text += "\n";
    printout(messages, text);
    // The last opening bracket's place; the current token's when no bracket is open.
    int32_t line = tokenline(currenttoken), column = currenttoken->column;
    if (brackets.bracketdepth > 0 && brackets.bracketlines.at(brackets.bracketdepth) >= 0) {
        line = brackets.bracketlines.at(brackets.bracketdepth);
        column = brackets.bracketcolumns.at(brackets.bracketdepth);
    }
    text = "Last opening bracket starts at " + file + " line ";
    text += numtostring(line);
    text += " col ";
    text += numtostring(column);
    text += "\n";
    printout(messages, text);
    return false;
}

void formatter::dropwhenlevel() {
    if (blocks.blocklevel < 1) return;
    const linerecord& top = blocks.blockstack.at(blocks.blocklevel);
    if (!istext(top.blockname, "when") || !top.whenlevel) return;
    if (blocks.blocklevel > 1 && blocks.blockstack.at(blocks.blocklevel - 1).blockname == "case") return;
    --blocks.blocklevel;
}

bool formatter::checkblockpairs() {
    if (!checkbrackets()) return false;
    dropwhenlevel();
    if (blocks.blocklevel <= 0) return true;
    const std::string& name = blocks.blockstack.at(blocks.blocklevel).blockname;
    std::string expected = expectedend(name);
    std::string text = s.inputfilealias + " line ";
    text += numtostring(tokenline(currenttoken));
    text += " col ";
    text += numtostring(currenttoken->column);
    text += " Syntax error:not found ";
    if (!expected.empty()) text += "\"" + expected + "\", ";
    text += "the pair of " + name + ", block level ";
    text += numtostring(blocks.blocklevel);
    text += " \n";
    printout(messages, text);
    return false;
}

void formatter::checksyntaxmissingkeywords() {
    if (!s.cmk) return;
    std::string text;
    if (blocks.thenexpected) {
        text = "Syntax error:then is missing after if (" + s.inputfilealias + " line ";
        text += numtostring(blocks.thenline);
        text += ")\n";
        blocks.thenexpected = 0;
    } else if (blocks.loopexpected) {
        text = "Syntax error: loop is missing after " + blocks.loopkeyword + " ( " + s.inputfilealias + " line ";
        text += numtostring(blocks.loopline);
        text += ") \n ";
        blocks.loopexpected = 0;
    } else {
        return;
    }
    printout(messages, text);
    // One report per file.
    s.cmk = 0;
}

void formatter::listblockstack() {
    std::string prefix = s.sf ? s.inputfilealias + " " : "";
    auto listline = [&](int32_t line, const std::string& name, const std::string& text) {
        std::string entry = prefix + "line ";
        entry += numtostring(line);
        entry += " " + name + " \"" + text + "\"\n";
        printout(messages, entry);
    };
    auto listlevel = [&](int32_t level) {
        const linerecord& r = blocks.blockstack.at(level);
        std::string blocktext;
        if (istext(r.blockname, "{") && r.openertoken != position() && r.lasttoken != position())
            blocktext = jointokentexts(r.openertoken, std::next(r.lasttoken));
        else blocktext = tokenizedline(r.startline);
        chomp(blocktext);
        auto blockline = [&] { listline(r.startline, r.blockname, squeezedspace(blocktext, true, true)); };
        auto elseline = [&] {
            if (!r.elseseen) return;
            listline(r.elseline, r.multielse ? "multielse" : "else", withoutleadingspace(tokenizedline(r.elseline)));
        };
        if (s.rl) {
            elseline();
            blockline();
        } else {
            blockline();
            elseline();
        }
    };
    if (s.rl) {
        for (int32_t level = blocks.blocklevel; level >= 1; --level) listlevel(level);
    } else {
        for (int32_t level = 1; level <= blocks.blocklevel; ++level) listlevel(level);
    }
}

namespace {

// The token after the ")" that closes the bracket opened before pos; the end at a ";" (or a
// line break) first.
position matchingclose(const tokenlist& tokens, position pos, bool stopatlinebreak) {
    int32_t depth = 1;
    for (position t = pos; t != tokens.end(); ++t) {
        std::string_view text = t->text();
        if (istext(text, ";")) return tokens.end();
        if (stopatlinebreak && haslinebreak(text)) return tokens.end();
        if (istext(text, "(")) ++depth;
        if (istext(text, ")") && --depth == 0) return std::next(t);
    }
    return tokens.end();
}

}  // namespace

position formatter::closingbracketafter(position pos) const { return matchingclose(tokens, pos, false); }

position formatter::closingbracketonline(position pos) const { return matchingclose(tokens, pos, true); }

std::vector<std::string> formatter::collectnamelist(position pos) const {
    std::vector<std::string> names;
    position t = pos;
    while (true) {
        t = nextsignificant(std::next(t));
        if (t == tokens.end()) return {};
        if (t->kind == identifier || t->kind == keywordtoken) {
            names.emplace_back(t->text());
        } else if (istext(t->text(), "(")) {
            position after = closingbracketafter(std::next(t));
            if (after == tokens.end()) return {};
            t = std::prev(after);
        } else {
            return {};
        }
        // An alias after the item.
        position alias = nextsignificant(std::next(t));
        if (alias != tokens.end() && (alias->kind == identifier || alias->kind == doublequotedname)) t = alias;
        position comma = nextsignificant(std::next(t));
        if (comma == tokens.end() || !istext(comma->text(), ",")) return names;
        t = comma;
    }
}

bool formatter::isblankrunbreak(position t) const {
    return t != tokens.end() && t->kind == whitespace && t->breaksline();
}

bool formatter::endsselectitem(position t) const {
    if (t == tokens.end()) return true;
    if (t->classcode == classas) return true;
    position next = nextsignificant(std::next(t));
    if (next == tokens.end() || next->kind == endtoken) return true;
    std::string_view text = next->text();
    return istext(text, ",") || istext(text, ")") || istext(text, ";") || istext(text, "/") ||
           clausewords.count(lowered(text).view()) > 0;
}
