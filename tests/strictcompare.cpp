// The strict comparison: its own lexer of the two texts and the token-by-token check.
#include "strictcompare.h"

#include <algorithm>

namespace {

bool isblank(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }
bool isbreak(char c) { return c == '\r' || c == '\n'; }
bool isdigit(char c) { return c >= '0' && c <= '9'; }
bool isletter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || static_cast<unsigned char>(c) >= 0x80;
}
bool isnamechar(char c) { return isletter(c) || isdigit(c) || c == '_' || c == '$' || c == '#'; }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string lowered(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = lower(c);
    return result;
}

// The SQL*Plus commands besides REM and PROMPT (and DOC, whose text runs to a "#" line), in
// their short and full forms.
bool iscommandword(std::string_view word) {
    static const std::string_view words[] = {
        "a",       "acc",       "accept",  "append",   "archive",    "attr",      "attribute", "bre",    "break",
        "bti",     "btitle",    "c",       "change",   "cl",         "clear",     "col",       "column", "comp",
        "compute", "conn",      "connect", "copy",     "def",        "define",    "del",       "desc",   "describe",
        "disc",    "disconnect", "ed",     "edit",     "exec",       "execute",   "exit",      "get",    "help",
        "ho",      "host",      "i",       "input",    "l",          "list",      "newpage",   "passw",  "password",
        "pau",     "pause",     "pri",     "print",    "quit",       "r",         "recover",   "repf",   "repfooter",
        "reph",    "repheader", "run",     "sav",      "save",       "set",       "sho",       "show",   "shutdown",
        "spo",     "spool",     "sta",     "start",    "startup",    "store",     "tim",       "timing", "tti",
        "ttitle",  "undef",     "undefine", "var",     "variable",   "whenever",  "xquery",
    };
    return std::find(std::begin(words), std::end(words), word) != std::end(words);
}

// The words between CREATE and the kind of object it makes.
bool iscreateoption(std::string_view word) {
    for (std::string_view option : {"or", "replace", "editionable", "noneditionable", "editioning", "force", "noforce",
                                    "and", "resolve", "compile", "public"})
        if (word == option) return true;
    return false;
}

// The objects whose CREATE begins a PL/SQL unit: only a "/" line ends it.
bool isunitkind(std::string_view word) {
    for (std::string_view kind : {"function", "procedure", "package", "trigger", "type", "library", "java"})
        if (word == kind) return true;
    return false;
}

// Where SQL*Plus stands: no statement open; after CREATE, before the kind of object; inside a
// SQL statement (a ";" or a "/" line ends it); inside a PL/SQL unit (a "/" line ends it).
enum class sqlplusstate { idle, create, sql, plsql };

bool sameletters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lower(x) == lower(y);
           });
}

class lexer {
public:
    explicit lexer(std::string_view text) : text(text) {}

    std::vector<stricttoken> run() {
        while (at < text.size()) step();
        return tokens;
    }

private:
    char byte(size_t i) const { return i < text.size() ? text[i] : '\0'; }

    void add(stricttoken::kindcode kind, size_t start, int32_t startline) {
        tokens.push_back({kind, text.substr(start, at - start), startline});
    }

    // Only blanks follow on the line.
    bool restofblank(size_t from) const {
        while (from < text.size() && isblank(text[from])) ++from;
        return from >= text.size() || isbreak(text[from]);
    }

    // The statement state after the token just added.
    void follow(bool linestart) {
        const stricttoken& t = tokens.back();
        if (t.kind == stricttoken::verbatim && (t.text.starts_with("--") || t.text.starts_with("/*"))) return;
        if (linestart && t.text == "/" && restofblank(at)) {
            state = sqlplusstate::idle;
            return;
        }
        const std::string word = t.kind == stricttoken::word ? lowered(t.text) : std::string();
        switch (state) {
        case sqlplusstate::idle:
            if (word == ";") break;
            state = word == "create"                     ? sqlplusstate::create
                    : word == "declare" || word == "begin" ? sqlplusstate::plsql
                                                           : sqlplusstate::sql;
            break;
        case sqlplusstate::create:
            if (word == ";")
                state = sqlplusstate::idle;
            else if (isunitkind(word))
                state = sqlplusstate::plsql;
            else if (!iscreateoption(word))
                state = sqlplusstate::sql;
            break;
        case sqlplusstate::sql:
            if (word == ";") state = sqlplusstate::idle;
            break;
        case sqlplusstate::plsql:
            break;
        }
    }

    // Moves over the bytes up to end, counting the line breaks among them.
    void advanceto(size_t end) {
        for (; at < end; ++at)
            if (text[at] == '\n' || (text[at] == '\r' && byte(at + 1) != '\n')) ++line;
    }

    size_t lineend(size_t from) const {
        while (from < text.size() && !isbreak(text[from])) ++from;
        return from;
    }

