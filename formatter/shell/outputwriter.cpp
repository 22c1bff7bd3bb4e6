// The output writer: plain text behind an optional header, or html through a template; files
// are written beside their target and renamed into place, so a failed write loses nothing.
#include "outputwriter.h"

#include "formatter.h"
#include "globals.h"
#include "messages.h"
#include "support.h"
#include "switchlistings.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <string_view>

void writefile(const std::string& name, const textsource& text, const fileidentity& expected) {
    replaceresult result = replacefile(name, text, expected);
    switch (result.outcome) {
    case replaceoutcome::replaced: return;
    case replaceoutcome::changed: die(name + " changed while it was being formatted\n");
    case replaceoutcome::hardlinked: die("could not write " + name + ": it has more than one hard link\n");
    case replaceoutcome::failed: break;
    }
    die("could not write " + name + ": " + std::strerror(result.error) + "\n");
}

bool isfiletarget(const std::string& name) {
    std::string target = lc(name);
    return target != "null" && target != "stdout" && target != "stderr" && target != "clipboard" &&
           target != "output_str" && !name.empty();
}

bool outputisinput(const formatter& f) {
    if (!isfiletarget(f.s.outputfile)) return false;
    return f.s.outputfile == f.s.inputfile || samefile(identityofpath(f.s.outputfile), f.inputidentity);
}

void refuseinplacecut(formatter& f) {
    const settings& s = f.s;
    if (s.html && outputisinput(f)) usageerror(f.messages, "-io and -html cannot be used at the same time.\n");
    if ((s.sl > 1 || s.el > 0 || s.pp) && outputisinput(f))
        usageerror(f.messages, "The output " + s.outputfile +
                                   " is the input file itself, which -sl, -el and -pp cannot replace.");
}

namespace {

bool writestream(std::FILE* stream, const textsource& text) {
    bool written = text([stream](std::string_view piece) {
        return piece.empty() || std::fwrite(piece.data(), 1, piece.size(), stream) == piece.size();
    });
    return written && std::fflush(stream) == 0;
}

// The header and the token texts, gathered into pieces of up to 64 KB.
textsource tokentexts(const std::string& header, const tokenlist& tokens) {
    return [&header, &tokens](const piecewriter& write) {
        constexpr size_t piecesize = 64 * 1024;
        std::string piece = header;
        piece.reserve(piecesize);
        for (const token& t : tokens) {
            std::string_view text = t.text();
            if (piece.size() + text.size() > piecesize) {
                if (!write(piece)) return false;
                piece.clear();
            }
            if (text.size() > piecesize) {
                if (!write(text)) return false;
            } else {
                piece += text;
            }
        }
        return write(piece);
    };
}

void writelinesynchronization(formatter& f) {
    f.linemap.clear();
    int32_t outputline = 0;
    for (const token& t : f.tokens)
        if (t.breaksline()) f.linemap[t.sequence] = ++outputline;
    std::string text;
    for (int32_t i = 1; i < f.linearray.size(); ++i) {
        auto found = f.linemap.find(f.linearray.at(i));
        if (found != f.linemap.end()) text += numtostring(i) + " " + numtostring(found->second) + "\n";
    }
    writefile(f.s.slsf, wholetext(text), {});
}

// Head and tail of the html template around its first "$formatted".
std::pair<std::string, std::string> readtemplate(formatter& f) {
    std::fstream in(f.s.ht, std::ios::in | std::ios::binary);
    if (!in.is_open() || isdirectory(f.s.ht)) die("could not open html template file " + f.s.ht + "\n");
    std::string text = join(readlines(in), "");
    size_t at = text.find(f.placeholder);
    if (at == std::string::npos)
        usageerror(f.messages, f.placeholder + " string is missing from html template file");
    return {text.substr(0, at), text.substr(at + f.placeholder.size())};
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

std::string htmltext(formatter& f) {
    std::string head, tail;
    if (!f.s.ht.empty()) std::tie(head, tail) = readtemplate(f);
    f.s.ctis = 1;
    f.htmlcolumn = 1;
    std::string html = head;
    for (const token& t : f.tokens) {
        std::string_view text = t.text();
        if (text.empty()) continue;
        if (f.s.ctis || f.s.mcs || f.s.rs) {
            f.htmlstartcolumn = f.htmlcolumn;
            f.htmlcolumn = f.advancecolumn(t, f.htmlcolumn);
        }
        std::string open = tagof(f.opentags, t.kind);
        bool tagged = open != "<>";
        if (tagged) html += open;
        int32_t from = f.htmlstartcolumn;
        patternmatch m;
        bool breakfirst = (t.kind == whitespace || t.kind == blockcomment || t.kind == stringliteral ||
                           t.kind == qquoteliteral) &&
                          startswithlinebreak(text) && f.linebreakfollow->partialmatch(text, &m);
        if (breakfirst) {
            html += "<br>\n";
            text.remove_prefix(m.group(1).size());
            from = 1;  // the rest stands at the start of a line
        }
        if (t.kind == whitespace || t.kind == blockcomment)
            appendescaped(html, f.expandtabs(from, text));
        else
            appendescaped(html, text);
        if (tagged) html += tagof(f.closetags, t.kind);
    }
    return html + tail;
}

std::string outputheader(formatter& f) {
    const settings& s = f.s;
    if (!s.pl && !s.plo) return {};
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::string header = headerline(f, s.plo ? "" : printswitches(s, 0), !s.plo, local, f.linebreaktext);
    removeoldheader(f, f);
    return header;
}

std::string outputtext(formatter& f) {
    std::string header = outputheader(f);
    if (f.s.html) return htmltext(f);
    if (f.outputjoined && header.empty()) return f.joinedoutput;
    return header + f.jointokentexts(f.tokens.begin(), f.tokens.end());
}

void writeoutput(formatter& f) {
    settings& s = f.s;
    std::string target = lc(s.outputfile);
    if (target == "null") return;
    const bool inplace = outputisinput(f);
    if (s.html && inplace)
        usageerror(f.messages, "-io and -html cannot be used at the same time.\n");
    std::string header = outputheader(f);
    if (!s.slsf.empty() && !s.html) writelinesynchronization(f);
    // Plain text goes to files and streams straight from the tokens.
    std::string html = s.html ? htmltext(f) : std::string();
    // The integrity check may have joined the plain text already (never with a header).
    const bool joined = f.outputjoined && header.empty() && !s.html;
    textsource output = s.html ? wholetext(html) : joined ? wholetext(f.joinedoutput) : tokentexts(header, f.tokens);
    auto wholeoutput = [&] {
        if (s.html) return std::move(html);
        if (joined) return f.joinedoutput;
        std::string text = header;
        text += f.jointokentexts(f.tokens.begin(), f.tokens.end());
        return text;
    };

    bool written = true;
    if (target == "stdout") {
        errno = EBADF;
        written = !standardoutputclosed && writestream(stdout, output);
    } else if (target == "stderr") {
        written = writestream(stderr, output);
    } else if (target == "output_str" && !f.inputstring.empty()) {
        std::string text = wholeoutput();
        f.outputstring.clear();
        for (char c : text) {
            if (c == '\n') f.outputstring += '\r';
            f.outputstring += c;
        }
    } else if (target == "clipboard") {
        std::string reason;
        if (setclipboardtext(wholeoutput(), &reason) < 0) die("could not write clipboard: " + reason + "\n");
    } else {
        writefile(s.outputfile, output, inplace ? f.inputidentity : fileidentity{});
    }
    if (!written) die("could not write " + s.outputfile + ": " + errnotext() + "\n");
}
