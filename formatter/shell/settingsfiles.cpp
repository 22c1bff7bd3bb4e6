// Settings text splitting and the readers of "brelm.cfg" and -ls files.

#include "settingsfiles.h"

#include "globals.h"
#include "settings.h"
#include "support.h"

#include "filereading.h"

#include <cerrno>
#include <cstring>

namespace {

bool isseparator(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Reads the quoted word whose opening quote is at pos; on success pos moves past its
// closing quote. False when the text ends first.
bool readquotedword(std::string_view text, size_t& pos, std::vector<std::string>& words) {
    std::string word;
    size_t p = pos + 1;
    while (p < text.size()) {
        char c = text[p];
        bool quotenext = p + 1 < text.size() && text[p + 1] == '"';
        if (c == '"' && quotenext) {
            word += '"';
            p += 2;
        } else if (c == '"') {
            words.push_back(word);
            pos = p + 1;
            return true;
        } else if (c == '\\' && quotenext) {
            // The switch writer doubles quotes and leaves backslashes alone, so a value
            // that ends in a backslash comes back as \" before a separator: that closes.
            if (p + 2 >= text.size() || isseparator(text[p + 2])) {
                words.push_back(word + '\\');
                pos = p + 2;
                return true;
            }
            word += '"';
            p += 2;
        } else {
            word += c;
            ++p;
        }
    }
    return false;
}

// The largest settings file read: 1 MB.
constexpr size_t maxsettingssize = size_t(1) << 20;

// Reads a settings file by the input's rule (a regular file or a pipe, and a pipe that
// nothing writes to is not waited for), bounded to 1 MB. False when it cannot be opened;
// anything else that keeps it from being read ends the run.
bool readsettingsfile(const std::string& name, std::string& text, int& error) {
    readrules rules;
    rules.limit = maxsettingssize;
    const readresult result = readwholefile(name, text, rules);
    error = result.error;
    if (result.outcome == readoutcome::read) return true;
    if (result.outcome == readoutcome::notopened) return false;
    die("could not load settings from " + escapedword(name) + ": " + readfailure(result, rules.limit) + "\n");
}

std::vector<std::string> splitfiletext(const std::string& text, const std::string& name, messagestream& messages) {
    bool unterminated = false;
    std::vector<std::string> words = splitsettingstext(text, &unterminated);
    if (unterminated) usageerror(messages, "Error:unterminated quoted word in settings file " + escapedword(name));
    return words;
}

}  // namespace

std::vector<std::string> splitsettingstext(std::string_view text, bool* unterminated) {
    std::vector<std::string> words;
    if (unterminated) *unterminated = false;
    size_t i = 0;
    const size_t len = text.size();
    for (;;) {
        while (i < len && isseparator(text[i])) ++i;
        if (i >= len) break;
        if (text[i] == '"') {
            if (!readquotedword(text, i, words)) {
                if (unterminated) *unterminated = true;
                break;
            }
        } else if (text[i] == '-' && i + 1 < len && text[i + 1] == '-') {
            while (i < len && text[i] != '\r' && text[i] != '\n') ++i;
        } else {
            size_t start = i;
            while (i < len && !isseparator(text[i])) ++i;
            words.emplace_back(text.substr(start, i - start));
        }
    }
    return words;
}

std::string defaultconfigpath() {
    return (programdirectory.empty() ? std::string(".") : programdirectory) + pathseparator + "brelm.cfg";
}

void readdefaultconfig(std::vector<std::string>& arguments, messagestream& messages) {
    std::string path = defaultconfigpath();
    std::string text;
    int error = 0;
    if (!readsettingsfile(path, text, error)) return;  // no configuration file
    std::vector<std::string> words = splitfiletext(text, path, messages);
    arguments.insert(arguments.begin(), words.begin(), words.end());
}

std::vector<std::string> loadsettings(const settings& s, messagestream& messages) {
    std::string text;
    int error = 0;
    if (!readsettingsfile(s.ls, text, error))
        die("could not load settings from " + escapedword(s.ls) + ": " + std::strerror(error) + "\n");
    return splitfiletext(text, s.ls, messages);
}
