// The processing driver: lexer loop, macro expansion, __line__ and __file__, and the statement
// state over object-like expansions.
#include "cppdriver.h"

#include <span>

#include "charsettables.h"
#include "cpperrors.h"
#include "cpplexer.h"
#include "cppmacros.h"
#include "cppstate.h"

namespace {

// A "/" in an expansion closes the block when only white space and block comments stand
// between it and the start of its line.
bool standsalone(const tokenoutput& output, size_t index) {
    const tokenlist& recent = output.recent();
    while (index > 0) {
        const atoken& token = recent[--index];
        if (token.kind == kindwhitespace && holdslinebreak(token.text)) return true;
        if (token.kind != kindwhitespace && token.kind != kindblockcomment) return false;
    }
    return output.joinedendsatlinestart();
}

// Moves the statement state over the tokens that an object-like expansion appended from first.
void walkstatementstate(statementstate& statement, const casemap& lowercase, const tokenoutput& output, size_t first) {
    std::span<const atoken> expansion = std::span<const atoken>(output.recent()).subspan(first);
    size_t index = 0;
    while (index < expansion.size()) {
        const atoken& token = expansion[index];
        if (token.text == "/" && statement.inplsqlblock) {
            if (standsalone(output, first + index)) {
                statement.inplsqlblock = false;
                statement.statementended = true;
            }
        } else if (token.text == ";" && !statement.inplsqlblock) {
            statement.statementended = true;
        } else if (statement.statementended && holdslinebreak(token.text)) {
            statement.atstatementstart = true;
            statement.statementended = false;
        } else if (statement.atstatementstart && token.kind == kindidentifier) {
            classifystatementwordinlist(statement, lowercase, index, expansion);
            continue;
        } else if (statement.atstatementstart && token.kind != kindwhitespace && token.kind != kindblockcomment) {
            statement.atstatementstart = false;
        }
        ++index;
    }
}

void appendexpansiontail(preprocessstate& state, tokenoutput& output, size_t position, std::string_view text) {
    output.push_back({kindwhitespace, "\n"});
    if (state.switches.ld) output.push_back(linetokenat(state, position, text));
}

// A function-like macro: expanded when a "(" follows, possibly after blanks and comments;
// otherwise nothing is consumed and false is returned.
bool expandfunctionlike(preprocessstate& state, const macro& definition, tokenoutput& output, size_t& position,
                        std::string_view text) {
    size_t look = position;
    statementstate saved = state.statement;
    if (peektoken(state.statement, state.lowercase, errorreporter(state), look, text).text != "(") {
        state.statement = saved;
        return false;
    }
    position = look + 1;
    argumentlist arguments = scanarguments(state.statement, state.lowercase, errorreporter(state), position, text);
    tokenlist expansion = expandmacro(state, definition, std::move(arguments), {text, position});
    output.append(expansion);
    appendexpansiontail(state, output, position, text);
    return true;
}

void expandobjectlike(preprocessstate& state, const macro& definition, tokenoutput& output, size_t position,
                      std::string_view text) {
    tokenlist expansion = expandmacro(state, definition, {}, {text, position});
    size_t first = output.recent().size();
    output.append(expansion);
    walkstatementstate(state.statement, state.lowercase, output, first);
    appendexpansiontail(state, output, position, text);
}

bool isbuiltinname(const casemap& lowercase, std::string_view word, std::string_view name) {
    if (word.size() != name.size()) return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (lowercase[static_cast<unsigned char>(word[i])] != static_cast<unsigned char>(name[i])) return false;
    return true;
}

// word: an identifier just read, passed as its text so that the caller keeps its token in
// registers.
void processidentifier(preprocessstate& state, std::string_view word, tokenoutput& output, size_t& position,
                       std::string_view text) {
    if (isbuiltinname(state.lowercase, word, "__line__")) {
        ++state.cache.uncacheableevents;
        std::string quoted(1, '\'');
        quoted += std::to_string(reportedline(state.lineindexes, state.lines, position, text));
        quoted += '\'';
        output.push_back({kindstring, keeptext(state.kepttexts, std::move(quoted))});
        return;
    }
    if (isbuiltinname(state.lowercase, word, "__file__")) {
        ++state.cache.uncacheableevents;
        const std::string& file =
            state.lines.inforce && !state.lines.file.empty() ? state.lines.file : state.sourcefilename;
        output.push_back({kindstring, keeptext(state.kepttexts, "'" + file + "'")});
        return;
    }
    const macro* definition = state.macros.table.empty() ? nullptr : findmacro(state.macros, state.lowercase, word);
    if (definition) {
        // A macro is no script command, whatever its expansion holds.
        const bool aftercommand = state.statement.aftercommand;
        state.statement.aftercommand = false;
        if (!definition->functionlike) {
            expandobjectlike(state, *definition, output, position, text);
            return;
        }
        if (expandfunctionlike(state, *definition, output, position, text)) return;
        state.statement.aftercommand = aftercommand;
    }
    output.push_back({kindidentifier, word});
}

// Besides macro expansions, #line tokens and __file__ repeat names that a #line directive may
// make long: the output as a whole is bounded too, before its tokens are joined.
void checkoutputbound(const expansionstate& expansion, errorreporter errors, const tokenoutput& output, size_t position,
                      std::string_view text) {
    size_t budget = outputbytebudget(expansion);
    if (output.bytes() > budget)
        raiseerror(errors, "the preprocessed text exceeds " + std::to_string(budget) + " bytes", position, text);
}

atoken skiptodirective(statementstate& statement, const casemap& lowercase, errorreporter errors, size_t& position,
                       std::string_view text) {
    for (;;) {
        atoken token = nextplaintoken(statement, lowercase, errors, position, text);
        if (token.kind == kinddirective || token.kind == kindend) return token;
    }
}

}  // namespace

int64_t reportedline(lineindexmap& lineindexes, const linestate& lines, size_t position, std::string_view text) {
    int64_t line = lineofposition(lineindexes, position, text);
    return lines.inforce ? line + lines.offset : line;
}

std::string linetokenfile(const linestate& lines, const std::string& currentfilename) {
    return lines.inforce && !lines.file.empty() ? lines.file : currentfilename;
}

atoken makelinetoken(std::string& currentfilename, textstore& kept, int64_t line, const std::string& file) {
    currentfilename = file;
    return {kinddirective, keeptext(kept, "#line " + std::to_string(line) + " \"" + file + "\"\n")};
}

atoken linetokenat(preprocessstate& state, size_t position, std::string_view text) {
    int64_t line = reportedline(state.lineindexes, state.lines, position, text);
    std::string file = linetokenfile(state.lines, state.currentfilename);
    return makelinetoken(state.currentfilename, state.kepttexts, line, file);
}

atoken processtext(preprocessstate& state, bool directives, tokenoutput& output, size_t& position,
                   std::string_view text) {
    if (!directives) return skiptodirective(state.statement, state.lowercase, errorreporter(state), position, text);
    for (;;) {
        atoken token = nexttoken(state, true, output, position, text);
        if (token.kind == kindend) return token;
        if (token.kind == kindidentifier) processidentifier(state, token.text, output, position, text);
        else output.push_back(token);
        checkoutputbound(state.expansion, errorreporter(state), output, position, text);
        output.joinifmany();
    }
}
