// Macro definitions and expansion: parameter lists, arguments, substitution, pasting, rescanning.
#include "cppmacros.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "charsettables.h"
#include "cpplexer.h"
#include "cppstate.h"
#include "cpptextscan.h"

namespace {

uint64_t lengthbit(size_t length) { return uint64_t{1} << std::min<size_t>(length, 63); }

bool mayname(const macrostate& macros, const casemap& lowercase, std::string_view name) {
    if (name.empty()) return true;
    uint64_t lengths = macros.namefilter[lowercase[static_cast<unsigned char>(name[0])]];
    return (lengths & lengthbit(name.size())) != 0;
}

// One level of expansion; the outermost one starts a fresh token budget.
class expansionlevel {
public:
    expansionlevel(expansionstate& expansion, errorreporter errors, const textplace& site) : expansion(expansion) {
        if (expansion.depth >= maximumexpansiondepth) raiseerror(errors, "macro calls are nested too deeply", site);
        if (expansion.depth == 0) {
            expansion.tokens = 0;
            expansion.bytes = 0;
        }
        ++expansion.depth;
    }
    ~expansionlevel() { --expansion.depth; }
    expansionlevel(const expansionlevel&) = delete;
    expansionlevel& operator=(const expansionlevel&) = delete;

private:
    expansionstate& expansion;
};

// One budget of an expansion and its share of the whole call; unit names what is counted.
void chargebudget(size_t& used, size_t& callused, size_t budget, size_t callbudget, size_t amount, const char* unit,
                  errorreporter errors, const textplace& site) {
    used += amount;
    if (used > budget) raiseerror(errors, "macro expansion exceeds " + std::to_string(budget) + " " + unit, site);
    callused += amount;
    if (callused > callbudget)
        raiseerror(errors, "macro expansions exceed " + std::to_string(callbudget) + " " + unit + " in all", site);
}

void chargeexpansion(expansionstate& expansion, errorreporter errors, size_t tokens, const textplace& site) {
    chargebudget(expansion.tokens, expansion.calltokens, expansiontokenbudget, expansion.callbudget, tokens, "tokens",
                 errors, site);
}

// Charged before a text is made, so that a chain that doubles it stops before the memory does.
void chargeexpansionbytes(expansionstate& expansion, errorreporter errors, size_t bytes, const textplace& site) {
    chargebudget(expansion.bytes, expansion.callbytes, expansionbytebudget, expansion.callbytebudget, bytes, "bytes",
                 errors, site);
}

// Marks a macro as being expanded for the lifetime of the guard.
class expandingguard {
public:
    explicit expandingguard(const macro& definition) : definition(definition) { definition.expanding = true; }
    ~expandingguard() { definition.expanding = false; }
    expandingguard(const expandingguard&) = delete;
    expandingguard& operator=(const expandingguard&) = delete;

private:
    const macro& definition;
};

// Splits the tokens of a call into arguments at top-level commas, up to the closing ")".
class argumentsplitter {
public:
    // Takes the next token after the "("; true once the closing ")" has been taken.
    bool take(const atoken& token) {
        if (token.text == "(") {
            ++depth;
        } else if (token.text == ")") {
            if (--depth == 0) {
                finishargument();
                return true;
            }
        } else if (token.text == "," && depth == 1) {
            finishargument();
            return false;
        }
        current.push_back(token);
        return false;
    }
    argumentlist take() { return std::move(arguments); }

private:
    void finishargument() {
        current.push_back({kindendofline, {}});
        arguments.push_back(std::move(current));
        current.clear();
    }
    int depth = 1;
    tokenlist current;
    argumentlist arguments;
};

void skipparameterblanks(size_t& position, std::string_view text) {
    while (position < text.size()) {
        char c = text[position];
        if (c == ' ' || c == '\t') ++position;
        else if (c == '\\' && position + 1 < text.size() && text[position + 1] == '\n') position += 2;
        else return;
    }
}

void readclosingparenthesis(errorreporter errors, size_t& position, std::string_view text) {
    skipparameterblanks(position, text);
    if (position >= text.size()) raiseerror(errors, ") is missing in the macro", position, text);
    if (text[position] != ')')
        raiseerror(errors, std::string(") is missing in the macro,instead there is ") + text[position], position, text);
    ++position;
}

// The macro that an identifier token would expand, or nullptr.
const macro* macroof(const expansionparts& parts, const atoken& token) {
    if (token.kind != kindidentifier || token.noexpand || parts.macros.table.empty()) return nullptr;
    return findmacro(parts.macros, parts.lowercase, token.text);
}

atoken blocked(atoken token) {
    token.noexpand = true;
    return token;
}

// Expands the call of definition at the front of tokens; nullopt when a function-like macro
// has no "(" after its name. used tells how many tokens the call took.
std::optional<tokenlist> expandcall(const expansionparts& parts, const macro& definition,
                                    std::span<const atoken> tokens, size_t& used, const textplace& site,
                                    std::span<const atoken> before) {
    if (!definition.functionlike) {
        used = 1;
        return expandmacro(parts, definition, {}, site);
    }
    size_t index = 1;
    if (peektokenat(index, tokens).text != "(") return std::nullopt;
    ++index;
    argumentlist arguments = scanargumentsinlist(parts.errors, index, tokens, site, before);
    used = index;
    return expandmacro(parts, definition, std::move(arguments), site);
}

size_t argumentbytes(const argumentlist& arguments, size_t index) {
    size_t bytes = 0;
    if (index < arguments.size())
        for (const atoken& token : arguments[index]) bytes += token.text.size();
    return bytes;
}

std::string argumenttext(const argumentlist& arguments, size_t index) {
    return index < arguments.size() ? jointokens(arguments[index]) : std::string();
}

void appendargument(tokenlist& out, const argumentlist& arguments, size_t index) {
    if (index >= arguments.size()) return;
    for (const atoken& token : arguments[index])
        if (token.kind != kindendofline) out.push_back(token);
}

// Appends right to left, the text of a token of kind leftkind, as ## joins them: two quoted
// names or two string literals become one, the body of a q-quote goes inside the left one's
// delimiters, anything else stands side by side.
void pasteonto(std::string& left, int32_t leftkind, const atoken& right) {
    std::string_view r = right.text;
    bool bothquoted = leftkind == right.kind && (leftkind == kindquotedname || leftkind == kindstring);
    if (bothquoted && !left.empty() && !r.empty()) {
        left.pop_back();
        left += r.substr(1);
    } else if (leftkind == kindqquote && right.kind == kindqquote && left.size() >= qquoteopenerlength(left) + 3 &&
               r.size() >= qquoteopenerlength(r) + 3) {
        char closer = left[left.size() - 2];
        left.resize(left.size() - 2);
        size_t opener = qquoteopenerlength(r) + 1;
        left += r.substr(opener, r.size() - opener - 2);
        left += closer;
        left += '\'';
    } else {
        left += r;
    }
}

// The index of the last token before index that is no white space or comment, or npos.
size_t previoussignificant(std::span<const atoken> tokens, size_t index) {
    while (index > 0) {
        if (!isinsignificant(tokens[--index])) return index;
    }
    return std::string_view::npos;
}

bool isdefinedword(const casemap& lowercase, std::span<const atoken> tokens, size_t index) {
    return index != std::string_view::npos && tokens[index].kind == kindidentifier &&
           charsetlower(lowercase, tokens[index].text) == "defined";
}

}  // namespace

