// Directive processing: #define, #undef, the conditionals and the skipping of inactive
// sections, #line with the ld, ild and kld switches, #error, #warning, #pragma, and the
// dispatch of #include and #include_next.
#include "cppdirectives.h"

#include <cstdint>
#include <limits>
#include <map>

#include "charsettables.h"
#include "cppconditions.h"
#include "cppdriver.h"
#include "cpperrors.h"
#include "cppincludes.h"
#include "cpplexer.h"
#include "cppmacros.h"
#include "cppstate.h"
#include "cpptextscan.h"

namespace {

// One directive being carried out.
struct directive {
    preprocessstate& state;
    int level;
    bool active;
    tokenoutput& output;
    size_t& position;
    std::string_view text;
    size_t start;  // just after the "#"

    bool calledbyskip() const { return level >= 0; }
    // #elif and #else at the level of the skip belong to the conditional being skipped.
    bool atskiplevel() const { return calledbyskip() && state.ifstack.size() == static_cast<size_t>(level); }
    textplace here() const { return {text, position}; }
};

// What a directive tells a skip in progress.
enum class skipping { stop, goon };

std::string macronameof(directive& d, const std::string& missing) {
    std::string name = scanidentifier(d.position, d.text);
    if (name.empty()) raiseerror(d.state, missing, d.position, d.text);
    return name;
}

void pushcondition(const directive& d, bool taken) {
    d.state.ifstack.push_back({taken, d.state.currentfilename, d.text, static_cast<uint32_t>(d.start), false});
}

// A false branch in active text: the lexer skips the section; a skip goes on.
skipping falsebranch(directive& d) {
    if (!d.calledbyskip()) {
        skipsection(d.state, d.position, d.output, d.text);
        return skipping::stop;
    }
    return skipping::goon;
}

skipping definedirective(directive& d) {
    std::string name = macronameof(d, "the name of macro is missing");
    macro definition = parsemacrodefinition(d.state.kepttexts, errorreporter(d.state), d.position, d.text);
    if (d.active) {
        definemacro(d.state.macros, d.state.lowercase, name, std::move(definition));
        ++d.state.cache.uncacheableevents;
    }
    return skipping::stop;
}

skipping undefdirective(directive& d) {
    std::string name = macronameof(d, "the name of macro is missing in #undef");
    if (d.active) {
        undefinemacro(d.state.macros, d.state.lowercase, name);
        ++d.state.cache.uncacheableevents;
    }
    return skipping::stop;
}

skipping ifdefdirective(directive& d, bool wanted, const std::string& missing) {
    std::string name = macronameof(d, missing);
    tokenizeline(d.state, false, d.position, d.text);
    bool taken = (findmacro(d.state.macros, d.state.lowercase, name) != nullptr) == wanted;
    pushcondition(d, taken);
    if (!taken && d.active) skipsection(d.state, d.position, d.output, d.text);
    return skipping::stop;
}

skipping ifdirective(directive& d) {
    tokenlist line = tokenizeline(d.state, true, d.position, d.text);
    bool value = d.active && evaluatecondition(d.state, std::move(line), d.here()) != 0;
    pushcondition(d, value);
    if (!value && d.active) skipsection(d.state, d.position, d.output, d.text);
    return skipping::stop;
}

ifcondrec& opencondition(const directive& d, const std::string& noif) {
    if (d.state.ifstack.empty()) raiseerror(d.state, noif, d.position, d.text);
    return d.state.ifstack.back();
}

skipping elifdirective(directive& d) {
    tokenlist line = tokenizeline(d.state, true, d.position, d.text);
    ifcondrec& top = opencondition(d, "#elif found but there are no #if or #ifdef");
    if (top.elseseen) raiseerror(d.state, "#elif found after #else or #elif", d.position, d.text);
    if (!d.active && !d.atskiplevel()) return skipping::stop;
    bool value = false;
    if (!top.taken) {
        value = evaluatecondition(d.state, std::move(line), d.here()) != 0;
        top = {value, d.state.currentfilename, d.text, static_cast<uint32_t>(d.start), false};
    }
    return value ? skipping::stop : falsebranch(d);
}

skipping elsedirective(directive& d) {
    ifcondrec& top = opencondition(d, "#else found but there are no #if or #ifdef");
    if (top.elseseen) {
        printifstack(d.state);
        raiseerror(d.state, "#else found after #else or #elif", d.position, d.text);
    }
    top.elseseen = true;
    if (!top.taken || (!d.active && !d.atskiplevel())) return skipping::stop;
    return falsebranch(d);
}

skipping endifdirective(directive& d) {
    opencondition(d, "#endif found but there are no #if or #ifdef");
    d.state.ifstack.pop_back();
    return skipping::stop;
}

// The number of a #line directive: it must fit the line counter.
int32_t linenumber(const atoken& number, const directive& d) {
    int64_t value = 0;
    for (char c : number.text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int32_t>::max())
            raiseerror(d.state, "the line number of #line is too big", d.position, d.text);
    }
    return static_cast<int32_t>(value);
}

