// Clause keywords, the keyword class map, the token-context reset, the -str trace line and
// the table names of a FROM list.
#include "formatter.h"
#include "support.h"

#include <iostream>

const std::vector<std::pair<const char*, int32_t>>& keywordclasstable() {
    // clang-format off
    static const std::vector<std::pair<const char*, int32_t>> table{
        {"by", classby}, {"set", classset}, {"then", classthen}, {"if", classif},
        {"loop", classloop}, {"for", classfor}, {"while", classwhile}, {"cursor", classcursor},
        {"case", classcase}, {"declare", classdeclare}, {"where", classwhere},
        {"having", classhaving}, {"with", classwith}, {"select", classselect},
        {"update", classupdate}, {"delete", classdelete}, {"insert", classinsert},
        {"merge", classmerge}, {"is", classis}, {"as", classas}, {"begin", classbegin},
        {"and", classand}, {"or", classor}, {"not", classnot}, {"from", classfrom},
        {"values", classvalues}, {"group", classgroup}, {"order", classorder},
        {"into", classinto}, {"when", classwhen}, {"package", classpackage},
        {"type", classtype}, {"body", classbody}, {"else", classelse}, {"elsif", classelsif},
        {"exception", classexception}, {"exit", classexit}, {"end", classend},
        {"open", classopen}, {"procedure", classprocedure}, {"function", classfunction},
        {"trigger", classtrigger}, {"between", classbetween}, {"record", classrecord},
        {"table", classtable}, {"view", classview}, {"materialized", classmaterialized},
        {"distinct", classdistinct}, {"object", classobject}, {"fetch", classfetch},
    };
    // clang-format on
    return table;
}

clausekeywords::clausekeywords()
    : clausewordlist{"select", "from",      "where", "group", "order",   "having", "for",
                     "union",  "intersect", "minus", "into",  "connect", "start"} {
    for (const std::string& word : clausewordlist) clausewords.insert(lc(word));
}

void tokencontext::resettokencontext() {
    for (const auto& [word, code] : keywordclasstable()) keywordclasses[word] = code;
    tokens.clear();
    linebreakcounts.clear();
    token leading(linebreaktext, whitespace, 0, 0, 1, 1);
    firsttoken = tokens.append(std::move(leading));
    sequencecounter = 1;
    tokenizedtext = {};
    tokenizedtexts.clear();
    tokenizedbase = 0;
    freestash();
}

bool formatter::aggregategroup(position t) const {
    if (t == tokens.end() || !isword(t->text(), "group") || t == tokens.begin()) return false;
    position before = previoussignificant(t);
    return before != tokens.end() && isword(before->text(), "within");
}

void formatter::printtraceline(int32_t level, const std::string& message, position pos) const {
    if (level < 0) return;
    std::string line = numtostring(level) + std::string(static_cast<size_t>(level), ' ') + message;
    for (; pos != tokens.end() && !pos->breaksline(); ++pos) line += pos->text();
    *listings << line << "\n";
}

// Names separated by commas up to the end of the FROM list; of each item only its first
// name counts (an alias follows it), and bracketed parts are stepped over.
std::vector<std::string> formatter::fromtablenames(position from) const {
    std::vector<std::string> names;
    bool wantname = true;
    for (position pos = nextsignificant(std::next(from)); pos != tokens.end(); pos = nextsignificant(std::next(pos))) {
        if (pos->kind == endtoken) break;
        std::string_view text = pos->text();
        if (text == "(") {
            position closing = matchingbracket(pos);
            if (closing == tokens.end()) break;
            pos = closing;
            wantname = false;
        } else if (text == ",") {
            wantname = true;
        } else if (text == ";" || text == ")" || (clausewords.count(lowered(text).view()) && !aggregategroup(pos))) {
            break;
        } else if (wantname &&
                   (pos->kind == identifier || pos->kind == doublequotedname || pos->kind == keywordtoken)) {
            names.emplace_back(text);
            wantname = false;
        }
    }
    return names;
}
