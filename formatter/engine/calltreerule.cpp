// The call tree's rule (-ct): the definitions and calls among the tokens, noted in the call tree.
#include "charsets.h"
#include "formatter.h"
#include "support.h"

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
    const calltree::routinelevel level = calls.routinelevelat(
        blocks.blockstack, blocks.blockstack.takelowestchanged(linetable::routinewatcher), blocks.blocklevel);
    bool inbody = level.begin >= 0;
    if (!inbody) {
        position before = previoussignificant(t);
        int32_t c = before->classcode;
        bool header = c == classprocedure || c == classfunction || c == classtrigger;
        if (header && !endsstatement) {
            const std::string key = textcharset().lc(name);
            calls.registerroutine(name, key, text, tokenline(currenttoken));
            // The header's level keeps the key, where the calls in its body find it.
            linerecord& unit = blocks.blockstack.at(blocks.blocklevel);
            if (tables().unitkind->partialmatch(unit.blockname)) unit.routinekey = key;
        }
    } else if (!text.empty() || endsstatement) {
        std::string caller = calls.callingroutine(blocks.blockstack, level.body);
        if (!caller.empty()) calls.registercall(caller, name, text, t->sequence);
    }
}
