// The output writer: plain text behind an optional header, or html through a template; files
// are written beside their target and renamed into place, so a failed write loses nothing.
#include "outputwriter.h"

#include "formatter.h"
#include "messages.h"
#include "support.h"
#include "switchlistings.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeall(int fd, std::string_view text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// The output text in pieces of about a buffer's size, given one after another to a writer;
// false as soon as the writer fails.
using piecewriter = std::function<bool(std::string_view)>;
using textsource = std::function<bool(const piecewriter&)>;

// Devices and pipes cannot be replaced; they are written as they are.
bool writeinplace(const std::string& name, const textsource& text) {
    int fd = ::open(name.c_str(), O_WRONLY | O_TRUNC);
    if (fd < 0) return false;
    bool written = text([fd](std::string_view piece) { return writeall(fd, piece); });
    int saved = errno;
    if (::close(fd) != 0 && written) return false;
    errno = saved;
    return written;
}

mode_t newfilemode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool writestream(std::FILE* stream, const textsource& text) {
    bool written = text([stream](std::string_view piece) {
        return piece.empty() || std::fwrite(piece.data(), 1, piece.size(), stream) == piece.size();
    });
    return written && std::fflush(stream) == 0;
}

textsource wholetext(const std::string& text) {
    return [&text](const piecewriter& write) { return write(text); };
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

bool replacefilewith(const std::string& name, const textsource& text);

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
    if (!replacefile(f.s.slsf, text)) die("could not write " + f.s.slsf + "\n");
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

bool replacefile(const std::string& name, const std::string& text) {
    return replacefilewith(name, wholetext(text));
}

namespace {

bool replacefilewith(const std::string& name, const textsource& text) {
    std::string target = name;
    struct stat st {};
    if (::lstat(name.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(name.c_str(), resolved)) target = resolved;
    }
    bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return false;
    }
    if (exists && !S_ISREG(st.st_mode)) return writeinplace(target, text);

    size_t slash = target.find_last_of('/');
    std::string directory = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temp = (slash == std::string::npos ? "./" : directory) + "." + base + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    bool done = ::fchmod(fd, exists ? (st.st_mode & 07777) : newfilemode()) == 0 &&
                text([fd](std::string_view piece) { return writeall(fd, piece); });
    int saved = errno;
    if (::close(fd) != 0) {
        saved = errno;
        done = false;
    }
    if (done && ::rename(temp.c_str(), target.c_str()) == 0) return true;
    if (done) saved = errno;
    ::unlink(temp.c_str());
    errno = saved;
    return false;
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

void writeoutput(formatter& f) {
    settings& s = f.s;
    std::string target = lc(s.outputfile);
    if (target == "null") return;
    if (s.html && s.outputfile == s.inputfile)
        usageerror(f.messages, "-io and -html cannot be used at the same time.\n");
    std::string header;
    if (s.pl || s.plo) {
        std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        header = headerline(f, s.plo ? "" : printswitches(s, 0), !s.plo, local, f.linebreaktext);
        removeoldheader(f, f);
    }
    if (!s.slsf.empty() && !s.html) writelinesynchronization(f);
    // Plain text goes to files and streams straight from the tokens.
    std::string html = s.html ? htmltext(f) : std::string();
    textsource output = s.html ? wholetext(html) : tokentexts(header, f.tokens);
    auto wholeoutput = [&] {
        if (s.html) return std::move(html);
        std::string text = header;
        text += f.jointokentexts(f.tokens.begin(), f.tokens.end());
        return text;
    };

    bool written = true;
    if (target == "stdout") {
        written = writestream(stdout, output);
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
        if (setclipboardtext(wholeoutput(), &reason) < 0) die("could not write clipboard\n");
    } else {
        written = replacefilewith(s.outputfile, output);
    }
    if (!written) die("could not write " + s.outputfile + "\n");
}