    // REM, REMARK, PROMPT and their short forms, as a line's first word.
    bool atscriptword() const {
        size_t end = at;
        while (end < text.size() && isletter(text[end])) ++end;
        if (end < text.size() && !isblank(text[end]) && !isbreak(text[end])) return false;
        std::string word;
        for (size_t i = at; i < end; ++i) word += lower(text[i]);
        for (const char* form : {"rem", "rema", "remar", "remark", "pro", "prom", "promp", "prompt"})
            if (word == form) return true;
        return false;
    }

    // A SQL*Plus command where no statement is open: "@", "@@" or a command word.
    bool atcommandword() const {
        if (state != sqlplusstate::idle) return false;
        if (text[at] == '@') return true;
        size_t end = at;
        while (end < text.size() && isletter(text[end])) ++end;
        if (end < text.size() && isnamechar(text[end])) return false;
        return iscommandword(lowered(text.substr(at, end - at)));
    }

    // The command line, and each line that a "-" at the end of the one before continues,
    // without its indentation.
    void scriptlines(stricttoken::kindcode kind) {
        for (;;) {
            size_t end = lineend(at);
            size_t start = at;
            int32_t startline = line;
            at = end;
            add(kind, start, startline);
            std::string_view content = text.substr(start, end - start);
            size_t last = content.find_last_not_of(" \t");
            if (last == std::string_view::npos || content[last] != '-' || end >= text.size()) return;
            advanceto(end + (text[end] == '\r' && byte(end + 1) == '\n' ? 2 : 1));
            while (at < text.size() && isblank(text[at])) ++at;
        }
    }

    size_t quotedend(size_t from, char quote) const {
        for (size_t i = from + 1; i < text.size(); ++i) {
            if (text[i] != quote) continue;
            if (quote == '\'' && byte(i + 1) == '\'') {
                ++i;
                continue;
            }
            return i + 1;
        }
        return text.size();
    }

    size_t qquoteend(size_t delimiter) const {
        char open = byte(delimiter);
        char close = open == '[' ? ']' : open == '(' ? ')' : open == '{' ? '}' : open == '<' ? '>' : open;
        for (size_t i = delimiter + 1; i + 1 < text.size(); ++i)
            if (text[i] == close && text[i + 1] == '\'') return i + 2;
        return text.size();
    }

    size_t numberend(size_t i) const {
        while (isdigit(byte(i))) ++i;
        if (byte(i) == '.' && byte(i + 1) != '.') {
            ++i;
            while (isdigit(byte(i))) ++i;
        }
        if (lower(byte(i)) == 'e') {
            size_t digits = i + 1 + (byte(i + 1) == '+' || byte(i + 1) == '-' ? 1 : 0);
            if (isdigit(byte(digits))) {
                i = digits;
                while (isdigit(byte(i))) ++i;
            }
        }
        if ((lower(byte(i)) == 'f' || lower(byte(i)) == 'd') && !isnamechar(byte(i + 1))) ++i;
        return i;
    }

    size_t operatorend(size_t i) const {
        static const char* const pairs[] = {":=", "=>", "||", "<=", ">=", "<>", "!=", "~=", "^=", "..", "**", "<<", ">>"};
        for (const char* pair : pairs)
            if (byte(i) == pair[0] && byte(i + 1) == pair[1]) return i + 2;
        return i + 1;
    }

    void step() {
        const char c = text[at];
        if (isblank(c)) {
            ++at;
            return;
        }
        if (isbreak(c)) {
            advanceto(at + (c == '\r' && byte(at + 1) == '\n' ? 2 : 1));
            atlinestart = true;
            return;
        }
        const bool linestart = atlinestart;
        atlinestart = false;
        const size_t start = at;
        const int32_t startline = line;
        if (linestart && atscriptword()) {
            scriptlines(stricttoken::scriptline);
            return;
        }
        if (linestart && atcommandword()) {
            scriptlines(stricttoken::commandline);
            return;
        }
        const char next = byte(at + 1);
        size_t quoteprefix = (c == 'n' || c == 'N') && (next == 'q' || next == 'Q') ? 1 : 0;
        if (c == '-' && next == '-') {
            at = lineend(at);
        } else if (c == '/' && next == '*') {
            size_t close = text.find("*/", at + 2);
            advanceto(close == std::string_view::npos ? text.size() : close + 2);
        } else if (c == '"') {
            advanceto(quotedend(at, '"'));
        } else if ((lower(byte(at + quoteprefix)) == 'q') && byte(at + quoteprefix + 1) == '\'' &&
                   at + quoteprefix + 2 < text.size()) {
            advanceto(qquoteend(at + quoteprefix + 2));
        } else if (c == '\'' || ((c == 'n' || c == 'N') && next == '\'')) {
            advanceto(quotedend(c == '\'' ? at : at + 1, '\''));
        } else {
            if (isdigit(c) || (c == '.' && isdigit(next))) {
                at = numberend(at);
            } else if (isletter(c) || c == '$') {
                while (at < text.size() && isnamechar(text[at])) ++at;
            } else if ((c == '&' || c == ':') && (isnamechar(next) || (c == '&' && next == '&'))) {
                at += c == '&' && next == '&' ? 2 : 1;
                while (at < text.size() && isnamechar(text[at])) ++at;
            } else {
                at = operatorend(at);
            }
            add(stricttoken::word, start, startline);
            follow(linestart);
            return;
        }
        add(stricttoken::verbatim, start, startline);
        follow(linestart);
    }

