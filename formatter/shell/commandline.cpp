// Command-line parsing: the switch table (one row per switch: its pattern, its value's
// field or setter, kind and range), pending values, exclusive groups, -ls insertion, the
// checks after the pass and the default output names.

#include "commandline.h"

#include "charsets.h"
#include "globals.h"
#include "htmltags.h"
#include "inputlist.h"
#include "outputwriter.h"
#include "pattern.h"
#include "paths.h"
#include "settingsfiles.h"
#include "support.h"
#include "switchlistings.h"
#include "ifsblocks.h"
#include "switchtable.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <iostream>

const std::vector<std::vector<std::string>>& exclusiveswitchgroups() {
    static const std::vector<std::vector<std::string>> groups = {
        {"uk", "ck", "lk"}, {"ut", "uts"}, {"ui", "ci", "li"}, {"sbi", "rbi"}, {"pl", "plo"}};
    return groups;
}

namespace {

constexpr int maxsettingsnesting = 32;
constexpr int32_t maxindentlevel = 1000;

// A decimal integer with an optional sign and nothing else (a size in tabs may also end
// in "t"); false when the text is not one.
bool readnumber(const std::string& text, bool tabsallowed, int64_t& number) {
    size_t i = 0, end = text.size();
    if (tabsallowed && end > 0 && text[end - 1] == 't') --end;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == end) return false;
    number = 0;
    for (; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        number = std::min<int64_t>(number * 10 + (text[i] - '0'), int64_t(1) << 40);
    }
    if (negative) number = -number;
    return true;
}

// A settings file loaded by -ls: the file it was named in (-1 for the command line) and
// its identity, so that a file that loads itself is caught.
struct loadedfile {
    int parent = -1;
    bool known = false;
    dev_t device = 0;
    ino_t inode = 0;
};

}  // namespace

class commandlineparser {
public:
    commandlineparser(commandlineargs& a, settings& record, int fromcmd)
        : args(a), s(record), fromcommandline(fromcmd != 0) {}
    void run();

private:
    friend std::span<const switchrow> switchrows();
    static const switchrow rows[];

    void resetparsestart();
    void firstpass();
    void mainpass();
    void recognise(const std::string& word);
    void takevalue(const switchrow& r, const std::string& value);
    void objectvalue(const std::string& name, const std::string& value);
    void checknesting(const std::string& name);
    void setflag(const std::string& name, const std::string& sign);
    int32_t checkednumber(const std::string& name, const numberrange& range, bool tabs, const std::string& value);
    int32_t checkednumber(const switchrow& r, const std::string& value) {
        return checkednumber(r.name, r.range, r.tabs, value);
    }
    void redirecterrorstream(const std::string& name);
    void finisherrorfile();
    bool errorfileisinput(const std::string& name);
    void checkresult();
    void makepairs();
    void showswitchesandend();
    [[noreturn]] void fail(const std::string& message) { usageerror(args.messages, message); }

    // Steps of the rows, run when a word matches.
    bool help(const std::string&, const patternmatch&);
    bool endblock(const std::string&, const patternmatch&);
    bool inputrow(const std::string&, const patternmatch&);
    bool nooutput(const std::string&, const patternmatch&);
    bool inputoutputrow(const std::string&, const patternmatch&);
    bool excludedrow(const std::string&, const patternmatch&);
    bool outputdirectoryrow(const std::string&, const patternmatch&);
    bool tagrow(const std::string&, const patternmatch&);
    bool structurerow(const std::string&, const patternmatch&);
    bool objectrow(const std::string&, const patternmatch&);
    bool levelrow(const std::string&, const patternmatch&);
    bool commentrow(const std::string&, const patternmatch&);
    bool errorfilerow(const std::string&, const patternmatch&);
    bool calltreerow(const std::string&, const patternmatch&);
    bool compactrow(const std::string&, const patternmatch&);
    bool listtreerow(const std::string&, const patternmatch&);
    bool explainrow(const std::string&, const patternmatch&);
    bool verboserow(const std::string&, const patternmatch&);
    bool alloffrow(const std::string&, const patternmatch&);
    bool flagrow(const std::string&, const patternmatch&);
    bool ignoredrow(const std::string&, const patternmatch&);