expansionparts::expansionparts(preprocessstate& state)
    : expansion(state.expansion),
      kept(state.kepttexts),
      macros(state.macros),
      lowercase(state.lowercase),
      errors(state) {}

void startcallexpansionbudget(expansionstate& expansion) {
    expansion.calltokens = 0;
    expansion.callbudget = callexpansionbase;
    expansion.callbytes = 0;
    expansion.callbytebudget = callbytebase;
}

void allowexpansionsfor(expansionstate& expansion, size_t textbytes) {
    expansion.callbudget += callexpansionsperbyte * textbytes;
    expansion.callbytebudget += callbytesperbyte * textbytes;
}

size_t outputbytebudget(const expansionstate& expansion) { return expansion.callbytebudget; }

bool followsdefined(const casemap& lowercase, std::span<const atoken> tokens, size_t index) {
    size_t before = previoussignificant(tokens, index);
    if (isdefinedword(lowercase, tokens, before)) return true;
    return before != std::string_view::npos && tokens[before].text == "(" &&
           isdefinedword(lowercase, tokens, previoussignificant(tokens, before));
}

const macro* findmacro(const macrostate& macros, const casemap& lowercase, std::string_view name) {
    if (!mayname(macros, lowercase, name)) return nullptr;
    std::string& key = macros.lookupkey;
    key.resize(name.size());
    std::transform(name.begin(), name.end(), key.begin(),
                   [&](char c) { return static_cast<char>(lowercase[static_cast<unsigned char>(c)]); });
    auto found = macros.table.find(std::string_view(key));
    return found == macros.table.end() ? nullptr : &found->second;
}

