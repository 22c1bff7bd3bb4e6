// Display columns: tab stops from the -t widths, the column reached after a text, TAB
// expansion, token columns, indentation whitespace and the per-token column bookkeeping.
#include "formatter.h"
#include "tokencontext.h"

#include <algorithm>

void tokencontext::buildtabstops(const std::vector<int32_t>& widths) {
    tabwidths.clear();
    tabstopstarts.clear();
    int64_t start = 1;
    for (int32_t w : widths) {
        int32_t width = std::max(w, 1);  // a width below 1 would never reach a stop
        tabwidths.push_back(width);
        tabstopstarts.push_back(static_cast<int32_t>(std::min<int64_t>(start, INT32_MAX)));
        start += width;
    }
    if (tabwidths.empty()) {
        tabwidths.push_back(4);
        tabstopstarts.push_back(1);
        start = 5;
    }
    tabstopcount = static_cast<int32_t>(std::min<int64_t>(start, INT32_MAX));
    lasttabstop = tabwidths.back();
}

// How many columns a TAB at this column spans.
int32_t tokencontext::tabspan(int64_t column) const {
    if (column < 1) return 1;
    if (column < tabstopcount) {
        auto after = std::upper_bound(tabstopstarts.begin(), tabstopstarts.end(), column);
        size_t i = static_cast<size_t>(after - tabstopstarts.begin()) - 1;
        return static_cast<int32_t>(tabstopstarts[i] + tabwidths[i] - column);
    }
    int64_t l = lasttabstop;
    return static_cast<int32_t>(1 + (l - ((column - tabstopcount) + 1) % l) % l);
}

namespace {

// Short texts are searched byte by byte: cheaper than a library call.
size_t findtab(std::string_view text, size_t from) {
    for (size_t i = from; i < text.size(); ++i)
        if (text[i] == '\t') return i;
    return std::string_view::npos;
}

}  // namespace

int32_t tokencontext::rowtringtocolumn(std::string_view text, int32_t column) const {
    int64_t c = column;
    size_t from = 0;
    for (size_t tab = findtab(text, 0); tab != std::string_view::npos; tab = findtab(text, from)) {
        c += static_cast<int64_t>(tab - from);
        c += tabspan(c);
        from = tab + 1;
    }
    c += static_cast<int64_t>(text.size() - from);
    return static_cast<int32_t>(std::min<int64_t>(c, INT32_MAX));
}

std::string tokencontext::expandtabs(int32_t column, std::string_view text) const {
    std::string expanded;
    expanded.reserve(text.size());
    int64_t c = column;
    for (char ch : text) {
        if (ch == '\t') {
            int32_t span = tabspan(c);
            expanded.append(static_cast<size_t>(span), ' ');
            c += span;
        } else {
            expanded += ch;
            ++c;
        }
    }
    return expanded;
}

// Blanks with a TAB and no leading line break count from the column as comments do.
int32_t tokencontext::advancecolumn(const token& t, int32_t column) const {
    std::string_view text = t.text();
    switch (t.kind) {
    case whitespace:
    case singlelinecomment:
    case stringliteral:
    case qquoteliteral:
    case blockcomment: {
        // One CR, then one LF, may lead the text: the rest starts a line.
        size_t skip = !text.empty() && text[0] == '\r' ? 1 : 0;
        if (skip < text.size() && text[skip] == '\n') ++skip;
        return skip ? rowtringtocolumn(text.substr(skip), 1) : rowtringtocolumn(text, column);
    }
    default: return static_cast<int32_t>(std::min<int64_t>(int64_t(column) + int64_t(text.size()), INT32_MAX));
    }
}

// The start column of the token after t, when t starts at `start`.
int32_t tokencontext::columnafter(const token& t, int32_t start) const {
    std::string_view text = t.text();
    if (!t.breaksline()) return rowtringtocolumn(text, start);
    size_t lastbreak = text.find_last_of("\r\n");
    if (lastbreak == std::string::npos) return rowtringtocolumn(text, start);
    return rowtringtocolumn(std::string_view(text).substr(lastbreak + 1), 1);
}

int32_t tokencontext::tokencolumn(position pos) {
    if (pos == tokens.end()) return 1;
    if (int32_t known = tokenlist::cachedcolumnof(*pos)) return known;
    // Back to a token whose column is known, or to the start of the line.
    position from = pos;
    int32_t column = 1;
    while (from != tokens.begin()) {
        position before = std::prev(from);
        if (int32_t known = tokenlist::cachedcolumnof(*before)) {
            column = columnafter(*before, known);
            break;
        }
        if (before->breaksline()) {
            column = columnafter(*before, 1);
            break;
        }
        from = before;
    }
    for (;; ++from) {
        ++measuredtokens;
        tokenlist::setcachedcolumn(*from, column);
        if (from == pos) return column;
        column = columnafter(*from, column);
    }
}

std::string formatter::indentstring(int32_t width) const {
    // Nesting is bounded, and so is indentation: deep text under a large -is stays linear.
    width = std::min(width, maximumindentation);
    if (!s.ut && !s.uts) return std::string(static_cast<size_t>(std::max(width, 0)), ' ');
    std::string indentation;
    int32_t remaining = width;
    for (int32_t w : tabwidths) {
        if (w <= remaining) {
            indentation += '\t';
            remaining -= w;
        }
    }
    if (remaining > 0) {
        indentation.append(static_cast<size_t>(remaining / lasttabstop), '\t');
        remaining %= lasttabstop;
    }
    if (s.uts && remaining > 0) indentation.append(static_cast<size_t>(remaining), ' ');
    return indentation;
}

void formatter::trackcolumns() {
    if (s.ctis) converttabs();
    trackcolumn(*currenttoken);
}

void formatter::trackcolumn(const token& t) {
    if (!s.ctis && !s.mcs && !s.rs) return;
    trackedcolumn = advancecolumn(t, trackedcolumn);
}

// TABs that do not lead a line become blanks; in comments the text after a leading line
// break is expanded from column 1.
void formatter::converttabs() {
    token& t = *currenttoken;
    std::string_view text = t.text();
    if (text.find('\t') == std::string::npos) return;
    if (t.kind == whitespace) {
        if (tables().leadingtabs->partialmatch(text))
            t.settext(std::string(static_cast<size_t>(rowtringtocolumn(text, trackedcolumn) - trackedcolumn), ' '));
        return;
    }
    if (t.kind != singlelinecomment && t.kind != blockcomment) return;
    patternmatch m;
    if (!tables().optionalbreakblanks->partialmatch(text, &m)) return;
    if (m.group(1).empty()) {
        t.settext(expandtabs(trackedcolumn, text));
    } else {
        size_t kept = m.end(1);
        std::string converted(text.substr(0, kept));
        converted += expandtabs(1, text.substr(kept));
        t.settext(converted);
    }
}
