// Input reading: files keep their line terminators, the clipboard and a handed-over text are
// split into lines without them; -el then -sl cut the lines as read.
#include "inputreading.h"

#include "filereading.h"
#include "messages.h"
#include "outputwriter.h"
#include "support.h"

#include "globals.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

[[noreturn]] void failread(const std::string& name, int error) {
    if (error == EFBIG) die("can't read " + escapedword(name) + ": the input is larger than 1 GB\n");
    die("can't read " + escapedword(name) + ": " + std::strerror(error) + "\n");
}

// Reads the descriptor to its end into text, up to maxinputsize bytes; false with errno on a
// read error, or with EFBIG when there is more.
bool readbounded(int fd, std::string& text) {
    char chunk[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        if (text.size() + static_cast<size_t>(n) > maxinputsize) {
            errno = EFBIG;
            return false;
        }
        text.append(chunk, static_cast<size_t>(n));
    }
}

// The file's text, whole, and which file it was. Only regular files and pipes are read. A
// file a mask listed must still be the file the listing found (or the file this run put in
// its place), and its name is not followed when the listing found no link there.
void readfile(const std::string& name, const listedfile& listed, std::string& text, fileidentity& identity) {
    readrules rules;
    rules.limit = maxinputsize;
    rules.waitforwriter = true;  // a pipe the user names is read as any program reads it
    rules.followlink = !listed.identity.known || listed.link;
    // A mask lists regular files only: anything else at the name now, a pipe among them, was
    // put there since, and is neither read nor waited on.
    rules.regularonly = listed.identity.known;
    const readresult result = readwholefile(name, text, rules);
    const std::string shown = escapedword(name);
    // What is not a regular file now was one when it was listed, whatever number it has.
    const bool swapped =
        listed.identity.known && ((result.outcome == readoutcome::notopened && result.error == ELOOP) ||
                                  result.outcome == readoutcome::refused ||
                                  (result.identity.known && !samefile(result.identity, listed.identity) &&
                                   !replacedbythisrun(listed.identity, result.identity)));
    if (swapped) die(shown + " changed while it was being formatted\n");
    switch (result.outcome) {
    case readoutcome::read: break;
    case readoutcome::notopened: die("can't open " + shown + ": " + std::strerror(result.error) + "\n");
    case readoutcome::refused: die("can't open " + shown + ": " + result.refusal + "\n");
    case readoutcome::toolarge: failread(name, EFBIG);
    case readoutcome::failed: failread(name, result.error);
    }
    identity = result.identity;
}

void readstandardinput(std::string& text) {
    if (standardinputclosed) failread("stdin", EBADF);
    if (!readbounded(STDIN_FILENO, text)) failread("stdin", errno);
}

std::string readclipboard() {
    std::string text, reason;
    if (getclipboardtext(text, &reason) < 0) die("can't open clipboard: " + escapedword(reason) + "\n");
    return text;
}

std::vector<std::string> splitpreset(const std::string& preset) {
    std::string text;
    text.reserve(preset.size());
    for (size_t i = 0; i < preset.size(); ++i) {
        if (preset[i] == '\r' && i + 1 < preset.size() && preset[i + 1] == '\n') continue;
        text += preset[i];
    }
    return splitlines(text);
}

// Both numbers count the lines as read, from 1; a start beyond the end leaves no line.
void cuttorange(std::vector<std::string>& lines, int32_t first, int32_t last) {
    if (last > 0 && lines.size() > static_cast<size_t>(last)) lines.resize(static_cast<size_t>(last));
    if (first > 1) {
        size_t drop = std::min(lines.size(), static_cast<size_t>(first) - 1);
        lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(drop));
    }
}

// Text in UTF-16 or UTF-32 would be cut into single bytes and spliced into nonsense: it is
// refused before anything is written.
void refusewidetext(const std::string& name, std::string_view text) {
    const std::string encoding = unicodeencodingof(text);
    if (!encoding.empty())
        die(escapedword(name) + " is " + encoding + " text; convert it to UTF-8 or a single-byte character set\n");
}

}  // namespace

std::string unicodeencodingof(std::string_view whole) {
    // A text is in one encoding throughout: its beginning tells.
    const std::string_view text = whole.substr(0, 64 << 10);
    auto byte = [text](size_t i) { return static_cast<unsigned char>(text[i]); };
    if (text.size() >= 4 && ((byte(0) == 0xFF && byte(1) == 0xFE && byte(2) == 0 && byte(3) == 0) ||
                             (byte(0) == 0 && byte(1) == 0 && byte(2) == 0xFE && byte(3) == 0xFF)))
        return "UTF-32";
    if (text.size() >= 2 && ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF)))
        return "UTF-16";
    // Without a byte-order mark: the characters of a program's text lie almost all below
    // U+0100, so in nearly every unit the high bytes are NUL while the low byte is not.
    // Four in five units so is the bar; binary files with runs of NULs do not pass it.
    auto mostly = [](size_t count, size_t units) { return count * 5 >= units * 4; };
    auto rarely = [](size_t count, size_t units) { return count * 5 < units; };
    const size_t units32 = text.size() / 4;
    if (units32 > 0 && text.size() % 4 == 0) {
        size_t highle = 0, lowle = 0, highbe = 0, lowbe = 0;
        for (size_t u = 0; u < units32; ++u) {
            const size_t at = 4 * u;
            highle += byte(at + 2) == 0 && byte(at + 3) == 0;
            lowle += byte(at) == 0;
            highbe += byte(at) == 0 && byte(at + 1) == 0;
            lowbe += byte(at + 3) == 0;
        }
        if ((mostly(highle, units32) && rarely(lowle, units32)) || (mostly(highbe, units32) && rarely(lowbe, units32)))
            return "UTF-32";
    }
    const size_t units16 = text.size() / 2;
    if (units16 > 0) {
        size_t evennul = 0, oddnul = 0;
        for (size_t u = 0; u < units16; ++u) {
            evennul += byte(2 * u) == 0;
            oddnul += byte(2 * u + 1) == 0;
        }
        if ((mostly(oddnul, units16) && rarely(evennul, units16)) ||
            (mostly(evennul, units16) && rarely(oddnul, units16)))
            return "UTF-16";
    }
    return "";
}

inputtext readinput(const settings& s, const std::string& handedover) {
    const std::string& name = s.inputfile;
    std::string source = lc(name);
    inputtext in;
    std::vector<std::string> lines;
    // Lines of the clipboard and of a handed-over text lose their ends, so a line feed joins them.
    std::string joint;
    // Read streams keep their line ends: without a range cut, their text stays whole.
    const bool whole = s.sl <= 1 && s.el <= 0;
    if (source == "stdin") {
        readstandardinput(in.text);
        refusewidetext(name, in.text);
        if (whole) return in;
        lines = splitkeepingends(in.text);
    } else if (source == "clipboard") {
        const std::string text = readclipboard();
        refusewidetext(name, text);
        lines = splitlines(text);
        joint.assign(1, '\n');
    } else if (name.empty() && !handedover.empty()) {
        lines = splitpreset(handedover);
        joint.assign(1, '\n');
    } else {
        readfile(name, s.listedinput, in.text, in.identity);
        refusewidetext(name, in.text);
        if (whole) return in;
        lines = splitkeepingends(in.text);
        in.bytes = std::move(in.text);  // the bytes as read stay for the backup
        in.cut = true;
    }
    cuttorange(lines, s.sl, s.el);
    in.text = join(lines, joint);
    return in;
}
