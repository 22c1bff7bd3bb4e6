// The preprocessor's internal interface in one include: tokens, state, errors, lexer,
// macros, conditions, directives, includes and their cache, the SQL*Plus command words and
// the processing driver.
#pragma once

#include "cppconditions.h"
#include "cppdirectives.h"
#include "cppdriver.h"
#include "cpperrors.h"
#include "cppfiles.h"
#include "cppincludecache.h"
#include "cppincludes.h"
#include "cpplexer.h"
#include "cppmacros.h"
#include "cppoutput.h"
#include "cppsqlplus.h"
#include "cppstate.h"
#include "cpptextscan.h"
#include "cpptokens.h"