void definemacro(macrostate& macros, const casemap& lowercase, std::string_view name, macro definition) {
    std::string key = charsetlower(lowercase, name);
    if (!key.empty()) macros.namefilter[static_cast<unsigned char>(key[0])] |= lengthbit(key.size());
    macros.table[std::move(key)] = std::move(definition);
}

void clearmacros(macrostate& macros) {
    macros.table.clear();
    macros.namefilter.fill(0);
}

std::vector<const macromap::value_type*> sortedmacros(const macrostate& macros) {
    std::vector<const macromap::value_type*> entries;
    entries.reserve(macros.table.size());
    for (const auto& entry : macros.table) entries.push_back(&entry);
    std::sort(entries.begin(), entries.end(), [](auto* a, auto* b) { return a->first < b->first; });
    return entries;
}

bool undefinemacro(macrostate& macros, const casemap& lowercase, std::string_view name) {
    return macros.table.erase(charsetlower(lowercase, name)) > 0;
}

std::vector<std::string> parameternames(const macro& definition) {
    std::vector<std::pair<int32_t, std::string>> byindex;
    for (const auto& [name, index] : definition.parameters) byindex.emplace_back(index, name);
    std::sort(byindex.begin(), byindex.end());
    std::vector<std::string> names;
    for (auto& entry : byindex) names.push_back(std::move(entry.second));
    return names;
}

parametermap parseparameterlist(errorreporter errors, bool& functionlike, size_t& position, std::string_view text) {
    parametermap parameters;
    functionlike = position < text.size() && text[position] == '(';
    if (!functionlike) return parameters;
    ++position;
    skipparameterblanks(position, text);
    if (text.substr(position, 3) == "...") {
        position += 3;
        readclosingparenthesis(errors, position, text);
        return parameters;
    }
    int32_t count = 0;
    std::string name = scanidentifier(position, text);
    skipparameterblanks(position, text);
    if (!name.empty()) parameters[name] = count++;
    else if (position < text.size() && text[position] == ',')
        raiseerror(errors, "an argument is missing in macro", position, text);
    while (position < text.size() && text[position] == ',') {
        ++position;
        skipparameterblanks(position, text);
        name = scanidentifier(position, text);
        if (name.empty()) raiseerror(errors, "an argument is missing in macro", position, text);
        parameters[name] = count++;
        skipparameterblanks(position, text);
    }
    readclosingparenthesis(errors, position, text);
    return parameters;
}

