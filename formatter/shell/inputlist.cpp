// Input list and output names: filling the pair lists from the input and output switches.
#include "inputlist.h"

#include "globals.h"
#include "messages.h"
#include "paths.h"
#include "support.h"
#include "supportfiles.h"

namespace {

// The listing's record of a matched file; the mask's folder is what the user named.
listedfile listed(const matchedfile& file, const std::string& base) {
    listedfile entry;
    entry.identity.device = static_cast<dev_t>(file.entry.device);
    entry.identity.inode = static_cast<ino_t>(file.entry.inode);
    entry.identity.known = file.entry.known;
    entry.link = file.entry.symlink;
    entry.namedlength = startswith(file.path, base) ? static_cast<int32_t>(base.size()) : 0;
    return entry;
}

// Puts every match of mask into the next slots; inputonly false makes each its own output,
// named by the program unless the listing found a link there (which a plain mask follows).
void addmatches(settings& s, const std::string& mask, int32_t recursive, bool inputonly) {
    std::string base = directoryof(mask);
    for (const matchedfile& file : listmask(mask, recursive)) {
        if (recursive) s.recursionbases.at(s.fileindex) = base;
        s.inputfiles.at(s.fileindex) = file.path;
        s.listedinputs.at(s.fileindex) = listed(file, base);
        if (!inputonly) {
            s.outputfiles.at(s.fileindex) = file.path;
            s.outputnamedlengths.at(s.fileindex) = file.entry.symlink ? -1 : s.listedinputs.at(s.fileindex).namedlength;
        }
        ++s.fileindex;
    }
}

}  // namespace

bool ismask(const std::string& value) { return value.find_first_of("?*[") != std::string::npos; }

void addinputfile(settings& s, const std::string& value, int32_t recursive) {
    if (!s.inputfiles.at(s.fileindex).empty()) ++s.fileindex;
    if (ismask(value)) addmatches(s, value, recursive, true);
    else s.inputfiles.at(s.fileindex) = value;
}

void setoutputfile(commandlineargs& args, const std::string& value, settings& s) {
    if (!s.inputfile.empty()) {
        s.outputfile = value;
        return;
    }
    if (!s.outputfiles.at(s.fileindex).empty()) ++s.fileindex;
    if (s.inputfiles.at(s.fileindex).empty() && !args.lastinputmask.empty())
        usageerror(args.messages, "-o " + escapedword(value) + " cannot follow the mask " +
                                      escapedword(args.lastinputmask) +
                                      ", which may name many files: name their outputs with -od, -odr or -oe.");
    if (s.inputfiles.at(s.fileindex).empty())
        usageerror(args.messages, "The input file (-i) is missing before -o " + escapedword(value));
    s.outputfiles.at(s.fileindex) = value;
}

void addinputoutputfile(settings& s, const std::string& value, int32_t recursive) {
    if (!s.inputfiles.at(s.fileindex).empty()) ++s.fileindex;
    if (!s.outputfiles.at(s.fileindex).empty()) ++s.fileindex;
    if (ismask(value)) {
        addmatches(s, value, recursive, false);
        return;
    }
    s.inputfiles.at(s.fileindex) = value;
    s.outputfiles.at(s.fileindex) = value;
    ++s.fileindex;
}

void addexcludedfile(commandlineargs& args, const std::string& value, int32_t recursive) {
    if (!ismask(value)) {
        args.excludednames.insert(value);
        return;
    }
    for (const std::string& path : expandmask(value, recursive)) args.excludednames.insert(path);
}

void setoutputdirectory(commandlineargs& args, const std::string& value) {
    args.outputdirectory = striptrailingseparator(value);
    if (!isdirectory(args.outputdirectory))
        usageerror(args.messages, "The output directory (-od) " + escapedword(value) + " does not exist");
}

std::string outputdirectoryfor(const commandlineargs& args, const std::string& name, const std::string& base) {
    if (!args.outputdirectoryrecursive) return args.outputdirectory;
    std::string relative = base.size() < name.size() ? name.substr(base.size()) : "";
    relative.erase(0, relative.find_first_not_of("/\\"));  // also what an absolute name starts with
    std::string relativedirectory = directoryof(relative);
    if (relativedirectory.empty()) return args.outputdirectory;
    // The folders below the output directory are made when the output is written.
    return joinpath(args.outputdirectory, relativedirectory);
}

int32_t defaultoutputnamedlength(const commandlineargs& args, const std::string& name, const listedfile& listed) {
    if (!args.outputdirectory.empty()) return static_cast<int32_t>(args.outputdirectory.size());
    if (listed.namedlength >= 0) return listed.namedlength;
    return static_cast<int32_t>(directoryof(name).size());
}

std::string defaultoutputname(const commandlineargs& args, const std::string& name, const std::string& oe,
                              const std::string& base) {
    bool intodirectory = !args.outputdirectory.empty();
    if (startswith(oe, "+")) {
        std::string suffix = oe.substr(1);
        if (!intodirectory) return name + suffix;
        return joinpath(outputdirectoryfor(args, name, base), filenameof(name) + suffix);
    }
    std::string directory = intodirectory ? outputdirectoryfor(args, name, base) : parentdirectoryof(name);
    return joinpath(directory, stemof(name) + oe);
}