// Sets the #line state from the line's tokens; gives the tokens as the output keeps them.
tokenlist applylinedirective(tokenlist line, const directive& d) {
    size_t index = 0;
    atoken first = peektokenat(index, line);
    if (first.kind != kinddecimal) {
        line = expandlist(d.state, line, d.here());
        index = 0;
        first = peektokenat(index, line);
    }
    if (first.kind != kinddecimal) return line;
    int32_t number = linenumber(first, d);
    ++index;
    atoken name = peektokenat(index, line);
    if (name.kind == kindquotedname && name.text.size() >= 2)
        d.state.lines.file = std::string(name.text.substr(1, name.text.size() - 2));
    d.state.lines.offset = number - lineofposition(d.state.lineindexes, d.position, d.text);
    d.state.lines.inforce = true;
    ++d.state.cache.uncacheableevents;
    return line;
}

skipping linedirective(directive& d) {
    tokenlist line = tokenizeline(d.state, false, d.position, d.text);
    if (!d.state.switches.ild) line = applylinedirective(std::move(line), d);
    if (d.state.switches.kld) {
        d.output.push_back({kindhash, "#"});
        d.output.push_back({kindidentifier, "line"});
        d.output.push_back({kindwhitespace, " "});
        for (const atoken& token : line)
            if (token.kind != kindendofline) d.output.push_back(token);
        d.output.push_back({kindwhitespace, "\n"});
    }
    return skipping::stop;
}

skipping errordirective(directive& d) {
    tokenlist line = tokenizeline(d.state, false, d.position, d.text);
    if (d.active) raiseerror(d.state, "#error:" + jointokens(line), d.position, d.text);
    return skipping::stop;
}

skipping warningdirective(directive& d) {
    tokenlist line = tokenizeline(d.state, false, d.position, d.text);
    if (d.active) {
        d.state.warnings.push_back("#warning:" + jointokens(line));
        ++d.state.cache.uncacheableevents;
    }
    return skipping::stop;
}

skipping pragmadirective(directive& d) {
    tokenizeline(d.state, false, d.position, d.text);
    return skipping::stop;
}

skipping includenextdirective(directive& d, bool next) {
    includedirective(d.state, next, d.active, d.output, d.position, d.text);
    return skipping::stop;
}

using directivehandler = skipping (*)(directive&);

const std::map<std::string, directivehandler, std::less<>>& directivehandlers() {
    static const std::map<std::string, directivehandler, std::less<>> handlers = {
        {"if", ifdirective},
        {"elif", elifdirective},
        {"else", elsedirective},
        {"line", linedirective},
        {"endif", endifdirective},
        {"error", errordirective},
        {"ifdef", [](directive& d) { return ifdefdirective(d, true, "the name of macro is missing in #ifdef"); }},
        {"undef", undefdirective},
        {"define", definedirective},
        {"ifndef", [](directive& d) { return ifdefdirective(d, false, "the name of macro is missing in #ifndef"); }},
        {"pragma", pragmadirective},
        {"include", [](directive& d) { return includenextdirective(d, false); }},
        {"warning", warningdirective},
        {"include_next", [](directive& d) { return includenextdirective(d, true); }},
    };
    return handlers;
}

}  // namespace

std::string processdirective(preprocessstate& state, int level, bool active, tokenoutput& output, size_t& position,
                             std::string_view text) {
    directive d{state, level, active, output, position, text, position};
    skiplineblanks(state, position, text);
    std::string name = scanidentifier(position, text);
    if (name.empty()) {
        output.push_back({kindhash, "#"});
        return name;
    }
    name = charsetlower(state.lowercase, name);
    skiplineblanks(state, position, text);
    auto handler = directivehandlers().find(name);
    if (handler == directivehandlers().end()) raiseerror(state, "this directive is not known", position, text);
    skipping next = handler->second(d);
    if (state.switches.ld && name != "line") {
        // A skipped directive's token would be thrown away, but its text kept for the rest of
        // the call: many skipped lines under a long #line name would fill the memory.
        if (active) output.push_back(linetokenat(state, position, text));
        else state.currentfilename = linetokenfile(state.lines, state.currentfilename);
    }
    return next == skipping::goon ? std::string() : name;
}

void skipsection(preprocessstate& state, size_t& position, const tokenoutput& output, std::string_view text) {
    size_t level = state.ifstack.size();
    tokenoutput discarded;
    for (;;) {
        discarded.clear();
        if (processtext(state, false, discarded, position, text).kind == kindend) {
            printifstack(state);
            dumptext(output.text());
            raiseerror(state, "#endif not found", position, text);
        }
        std::string name = processdirective(state, static_cast<int>(level), false, discarded, position, text);
        if (state.ifstack.size() < level && name == "endif") return;
        if (state.ifstack.size() == level && (name == "elif" || name == "else")) return;
    }
}

void starttopleveltext(preprocessstate& state) {
    state.ifstack.clear();
    state.includes.stack.clear();
    state.lines = {};
    state.statement.afterblank = false;
}

void checkconditionalsclosed(const std::vector<ifcondrec>& ifstack, errorreporter errors, const tokenoutput& output,
                             std::string_view text) {
    if (ifstack.empty()) return;
    printifstack(errors);
    dumptext(output.text());
    raiseerror(errors, "#endif not found", text.size(), text);
}
