// One file formatted: the input read, the engine's format driver, the backup and the output.
#include "formatfile.h"

#include "backups.h"
#include "charsets.h"
#include "commandline.h"
#include "formattext.h"
#include "inputreading.h"
#include "outputwriter.h"
#include "runfiles.h"
#include "settingsfiles.h"
#include "support.h"
#include "switchlistings.h"

void commandlineswitches::parseoptions(const std::string& text, settings& s, messagestream& sink) const {
    commandlineargs args(s.mte);
    args.arguments = splitsettingstext(text);
    try {
        parsecommandline(args, s, 0);
    } catch (const std::string&) {
        if (!args.messages.text.empty()) printout(sink, args.messages.text);
        throw;
    }
    if (!args.messages.text.empty()) printout(sink, args.messages.text);
}

std::string commandlineswitches::printswitches(const settings& s, int annotated) const {
    return ::printswitches(s, annotated);
}

void commandlineswitches::explainswitches(messagestream& sink, const settings& s, const std::string& inputname,
                                          const std::string& outputname) const {
    ::explainswitches(sink, s, inputname, outputname);
}

namespace {

// UTF-8 text under a single-byte set that changes the case of bytes above 127: the set would
// take the bytes of one character for letters of its own and change them, so they keep their
// case, and the user is told. True when they keep it.
bool keepcaseofutf8(const settings& s, const std::string& text, messagestream& messages) {
    const bool casechanged = s.li || s.ui || s.ci;
    const bool keep = casechanged && charsetcaseshighbytes(uc(s.cs)) && isutf8text(text);
    if (keep)
        printout(messages, "Warning:" + escapedword(s.inputfilealias) + " is UTF-8 text; -cs " + escapedword(s.cs) +
                               " is a single-byte set, so its bytes above 127 keep their case.\n");
    return keep;
}

}  // namespace

void formatfile(filerun& run) {
    inputtext input = readinput(run.s, run.inputstring);
    refuseinplacecut(run.s, input.identity, run.messages);
    const bool keephighbytecase = keepcaseofutf8(run.s, input.text, run.messages);
    formattedtext output =
        formattext(run.s, commandlineswitches(), std::move(input.text), run.messages, std::cout, keephighbytecase);
    if (!output.formatted) return;
    const settings& s = output.s;  // in-source options may have changed backups and output
    std::string backupdirectory = s.bdir;
    if (endswith(backupdirectory, "\\")) backupdirectory.pop_back();
    std::string error;
    const std::string& bytes = input.cut ? input.bytes : output.input;
    if (!backupfile(run.messages, s.inputfile, bytes, s.b, s.v, backupdirectory, error)) die(error);
    writeoutput(s, output, input.identity, !run.inputstring.empty(), run.outputstring, run.messages);
}

textresult runtext(const settings& s, const std::string& source) {
    messagestream messages;
    messages.stringmode = 1;
    textresult result;
    int32_t done = 0;
    result.status = reportfile(
        s, messages,
        [&] {
            formattedtext output = formattext(s, commandlineswitches(), source, messages);
            result.formatted = output.formatted;
            result.text = std::move(output.text);
        },
        done);
    result.listing = std::move(messages.text);
    return result;
}
