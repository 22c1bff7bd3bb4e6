// The call tree (-ct): the subprograms a source defines and the calls made in their bodies,
// pruned to the routines the source defines and printed as a tree on standard output.
#include "charsets.h"
#include "formatter.h"
#include "support.h"

#include <algorithm>
#include <iostream>

namespace {

bool issubprogrambody(const std::string& blockname) {
    return blockname == "procedurebegin" || blockname == "functionbegin" || blockname == "triggerbegin";
}

}  // namespace

// A subprogram's name after PROCEDURE, FUNCTION or TRIGGER outside any body is a definition;
// inside a body, a name followed by "(" or ";" is a call.
void formatter::registerdeclaration() {
    if (!s.ct) return;
    position t = currenttoken;
    if (t->kind != identifier || t->text() == ".") return;
    std::string name(t->text());
    position last = t;
    position dot = std::next(t);
    if (dot != tokens.end() && dot->text() == ".") {
        position part = std::next(dot);
        if (part != tokens.end() && part->kind == identifier) {
            name += ".";
            name += part->text();
            last = part;
        }
    }
    std::string text;
    position after = nextsignificant(std::next(last));
    if (after != tokens.end() && after->text() == "(") {
        int32_t depth = 0;
        position close = after;
        for (; close != tokens.end() && close->kind != endtoken; ++close) {
            if (close->text() == "(") ++depth;
            if (close->text() == ")" && --depth == 0) break;
        }
        if (close == tokens.end() || close->kind == endtoken) return;
        text = squeezedspace(jointokentexts(after, std::next(close)), false, false);
        after = nextsignificant(std::next(close));
    }
    bool endsstatement = after != tokens.end() && after->text() == ";";
    bool inbody = routinelevelat(blocks.blocklevel).begin >= 0;
    if (!inbody) {
        position before = previoussignificant(t);
        int32_t c = before->classcode;
        bool header = c == classprocedure || c == classfunction || c == classtrigger;
        if (header && !endsstatement) registerroutine(name, charsetlc(name), text);
    } else if (!text.empty() || endsstatement) {
        std::string caller = callingroutine();
        if (!caller.empty()) registercall(caller, name, text);
    }
}

// The routine whose body the current token is in; "" outside subprogram bodies.
std::string formatter::callingroutine() {
    const int32_t level = routinelevelat(blocks.blocklevel).body;
    if (level < 1) return "";
    int32_t header = level - 1;
    if (header >= 1 && blocks.blockstack.peek(header).blockname == "declare") --header;
    const linerecord& r = blocks.blockstack.peek(header);
    return r.routinekey.empty() ? charsetlc(r.unitname) : r.routinekey;
}

// Each level's entry follows from the one below and its own record, so the entries below
// the lowest level changed since the last call are kept (the top few are always counted
// again: rules may still be changing them through references they hold).
formatter::routinelevel formatter::routinelevelat(int32_t level) {
    constexpr int32_t recountedtop = 3;
    if (level < 0) return {};
    const int32_t changed = blocks.blockstack.takelowestchanged(linetable::routinewatcher);
    routinelevelsvalid = std::max(0, std::min(routinelevelsvalid, changed - 1));
    if (routinelevels.size() <= static_cast<size_t>(level)) routinelevels.resize(static_cast<size_t>(level) + 1);
    const bool outermostbegins = blocks.blockstack.peek(0).blockname.find("begin") != std::string::npos;
    routinelevels[0] = {0, outermostbegins ? 0 : -1};
    for (int32_t i = std::max(0, std::min(routinelevelsvalid, level - recountedtop)) + 1; i <= level; ++i) {
        const std::string& name = blocks.blockstack.peek(i).blockname;
        ++routinelevelsread;
        const routinelevel& below = routinelevels[static_cast<size_t>(i) - 1];
        routinelevels[static_cast<size_t>(i)] = {issubprogrambody(name) ? i : below.body,
                                                 name.find("begin") != std::string::npos ? i : below.begin};
    }
    routinelevelsvalid = level;
    return routinelevels[static_cast<size_t>(level)];
}

void formatter::registerroutine(const std::string& name, const std::string& key, const std::string& text) {
    routinedefinitions[key] = numtostring(tokenline(currenttoken));
    std::shared_ptr<routinerecord>& record = routines[key];
    if (!record) {
        record = std::make_shared<routinerecord>(1);
        routinenames.push_back(key);
    }
    record->isdefined = 1;
    record->name = name;
    declarationtexts[key][key] = text;
    linerecord& header = blocks.blockstack.at(blocks.blocklevel);
    if (tables().unitkind->partialmatch(header.blockname)) header.routinekey = key;
}

void formatter::registercall(const std::string& caller, const std::string& name, const std::string& text) {
    std::shared_ptr<routinerecord>& record = routines[caller];
    if (!record) {
        record = std::make_shared<routinerecord>(0);
        routinenames.push_back(caller);
    }
    record->callednames.push_back(name);
    record->callplaces.push_back(text);
    declarationtexts[caller][charsetlc(name)] = text;
}

void formatter::prunecalls() {
    for (const std::string& routine : routinenames) {
        auto found = routines.find(routine);
        if (found == routines.end()) continue;
        routinerecord& record = *found->second;
        std::vector<std::string> names = record.callednames, places = record.callplaces;
        places.resize(names.size());
        for (size_t i = 0; i < names.size();) {
            if (routinedefinitions.count(charsetlc(names[i]))) {
                ++i;
                continue;
            }
            names.erase(names.begin() + static_cast<std::ptrdiff_t>(i));
            places.erase(places.begin() + static_cast<std::ptrdiff_t>(i));
        }
        record.callednames = std::move(names);
        record.callplaces = std::move(places);
    }
}

// Each unit the source defines, then the routines it calls, two blanks deeper per level; a
// routine already on the path is marked and not expanded again.
void formatter::printcalltree(const std::vector<std::string>& units) {
    std::map<std::string, int32_t> onpath;
    for (const std::string& unit : units) {
        auto found = routines.find(unit);
        if (found == routines.end() || !found->second->isdefined) continue;
        const routinerecord& record = *found->second;
        *listings << record.name + " " + s.inputfilealias + ":" + routinedefinitions[unit] + "\n";
        onpath[unit] = 1;
        printcalltree(1, record, onpath);
        onpath[unit] = 0;
    }
    listings->flush();
}

void formatter::printcalltree(int32_t depth, const routinerecord& record, std::map<std::string, int32_t>& onpath) {
    for (size_t i = 0; i < record.callednames.size(); ++i) {
        const std::string& name = record.callednames[i];
        std::string key = charsetlc(name);
        int32_t& flag = onpath[key];
        std::string line(static_cast<size_t>(2 * depth), ' ');
        line += name + record.callplaces[i];
        line += flag ? "(recursion) " : " ";
        auto defined = routinedefinitions.find(key);
        line += s.inputfilealias + ":" + (defined != routinedefinitions.end() ? defined->second : "") + "\n";
        *listings << line;
        if (flag) continue;
        auto called = routines.find(key);
        if (called == routines.end()) continue;
        flag = 1;
        printcalltree(depth + 1, *called->second, onpath);
        flag = 0;
    }
}
