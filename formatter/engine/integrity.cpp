// The integrity check: the result may differ from the input only in whitespace and letter
// case; literals and quoted names stay byte for byte, and single-line comments end lines.
#include "charsets.h"
#include "dumppath.h"
#include "formatter.h"
#include "pagememory.h"
#include "replacefile.h"
#include "support.h"

#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>

namespace {

// The bytes that "\s" matches: blank, TAB, LF, VT, FF and CR.
bool iswhitespacebyte(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string withoutwhitespace(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (char c : text)
        if (!iswhitespacebyte(c)) kept += c;
    return kept;
}

bool isliteral(int32_t kind) { return kind == doublequotedname || kind == stringliteral || kind == qquoteliteral; }

// Writes a dump through a new file beside it that then takes its name, so that a link or a
// file of someone else's standing at the name in a shared folder is never written through,
// and nothing is left behind when the run is ended on the way.
bool writedump(const std::string& path, const std::string& text) {
    const size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const int folder = opendirectory(slash == std::string::npos ? "" : slash == 0 ? "/" : path.substr(0, slash));
    if (folder < 0) return false;
    bool written = false;
    {
        temporaryfile dump(folder, name);
        written = dump.fd() >= 0 && dump.write(text) && dump.putinplace(name, false);
    }
    const int error = errno;
    ::close(folder);
    errno = error;
    return written;
}

}  // namespace

// The leading token holds no source text; the line break put before the first line's
// indentation is taken out again, so that the token list spells the output.
void formatter::clearleadingtoken() {
    if (tokens.empty()) return;
    tokens.begin()->settext("");
    if (!leadingbreakadded) return;
    position first = std::next(tokens.begin());
    // Only blanks got the line break; a comment that took their place keeps its own.
    if (first == tokens.end() || first->kind != whitespace) return;
    std::string kept;
    for (char c : first->text())
        if (c != '\r' && c != '\n') kept += c;
    first->settext(kept);
}

// True when only blanks, and then a line break or the end of the text, follow the token.
bool formatter::endsitsline(position comment) const {
    for (position p = std::next(comment); p != tokens.end(); ++p) {
        if (p->text().empty()) continue;
        if (p->kind != whitespace) return false;
        if (p->breaksline()) return true;
    }
    return true;
}

// The first token that breaks what no rule may change: a literal or quoted name that is not
// byte for byte the text it was read from, or that stands out of order; a single-line
// comment that no longer ends its line. The list's end when there is none. original is the
// text that was tokenized.
namespace {

// The token-by-token part of the check, in text order.
class literalcheck {
public:
    literalcheck(const formatter& checked, std::string_view tokenized)
        : f(checked), original(tokenized), tail(checked.lasttokenizedtext()), tailbase(checked.lasttokenizedbase()) {}

    // True when the token is the first that breaks the rules.
    bool faults(position p) {
        if (p->kind == singlelinecomment) return !f.endsitsline(p);
        if (!isliteral(p->kind)) return false;
        const int64_t offset = p->sourceoffset();
        std::string_view from = offset >= tailbase ? tail : original;
        const int64_t at = offset >= tailbase ? offset - tailbase : offset;
        std::string_view text = p->text();
        if (offset <= previous || at < 0 || static_cast<size_t>(at) + text.size() > from.size() ||
            from.compare(static_cast<size_t>(at), text.size(), text) != 0)
            return true;
        previous = offset;
        return false;
    }

private:
    const formatter& f;
    std::string_view original, tail;
    int64_t tailbase;
    int64_t previous = -1;
};

const std::array<bool, 256> whitespacebytes = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c) table[static_cast<size_t>(c)] = iswhitespacebyte(static_cast<char>(c));
    return table;
}();

}  // namespace

// The text stripped of white space and with case set aside (through the character set
// given), compared with the pieces of another text as they come.
class strippedcomparison {
public:
    strippedcomparison(std::string_view text, const charset& textset)
        : next(reinterpret_cast<const unsigned char*>(text.data())), end(next + text.size()), set(textset) {}

