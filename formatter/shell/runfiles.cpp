// Start-up and the multi-file run: the guarded region of main, formatallfiles and the
// per-file run.
#include "runfiles.h"

#include "charsets.h"
#include "commandline.h"
#include "formatfile.h"
#include "globals.h"
#include "messages.h"
#include "outputwriter.h"
#include "pattern.h"
#include "support.h"
#include "switchtable.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <new>

void keepargumentlist(int argc, char** argv) {
    argumentlist.clear();
    for (int k = 1; k < argc; ++k) argumentlist.emplace_back(argv[k]);
}

void keepprogramdirectory(const std::string& programfile) {
    patternmatch m;
    programdirectory = pattern::get("^(.+)[\\\\/]", pattern::dotall).partialmatch(programfile, &m) ? m.str(1) : "";
}

void keepenvironment(char** environment) {
    for (char** entry = environment; entry && *entry; ++entry) {
        const char* separator = (*entry)[0] ? std::strchr(*entry + 1, '=') : nullptr;
        if (!separator || separator[1] == '\0') continue;  // no name, or nothing after "="
        environmenttable[std::string(*entry, static_cast<size_t>(separator - *entry))] = separator + 1;
    }
}

void guardstandardstreams() {
    bool* closed[] = {&standardinputclosed, &standardoutputclosed, nullptr};
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // The lowest free descriptor is this one: the lower ones are open by now.
        if (::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY) != fd) continue;
        if (closed[fd]) *closed[fd] = true;
    }
}

int runguarded(const std::function<void()>& work) {
    try {
        work();
        return 0;
    } catch (const std::bad_alloc&) {
        writeerrorstream("Error:program ran out of memory.\n");
        return 3;
    } catch (const std::string& message) {
        int code = messagecode(message);
        if (code >= 0) return code > 255 ? 255 : code;  // a code the system would wrap to 0 stays a failure
        writeerrorstream(message);
        return 255;
    } catch (const std::exception& error) {
        writeerrorstream(std::string("Internal error: ") + error.what() + "\n");
        return 255;
    }
}

int32_t countnonemptyentries(settings& s) {
    int32_t count = 0;
    for (int32_t i = 0; i < s.inputfiles.size(); ++i)
        if (!s.inputfiles.at(i).empty()) ++count;
    return count;
}

int32_t reportfile(const settings& s, messagestream& sink, const std::function<void()>& driver, int32_t& done) {
    try {
        try {
            driver();
        } catch (const std::bad_alloc&) {
            throw;
        } catch (const std::exception& error) {
            // A fault inside one file fails that file, not the run.
            throw std::string("Internal error: ") + error.what() + "\n";
        }
    } catch (const std::string& message) {
        int digits = messagecode(message);
        int32_t code = digits >= 0 ? digits : 255;
        if (digits < 0) printout(sink, message);
        if (code != 0) {
            const std::string input = escapedword(s.inputfilealias), output = escapedword(s.outputfilealias);
            std::string names = input == output ? input : input + " -> " + output;
            printout(sink, names + " formatting failed because of errors.\n");
        }
        return code;
    }
    if (s.sr) {
        const std::string input = escapedword(s.inputfilealias), output = escapedword(s.outputfilealias);
        std::string names = s.inputfile == s.outputfile ? input : input + " -> " + output;
        printout(sink, names + " formatting is done.\n");
    }
    ++done;
    return 0;
}

int32_t formatonefile(settings& s, int32_t& tried, int32_t& done, std::string& messagesout) {
    filerun run;
    run.s = s;
    ++tried;
    int32_t code = reportfile(
        s, run.messages, [&run] { formatfile(run); }, done);
    messagesout = run.messages.text;
    return code;
}

