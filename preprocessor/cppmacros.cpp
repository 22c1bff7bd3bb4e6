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

uint64_t lengthbit(size_t length)
{
    return uint64_t{1} << std::min<size_t>(length, 63);
}

bool mayname(preprocessstate& state, std::string_view name)
{
    if (name.empty())
        return true;
    uint64_t lengths = state.macros.namefilter[state.lowercase[static_cast<unsigned char>(name[0])]];
    return (lengths & lengthbit(name.size())) != 0;
}

// One level of expansion; the outermost one starts a fresh token budget.
class expansionlevel {
public:
    expansionlevel(preprocessstate& state, const textplace& site) : state(state)
    {
        if (state.expansion.depth >= maximumexpansiondepth)
            raiseerror(state, "macro calls are nested too deeply", site);
        if (state.expansion.depth == 0) {
            state.expansion.tokens = 0;
            state.expansion.bytes = 0;
        }
        ++state.expansion.depth;
    }
    ~expansionlevel() { --state.expansion.depth; }
    expansionlevel(const expansionlevel&) = delete;
    expansionlevel& operator=(const expansionlevel&) = delete;

private:
    preprocessstate& state;
};

void chargeexpansion(preprocessstate& state, size_t tokens, const textplace& site)
{
    state.expansion.tokens += tokens;
    if (state.expansion.tokens > expansiontokenbudget)
        raiseerror(state, "macro expansion exceeds " + std::to_string(expansiontokenbudget) + " tokens", site);
    state.expansion.calltokens += tokens;
    if (state.expansion.calltokens > state.expansion.callbudget) {
        std::string message = "macro expansions exceed ";
        message += std::to_string(state.expansion.callbudget);
        message += " tokens in all";
        raiseerror(state, message, site);
    }
}

