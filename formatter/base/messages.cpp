// The message sink, the fatal-error throwers and the usage-error enders.
#include "messages.h"

#include "pattern.h"
#include "support.h"

#include <cstdio>

void writeerrorstream(std::string_view text) {
    if (text.empty()) return;
    // Messages may quote source text and values from files; no control byte but the line
    // feed and the tab reaches the terminal.
    const std::string shown = escapedlines(text);
    std::fflush(stdout);
    std::fwrite(shown.data(), 1, shown.size(), stderr);
    std::fflush(stderr);
}

void printout(messagestream& sink, std::string message) {
    if (sink.stringmode) sink.text += message;
    else writeerrorstream(message);
}

void die(const std::string& message) { throw std::string(message); }

void dieline(int number) { throw numtostring(number) + "\n"; }

void dieline(const std::string& text) { throw text + "\n"; }

void usageerror(messagestream& sink, const std::string& message) {
    if (!message.empty()) printout(sink, message + "\n");
    printout(sink, "\n(Give -h as option if you want to see the usage info)\n");
    dieline("2");
}

void usageerrornohint(messagestream& sink, const std::string& message) {
    if (!message.empty()) printout(sink, message + "\n");
    dieline("2");
}

int messagecode(const std::string& message) {
    if (!pattern::get("^\\d+$").partialmatch(message)) return -1;
    return stringtonum(message);
}