    // Setters of the rows whose value is more than a field.
    void notemask(const std::string& value);
    void setalias(const switchrow& r, const std::string& value);
    void addinput(const switchrow&, const std::string& value);
    void setoutput(const switchrow&, const std::string& value);
    void addinputoutput(const switchrow&, const std::string& value);
    void addexcluded(const switchrow&, const std::string& value);
    void setoutputdirectory(const switchrow&, const std::string& value);
    void loadsettingsfile(const switchrow&, const std::string& value);
    void setcharacterset(const switchrow&, const std::string& value);
    void addidentifier(const switchrow&, const std::string& value);
    void settag(const switchrow&, const std::string& value);
    void addextension(const switchrow&, const std::string& value);
    void settabsizes(const switchrow& r, const std::string& value);
    void setindentsize(const switchrow& r, const std::string& value);
    void setspecificindent(const switchrow& r, const std::string& value);
    void setbackupcount(const switchrow& r, const std::string& value);
    void setminimumitems(const switchrow& r, const std::string& value);
    void setpadding(const switchrow& r, const std::string& value);

    commandlineargs& args;
    settings& s;
    bool fromcommandline;

    std::string pendingvalue;  // the label of the value that the next word gives
    const switchrow* pendingrow = nullptr;
    std::string pendingobject;  // the switch object whose value is pending
    std::string pendinglevel;
    std::string pendingtagtype;
    int32_t recursive = 0;
    bool iogiven = false;
    bool swcgiven = false;
    bool swcxgiven = false;
    std::string defaultswitchtext;
    std::vector<std::vector<std::string>> exclusivegroups;

    std::string pendingerrorfile;  // -e's file, opened when every input is known
    size_t pendingfrom = 0;        // where the messages waiting for it begin in the sink
    char pendingmode = 0;          // the sink's mode before

    size_t current = 0;        // index of the word being parsed
    std::vector<int> origins;  // per word: the settings file it came from, -1 for none
    std::vector<loadedfile> loads;
};

namespace {
using parser = commandlineparser;
}  // namespace