// Charged before a text is made, so that a chain that doubles it stops before the memory does.
void chargeexpansionbytes(preprocessstate& state, size_t bytes, const textplace& site)
{
    state.expansion.bytes += bytes;
    if (state.expansion.bytes > expansionbytebudget)
        raiseerror(state, "macro expansion exceeds " + std::to_string(expansionbytebudget) + " bytes", site);
    state.expansion.callbytes += bytes;
    if (state.expansion.callbytes > state.expansion.callbytebudget) {
        std::string message = "macro expansions exceed ";
        message += std::to_string(state.expansion.callbytebudget);
        message += " bytes in all";
        raiseerror(state, message, site);
    }
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
    bool take(const atoken& token)
    {
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
    void finishargument()
    {
        current.push_back({kindendofline, {}});
        arguments.push_back(std::move(current));
        current.clear();
    }
    int depth = 1;
    tokenlist current;
    argumentlist arguments;
};

void skipparameterblanks(size_t& position, std::string_view text)
{
    while (position < text.size()) {
        char c = text[position];
        if (c == ' ' || c == '\t')
            ++position;
        else if (c == '\\' && position + 1 < text.size() && text[position + 1] == '\n')
            position += 2;
        else
            return;
    }
}

void readclosingparenthesis(preprocessstate& state, size_t& position, std::string_view text)
{
    skipparameterblanks(position, text);
    if (position >= text.size())
        raiseerror(state, ") is missing in the macro", position, text);
    if (text[position] != ')')
        raiseerror(state, std::string(") is missing in the macro,instead there is ") + text[position], position, text);
    ++position;
}

// The macro that an identifier token would expand, or nullptr.
const macro* macroof(preprocessstate& state, const atoken& token)
{
    if (token.kind != kindidentifier || token.noexpand || state.macros.table.empty())
        return nullptr;
    return findmacro(state, token.text);
}

atoken blocked(atoken token)
{
    token.noexpand = true;
    return token;
}

// Expands the call of definition at the front of tokens; nullopt when a function-like macro
// has no "(" after its name. used tells how many tokens the call took.
std::optional<tokenlist> expandcall(preprocessstate& state, const macro& definition, std::span<const atoken> tokens,
                                    size_t& used, const textplace& site, std::span<const atoken> before)
{
    if (!definition.functionlike) {
        used = 1;
        return expandmacro(state, definition, {}, site);
    }
    size_t index = 1;
    if (peektokenat(index, tokens).text != "(")
        return std::nullopt;
    ++index;
    argumentlist arguments = scanargumentsinlist(state, index, tokens, site, before);
    used = index;
    return expandmacro(state, definition, std::move(arguments), site);
}

size_t argumentbytes(const argumentlist& arguments, size_t index)
{
    size_t bytes = 0;
    if (index < arguments.size())
        for (const atoken& token : arguments[index])
            bytes += token.text.size();
    return bytes;
}

std::string argumenttext(const argumentlist& arguments, size_t index)
{
    return index < arguments.size() ? jointokens(arguments[index]) : std::string();
}

void appendargument(tokenlist& out, const argumentlist& arguments, size_t index)
{
    if (index >= arguments.size())
        return;
    for (const atoken& token : arguments[index])
        if (token.kind != kindendofline)
            out.push_back(token);
}

// Appends right to left, the text of a token of kind leftkind, as ## joins them: two quoted
// names or two string literals become one, the body of a q-quote goes inside the left one's
// delimiters, anything else stands side by side.
void pasteonto(std::string& left, int32_t leftkind, const atoken& right)
{
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
size_t previoussignificant(std::span<const atoken> tokens, size_t index)
{
    while (index > 0) {
        if (!isinsignificant(tokens[--index]))
            return index;
    }
    return std::string_view::npos;
}

bool isdefinedword(preprocessstate& state, std::span<const atoken> tokens, size_t index)
{
    return index != std::string_view::npos && tokens[index].kind == kindidentifier &&
           charsetlower(state.lowercase, tokens[index].text) == "defined";
}

} // namespace

void startcallexpansionbudget(preprocessstate& state)
{
    state.expansion.calltokens = 0;
    state.expansion.callbudget = callexpansionbase;
    state.expansion.callbytes = 0;
    state.expansion.callbytebudget = callbytebase;
}

void allowexpansionsfor(preprocessstate& state, size_t textbytes)
{
    state.expansion.callbudget += callexpansionsperbyte * textbytes;
    state.expansion.callbytebudget += callbytesperbyte * textbytes;
}

size_t outputbytebudget(const preprocessstate& state)
{
    return state.expansion.callbytebudget;
}

bool followsdefined(preprocessstate& state, std::span<const atoken> tokens, size_t index)
{
    size_t before = previoussignificant(tokens, index);
    if (isdefinedword(state, tokens, before))
        return true;
    return before != std::string_view::npos && tokens[before].text == "(" &&
           isdefinedword(state, tokens, previoussignificant(tokens, before));
}

const macro* findmacro(preprocessstate& state, std::string_view name)
{
    if (!mayname(state, name))
        return nullptr;
    std::string& key = state.macros.lookupkey;
    const casemap& lowercase = state.lowercase;
    key.resize(name.size());
    std::transform(name.begin(), name.end(), key.begin(),
                   [&](char c) { return static_cast<char>(lowercase[static_cast<unsigned char>(c)]); });
    auto found = state.macros.table.find(std::string_view(key));
    return found == state.macros.table.end() ? nullptr : &found->second;
}

void definemacro(preprocessstate& state, std::string_view name, macro definition)
{
    std::string key = charsetlower(state.lowercase, name);
    if (!key.empty())
        state.macros.namefilter[static_cast<unsigned char>(key[0])] |= lengthbit(key.size());
    state.macros.table[std::move(key)] = std::move(definition);
}

void clearmacros(preprocessstate& state)
{
    state.macros.table.clear();
    state.macros.namefilter.fill(0);
}

std::vector<const macromap::value_type*> sortedmacros(preprocessstate& state)
{
    std::vector<const macromap::value_type*> entries;
    entries.reserve(state.macros.table.size());
    for (const auto& entry : state.macros.table)
        entries.push_back(&entry);
    std::sort(entries.begin(), entries.end(), [](auto* a, auto* b) { return a->first < b->first; });
    return entries;
}

bool undefinemacro(preprocessstate& state, std::string_view name)
{
    return state.macros.table.erase(charsetlower(state.lowercase, name)) > 0;
}

std::vector<std::string> parameternames(const macro& definition)
{
    std::vector<std::pair<int32_t, std::string>> byindex;
    for (const auto& [name, index] : definition.parameters)
        byindex.emplace_back(index, name);
    std::sort(byindex.begin(), byindex.end());
    std::vector<std::string> names;
    for (auto& entry : byindex)
        names.push_back(std::move(entry.second));
    return names;
}

parametermap parseparameterlist(preprocessstate& state, bool& functionlike, size_t& position, std::string_view text)
{
    parametermap parameters;
    functionlike = position < text.size() && text[position] == '(';
    if (!functionlike)
        return parameters;
    ++position;
    skipparameterblanks(position, text);
    if (text.substr(position, 3) == "...") {
        position += 3;
        readclosingparenthesis(state, position, text);
        return parameters;
    }
    int32_t count = 0;
    std::string name = scanidentifier(position, text);
    skipparameterblanks(position, text);
    if (!name.empty())
        parameters[name] = count++;
    else if (position < text.size() && text[position] == ',')
        raiseerror(state, "an argument is missing in macro", position, text);
    while (position < text.size() && text[position] == ',') {
        ++position;
        skipparameterblanks(position, text);
        name = scanidentifier(position, text);
        if (name.empty())
            raiseerror(state, "an argument is missing in macro", position, text);
        parameters[name] = count++;
        skipparameterblanks(position, text);
    }
    readclosingparenthesis(state, position, text);
    return parameters;
}

macro parsemacrodefinition(preprocessstate& state, size_t& position, std::string_view text)
{
    macro definition;
    definition.parameters = parseparameterlist(state, definition.functionlike, position, text);
    tokenlist body = tokenizeline(state, false, position, text);
    auto first = std::find_if(body.begin(), body.end(), [](const atoken& t) { return t.kind != kindwhitespace; });
    body.erase(body.begin(), first);
    for (atoken& token : body) {
        if (token.kind != kindidentifier)
            continue;
        auto parameter = definition.parameters.find(std::string(token.text));
        if (parameter != definition.parameters.end())
            token.kind = kindparameter + parameter->second;
    }
    definition.body = keeptokens(state, body);
    return definition;
}

argumentlist scanarguments(preprocessstate& state, size_t& position, std::string_view text)
{
    peektoken(state, position, text);
    argumentsplitter splitter;
    tokenoutput unused;
    for (;;) {
        atoken token = nexttoken(state, false, unused, position, text);
        if (token.kind == kindend)
            raiseerror(state, ", or ) is not found for macro", position, text);
        if (splitter.take(token))
            return splitter.take();
    }
}

argumentlist scanargumentsinlist(preprocessstate& state, size_t& index, std::span<const atoken> tokens,
                                 const textplace& site, std::span<const atoken> before)
{
    peektokenat(index, tokens);
    argumentsplitter splitter;
    for (;;) {
        if (index >= tokens.size() || tokens[index].kind == kindendofline) {
            tokenlist context(before.begin(), before.end());
            context.insert(context.end(), tokens.begin(), tokens.begin() + static_cast<ptrdiff_t>(index));
            raiseerrorinmacro(state, ", or ) is not found for macro", site.position, site.text, context,
                              context.size());
        }
        if (splitter.take(tokens[index++]))
            return splitter.take();
    }
}

tokenlist expandmacro(preprocessstate& state, const macro& definition, argumentlist arguments, const textplace& site)
{
    expansionlevel level(state, site);
    for (tokenlist& argument : arguments)
        argument = expandlist(state, argument, site);
    tokenlist substituted = substituteparameters(state, definition, arguments, site);
    chargeexpansion(state, substituted.size(), site);
    tokenlist pasted = pastetokens(state, substituted, site);
    tokenlist result;
    {
        expandingguard guard(definition);
        result = expandlist(state, pasted, site);
    }
    if (!result.empty() && result.back().kind == kindendofline)
        result.pop_back();
    return result;
}

tokenlist expandlist(preprocessstate& state, std::span<const atoken> tokens, const textplace& site)
{
    tokenlist out;
    out.reserve(tokens.size());
    tokenqueue work(tokens);
    while (!work.empty()) {
        std::span<const atoken> rest = work.rest();
        const macro* definition = macroof(state, rest[0]);
        if (definition && state.macros.keepdefinedoperands && followsdefined(state, out, out.size()))
            definition = nullptr;
        if (definition && definition->expanding) {
            out.push_back(blocked(rest[0]));
            work.drop(1);
            continue;
        }
        if (definition) {
            size_t used = 0;
            std::optional<tokenlist> expansion = expandcall(state, *definition, rest, used, site, out);
            if (expansion) {
                chargeexpansion(state, expansion->size(), site);
                work.replacefront(used, *expansion);
                continue;
            }
        }
        out.push_back(rest[0]);
        work.drop(1);
    }
    return out;
}

tokenlist expandidentifierat(preprocessstate& state, size_t& index, std::span<const atoken> tokens,
                             const textplace& site)
{
    if (index >= tokens.size() || tokens[index].kind != kindidentifier)
        internalerror("internal error unexpected path");
    const atoken& token = tokens[index];
    const macro* definition = macroof(state, token);
    if (definition && definition->expanding) {
        ++index;
        return {blocked(token)};
    }
    if (definition) {
        size_t used = 0;
        std::optional<tokenlist> expansion = expandcall(state, *definition, tokens.subspan(index), used, site, {});
        if (expansion) {
            index += used;
            return std::move(*expansion);
        }
    }
    ++index;
    return {token};
}

tokenlist substituteparameters(preprocessstate& state, const macro& definition, const argumentlist& arguments,
                               const textplace& site)
{
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
            while (next < body.size() && body[next].kind == kindwhitespace)
                ++next;
            bool stringize = token.kind == kindhash;
            if (next >= body.size() || !isparameterreference(body[next]))
                raiseerror(state, stringize ? "# has no argument in macro" : "### has no argument in macro", site);
            std::string quote = stringize ? "\"" : "'";
            size_t parameter = static_cast<size_t>(body[next].kind - kindparameter);
            chargeexpansionbytes(state, argumentbytes(arguments, parameter) + 2, site);
            out.push_back({kindquotedname, keeptext(state, quote + argumenttext(arguments, parameter) + quote)});
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
    chargeexpansionbytes(state, viewedbytes, site);
    return out;
}

tokenlist pastetokens(preprocessstate& state, std::span<const atoken> tokens, const textplace& site)
{
    tokenlist out;
    out.reserve(tokens.size());
    // A run a ## b ## c builds the text of out[building] in pasted, kept once the run ends:
    // pasting pair by pair would copy the growing text again for every operand.
    constexpr size_t none = std::string_view::npos;
    size_t building = none;
    std::string pasted;
    auto finishrun = [&] {
        if (building == none)
            return;
        out[building].text = keeptext(state, std::move(pasted));
        pasted.clear();
        building = none;
    };
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind != kindhashhash) {
            if (!isinsignificant(tokens[i]))
                finishrun();
            out.push_back(tokens[i]);
            continue;
        }
        size_t next = i + 1;
        while (next < tokens.size() && isinsignificant(tokens[next]))
            ++next;
        if (next >= tokens.size() || tokens[next].kind == kindendofline)
            raiseerror(state, "## has no second argument in macro", site);
        while (!out.empty() && isinsignificant(out.back()))
            out.pop_back();
        if (out.empty())
            raiseerror(state, "## has no first argument in macro", site);
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

std::string macrodump(preprocessstate& state)
{
    std::string dump;
    for (const auto* entry : sortedmacros(state)) {
        const auto& [name, definition] = *entry;
        dump += name;
        if (definition.functionlike) {
            dump += " (";
            std::vector<std::string> names = parameternames(definition);
            for (size_t i = 0; i < names.size(); ++i)
                dump += (i ? "," : "") + names[i];
            dump += ")";
        }
        dump += "\nbody:>>" + jointokens(definition.body) + "<<\n";
    }
    return dump;
}
