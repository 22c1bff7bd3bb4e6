// A generator of large, varied PL/SQL source text for benchmarks and the large-input tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// About `bytes` bytes of PL/SQL: packages with nested blocks, SQL statements, comments of
// both kinds, literals, runs of PROMPT lines and some very long lines. With `macros` the text
// also defines and calls preprocessor macros and has conditional sections. The same seed
// gives the same text.
std::string generateplsql(size_t bytes, uint32_t seed = 1, bool macros = false);

// About `bytes` bytes in the style of real projects: SQL*Plus install scripts, package specs
// and bodies, object types, triggers and grants, with conditional compilation, CASE, MERGE
// and analytic queries; with `macros` also preprocessor macros and conditional sections.
std::string generaterealcode(size_t bytes, uint32_t seed = 1, bool macros = false);

// The names of the degenerate shapes, and about `bytes` bytes of one of them: one endless
// comma list, an operator chain, nested brackets, many short statements, one long line,
// comments, literals.
const std::vector<std::string>& shapenames();
std::string generateshape(const std::string& shape, size_t bytes);