    void add(std::string_view piece) {
        if (differs) return;
        if (isnextintext(piece)) {
            next = reinterpret_cast<const unsigned char*>(piece.data()) + piece.size();
            return;
        }
        for (unsigned char c : piece) {
            if (whitespacebytes[c]) continue;
            while (next != end && whitespacebytes[*next]) ++next;
            if (next == end || (*next != c && set.lower(*next) != set.lower(c))) {
                differs = true;
                return;
            }
            ++next;
        }
    }
    // After the last piece: whether the pieces matched the whole text.
    bool same() {
        while (next != end && whitespacebytes[*next]) ++next;
        return !differs && next == end;
    }

private:
    // True when the piece is the very bytes of the text that come next after blanks: an
    // untouched token, which matches without a look at its bytes. Skipping the blanks up
    // to it too changes nothing, since blanks are skipped before every comparison.
    bool isnextintext(std::string_view piece) const {
        const auto at = reinterpret_cast<uintptr_t>(piece.data());
        if (at < reinterpret_cast<uintptr_t>(next) || at > reinterpret_cast<uintptr_t>(end) ||
            piece.size() > static_cast<size_t>(reinterpret_cast<uintptr_t>(end) - at))
            return false;
        const unsigned char* p = next;
        while (reinterpret_cast<uintptr_t>(p) < at && whitespacebytes[*p]) ++p;
        return reinterpret_cast<uintptr_t>(p) == at;
    }

    const unsigned char* next;
    const unsigned char* end;
    const charset& set;
    bool differs = false;
};

// Compares the stripped input with the stripped result, and checks the literals and
// comments in the same walk over the tokens; ends the file on a difference. The last end
// token is left out of the comparison.
void formatter::checkintegrity() {
    literalcheck check(*this, sourcetext);
    strippedcomparison compared(sourcetext, textcharset());
    position fault = tokens.end();
    position last = tokens.empty() ? tokens.end() : std::prev(tokens.end());
    // Plain output with no header to put before it is joined on the way.
    const bool join = !s.html && !s.pl && !s.plo && sourcetext.size() >= joinedoutputfrom;
    joinedoutput.clear();
    // Room for the joined texts and a byte-order mark put in front later: the text is never
    // moved to a larger buffer, which would hold both copies at once.
    constexpr size_t markroom = 8;
    if (join) reservetext(joinedoutput, static_cast<size_t>(tokens.textbytes()) + markroom);
    for (position p = tokens.begin(); p != tokens.end(); ++p) {
        if (join) joinedoutput += p->text();
        if (p != last) compared.add(p->text());
        if (fault == tokens.end() && check.faults(p)) fault = p;
    }
    outputjoined = join;
    if (fault == tokens.end() && (textchanged || compared.same())) return;
    outputjoined = false;
    std::string().swap(joinedoutput);

    // The stripped texts go to the excerpts and the dumps.
    std::string result = jointokentexts(tokens.begin(), last);
    std::string strippedsource = withoutwhitespace(sourcetext);
    std::string strippedresult = withoutwhitespace(result);
    const textcomparison difference = firstdifference(textcharset(), strippedsource, strippedresult);
    const bool contentdiffers = !difference.equal && !textchanged;
    if (!contentdiffers && fault == tokens.end()) return;

    int64_t around = 0;
    if (contentdiffers) {
        around = difference.position;
    } else {
        for (position p = tokens.begin(); p != fault; ++p)
            for (char c : p->text())
                if (!iswhitespacebyte(c)) ++around;
    }
    reportintegrityfailure(around, strippedsource, strippedresult);
}

// The excerpts around the difference, the dumps of both stripped texts, and the end.
void formatter::reportintegrityfailure(int64_t around, const std::string& strippedsource,
                                       const std::string& strippedresult) {
    const int64_t start = around >= 10 ? around - 10 : around;
    std::string excerpt = "Around 1:";
    excerpt += substr(strippedsource, start, 100);
    excerpt += "\n";
    printout(messages, excerpt);
    excerpt = "Around 2:";
    excerpt += substr(strippedresult, start, 100);
    excerpt += "\n";
    printout(messages, excerpt);

    const std::string original = dumppath(s.bdir, "orifile.txt");
    const std::string result = dumppath(s.bdir, "newfile.txt");
    for (const auto& [path, text] : {std::pair{&original, &strippedsource}, std::pair{&result, &strippedresult}}) {
        if (writedump(*path, *text)) continue;
        std::string failure = "could not write ";
        failure += *path;
        failure += ": ";
        failure += errnotext();
        failure += "\n";
        die(failure);
    }
    std::string named = "file1 ";
    named += original;
    named += "\nfile2 ";
    named += result;
    named += "\n";
    printout(messages, named);
    die("Integrity failure. Stop. Nothing is changed.\n");
}