// Tried in this order; the first row whose pattern matches (and whose step does not decline)
// decides. A row named by its switch alone may stand anywhere above the switch-object, flag
// and ignored rows at the end ("-ci" takes a number before the flag row sees "-ci+"), so
// the listed rows stand in the order the switch listings write them.
// clang-format off
const switchrow commandlineparser::rows[] = {
    {.name = "-h", .form = "^-h$|^--help$", .recognised = &parser::help, .inblock = true},
    {.name = "-ei", .form = "^-ei$", .recognised = &parser::endblock, .inblock = true},
    {.name = "-i", .form = "^-i(r)?(=(.+))?$", .valuegroup = 3, .recognised = &parser::inputrow,
     .label = "Input file", .kind = stringkind, .apply = &parser::addinput, .commandlineonly = true},
    {.name = "-ias", .label = "Input file alias", .kind = stringkind, .text = &settings::inputfilealias,
     .apply = &parser::setalias},
    {.name = "-o", .label = "Output file", .kind = stringkind, .apply = &parser::setoutput, .commandlineonly = true},
    {.name = "-no", .form = "^-no$", .recognised = &parser::nooutput},
    {.name = "-oas", .label = "Output file alias", .kind = stringkind, .text = &settings::outputfilealias,
     .apply = &parser::setalias},
    {.name = "-ht", .label = "Html template filename", .kind = stringkind, .text = &settings::ht,
     .commandlineonly = true},
    {.name = "-io(r)", .form = "^-io(r)?(=(.+))?$", .valuegroup = 3, .recognised = &parser::inputoutputrow,
     .label = "Input/Output file", .kind = stringkind, .apply = &parser::addinputoutput, .commandlineonly = true},
    {.name = "-oe", .label = "Output extension", .kind = stringkind, .text = &settings::oe, .commandlineonly = true},
    {.name = "-ef(r)", .form = "^-ef(r)?(=(.+))?$", .valuegroup = 3, .recognised = &parser::excludedrow,
     .label = "Excluded filename", .kind = stringkind, .apply = &parser::addexcluded, .commandlineonly = true},
    {.name = "-od(r)", .form = "^-od(r)?(=(.+))?$", .valuegroup = 3, .recognised = &parser::outputdirectoryrow,
     .label = "Output directory", .kind = stringkind, .apply = &parser::setoutputdirectory, .commandlineonly = true},
    {.name = "-ls", .label = "Settings file", .kind = stringkind, .apply = &parser::loadsettingsfile,
     .inblock = true, .commandlineonly = true},
    {.name = "-si", .label = "Identifier", .kind = stringkind, .apply = &parser::addidentifier},
    {.name = "-tag", .form = "^-tag\\[(.+?)\\](?:=(.+))?$", .valuegroup = 2, .recognised = &parser::tagrow,
     .label = "Tag", .kind = stringkind, .apply = &parser::settag, .commandlineonly = true},
    {.name = "-bdir", .label = "Backup directory", .kind = stringkind, .text = &settings::bdir,
     .commandlineonly = true},
    {.name = "-slsf", .label = "Line synchronization file", .kind = stringkind, .text = &settings::slsf,
     .commandlineonly = true},
    {.name = "-is", .label = "Indent size", .kind = numberkind, .text = &settings::is,
     .apply = &parser::setindentsize, .range = {0, widest}, .tabs = true, .listed = true},
    {.name = "-t", .form = "^-t(?:=([^,]+?(?:,[^,]+)*))?$", .label = "Tab size", .kind = numberkind,
     .numbers = &settings::t, .apply = &parser::settabsizes, .range = {1, widest}, .listed = true},
    {.name = "-mcs", .label = "Maximum column size", .kind = numberkind, .number = &settings::mcs,
     .range = {anynegative, largest}, .inblock = true, .listed = true},
    {.name = "-milipl", .label = "Minimum list items", .kind = numberkind, .number = &settings::milipl,
     .apply = &parser::setminimumitems, .range = {-largest, largest}, .inblock = true, .listed = true},
    {.name = "-mlipl", .label = "Maximum list items", .kind = numberkind, .number = &settings::mlipl,
     .range = {-largest, largest}, .inblock = true, .listed = true},
    {.name = "-cs", .label = "Character set", .kind = stringkind, .text = &settings::cs,
     .apply = &parser::setcharacterset, .listed = true},
    {.name = "-ps", .label = "Padding size", .kind = numberkind, .number = &settings::ps,
     .apply = &parser::setpadding, .range = {1, widest}, .listed = true},
    {.name = "-str", .form = "^-str$", .recognised = &parser::structurerow},
    {.name = "-l", .label = "Lineno", .kind = numberkind, .number = &settings::l, .range = {anynegative, lastline}},
    {.name = "-ae", .label = "Extension", .kind = stringkind, .apply = &parser::addextension, .commandlineonly = true},
    {.name = "-ci", .label = "Continuation indent size", .kind = numberkind, .number = &settings::continuationindent,
     .range = {-widest, widest}, .tabs = true},
    {.name = "-", .form = "^-([\\w.]+)", .recognised = &parser::objectrow, .inblock = true},
    {.name = "-b", .label = "Maximum versions", .kind = numberkind, .number = &settings::b,
     .apply = &parser::setbackupcount, .range = {0, largest}, .commandlineonly = true},
    {.name = "-il", .form = "^-il(\\d+)(?:=(.+))?$", .valuegroup = 2, .recognised = &parser::levelrow,
     .label = "Specific indent size", .kind = numberkind, .apply = &parser::setspecificindent, .range = {0, widest}},
    {.name = "-sl", .label = "Starting line", .kind = numberkind, .number = &settings::sl,
     .range = {anynegative, lastline}},
    {.name = "-el", .label = "Ending line", .kind = numberkind, .number = &settings::el,
     .range = {anynegative, lastline}},
    {.name = "-c", .form = "^-c=(.+)$", .recognised = &parser::commentrow},
    {.name = "-e", .form = "^-e=(.+)$", .recognised = &parser::errorfilerow},
    {.name = "-ct", .form = "^-ct$", .recognised = &parser::calltreerow},
    {.name = "-swc", .form = "^-swc[x]?$", .recognised = &parser::compactrow, .inblock = true},
    {.name = "-lt", .form = "^-lt$", .recognised = &parser::listtreerow},
    {.name = "-x", .form = "^-x$", .recognised = &parser::explainrow, .inblock = true},
    {.name = "-v", .form = "^-v$", .recognised = &parser::verboserow, .inblock = true},
    {.name = "-0", .form = "^-0$", .recognised = &parser::alloffrow, .inblock = true},
    {.name = "-", .form = "^-([\\w.]+)(\\-|\\+|)$", .recognised = &parser::flagrow, .inblock = true},
    {.name = "", .form = "", .recognised = &parser::ignoredrow, .inblock = true},
};
// clang-format on

