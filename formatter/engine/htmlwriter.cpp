// The html writer: blanks and markup characters escaped, line breaks as "<br>", every token
// between the tags of its kind, the whole inside the template's head and tail.
#include "htmlwriter.h"

#include "formatter.h"
#include "header.h"
#include "filereading.h"
#include "support.h"

#include <string_view>

namespace {

// Head and tail of the html template around its first placeholder. The template is read as
// the input is: a regular file or a pipe that something writes to, up to 1 GB.
std::pair<std::string, std::string> readtemplate(formatter& f, const std::string& placeholder) {
    std::string text;
    readrules rules;
    rules.limit = largestinput;
    const readresult read = readwholefile(f.s.ht, text, rules);
    if (read.outcome != readoutcome::read)
        die("could not open html template file " + escapedword(f.s.ht) + ": " + readfailure(read, rules.limit) + "\n");
    size_t at = text.find(placeholder);
    if (at == std::string::npos) usageerror(f.messages, placeholder + " string is missing from html template file");
    return {text.substr(0, at), text.substr(at + placeholder.size())};
}

// Blanks become &nbsp;, the markup characters their entities, and a line break "<br>".
void appendescaped(std::string& html, std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        switch (c) {
        case ' ': html += "&nbsp;"; break;
        case '&': html += "&amp;"; break;
        case '<': html += "&lt;"; break;
        case '>': html += "&gt;"; break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            html += "<br>\n";
            break;
        case '\n': html += "<br>\n"; break;
        default: html += c;
        }
    }
}

std::string tagof(const std::map<int32_t, std::string>& tags, int32_t kind) {
    auto found = tags.find(kind);
    return found == tags.end() ? std::string() : found->second;
}

}  // namespace

std::string htmltext(formatter& f, const headermarker& marker) {
    std::string head, tail;
    if (!f.s.ht.empty()) std::tie(head, tail) = readtemplate(f, marker.placeholder);
    f.s.ctis = 1;
    int32_t column = 1;       // the display column after the token
    int32_t startcolumn = 0;  // and before it
    std::string html = head;
    for (const token& t : f.tokens) {
        std::string_view text = t.text();
        if (text.empty()) continue;
        if (f.s.ctis || f.s.mcs || f.s.rs) {
            startcolumn = column;
            column = f.advancecolumn(t, column);
        }
        std::string open = tagof(f.opentags, t.kind);
        bool tagged = open != "<>";
        if (tagged) html += open;
        int32_t from = startcolumn;
        patternmatch m;
        bool breakfirst =
            (t.kind == whitespace || t.kind == blockcomment || t.kind == stringliteral || t.kind == qquoteliteral) &&
            startswithlinebreak(text) && marker.linebreakfollow->partialmatch(text, &m);
        if (breakfirst) {
            html += "<br>\n";
            text.remove_prefix(m.group(1).size());
            from = 1;  // the rest stands at the start of a line
        }
        if (t.kind == whitespace || t.kind == blockcomment) appendescaped(html, f.expandtabs(from, text));
        else appendescaped(html, text);
        if (tagged) html += tagof(f.closetags, t.kind);
    }
    return html + tail;
}
