// The call tree (-ct): the subprograms a source defines and the calls made in their bodies,
// pruned to the routines the source defines and printed as a tree.
#include "calltree.h"

#include "charsets.h"
#include "support.h"

#include <algorithm>
#include <ostream>

namespace {

bool issubprogrambody(const std::string& blockname) {
    return blockname == "procedurebegin" || blockname == "functionbegin" || blockname == "triggerbegin";
}

}  // namespace

// The routine whose body the current token is in; "" outside subprogram bodies.
std::string calltree::callingroutine(const linetable& blockstack, int32_t body) const {
    if (body < 1) return "";
    int32_t header = body - 1;
    if (header >= 1 && blockstack.peek(header).blockname == "declare") --header;
    const linerecord& r = blockstack.peek(header);
    return r.routinekey.empty() ? set.lc(r.unitname) : r.routinekey;
}

// Each level's entry follows from the one below and its own record, so the entries below
// the lowest level changed since the last call are kept (the top few are always counted
// again: rules may still be changing them through references they hold).
calltree::routinelevel calltree::routinelevelat(const linetable& blockstack, int32_t changed, int32_t level) {
    constexpr int32_t recountedtop = 3;
    if (level < 0) return {};
    routinelevelsvalid = std::max(0, std::min(routinelevelsvalid, changed - 1));
    if (routinelevels.size() <= static_cast<size_t>(level)) routinelevels.resize(static_cast<size_t>(level) + 1);
    const bool outermostbegins = blockstack.peek(0).blockname.find("begin") != std::string::npos;
    routinelevels[0] = {0, outermostbegins ? 0 : -1};
    for (int32_t i = std::max(0, std::min(routinelevelsvalid, level - recountedtop)) + 1; i <= level; ++i) {
        const std::string& name = blockstack.peek(i).blockname;
        ++routinelevelsread;
        const routinelevel& below = routinelevels[static_cast<size_t>(i) - 1];
        routinelevels[static_cast<size_t>(i)] = {issubprogrambody(name) ? i : below.body,
                                                 name.find("begin") != std::string::npos ? i : below.begin};
    }
    routinelevelsvalid = level;
    return routinelevels[static_cast<size_t>(level)];
}

void calltree::registerroutine(const std::string& name, const std::string& key, const std::string& text, int32_t line) {
    routinedefinitions[key] = numtostring(line);
    std::shared_ptr<routinerecord>& record = routines[key];
    if (!record) {
        record = std::make_shared<routinerecord>(1);
        routinenames.push_back(key);
    }
    record->isdefined = 1;
    record->name = name;
    declarationtexts[key][key] = text;
}

void calltree::registercall(const std::string& caller, const std::string& name, const std::string& text,
                            int32_t sequence) {
    if (sequence >= 0) {
        const size_t index = static_cast<size_t>(sequence);
        if (index >= calltokens.size()) calltokens.resize(std::max(index + 1, 2 * calltokens.size()));
        if (calltokens[index]) return;
        calltokens[index] = true;
    }
    std::shared_ptr<routinerecord>& record = routines[caller];
    if (!record) {
        record = std::make_shared<routinerecord>(0);
        routinenames.push_back(caller);
    }
    record->callednames.push_back(name);
    record->callplaces.push_back(text);
    declarationtexts[caller][set.lc(name)] = text;
}

void calltree::prunecalls() {
    for (const std::string& routine : routinenames) {
        auto found = routines.find(routine);
        if (found == routines.end()) continue;
        routinerecord& record = *found->second;
        std::vector<std::string> names = record.callednames, places = record.callplaces;
        places.resize(names.size());
        for (size_t i = 0; i < names.size();) {
            if (routinedefinitions.count(set.lc(names[i]))) {
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
void calltree::printcalltree(std::ostream& out, const std::string& filealias) const {
    std::vector<std::string> units;
    for (const auto& [unit, text] : declarationtexts) units.push_back(unit);
    std::map<std::string, int32_t> onpath;
    for (const std::string& unit : sortstrings(units)) {
        auto found = routines.find(unit);
        if (found == routines.end() || !found->second->isdefined) continue;
        const routinerecord& record = *found->second;
        auto defined = routinedefinitions.find(unit);
        out << record.name + " " + filealias + ":" + (defined != routinedefinitions.end() ? defined->second : "") +
                   "\n";
        onpath[unit] = 1;
        printcalltree(out, filealias, 1, record, onpath);
        onpath[unit] = 0;
    }
    out.flush();
}

void calltree::printcalltree(std::ostream& out, const std::string& filealias, int32_t depth,
                             const routinerecord& record, std::map<std::string, int32_t>& onpath) const {
    for (size_t i = 0; i < record.callednames.size(); ++i) {
        const std::string& name = record.callednames[i];
        std::string key = set.lc(name);
        int32_t& flag = onpath[key];
        std::string line(static_cast<size_t>(2 * depth), ' ');
        line += name + record.callplaces[i];
        line += flag ? "(recursion) " : " ";
        auto defined = routinedefinitions.find(key);
        line += filealias + ":" + (defined != routinedefinitions.end() ? defined->second : "") + "\n";
        out << line;
        if (flag) continue;
        auto called = routines.find(key);
        if (called == routines.end()) continue;
        flag = 1;
        printcalltree(out, filealias, depth + 1, *called->second, onpath);
        flag = 0;
    }
}