std::span<const switchrow> switchrows() { return commandlineparser::rows; }

namespace {

// A row's pattern: its own, or the switch name with an optional "=value" (capture 1).
const pattern& rowpattern(const switchrow& r) {
    if (r.form != nullptr) return pattern::get(r.form);
    return pattern::get("^" + std::string(r.name) + "(?:=(.+))?$");
}

}  // namespace

void commandlineparser::run() {
    exclusivegroups = exclusiveswitchgroups();
    resetparsestart();
    try {
        if (fromcommandline) readdefaultconfig(args.arguments, args.messages);
        origins.assign(args.arguments.size(), -1);
        firstpass();
        mainpass();
        checkresult();
    } catch (const std::string&) {
        // The messages that end the run belong in the -e file too.
        finisherrorfile();
        throw;
    }
    finisherrorfile();
}

void commandlineparser::resetparsestart() {
    s.l = -1;
    s.ct = s.lt = s.x = s.v = s.sl = s.el = s.sigiven = 0;
    s.e.clear();
    s.ls.clear();
}

// -sdw and -sdwx show the record as it was handed in; -swc and -swcx keep it for the end.
void commandlineparser::firstpass() {
    for (const std::string& word : args.arguments) {
        if (word == "-sdw" || word == "-sdwx") {
            printout(args.messages, printswitches(s, word == "-sdwx" ? 1 : 0) + "\n");
            dieline(0);
        }
        if (word == "-swc" || word == "-swcx") {
            defaultswitchtext = printswitches(s, 0);
            (word == "-swc" ? swcgiven : swcxgiven) = true;
        }
    }
}

void commandlineparser::mainpass() {
    for (current = 0; current < args.arguments.size(); ++current) {
        const std::string word = args.arguments[current];  // the list may grow under -ls
        if (pendingvalue.empty()) {
            recognise(word);
            continue;
        }
        pendingvalue.clear();
        if (!pendingobject.empty()) {
            const std::string name = pendingobject;
            pendingobject.clear();
            objectvalue(name, word);
        } else {
            takevalue(*pendingrow, word);
        }
    }
}

void commandlineparser::recognise(const std::string& word) {
    patternmatch m;
    for (const switchrow& r : rows) {
        const bool always = r.form != nullptr && *r.form == '\0';
        if (!always && !rowpattern(r).partialmatch(word, &m)) continue;
        if (!r.inblock && s.inifsblock == 1) fail(std::string("Error:") + r.name + ifsmessagetail);
        if (r.recognised != nullptr && !(this->*r.recognised)(word, m)) continue;
        if (r.label != nullptr) {
            if (m.matched(r.valuegroup)) {
                takevalue(r, m.str(r.valuegroup));
            } else {
                pendingvalue = r.label;
                pendingrow = &r;
            }
        }
        return;
    }
}

// In-source options (fromcommandline 0) may not choose backups, templates, extensions or
// any path: those values are consumed and dropped.
void commandlineparser::takevalue(const switchrow& r, const std::string& value) {
    if (r.commandlineonly && !fromcommandline) return;
    if (r.apply != nullptr) (this->*r.apply)(r, value);
    else if (r.kind == numberkind) setnumberbyname(r.name + 1, r.number, checkednumber(r, value), s);
    else s.*r.text = value;
}

// The value of a number or string switch object.
void commandlineparser::objectvalue(const std::string& name, const std::string& value) {
    const switchobject* object = findswitchobject(name);
    if (object == nullptr) return;
    std::string refusal;
    if (object->kind == numberkind || object->kind == numberfieldkind) {
        const int32_t number = checkednumber("-" + name, object->range, false, value);
        if (object->onnumber != nullptr) refusal = object->onnumber(name, number, s);
        else if (object->field != nullptr) setnumberbyname(name, object->field, number, s);
    } else if (object->onblock != nullptr) {
        refusal = object->onblock(value, s);
    } else if (object->ontext != nullptr) {
        refusal = object->ontext(name, value, s);
    }
    if (!refusal.empty()) fail(refusal);
}

void commandlineparser::loadsettingsfile(const switchrow&, const std::string& value) {
    s.ls = value;
    checknesting(s.ls);
    std::vector<std::string> words = loadsettings(s, args.messages);
    const int origin = static_cast<int>(loads.size()) - 1;
    args.arguments.insert(args.arguments.begin() + static_cast<std::ptrdiff_t>(current) + 1, words.begin(),
                          words.end());
    origins.insert(origins.begin() + static_cast<std::ptrdiff_t>(current) + 1, words.size(), origin);
}

