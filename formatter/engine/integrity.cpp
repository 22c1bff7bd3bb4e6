// The integrity check: the result may differ from the input only in whitespace and letter
// case; literals and quoted names stay byte for byte, and single-line comments end lines.
#include "charsets.h"
#include "formatter.h"
#include "paths.h"
#include "support.h"

#include <unistd.h>

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

bool isliteral(int32_t kind) {
    return kind == doublequotedname || kind == stringliteral || kind == qquoteliteral;
}

// The dumps go to the backup directory without one trailing separator; an empty one means
// the current directory.
std::string dumppath(std::string directory, const std::string& name) {
    if (directory.size() > 1 && (directory.back() == '/' || directory.back() == '\\')) directory.pop_back();
    return joinpath(directory, name);
}

// Writes a dump through a new file beside it that then takes its name, so that a link or a
// file of someone else's standing at the name in a shared folder is never written through.
bool writedump(const std::string& path, const std::string& text) {
    std::string temporary = path;
    temporary += ".XXXXXX";
    int handle = mkstemp(temporary.data());
    if (handle < 0) return false;
    bool written = true;
    for (size_t done = 0; written && done < text.size();) {
        ssize_t count = ::write(handle, text.data() + done, text.size() - done);
        if (count < 0) written = false;
        else done += static_cast<size_t>(count);
    }
    if (::close(handle) != 0) written = false;
    if (written && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    std::remove(temporary.c_str());
    return false;
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
        if (haslinebreak(p->text())) return true;
    }
    return true;
}

// The first token that breaks what no rule may change: a literal or quoted name that is not
// byte for byte the text it was read from, or that stands out of order; a single-line
// comment that no longer ends its line. The list's end when there is none. original is the
// text that was tokenized.
position formatter::integrityfault(std::string_view original) const {
    std::string_view tail = lasttokenizedtext();
    const int64_t tailbase = lasttokenizedbase();
    int64_t previous = -1;
    for (position p = tokens.begin(); p != tokens.end(); ++p) {
        if (p->kind == singlelinecomment) {
            if (!endsitsline(p)) return p;
            continue;
        }
        if (!isliteral(p->kind)) continue;
        const int64_t offset = p->sourceoffset;
        std::string_view from = offset >= tailbase ? tail : original;
        const int64_t at = offset >= tailbase ? offset - tailbase : offset;
        std::string_view text = p->text();
        if (offset <= previous || at < 0 || static_cast<size_t>(at) + text.size() > from.size() ||
            from.compare(static_cast<size_t>(at), text.size(), text) != 0)
            return p;
        previous = offset;
    }
    return tokens.end();
}

// Whether the texts are the same after white space is taken out and case is set aside.
bool samewithoutwhitespace(std::string_view text1, std::string_view text2) {
    size_t i = 0, j = 0;
    while (true) {
        while (i < text1.size() && iswhitespacebyte(text1[i])) ++i;
        while (j < text2.size() && iswhitespacebyte(text2[j])) ++j;
        if (i == text1.size() || j == text2.size()) return i == text1.size() && j == text2.size();
        if (lowercasetable[static_cast<unsigned char>(text1[i])] != lowercasetable[static_cast<unsigned char>(text2[j])])
            return false;
        ++i;
        ++j;
    }
}

// The token texts joined: the output text without its header.
void formatter::jointokens() {
    std::string joined;
    joined.reserve(sourcetext.size() + sourcetext.size() / 8);
    for (const token& t : tokens) joined += t.text();
    joinedtokens = std::move(joined);
    joinedtokensready = true;
}

// Compares the stripped input with the stripped result; ends the file on a difference.
void formatter::checkintegrity() {
    position fault = integrityfault(sourcetext);
    jointokens();
    // The last end token is left out of the comparison.
    std::string_view result = joinedtokens;
    if (!tokens.empty()) result.remove_suffix(tokens.back().text().size());
    if (fault == tokens.end() && (textchanged || samewithoutwhitespace(sourcetext, result))) return;
    sourcetext = withoutwhitespace(sourcetext);
    resulttext = withoutwhitespace(result);
    const textcomparison compared = firstdifference(sourcetext, resulttext);
    const bool contentdiffers = !compared.equal && !textchanged;
    if (!contentdiffers && fault == tokens.end()) return;

    int64_t around = 0;
    if (contentdiffers) {
        around = compared.position;
    } else {
        for (position p = tokens.begin(); p != fault; ++p)
            for (char c : p->text())
                if (!iswhitespacebyte(c)) ++around;
    }
    reportintegrityfailure(around);
}

// The excerpts around the difference, the dumps of both stripped texts, and the end.
void formatter::reportintegrityfailure(int64_t around) {
    const int64_t start = around >= 10 ? around - 10 : around;
    std::string excerpt = "Around 1:";
    excerpt += substr(sourcetext, start, 100);
    excerpt += "\n";
    printout(messages, excerpt);
    excerpt = "Around 2:";
    excerpt += substr(resulttext, start, 100);
    excerpt += "\n";
    printout(messages, excerpt);

    const std::string original = dumppath(s.bdir, "orifile.txt");
    const std::string result = dumppath(s.bdir, "newfile.txt");
    for (const auto& [path, text] : {std::pair{&original, &sourcetext}, std::pair{&result, &resulttext}}) {
        if (writedump(*path, *text)) continue;
        std::string failure = "could not write ";
        failure += *path;
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
