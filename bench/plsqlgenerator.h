// A generator of large, varied PL/SQL source text for benchmarks and the large-input tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// About `bytes` bytes of PL/SQL: packages with nested blocks, SQL statements, comments of
// both kinds, literals, SQL*Plus lines and some very long lines. The same seed gives the
// same text.
std::string generateplsql(size_t bytes, uint32_t seed = 1);