// Refuses a settings file that is already being loaded, and nesting beyond the limit.
void commandlineparser::checknesting(const std::string& name) {
    loadedfile file;
    file.parent = current < origins.size() ? origins[current] : -1;
    struct stat status {};
    if (stat(name.c_str(), &status) == 0) {
        file.known = true;
        file.device = status.st_dev;
        file.inode = status.st_ino;
    }
    int depth = 1;
    for (int k = file.parent; k >= 0; k = loads[static_cast<size_t>(k)].parent) {
        const loadedfile& outer = loads[static_cast<size_t>(k)];
        if (file.known && outer.known && outer.device == file.device && outer.inode == file.inode)
            fail("Error:settings file " + escapedword(name) + " loads itself through -ls");
        ++depth;
    }
    // Settings files that load one file twice could double its words with every level; the
    // command line itself may name a file again.
    for (const loadedfile& earlier : loads)
        if (file.parent >= 0 && earlier.parent >= 0 && file.known && earlier.known && earlier.device == file.device &&
            earlier.inode == file.inode)
            fail("Error:settings file " + escapedword(name) + " is loaded more than once through -ls");
    if (depth > maxsettingsnesting)
        fail("Error:settings files are nested deeper than " + numtostring(maxsettingsnesting) + " levels at " +
             escapedword(name));
    loads.push_back(file);
}

// The value of a number switch, the one reading of every number switch: a usage error
// naming the switch when it is no number or lies outside the switch's range.
int32_t commandlineparser::checkednumber(const std::string& name, const numberrange& range, bool tabs,
                                         const std::string& value) {
    int64_t number = 0;
    if (!readnumber(value, tabs, number)) fail("The value " + escapedword(value) + " of " + name + " is not a number.");
    if (number > range.highest)
        fail("The value " + escapedword(value) + " of " + name + " is too large, the largest allowed is " +
             numtostring(range.highest) + ".");
    if (number < range.lowest)
        fail("The value " + escapedword(value) + " of " + name + " is too small, the smallest allowed is " +
             numtostring(range.lowest) + ".");
    return static_cast<int32_t>(number);
}

// Aliases are only ever shown: they are kept as they are shown.
void commandlineparser::setalias(const switchrow& r, const std::string& value) { s.*r.text = escapedword(value); }

// A mask is remembered so that one matching nothing can be named.
void commandlineparser::notemask(const std::string& value) {
    args.lastinputmask = ismask(value) ? value : "";
    if (ismask(value)) args.inputmasks.push_back(value);
}

void commandlineparser::addinput(const switchrow&, const std::string& value) {
    notemask(value);
    addinputfile(s, value, recursive);
}

void commandlineparser::setoutput(const switchrow&, const std::string& value) { setoutputfile(args, value, s); }

void commandlineparser::addinputoutput(const switchrow&, const std::string& value) {
    notemask(value);
    addinputoutputfile(s, value, recursive);
}

void commandlineparser::addexcluded(const switchrow&, const std::string& value) {
    addexcludedfile(args, value, recursive);
}

void commandlineparser::setoutputdirectory(const switchrow&, const std::string& value) {
    ::setoutputdirectory(args, value);
}

void commandlineparser::setcharacterset(const switchrow& r, const std::string& value) { s.*r.text = uc(value); }

void commandlineparser::addidentifier(const switchrow&, const std::string& value) {
    s.si[lc(value)] = value;
    s.sigiven = 1;
}

void commandlineparser::settag(const switchrow&, const std::string& value) { s.tag[pendingtagtype] = value; }

void commandlineparser::addextension(const switchrow&, const std::string& value) { s.ae.insert(value); }

// Tab widths divide columns later, so every width must be at least 1.
void commandlineparser::settabsizes(const switchrow& r, const std::string& value) {
    std::vector<int32_t> widths;
    for (const std::string& piece : split(",", value)) {
        int64_t width = 0;
        if (!readnumber(piece, false, width))
            fail("The value " + escapedword(value) + " of " + r.name + " is not a number.");
        if (width < 1) fail("Tab size " + escapedword(value) + " is not correct, every tab width must be 1 or more.");
        widths.push_back(checkednumber(r, piece));
    }
    if (widths.empty()) fail("Tab size " + escapedword(value) + " is not correct, every tab width must be 1 or more.");
    s.*r.numbers = widths;
}

