// Macro definitions and expansion: parameter lists, call arguments, substitution with
// #, ### and ##, and rescanning, with C's rule that a macro is not expanded inside itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "charsettables.h"
#include "cpperrors.h"
#include "cpptokens.h"

struct expansionstate;
struct macrostate;
struct preprocessstate;
struct statementstate;

// Parameter name -> index, 0 for the first as written; a repeated name keeps its last index.
using parametermap = std::map<std::string, int32_t>;

struct macro {
    parametermap parameters;
    bool functionlike = false;
    // As tokenizeline made it (ending in a kind-19 token); a parameter is kindparameter + index.
    tokenlist body;
    // Set while the macro's own expansion is rescanned: its name is not expanded there.
    mutable bool expanding = false;
};

// One token list per argument, each ending in a kind-19 token.
using argumentlist = std::vector<tokenlist>;

// Hashes a name as text, so that a lookup can use a view of it.
struct macronamehash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const noexcept { return std::hash<std::string_view>{}(name); }
};
using macromap = std::unordered_map<std::string, macro, macronamehash, std::equal_to<>>;

// Empties the macro table and its name filter.
void clearmacros(macrostate& macros);
// The entries of the table in name order, for listings that must not depend on hashing.
std::vector<const macromap::value_type*> sortedmacros(const macrostate& macros);

// True when the token before index, white space aside, is "defined", or is a "(" after it.
bool followsdefined(const casemap& lowercase, std::span<const atoken> tokens, size_t index);

// Expansions stop with an error beyond these.
constexpr size_t expansiontokenbudget = 1000000;
// The bytes of token text that one outermost expansion makes, counted at every level of it.
// Stringizing doubles a text at each level of a chain while the tokens stay few.
constexpr size_t expansionbytebudget = size_t(16) << 20;
constexpr int maximumexpansiondepth = 500;
// All expansions of one call together may give a few outermost budgets, and more for every
// byte of text read: a short text cannot make its output grow without end line by line.
constexpr size_t callexpansionbase = 4 * expansiontokenbudget;
constexpr size_t callexpansionsperbyte = 32;
// The bytes that all expansions of a call make, and the output of each text it processes,
// are bounded alike: 64 MB, and 16 bytes more for every byte read.
constexpr size_t callbytebase = size_t(64) << 20;
constexpr size_t callbytesperbyte = 16;

// Starts the budgets of a call; each text read (the source, a preload or an included file)
// then adds to them.
void startcallexpansionbudget(expansionstate& expansion);
void allowexpansionsfor(expansionstate& expansion, size_t textbytes);
// The bytes that the output of a text of the call may hold now.
size_t outputbytebudget(const expansionstate& expansion);

const macro* findmacro(const macrostate& macros, const casemap& lowercase, std::string_view name);
// Stores the macro under its lower-cased name, replacing an earlier one.
void definemacro(macrostate& macros, const casemap& lowercase, std::string_view name, macro definition);
// Removes the macro of that name (in any letter case); false when there was none.
bool undefinemacro(macrostate& macros, const casemap& lowercase, std::string_view name);
// Parameter names in index order.
std::vector<std::string> parameternames(const macro& definition);

// Reads the parameter list standing just after a macro name, if any.
parametermap parseparameterlist(errorreporter errors, bool& functionlike, size_t& position, std::string_view text);
// Reads what follows a macro name in a definition: the parameter list and the rest of the line
// as the body, without its leading white space. The body is kept for the rest of the call.
macro parsemacrodefinition(textstore& kept, errorreporter errors, size_t& position, std::string_view text);

// The arguments of a call in source text; position stands after the "(" and ends after the ")".
// The lexer reads them, moving the statement flags.
argumentlist scanarguments(statementstate& statement, const casemap& lowercase, errorreporter errors, size_t& position,
                           std::string_view text);
// The same in a token list, index after the "(". Errors name the list's tokens (after the
// tokens in before) as the macro context.
argumentlist scanargumentsinlist(errorreporter errors, size_t& index, std::span<const atoken> tokens,
                                 const textplace& site, std::span<const atoken> before = {});

// What expanding macros touches: it draws on the budgets and keeps the texts it makes, reads the
// macros and the character set, and raises errors. Made from the call state where the whole of
// it is at hand.
struct expansionparts {
    expansionparts(preprocessstate& state);

    expansionstate& expansion;
    textstore& kept;
    const macrostate& macros;
    const casemap& lowercase;
    errorreporter errors;
};

// The full expansion of one call; errors are reported at site.
tokenlist expandmacro(const expansionparts& parts, const macro& definition, argumentlist arguments,
                      const textplace& site);
// A copy of the list with every macro call in it expanded.
tokenlist expandlist(const expansionparts& parts, std::span<const atoken> tokens, const textplace& site);
// Expands the identifier at index and moves index past the name and its arguments; gives the
// identifier itself (moving by one) when it is no macro call.
tokenlist expandidentifierat(const expansionparts& parts, size_t& index, std::span<const atoken> tokens,
                             const textplace& site);
// The body with parameters replaced by arguments and # and ### applied.
tokenlist substituteparameters(expansionstate& expansion, textstore& kept, errorreporter errors,
                               const macro& definition, const argumentlist& arguments, const textplace& site);
// Joins the tokens on both sides of each ##.
tokenlist pastetokens(textstore& kept, errorreporter errors, std::span<const atoken> tokens, const textplace& site);

// Each macro: name, " (" parameters ")" when function-like, "\nbody:>>", body, "<<\n".
std::string macrodump(const macrostate& macros);
