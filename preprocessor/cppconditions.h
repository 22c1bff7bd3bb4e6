// The conditional-expression evaluator of #if and #elif: signed 64-bit values, C and PL/SQL
// operators ("and", "or", "not", "mod", "=", "<>" beside "&", "|", "^", "~", "<<", ">>"),
// "defined", and macros expanded in place with names that remain taken as 0.
#pragma once

#include <cstdint>

#include "cpperrors.h"
#include "cppmacros.h"
#include "cpptokens.h"

// The value of the directive's tokens (as tokenizeline made them, ending in a kind-19 token).
// Errors are raised at site. Macros in the tokens are expanded, "defined" asks the macro table.
int64_t evaluatecondition(const expansionparts& parts, tokenlist tokens, const textplace& site);

// The value of a decimal (kind 14) or hexadecimal (kind 15) literal, suffixes dropped.
int64_t numbervalue(errorreporter errors, const atoken& token, const textplace& site);
// The byte value of a character literal: 'c', '\xHH' or '\\'.
int64_t charactervalue(errorreporter errors, const atoken& token, const textplace& site);