// The size is kept as given, with its "t".
void commandlineparser::setindentsize(const switchrow& r, const std::string& value) {
    int64_t size = 0;
    if (readnumber(value, true, size) && size < 0)
        fail("Indent size " + escapedword(value) + " is negative which is an incorrect value.");
    checkednumber(r, value);
    s.*r.text = value;
}

void commandlineparser::setspecificindent(const switchrow& r, const std::string& value) {
    int64_t size = 0;
    if (readnumber(value, false, size) && size < 0)
        fail("Indent size " + escapedword(value) + " of level " + pendinglevel +
             " is negative which is an incorrect value.");
    s.il.at(stringtonum(pendinglevel)) = checkednumber(r, value);
}

void commandlineparser::setpadding(const switchrow& r, const std::string& value) {
    int64_t size = 0;
    if (readnumber(value, false, size) && size == 0) fail("Padding size is 0 which is an incorrect value.");
    if (readnumber(value, false, size) && size < 0)
        fail("Padding size " + escapedword(value) + " is negative which is an incorrect value.");
    s.*r.number = checkednumber(r, value);
}

void commandlineparser::setbackupcount(const switchrow& r, const std::string& value) {
    int64_t count = 0;
    if (readnumber(value, false, count) && count < 0)
        fail("Maximum versions " + escapedword(value) + " is negative which is an incorrect value.");
    s.*r.number = checkednumber(r, value);
}

// A minimum of list items per line also puts the commas on the right (-pcr).
void commandlineparser::setminimumitems(const switchrow& r, const std::string& value) {
    const int32_t number = checkednumber(r, value);
    setnumberbyname(r.name + 1, r.number, number, s);
    if (number != 0) setfield(&settings::pcr, 1, s);
}

// The rest of the run writes its messages to the file. The file is opened (and emptied)
// only once every input is known, so that it is never one of them; until then the messages
// wait in the sink.
void commandlineparser::redirecterrorstream(const std::string& name) {
    finisherrorfile();
    pendingerrorfile = name;
    pendingfrom = args.messages.text.size();
    pendingmode = args.messages.stringmode;
    args.messages.stringmode = 1;
}

// Descriptor 2 itself is replaced, so direct writes to the error stream follow too. A name
// such as /dev/stdout leads to that descriptor, whose file is not emptied.
void commandlineparser::finisherrorfile() {
    if (pendingerrorfile.empty()) return;
    const std::string name = pendingerrorfile;
    pendingerrorfile.clear();
    const std::string waiting = args.messages.text.substr(pendingfrom);
    args.messages.text.resize(pendingfrom);
    args.messages.stringmode = pendingmode;
    std::cerr.flush();
    std::fflush(stderr);
    if (errorfileisinput(name)) {
        printout(args.messages, waiting);
        fail("The error file " + escapedword(name) + " is an input file, which -e cannot replace.");
    }
    // An output written over it would take its place, and the messages after it with it.
    if (descriptorofname(name) < 0 && isanoutputfile(s, name)) {
        printout(args.messages, waiting);
        fail("The error file " + escapedword(name) + " is an output file, which would replace it.");
    }
    const int named = descriptorofname(name);
    const int fd = named >= 0 ? ::dup(named) : ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        const std::string reason = errnotext();
        printout(args.messages, waiting);
        die("can't redirect stderr to " + escapedword(name) + ":" + reason + "\n");
    }
    if (fd != 2) {
        ::dup2(fd, 2);
        ::close(fd);
    }
    printout(args.messages, waiting);
}

// Whether the -e file is one of the input files named so far, by name or as the same file.
bool commandlineparser::errorfileisinput(const std::string& name) {
    return descriptorofname(name) < 0 && isaninputfile(s, name);
}

bool commandlineparser::help(const std::string&, const patternmatch&) {
    printusage();
    dieline(2);
}

bool commandlineparser::endblock(const std::string&, const patternmatch&) {
    if (s.inifsblock != 1) fail("Error:there is no corresponding opening -ifs for -ei");
    s.inifsblock = 0;
    return true;
}

bool commandlineparser::inputrow(const std::string&, const patternmatch& m) {
    recursive = m.matched(1) ? 1 : 0;
    return true;
}

