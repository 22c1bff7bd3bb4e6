// libFuzzer target: switch words, parsed into settings as an in-source options comment's are;
// their listing must load, and load back unchanged once loaded; and a small program formatted
// under them, whatever values the number switches got, must end cleanly and keep its text.
// An input whose first byte is below 8 builds its words from the switch table (every switch,
// numbers at and past their bounds, texts of any bytes); any other is switch text as an
// options comment gives it.
#include "charsets.h"
#include "commandline.h"
#include "formatfile.h"
#include "formattext.h"
#include "settings.h"
#include "settingsfiles.h"
#include "switchlistings.h"
#include "switchtable.h"
#include "switchwords.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// The end of a file whose result failed the check (the messages may quote the source).
const std::string integrityfailure = "Integrity failure. Stop. Nothing is changed.\n";

[[noreturn]] void fault(const std::string& what) {
    std::fprintf(stderr, "fuzzswitches: %s\n", what.c_str());
    std::abort();
}

// Every kind of token and most rules: a package body with a SQL*Plus line, comments, literals,
// lists with leading commas, brackets, blocks and DML.
const std::string program =
    "PROMPT Don't stop\n"
    "create or replace package body demo is\n"
    "  -- counts rows\n"
    "  function rows_of(p_table in varchar2, p_limit number default 10) return number is\n"
    "    v_count number(10, 2) := 0; /* running total */\n"
    "    type t_rec is record (a number, b varchar2(30));\n"
    "  begin\n"
    "    select count(*), max(b) -- items\n"
    "      , min(c)\n"
    "      into v_count, v_max, v_min from t left outer join u on t.id = u.id\n"
    "     where a = 1 and b between 2 and 3 or not c in (select x from y union all select z from w);\n"
    "    if v_count > p_limit then v_count := p_limit; elsif v_count < 0 then null; else\n"
    "      for i in 1 .. v_count loop insert into log (id, text) values (i, q'[it's]' || \"Name\"); end loop;\n"
    "    end if;\n"
    "    update t set a = 1, b = case when c = 1 then 'x' else 'y' end where d = 2;\n"
    "    return v_count;\n"
    "  exception when others then raise;\n"
    "  end rows_of;\n"
    "end demo;\n"
    "/\n";

// Formats the program under the settings into a string; a clean failure is fine, a result
// that fails its integrity check is not.
void formatprogram(const settings& parsed) {
    settings s = parsed;
    s.inputfile.clear();
    s.inputfilealias = "program.sql";
    s.outputfile = s.outputfilealias = "output_str";
    s.b = 0;
    s.lt = s.ct = s.str = 0;
    s.l = -1;
    messagestream messages;
    messages.stringmode = 1;
    try {
        formattext(s, commandlineswitches(), program, messages);
    } catch (const std::string& message) {
        if (message == integrityfailure)
            fault("the program failed its integrity check under these switches:\n" + messages.text + message);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool built = (buildcharsettables(), buildswitchtable(), discardstandardoutput(), true);
    (void)built;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    settings first = freshsettings();
    std::string messages;
    const bool fromtable = size > 0 && data[0] < 8;
    if (!parseswitchwords(fromtable ? switchwordsfrom(text.substr(1)) : splitsettingstext(text), first, messages))
        return 0;

    // A listing may not load back exactly (presets can leave exclusive switches on together,
    // and -0 empties the tags a listing cannot remove), but it must load, and the listing of
    // what it loads must load back unchanged: a settings file saved again stays the same.
    std::string listing = printswitches(first, 0);
    for (int round = 0; round < 2; ++round) {
        settings loaded = freshsettings();
        if (!parseswitchwords(splitsettingstext(listing), loaded, messages))
            fault("a listing of parsed switches is refused:\n" + listing + "\n" + messages);
        std::string again = printswitches(loaded, 0);
        if (round == 1 && again != listing) fault("a loaded listing does not load back:\n" + listing + "\n" + again);
        listing = again;
    }
    // Every value the parser accepts is within the bounds of its switch, so each is used.
    formatprogram(first);
    return 0;
}