macro parsemacrodefinition(textstore& kept, errorreporter errors, size_t& position, std::string_view text) {
    macro definition;
    definition.parameters = parseparameterlist(errors, definition.functionlike, position, text);
    tokenlist body = tokenizeline(errors, false, position, text);
    auto first = std::find_if(body.begin(), body.end(), [](const atoken& t) { return t.kind != kindwhitespace; });
    body.erase(body.begin(), first);
    for (atoken& token : body) {
        if (token.kind != kindidentifier) continue;
        auto parameter = definition.parameters.find(std::string(token.text));
        if (parameter != definition.parameters.end()) token.kind = kindparameter + parameter->second;
    }
    definition.body = keeptokens(kept, body);
    return definition;
}

argumentlist scanarguments(statementstate& statement, const casemap& lowercase, errorreporter errors, size_t& position,
                           std::string_view text) {
    peektoken(statement, lowercase, errors, position, text);
    argumentsplitter splitter;
    for (;;) {
        atoken token = nextplaintoken(statement, lowercase, errors, position, text);
        if (token.kind == kindend) raiseerror(errors, ", or ) is not found for macro", position, text);
        if (splitter.take(token)) return splitter.take();
    }
}

argumentlist scanargumentsinlist(errorreporter errors, size_t& index, std::span<const atoken> tokens,
                                 const textplace& site, std::span<const atoken> before) {
    peektokenat(index, tokens);
    argumentsplitter splitter;
    for (;;) {
        if (index >= tokens.size() || tokens[index].kind == kindendofline) {
            tokenlist context(before.begin(), before.end());
            context.insert(context.end(), tokens.begin(), tokens.begin() + static_cast<ptrdiff_t>(index));
            raiseerrorinmacro(errors, ", or ) is not found for macro", site.position, site.text, context,
                              context.size());
        }
        if (splitter.take(tokens[index++])) return splitter.take();
    }
}

tokenlist expandmacro(const expansionparts& parts, const macro& definition, argumentlist arguments,
                      const textplace& site) {
    expansionlevel level(parts.expansion, parts.errors, site);
    for (tokenlist& argument : arguments) argument = expandlist(parts, argument, site);
    tokenlist substituted =
        substituteparameters(parts.expansion, parts.kept, parts.errors, definition, arguments, site);
    chargeexpansion(parts.expansion, parts.errors, substituted.size(), site);
    tokenlist pasted = pastetokens(parts.kept, parts.errors, substituted, site);
    tokenlist result;
    {
        expandingguard guard(definition);
        result = expandlist(parts, pasted, site);
    }
    if (!result.empty() && result.back().kind == kindendofline) result.pop_back();
    return result;
}

tokenlist expandlist(const expansionparts& parts, std::span<const atoken> tokens, const textplace& site) {
    tokenlist out;
    out.reserve(tokens.size());
    tokenqueue work(tokens);
    while (!work.empty()) {
        std::span<const atoken> rest = work.rest();
        const macro* definition = macroof(parts, rest[0]);
        if (definition && parts.expansion.keepdefinedoperands && followsdefined(parts.lowercase, out, out.size()))
            definition = nullptr;
        if (definition && definition->expanding) {
            out.push_back(blocked(rest[0]));
            work.drop(1);
            continue;
        }
        if (definition) {
            size_t used = 0;
            std::optional<tokenlist> expansion = expandcall(parts, *definition, rest, used, site, out);
            if (expansion) {
                chargeexpansion(parts.expansion, parts.errors, expansion->size(), site);
                work.replacefront(used, *expansion);
                continue;
            }
        }
        out.push_back(rest[0]);
        work.drop(1);
    }
    return out;
}