bool commandlineparser::nooutput(const std::string&, const patternmatch&) {
    if (fromcommandline) setoutputfile(args, "null", s);
    return true;
}

bool commandlineparser::inputoutputrow(const std::string&, const patternmatch& m) {
    iogiven = true;
    recursive = m.matched(1) ? 1 : 0;
    return true;
}

bool commandlineparser::excludedrow(const std::string&, const patternmatch& m) {
    recursive = m.matched(1) ? 1 : 0;
    return true;
}

bool commandlineparser::outputdirectoryrow(const std::string&, const patternmatch& m) {
    args.outputdirectoryrecursive = m.matched(1) ? 1 : 0;
    return true;
}

bool commandlineparser::tagrow(const std::string& word, const patternmatch& m) {
    const std::string name = m.str(1);
    if (tokenkinds().count(name) == 0) {
        std::vector<std::string> names;
        for (const auto& kind : tokenkinds()) names.push_back(kind.first);
        fail(escapedword(word) + " is not valid,token type " + escapedword(name) + " is not known\n" +
             "Proper values are:" + join(names, ",") + "\n");
    }
    pendingtagtype = name;
    return true;
}

bool commandlineparser::structurerow(const std::string&, const patternmatch&) {
    s.str = 1;
    return true;
}

// A number or string switch object, with its value in the word or pending.
bool commandlineparser::objectrow(const std::string& word, const patternmatch& m) {
    const std::string name = m.str(1);
    const switchobject* object = findswitchobject(name);
    if (object == nullptr || object->kind < numberkind || object->kind > stringkind) return false;
    patternmatch full;
    if (!pattern::get("^-" + name + "(=(.+))?$").partialmatch(word, &full)) return false;
    if (full.matched(2)) {
        objectvalue(name, full.str(2));
    } else {
        pendingvalue = object->description;
        pendingobject = name;
    }
    return true;
}

bool commandlineparser::levelrow(const std::string&, const patternmatch& m) {
    const std::string digits = m.str(1);
    const size_t first = digits.find_first_not_of('0');
    const bool toolarge =
        first != std::string::npos && (digits.size() - first > 4 || stringtonum(digits) > maxindentlevel);
    if (toolarge)
        fail("Indent level " + digits + " is too large, the highest level is " + numtostring(maxindentlevel) + ".");
    pendinglevel = digits;
    return true;
}

bool commandlineparser::commentrow(const std::string&, const patternmatch& m) {
    s.ctext = m.str(1);
    return true;
}

bool commandlineparser::errorfilerow(const std::string&, const patternmatch& m) {
    if (!fromcommandline) return true;
    s.e = m.str(1);
    redirecterrorstream(s.e);
    return true;
}

bool commandlineparser::calltreerow(const std::string&, const patternmatch&) {
    s.ct = 1;
    return true;
}

bool commandlineparser::compactrow(const std::string&, const patternmatch&) { return true; }

bool commandlineparser::listtreerow(const std::string&, const patternmatch&) {
    s.lt = 1;
    return true;
}

bool commandlineparser::explainrow(const std::string&, const patternmatch&) {
    s.x = 1;
    return true;
}

bool commandlineparser::verboserow(const std::string&, const patternmatch&) {
    s.v = 1;
    return true;
}

bool commandlineparser::alloffrow(const std::string&, const patternmatch&) {
    if (s.inifsblock == 1) recordtext("0", "", s);
    else setalloff(s, 1);
    return true;
}

bool commandlineparser::flagrow(const std::string&, const patternmatch& m) {
    const std::string name = m.str(1);
    if (flagfields.count(name) == 0) return false;
    setflag(name, m.str(2));
    return true;
}

bool commandlineparser::ignoredrow(const std::string& word, const patternmatch&) {
    printout(args.messages, "Argument " + escapedword(word) + " is ignored\n");
    return true;
}

