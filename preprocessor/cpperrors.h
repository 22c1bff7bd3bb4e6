// Preprocessing errors with their source context, line numbering of positions, and the
// debug listings and dump files written on the error paths.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cpptokens.h"

struct macrostate;
struct preprocessstate;
struct switchstate;

// The one error type of the preprocessor; its text is the whole message.
class preprocesserror : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A position in a text: where an error is reported.
struct textplace {
    std::string_view text;
    size_t position = 0;
};

// The positions of the line breaks of the large texts read, by text.
using lineindexmap = std::map<std::pair<const char*, size_t>, std::vector<size_t>>;

// 1 plus the number of line breaks before position (CR LF, lone CR and lone LF count once). A
// large text gets an index of its line breaks the first time.
int32_t lineofposition(lineindexmap& indexes, size_t position, std::string_view text);
// Drops the line-break indexes kept for large texts (their texts may be gone).
void forgetlineindexes(lineindexmap& indexes);

class errorreporter;

// Raises: currentfilename " line " N ":" message "\nAt source:" up to 40 bytes before the
// position (white space directly before it passed over) "<<\n". Writes the macro dump and,
// inside an include, the include listing first.
[[noreturn]] void raiseerror(errorreporter errors, const std::string& message, size_t position, std::string_view text);
[[noreturn]] void raiseerror(errorreporter errors, const std::string& message, const textplace& place);
// The same without dumps, adding "\n and in macro:" and the macro tokens before end.
[[noreturn]] void raiseerrorinmacro(errorreporter errors, const std::string& message, size_t position,
                                    std::string_view text, std::span<const atoken> macrotokens, size_t end);
// "#if stack:" and one line per open conditional, on the standard error stream: written before
// the errors of unclosed or misplaced conditionals.
void printifstack(errorreporter errors);

// Where a stage sends its errors. A report names the file being read and the line, lists the
// open includes and dumps the macros, so it reads much of the call state; a stage that takes an
// errorreporter can raise errors through it and do nothing else with the state. Made from the
// call state wherever the whole of it is at hand, as a string_view is made from a string.
class errorreporter {
public:
    errorreporter(preprocessstate& state) : state(&state) {}

private:
    friend void raiseerror(errorreporter, const std::string&, size_t, std::string_view);
    friend void raiseerrorinmacro(errorreporter, const std::string&, size_t, std::string_view, std::span<const atoken>,
                                  size_t);
    friend void printifstack(errorreporter);
    preprocessstate* state;
};

// A fault of the library itself, not of its input.
[[noreturn]] void internalerror(const std::string& message);

// Writes the line and a line feed to the standard error stream under the switch t (trace),
// else nothing: a host's error stream is no place for the library's routine reports.
void trace(const switchstate& switches, std::string_view line);
// The folder named by MARLOX_DUMP, empty when the dumps are off.
std::string dumpfolder();
// tokens.txt (the output so far) and defines.txt in the dump folder; a failure to write them
// is ignored.
void dumptext(const std::string& output);
void dumpdefines(const macrostate& macros);
