// The include cache (switch c): the output tokens of an include that stands in a top-level
// text are stored in a .cch file beside the included file, with the files they came from and
// the macros they were made under, and reused while those are unchanged.
#pragma once

#include <cstddef>
#include <set>
#include <span>
#include <string>
#include <string_view>

#include "cppoutput.h"
#include "cpptokens.h"

struct cachestate;
struct macrostate;
struct switchstate;

// The cache file of an included file, in its folder: its name with ":", "\" and "." made
// "_", and ".cch" (inc/x.sql: inc/x_sql.cch).
std::string cachefilenamefor(const std::string& foundpath);

// True when a valid cache of the found path, made under the macros now defined, exists; then
// data holds it (kept in kept) and position stands at its token section. Notes the cache file's
// name and whether it may be replaced.
bool checkcache(cachestate& cache, const macrostate& macros, textstore& kept, const std::string& foundpath,
                std::string_view& data, size_t& position);
// Appends the cached tokens to output and reports "cache read" under the switch t.
void readcachedtokens(const switchstate& switches, std::string_view data, size_t position, tokenoutput& output);
// Begins recording an include: notes the macros now defined and forgets the files included so far.
void startcacherecording(cachestate& cache, const macrostate& macros, const std::string& foundpath);
// Writes the cache of the recording from its tokens, with the source file among its
// dependencies, and reports "cache generated"; writes nothing when the recorded text's output
// depends on more than its files and the macros, when a file of the cache's name is no cache
// file, or when the folder cannot take it.
void writecache(const cachestate& cache, const switchstate& switches, const std::string& sourcefilename,
                std::span<const atoken> tokens);