// A flag written bare or with "+" (on) or "-" (off): actions run and switch their flag
// back off, switched-on flags run their handler, and the exclusive groups are kept apart.
void commandlineparser::setflag(const std::string& name, const std::string& sign) {
    const fieldref field = flagfields.at(name);
    if (sign == "-") {
        setfield(field, 0, s);
    } else {
        setfield(field, 1, s);
        const switchobject* object = findswitchobject(name);
        if (object != nullptr && object->onnumber != nullptr &&
            (object->kind == actionkind || object->kind == onflagkind)) {
            const std::string refusal = object->onnumber(name, 1, s);
            if (!refusal.empty()) fail(refusal);
            if (object->kind == actionkind) setfield(field, 0, s);
        }
        for (const std::vector<std::string>& group : exclusivegroups) {
            if (std::find(group.begin(), group.end(), name) == group.end()) continue;
            for (const std::string& other : group)
                if (other != name) setfield(flagfields.at(other), 0, s);
        }
    }
    if (name == "sit" && s.sit == 1 && !s.t.empty()) {
        s.is = numtostring(s.t.back());
        for (size_t k = 0; k < s.t.size(); ++k) s.il.at(static_cast<int32_t>(k + 1)) = s.t[k];
    }
}

void commandlineparser::checkresult() {
    if (iogiven && s.html == 1) fail("-io and -html cannot be used at the same time.\n");
    if (s.inifsblock == 1) fail("-ifs is not closed by -ei\n");
    if (!pendingvalue.empty())
        fail("You have some incomplete option specified in your command line.\n(" + pendingvalue + " is not given.)");
    bool anyinput = false;
    for (int32_t i = 0; i < s.inputfiles.size() && !anyinput; ++i) anyinput = !s.inputfiles.at(i).empty();
    if (!anyinput && !args.inputmasks.empty()) {
        // Every mask given matched nothing (what a mask found is only dropped later).
        std::vector<std::string> shown;
        for (const std::string& mask : args.inputmasks) shown.push_back(escapedword(mask));
        fail("No input file is given: " + join(shown, ", ") + (shown.size() == 1 ? " matches" : " match") +
             " no file.");
    }
    if (!anyinput) fail("No input file is given.");
    if (!charsetexists(uc(s.cs))) fail("Character set " + escapedword(s.cs) + " is not correct or not supported.");
    makepairs();
    showswitchesandend();
}

// Drops inputs refused by -ae or excluded by -ef and names the outputs not given.
void commandlineparser::makepairs() {
    int32_t counted = 0;
    int32_t skipped = 0;
    for (int32_t i = 0; i < s.inputfiles.size(); ++i) {
        const std::string name = s.inputfiles.at(i);
        if (name.empty()) continue;
        ++counted;
        const std::string extension = extensionof(name);
        if (!s.ae.empty() && s.ae.count(extension) == 0) {
            printout(args.messages, "The file " + escapedword(name) + " with extension " + escapedword(extension) +
                                        " is not allowed/skipped as specified.\n");
            s.inputfiles.at(i).clear();
            ++skipped;
            continue;
        }
        if (args.excludednames.count(name) != 0) {
            s.inputfiles.at(i).clear();
            ++skipped;
            continue;
        }
        if (s.outputfiles.at(i).empty()) {
            const std::string base = s.recursionbases.at(i);
            s.outputfiles.at(i) = defaultoutputname(args, name, s.oe, base);
            s.outputnamedlengths.at(i) = defaultoutputnamedlength(args, name, s.listedinputs.at(i));
        }
    }
    if (counted > 0 && skipped == counted) usageerrornohint(args.messages, "All files skipped. Nothing is done.");
}

void commandlineparser::showswitchesandend() {
    if ((s.sw == 1 || s.swx == 1) && s.gsfif == 0) {
        printout(args.messages, printswitches(s, s.sw == 1 ? 0 : 1) + "\n");
        dieline(0);
    }
    if (swcgiven || swcxgiven) {
        std::vector<std::string> pieces = compactswitches(printswitches(s, 0), defaultswitchtext);
        printout(args.messages, (swcxgiven ? annotateswitches(pieces, 1) : join(pieces, " ")) + "\n");
        dieline(0);
    }
}

void parsecommandline(commandlineargs& args, settings& s, int fromcommandline) {
    commandlineparser(args, s, fromcommandline).run();
}

settings freshsettings() {
    settings s;
    setdefaults(s);
    applyoptiondefaults(s);
    s.inputfiles.at(0) = "input.sql";
    return s;
}

bool parseswitchwords(const std::vector<std::string>& words, settings& s, std::string& messages) {
    commandlineargs args(1);
    args.arguments = words;
    try {
        parsecommandline(args, s, 0);
    } catch (const std::string& message) {
        messages = args.messages.text + message;
        return false;
    }
    return true;
}
