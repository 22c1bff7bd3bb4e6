// Insert comments (-sic, -ric, -sic.m): the values of INSERT ... (columns) VALUES (values)
// get a comment naming their column, and old such comments are removed.
#include "formatter.h"

#include <vector>

std::string defusecommentcloser(std::string_view text) {
    std::string defused;
    defused.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        defused += text[i];
        if (text[i] == '*' && i + 1 < text.size() && text[i + 1] == '/') defused += ' ';
    }
    return defused;
}

// The column names of the list whose "(" is at open; the ")" ends it. Empty when the list
// holds anything but names.
std::vector<std::string> formatter::insertcolumns(position open, position& close) const {
    std::vector<std::string> names;
    std::string name;
    for (position p = nextword(open); p != tokens.end() && p->kind != endtoken; p = nextword(p)) {
        std::string_view text = p->text();
        if (text == "," || text == ")") {
            if (name.empty()) return {};
            names.push_back(name);
            name.clear();
            if (text == ")") {
                close = p;
                return names;
            }
        } else if (p->kind == identifier || p->kind == doublequotedname || p->kind == keywordtoken) {
            name += text;
        } else {
            return {};
        }
    }
    return {};
}

void formatter::insertcomments() {
    if (!s.sic && !s.ric) return;
    position into = nextword(currenttoken);
    if (into == tokens.end() || into->classcode != classinto) return;
    position open = nextword(nextword(into));
    if (open == tokens.end() || open->text() != "(") return;
    position close;
    std::vector<std::string> columns = insertcolumns(open, close);
    if (columns.empty()) return;
    position values = nextword(close);
    if (values == tokens.end() || values->classcode != classvalues) return;
    position valuesopen = nextword(values);
    if (valuesopen == tokens.end() || valuesopen->text() != "(") return;
    const std::string marker = defusecommentcloser(s.sic_m) + "*/";
    size_t item = 0;
    int32_t depth = 0;
    for (position p = std::next(valuesopen); p != tokens.end() && p->kind != endtoken;) {
        std::string_view text = p->text();
        if (p->kind == blockcomment && text.size() >= marker.size() + 2 && text.ends_with(marker)) {
            p = eraseahead(p);
            textchanged = 1;
            continue;
        }
        if (text == "(") {
            ++depth;
        } else if (text == ")") {
            if (--depth < 0) return;
        } else if (text == ";") {
            return;
        } else if (text == "," && depth == 0) {
            if (s.sic && item < columns.size()) {
                std::string comment = "/*" + defusecommentcloser(columns[item]) + marker;
                tokens.insert(p, token(comment, blockcomment, classinserted, -(sequencecounter++), -1));
                textchanged = 1;
            }
            ++item;
        }
        ++p;
    }
}
