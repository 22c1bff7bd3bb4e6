// The preprocessor's internal interface in one include: tokens, state, errors, lexer,
// macros, the SQL*Plus command words and the processing driver.
#pragma once

#include "cppdirectives.h"
#include "cppdriver.h"
#include "cpperrors.h"
#include "cpplexer.h"
#include "cppmacros.h"
#include "cppsqlplus.h"
#include "cppstate.h"
#include "cpptextscan.h"
#include "cpptokens.h"