tokenlist expandidentifierat(const expansionparts& parts, size_t& index, std::span<const atoken> tokens,
                             const textplace& site) {
    if (index >= tokens.size() || tokens[index].kind != kindidentifier) internalerror("internal error unexpected path");
    const atoken& token = tokens[index];
    const macro* definition = macroof(parts, token);
    if (definition && definition->expanding) {
        ++index;
        return {blocked(token)};
    }
    if (definition) {
        size_t used = 0;
        std::optional<tokenlist> expansion = expandcall(parts, *definition, tokens.subspan(index), used, site, {});
        if (expansion) {
            index += used;
            return std::move(*expansion);
        }
    }
    ++index;
    return {token};
}

tokenlist substituteparameters(expansionstate& expansion, textstore& kept, errorreporter errors,
                               const macro& definition, const argumentlist& arguments, const textplace& site) {
    const tokenlist& body = definition.body;
    tokenlist out;
    out.reserve(body.size());
    // Bytes of the tokens that view texts already made; a quoted argument is charged before
    // it is made.
    size_t viewedbytes = 0;
    for (size_t i = 0; i < body.size(); ++i) {
        const atoken& token = body[i];
        if (token.kind == kindhash || token.kind == kindhashhashhash) {
            size_t next = i + 1;
            while (next < body.size() && body[next].kind == kindwhitespace) ++next;
            bool stringize = token.kind == kindhash;
            if (next >= body.size() || !isparameterreference(body[next]))
                raiseerror(errors, stringize ? "# has no argument in macro" : "### has no argument in macro", site);
            std::string quote = stringize ? "\"" : "'";
            size_t parameter = static_cast<size_t>(body[next].kind - kindparameter);
            chargeexpansionbytes(expansion, errors, argumentbytes(arguments, parameter) + 2, site);
            out.push_back({kindquotedname, keeptext(kept, quote + argumenttext(arguments, parameter) + quote)});
            i = next;
        } else if (isparameterreference(token)) {
            size_t parameter = static_cast<size_t>(token.kind - kindparameter);
            viewedbytes += argumentbytes(arguments, parameter);
            appendargument(out, arguments, parameter);
        } else {
            viewedbytes += token.text.size();
            out.push_back(token);
        }
    }
    chargeexpansionbytes(expansion, errors, viewedbytes, site);
    return out;
}

tokenlist pastetokens(textstore& kept, errorreporter errors, std::span<const atoken> tokens, const textplace& site) {
    tokenlist out;
    out.reserve(tokens.size());
    // A run a ## b ## c builds the text of out[building] in pasted, kept once the run ends:
    // pasting pair by pair would copy the growing text again for every operand.
    constexpr size_t none = std::string_view::npos;
    size_t building = none;
    std::string pasted;
    auto finishrun = [&] {
        if (building == none) return;
        out[building].text = keeptext(kept, std::move(pasted));
        pasted.clear();
        building = none;
    };
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind != kindhashhash) {
            if (!isinsignificant(tokens[i])) finishrun();
            out.push_back(tokens[i]);
            continue;
        }
        size_t next = i + 1;
        while (next < tokens.size() && isinsignificant(tokens[next])) ++next;
        if (next >= tokens.size() || tokens[next].kind == kindendofline)
            raiseerror(errors, "## has no second argument in macro", site);
        while (!out.empty() && isinsignificant(out.back())) out.pop_back();
        if (out.empty()) raiseerror(errors, "## has no first argument in macro", site);
        if (building != out.size() - 1) {
            building = out.size() - 1;
            pasted.assign(out.back().text);
        }
        pasteonto(pasted, out.back().kind, tokens[next]);
        i = next;
    }
    finishrun();
    return out;
}

std::string macrodump(const macrostate& macros) {
    std::string dump;
    for (const auto* entry : sortedmacros(macros)) {
        const auto& [name, definition] = *entry;
        dump += name;
        if (definition.functionlike) {
            dump += " (";
            std::vector<std::string> names = parameternames(definition);
            for (size_t i = 0; i < names.size(); ++i) dump += (i ? "," : "") + names[i];
            dump += ")";
        }
        dump += "\nbody:>>" + jointokens(definition.body) + "<<\n";
    }
    return dump;
}
