// Option parsing and the -D definitions.
#include "cpreprocessor.h"

#include <algorithm>
#include <utility>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "charsettables.h"
#include "cpperrors.h"
#include "cpplexer.h"
#include "cppmacros.h"
#include "cppsqlplus.h"
#include "cppstate.h"
#include "scregexp.h"
#include "translationfiles.h"

const std::string_view usagetext =
    "qorn [filename] [options]\n"
    "-D macroname=macrobody define macroname as macrobody\n"
    "-D macroname           define macroname\n"
    "-sI path               add path to system header path\n"
    "-I path                add path to quoted header path\n"
    "-pf filename           preload this use, use defines from there.\n"
    "-c[+-]                 generate/use cache files\n"
    "-ld[+-]                insert line directives               \n"
    "-ild[+-]               ignore line directives in source\n"
    "-kld[+-]               keep line directives in source\n"
    "-cs characterset       user characterset\n";

namespace {

[[noreturn]] void optionerror(const std::string& message) { throw preprocesserror(message); }

// A boolean switch: "-" name "+" sets its flag, "-" name "-" clears it.
struct swinfo {
    std::string name;
    bool* flag = nullptr;
};

// t, c, ld, ild, kld, in this order.
std::vector<swinfo> booleanswitches(switchstate& switches) {
    return {
        {"t", &switches.t}, {"c", &switches.c}, {"ld", &switches.ld}, {"ild", &switches.ild}, {"kld", &switches.kld}};
}

// "-" name followed by exactly one "+" or "-".
bool setbooleanswitch(switchstate& switches, const std::string& argument) {
    for (const swinfo& entry : booleanswitches(switches)) {
        if (!hasprefix(argument, "-" + entry.name) || argument.size() != entry.name.size() + 2) continue;
        char sign = argument.back();
        if (sign != '+' && sign != '-') continue;
        *entry.flag = sign == '+';
        return true;
    }
    return false;
}

[[noreturn]] void printusage() {
    std::fwrite(usagetext.data(), 1, usagetext.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    std::exit(0);
}

// The -D value, when it has one of the two forms.
std::string checkoptionmacro(std::string value) {
    if (!namevaluematcher().match(value) && !namematcher().match(value))
        optionerror("unknown argument after -D:" + value);
    return value;
}

// A string option and its value; false when the argument is none of them.
bool takestringoption(optionstate& options, const std::string& argument, size_t& index,
                      const std::vector<std::string>& args) {
    if (argument == "-D")
        options.pendingdefinitions.push_back(checkoptionmacro(nextargument(index, args, "macro name is not given")));
    else if (argument == "-I") options.quotedpaths.push_back(nextpathargument(index, args, "quoted path is not given"));
    else if (argument == "-sI")
        options.systempaths.push_back(nextpathargument(index, args, "library system path is not given"));
    else if (argument == "-pf")
        options.preloadfiles.push_back(nextargument(index, args, "filename is not given after -pf"));
    else if (argument == "-cs") options.charsetname = nextargument(index, args, "character set is not given after -cs");
    else if (argument == "-h") printusage();
    else return false;
    return true;
}

void selectcharset(const std::string& charsetname, casemap& lowercase) {
    static const bool tablesbuilt = (buildcharsettable(), buildidentifiertables(), true);
    (void)tablesbuilt;
    if (!choosecharset(charsetname, lowercase)) optionerror("unknown character set:" + charsetname);
}

}  // namespace

std::string nextargument(size_t& index, const std::vector<std::string>& args, const std::string& message) {
    if (index >= args.size()) optionerror(message);
    return args[index++];
}

std::string nextpathargument(size_t& index, const std::vector<std::string>& args, const std::string& message) {
    std::string path = nextargument(index, args, message);
    if (path.size() > 1 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    return path;
}

void defineoptionmacro(macrostate& macros, textstore& kept, const casemap& lowercase, errorreporter errors,
                       const std::string& value) {
    namevaluematcher namevalue;
    if (namevalue.match(value)) {
        std::string body = namevalue.group(2);
        size_t position = 0;
        tokenlist tokens = tokenizeline(errors, false, position, body);
        auto first =
            std::find_if(tokens.begin(), tokens.end(), [](const atoken& t) { return t.kind != kindwhitespace; });
        tokens.erase(tokens.begin(), first);
        macro definition;
        definition.body = keeptokens(kept, tokens);
        definemacro(macros, lowercase, namevalue.group(1), std::move(definition));
        return;
    }
    namematcher name;
    if (name.match(value)) {
        macro definition;
        definition.body = {{kindendofline, {}}};
        definemacro(macros, lowercase, name.group(1), std::move(definition));
        return;
    }
    optionerror("unknown argument after -D:" + value);
}

void parseoptions(preprocessstate& state, const std::vector<std::string>& args) {
    clearmacros(state.macros);
    state.options = {};
    state.warnings.clear();
    buildsqlpluscommands();
    for (size_t index = 1; index < args.size();) {
        const std::string& argument = args[index++];
        if (takestringoption(state.options, argument, index, args) || setbooleanswitch(state.switches, argument))
            continue;
        if (!state.sourcefilename.empty()) optionerror("unknown argument:" + argument);
        setsourcefile(state, argument);
    }
    selectcharset(state.options.charsetname, state.lowercase);
    for (const std::string& value : std::exchange(state.options.pendingdefinitions, {}))
        defineoptionmacro(state.macros, state.kepttexts, state.lowercase, errorreporter(state), value);
}
