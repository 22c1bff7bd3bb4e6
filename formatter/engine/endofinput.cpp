// End-of-input checks: a quote, q-quote or block comment that stays open to the end of the
// text, or a comment closer without an opener, ends the file with the place named.
#include "formatter.h"
#include "globals.h"
#include "support.h"

void formatter::checkendofinput() {
    position t = currenttoken;
    int32_t kind = t->kind;
    if (kind != lonedoublequote && kind != lonecommentmark && kind != qquoteopener && kind != lonesinglequote) return;
    int32_t line = tokenline(t);
    std::string place = s.inputfilealias + " line " + numtostring(line) + " col " + numtostring(t->column);
    switch (kind) {
    case lonedoublequote: die(place + " Syntax error:unclosed \" \n");
    case lonecommentmark:
        if (t->text() == "/*") die(place + " Syntax error:unclosed /* \n");
        die(place + " Syntax error:unopened */ \n");
    case qquoteopener: die(place + " Syntax error:unclosed q' \n");
    default: break;
    }
    printout(messages,
             "Syntax error:unclosed ' somewhere before " + s.inputfilealias + " line " + numtostring(line) + "\n");
    // The quote most likely went missing where the earliest literal that swallowed a line
    // break begins.
    int32_t likely = line;
    int32_t running = line;
    for (position e = t; e != tokens.begin();) {
        --e;
        int32_t breaks = static_cast<int32_t>(countlinebreaks(e->text()));
        running -= breaks;
        if (e->kind == stringliteral && breaks > 0) likely = running;
    }
    die("Error possible around " + s.inputfilealias + " line " + numtostring(likely) + "\n");
}
