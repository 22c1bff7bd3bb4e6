// Conditional compilation: $if, $elsif, $else, $then, $end and $error ... $end select the
// text that is compiled; they open no blocks. Their words and conditions pass no statement or
// block rule. Each branch is laid out from the state in which its $if was met, and after
// $end the rules go on from the state in which the first branch ended.
#include "formatter.h"
#include "support.h"

namespace {

// What a directive's text awaits: $then after a condition, $end after an error message.
constexpr int32_t awaitingthen = 1;
constexpr int32_t awaitingend = 2;

// The state the rules depend on where a branch starts or ends.
std::shared_ptr<const rewindstate> branchstate(const formatter& f) {
    auto r = std::make_shared<rewindstate>();
    f.take(*r);
    return r;
}

}  // namespace

directive directiveword(const token& t) {
    const std::string_view text = t.text();
    if (t.kind != identifier && t.kind != keywordtoken) return directive::none;
    const lowered lower(text);
    const std::string_view word = lower.view();
    if (word == "$if") return directive::ifword;
    if (word == "$elsif") return directive::elsifword;
    if (word == "$else") return directive::elseword;
    if (word == "$then") return directive::thenword;
    if (word == "$end") return directive::endword;
    if (word == "$error") return directive::errorword;
    return directive::none;
}

// A directive word, or a token of a directive's condition or error message.
bool formatter::indirective() const {
    if (statement.insqlplusline != 0 || isinsignificant(currenttoken->kind)) return false;
    if (directives.directivetext != 0) return true;
    const std::string_view text = currenttoken->text();
    return !text.empty() && text[0] == '$' && directiveof(*currenttoken) != directive::none;
}

// A directive word: what its text awaits next, and whether it enters or leaves a branch.
void formatter::notedirective() {
    const directive word = directiveof(*currenttoken);
    const bool errorend = word == directive::endword && directives.directivetext == awaitingend;
    if (word == directive::ifword || word == directive::elsifword) {
        directives.directivetext = awaitingthen;
    } else if (word == directive::errorword) {
        directives.directivetext = awaitingend;
    } else if ((word == directive::thenword && directives.directivetext == awaitingthen) || errorend) {
        directives.directivetext = 0;
    }
    directivebranches = word == directive::ifword || word == directive::elsifword || word == directive::elseword ||
                        (word == directive::endword && !errorend);
}

// After case and columns, the rules a directive's tokens pass: the branch of its $if and the
// column limit. Conditions keep their spacing.
formatter::afterstep formatter::directivetoken() {
    if (directivebranches && switchbranch(1)) return afterstep::restart;
    return endoftoken();
}

// The alignment groups end at a directive, as at a block word; then the branch is entered or
// left. True when the loop was moved back to lay out a group.
bool formatter::switchbranch(int32_t firstpass) {
    if (firstpass) {
        if (!rewinds.alignrows.empty()) rewinds.groupended = 1;
        if (alignconsecutive() || finishdeclarationrun(true)) return true;
    }
    if (deferredbylimit(firstpass)) return false;
    switch (directiveof(*currenttoken)) {
    case directive::ifword: {
        checknesting(directives.conditionals.size() + 1);
        position before = previoustoken(currenttoken);
        const bool beginsline = before == tokens.end() || before->breaksline();
        directives.conditionals.push_back(
            {branchstate(*this), nullptr, beginsline ? tokencolumn(currenttoken) - 1 : -1});
        break;
    }
    case directive::elsifword:
    case directive::elseword:
        if (directives.conditionals.empty()) break;
        if (!directives.conditionals.back().firstend) directives.conditionals.back().firstend = branchstate(*this);
        restore(*directives.conditionals.back().start, currenttoken, keptparts::lineanddirectives);
        break;
    case directive::endword:
        if (directives.conditionals.empty()) break;
        if (std::shared_ptr<const rewindstate> firstend = directives.conditionals.back().firstend) {
            directives.conditionals.pop_back();
            restore(*firstend, currenttoken, keptparts::lineanddirectives);
        } else {
            directives.conditionals.pop_back();
        }
        break;
    default: break;
    }
    return false;
}

// The line of an $elsif, $else or $end stands where the line of its $if stands; -1 for any
// other line.
int32_t formatter::directivelinecolumn(position first) const {
    if (directives.directivetext != 0 || directives.conditionals.empty() || directives.conditionals.back().column < 0)
        return -1;
    const directive word = directiveof(*first);
    if (word != directive::elsifword && word != directive::elseword && word != directive::endword) return -1;
    return directives.conditionals.back().column;
}

// The next word after pos as the branch that pos stands in reads on: the other branches, the
// conditions and the error messages are passed over.
position formatter::nextcodeword(position pos) const {
    position p = nextword(pos);
    while (p != tokens.end() && p->kind != endtoken) {
        const directive word = directiveof(*p);
        if (word == directive::none) break;
        auto until = [this, &p](directive stop) {
            while (p != tokens.end() && p->kind != endtoken && directiveof(*p) != stop) p = nextword(p);
        };
        if (word == directive::ifword) {
            until(directive::thenword);
        } else if (word == directive::errorword) {
            p = nextword(p);
            until(directive::endword);
        } else if (word == directive::elsifword || word == directive::elseword) {
            // On to the $end of this $if, past those of the $if and $error inside it.
            int32_t depth = 0;
            for (p = nextword(p); p != tokens.end() && p->kind != endtoken; p = nextword(p)) {
                const directive inner = directiveof(*p);
                if (inner == directive::ifword || inner == directive::errorword) ++depth;
                if (inner == directive::endword && depth-- == 0) break;
            }
        }
        if (p == tokens.end() || p->kind == endtoken) break;
        p = nextword(p);
    }
    return p;
}
