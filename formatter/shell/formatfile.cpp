// One file formatted: the input read, the engine's format driver, the backup and the output.
#include "formatfile.h"

#include "backups.h"
#include "commandline.h"
#include "formatter.h"
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

void formatfile(formatter& f) {
    readinput(f);
    refuseinplacecut(f);
    if (!f.formatsource(commandlineswitches())) return;
    const settings& s = f.s;
    std::string backupdirectory = s.bdir;
    if (endswith(backupdirectory, "\\")) backupdirectory.pop_back();
    std::string error;
    if (!backupfile(f.messages, s.inputfile, f.inputasread(), s.b, s.v, backupdirectory, error)) die(error);
    writeoutput(f);
}

textresult formattext(const settings& s, const switchparser& switches, const std::string& source) {
    formatter f;
    f.s = s;
    f.messages.stringmode = 1;
    f.sourcetext = source;
    textresult result;
    int32_t done = 0;
    result.status = reportfile(s, f.messages, [&] {
        if (!f.formatsource(switches)) return;
        result.text = outputtext(f);
        result.formatted = true;
    }, done);
    result.listing = f.messages.text;
    return result;
}