namespace {

// The output file of a pair as one name, whatever way it was written; "" for a stream.
std::string outputkey(const std::string& output) {
    if (!isfiletarget(output)) return "";
    std::error_code ignored;
    return std::filesystem::absolute(output, ignored).lexically_normal().string();
}

// What a pair's output may not replace: another input of the run (its text would be lost
// before its turn, or after it), or the output an earlier input was given, by the output's
// name or by the file a written output became (another name, or a link the user named, may
// lead to it).
class outputclaims {
public:
    explicit outputclaims(settings& s) {
        for (int32_t i = 0; i < s.inputfiles.size(); ++i) {
            const std::string& entry = s.inputfiles.at(i);
            if (entry.empty() || lc(entry) == "stdin" || outputkey(entry).empty()) continue;
            inputsbyname.emplace(outputkey(entry), entry);
            const fileidentity file = identityofpath(entry);
            if (file.known) inputsbyfile.emplace(std::make_pair(file.device, file.inode), entry);
        }
    }
    // Why the pair may not run, or "" when it may.
    std::string refusal(const std::string& input, const std::string& output) const {
        const std::string key = outputkey(output);
        if (key.empty()) return "";
        const fileidentity file = identityofpath(output), inputfile = identityofpath(input);
        // An input formatted in place (named twice, or through a link) is its own output.
        const bool ownfile = key == onename(input) || samefile(inputfile, file);
        if (!ownfile) {
            const std::string other = otherinput(key, file);
            if (!other.empty())
                return escapedword(input) + " would overwrite the input file " + escapedword(other) + "\n";
        }
        const std::string earlier = earlierinput(input, key, file, inputfile, ownfile);
        if (!earlier.empty())
            return escapedword(input) + " would overwrite the output of " + escapedword(earlier) + "\n";
        return "";
    }
    // The pair runs: its output name is taken, and once written, the file it became.
    void claim(const std::string& input, const std::string& output) {
        const std::string key = outputkey(output);
        if (!key.empty()) byname.emplace(key, std::make_pair(onename(input), input));
        pendinginput = identityofpath(input);
    }
    void notewritten(const std::string& input, const std::string& output) {
        const fileidentity file = identityofpath(output);
        if (!outputkey(output).empty() && file.known)
            byfile.insert_or_assign({file.device, file.inode}, writtenfile{pendinginput, input});
    }

private:
    struct writtenfile {
        fileidentity input;
        std::string shown;
    };
    static std::string onename(const std::string& input) { return outputkey(input).empty() ? input : outputkey(input); }
    std::string otherinput(const std::string& key, const fileidentity& file) const {
        const auto named = inputsbyname.find(key);
        if (named != inputsbyname.end()) return named->second;
        const auto same = file.known ? inputsbyfile.find({file.device, file.inode}) : inputsbyfile.end();
        return same != inputsbyfile.end() ? same->second : "";
    }
    std::string earlierinput(const std::string& input, const std::string& key, const fileidentity& file,
                             const fileidentity& inputfile, bool ownfile) const {
        const auto claimed = byname.find(key);
        if (claimed != byname.end()) return claimed->second.first != onename(input) ? claimed->second.second : "";
        if (ownfile) return "";
        const auto written = file.known ? byfile.find({file.device, file.inode}) : byfile.end();
        return written != byfile.end() && !samefile(written->second.input, inputfile) ? written->second.shown : "";
    }
    std::map<std::string, std::string> inputsbyname;                    // each input as one name
    std::map<std::pair<dev_t, ino_t>, std::string> inputsbyfile;        // each input file as the run began
    std::map<std::string, std::pair<std::string, std::string>> byname;  // the input as one name, and as given
    std::map<std::pair<dev_t, ino_t>, writtenfile> byfile;              // each written output file
    fileidentity pendinginput;
};

// A pair that may not run counts as tried and fails with the message.
int32_t refusefile(const settings& s, int32_t& tried, int32_t& done, const std::string& message) {
    messagestream sink;
    ++tried;
    return reportfile(
        s, sink, [&message] { die(message); }, done);
}

void printsummary(settings& s, int32_t tried, int32_t done) {
    writeerrorstream("Formatting summary: all " + numtostring(countnonemptyentries(s)) + ", tried " +
                     numtostring(tried) + ", done " + numtostring(done) + ", failed " + numtostring(tried - done) +
                     ".\n");
}

}  // namespace

void formatallfiles() {
    versiontext = "2.6.1";
    settings s;
    setdefaults(s);
    buildcharsettables();
    buildswitchtable();
    applyoptiondefaults(s);
    commandlineargs args;
    args.arguments = argumentlist;
    parsecommandline(args, s, 1);

    const settings saved = s;
    const std::string giveninputalias = s.inputfilealias, givenoutputalias = s.outputfilealias;
    int32_t lastfailure = 0, tried = 0, done = 0;
    outputclaims claims(s);
    for (int32_t i = 0; i < s.inputfiles.size(); ++i) {
        const std::string entry = s.inputfiles.at(i);
        if (entry.empty()) continue;
        if (saved.gsfif) s = saved;
        s.inputfile = entry;
        // The names shown in messages, the engine's among them, show no control byte.
        s.inputfilealias = giveninputalias.empty() ? escapedword(entry) : giveninputalias;
        s.outputfile = s.outputfiles.at(i);
        s.outputfilealias = givenoutputalias.empty() ? escapedword(s.outputfile) : givenoutputalias;
        s.listedinput = s.listedinputs.at(i);
        s.outputnamedlength = s.outputnamedlengths.at(i);
        std::string scratch;
        int32_t code = 0;
        const std::string refusal = claims.refusal(entry, s.outputfile);
        if (!refusal.empty()) {
            code = refusefile(s, tried, done, refusal);
        } else {
            claims.claim(entry, s.outputfile);
            code = formatonefile(s, tried, done, scratch);
            if (code == 0) claims.notewritten(entry, s.outputfile);
        }
        if (code != 0) {
            lastfailure = code;
            if (s.soe) break;
        }
    }
    if (s.ss) printsummary(s, tried, done);
    if (lastfailure != 0) dieline(lastfailure);
}
