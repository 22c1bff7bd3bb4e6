// Preprocessing errors with their source context, line numbering of positions, and the
// debug listings and dump files written on the error paths.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "cpptokens.h"

struct preprocessstate;

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

// 1 plus the number of line breaks before position (CR LF, lone CR and lone LF count once).
int32_t lineofposition(preprocessstate& state, size_t position, std::string_view text);
// Drops the line-start indexes kept for large texts (their texts may be gone).
void forgetlineindexes(preprocessstate& state);

// Raises: currentfilename " line " N ":" message "\nAt source:" up to 40 bytes before the
// position (white space directly before it passed over) "<<\n". Writes the macro dump and,
// inside an include, the include listing first.
[[noreturn]] void raiseerror(preprocessstate& state, const std::string& message, size_t position,
                             std::string_view text);
[[noreturn]] void raiseerror(preprocessstate& state, const std::string& message, const textplace& place);
// The same without dumps, adding "\n and in macro:" and the macro tokens before end.
[[noreturn]] void raiseerrorinmacro(preprocessstate& state, const std::string& message, size_t position,
                                    std::string_view text, std::span<const atoken> macrotokens, size_t end);
// A fault of the library itself, not of its input.
[[noreturn]] void internalerror(const std::string& message);

// Writes the line and a line feed to the standard error stream under the switch t (trace),
// else nothing: a host's error stream is no place for the library's routine reports.
void trace(preprocessstate& state, std::string_view line);
// "#if stack:" and one line per open conditional, on the standard error stream.
void printifstack(preprocessstate& state);
// The folder named by MARLOX_DUMP, empty when the dumps are off.
std::string dumpfolder();
// tokens.txt (the output so far) and defines.txt in the dump folder; a failure to write them
// is ignored.
void dumptext(const std::string& output);
void dumpdefines(preprocessstate& state);
