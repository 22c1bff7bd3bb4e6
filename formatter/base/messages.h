// The message sink, the fatal-error throwers and the usage-error enders.
// Every fatal error is thrown as a plain std::string holding its message.
#pragma once

#include <string>
#include <string_view>

// Where messages go: the standard error stream, or, in string mode, the text.
struct messagestream {
    std::string text;
    char stringmode = 0;
};

// Appends the message in string mode; else writes it to stderr in one write. Adds nothing.
void printout(messagestream& sink, std::string message);

// Writes text to the standard error stream at once (stdout is flushed first, so that
// the two streams keep their order on a shared terminal), its control bytes but line feeds
// and tabs shown as \xNN.
void writeerrorstream(std::string_view text);

[[noreturn]] void die(const std::string& message);
// Throws the number in decimal followed by "\n".
[[noreturn]] void dieline(int number);
// Throws the text followed by "\n".
[[noreturn]] void dieline(const std::string& text);

// Prints the message (if any), a line break and the -h hint, then throws "2\n".
[[noreturn]] void usageerror(messagestream& sink, const std::string& message);
// Prints the message (if any) and a line break, then throws "2\n".
[[noreturn]] void usageerrornohint(messagestream& sink, const std::string& message);

// The code carried by a message that is digits only (one final "\n" allowed), else -1.
int messagecode(const std::string& message);