    std::string_view text;
    size_t at = 0;
    int32_t line = 1;
    bool atlinestart = true;
    sqlplusstate state = sqlplusstate::idle;
    std::vector<stricttoken> tokens;
};

// A national literal's N may change its case: brelm reads it as a name before the literal.
bool sameverbatim(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    if (!a.empty() && (a[0] == 'n' || a[0] == 'N') && a.size() > 1 && a[1] == '\'')
        return lower(a[0]) == lower(b[0]) && a.substr(1) == b.substr(1);
    return a == b;
}

bool sametoken(const stricttoken& a, const stricttoken& b) {
    if (a.kind != b.kind) return false;
    if (a.kind == stricttoken::word || a.kind == stricttoken::commandline) return sameletters(a.text, b.text);
    return sameverbatim(a.text, b.text);
}

std::string excerpt(std::string_view text) {
    std::string cut(text.substr(0, 80));
    return "\"" + cut + (text.size() > 80 ? "...\"" : "\"");
}

}  // namespace

std::vector<stricttoken> stricttokens(std::string_view text) { return lexer(text).run(); }

strictresult strictcompare(std::string_view original, std::string_view formatted) {
    const std::vector<stricttoken> before = stricttokens(original), after = stricttokens(formatted);
    strictresult result;
    const size_t common = std::min(before.size(), after.size());
    for (size_t i = 0; i < common; ++i, ++result.tokens) {
        if (sametoken(before[i], after[i])) continue;
        result.difference = "token " + std::to_string(i + 1) + " (input line " + std::to_string(before[i].line) +
                            ", output line " + std::to_string(after[i].line) + "): " + excerpt(before[i].text) +
                            " became " + excerpt(after[i].text);
        return result;
    }
    if (before.size() != after.size()) {
        const bool shorter = after.size() < before.size();
        const stricttoken& extra = shorter ? before[common] : after[common];
        result.difference = std::string(shorter ? "the output ends before " : "the output adds ") + excerpt(extra.text) +
                            " (line " + std::to_string(extra.line) + ")";
        return result;
    }
    result.same = true;
    return result;
}

namespace {

std::string_view withouttrailingblanks(std::string_view text) {
    while (!text.empty() && isblank(text.back())) text.remove_suffix(1);
    return text;
}

// What SQL*Plus reads of a text: its REM/PROMPT and command lines, and how many lines end in
// a continuation "-" (outside literals and comments: the last token of its line).
struct sqlplusview {
    std::vector<stricttoken> lines;
    int64_t hyphens = 0;
};

sqlplusview sqlplusviewof(std::string_view text) {
    const std::vector<stricttoken> tokens = stricttokens(text);
    sqlplusview view;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const stricttoken& t = tokens[i];
        const bool last = i + 1 == tokens.size() || tokens[i + 1].line > t.line;
        if (t.kind == stricttoken::scriptline || t.kind == stricttoken::commandline) {
            view.lines.push_back(t);
            if (withouttrailingblanks(t.text).ends_with('-')) ++view.hyphens;
        } else if (t.kind == stricttoken::word && t.text == "-" && last) {
            ++view.hyphens;
        }
    }
    return view;
}

}  // namespace

sqlplusresult sqlpluscompare(std::string_view original, std::string_view formatted) {
    const sqlplusview before = sqlplusviewof(original), after = sqlplusviewof(formatted);
    sqlplusresult result;
    result.hyphens = before.hyphens;
    const size_t common = std::min(before.lines.size(), after.lines.size());
    for (size_t i = 0; i < common; ++i, ++result.lines) {
        const stricttoken &a = before.lines[i], &b = after.lines[i];
        if (sameletters(withouttrailingblanks(a.text), withouttrailingblanks(b.text))) continue;
        result.difference = "SQL*Plus line " + std::to_string(i + 1) + " (input line " + std::to_string(a.line) +
                            ", output line " + std::to_string(b.line) + "): " + excerpt(a.text) + " became " +
                            excerpt(b.text);
        return result;
    }
    if (before.lines.size() != after.lines.size()) {
        const bool lost = after.lines.size() < before.lines.size();
        const stricttoken& extra = lost ? before.lines[common] : after.lines[common];
        result.difference = std::string(lost ? "the output has no SQL*Plus line for " : "the output adds the SQL*Plus line ") +
                            excerpt(extra.text) + " (line " + std::to_string(extra.line) + ")";
        return result;
    }
    if (before.hyphens != after.hyphens) {
        result.difference = std::to_string(before.hyphens) + " lines of the input end in a continuation \"-\", " +
                            std::to_string(after.hyphens) + " of the output";
        return result;
    }
    result.same = true;
    return result;
}
