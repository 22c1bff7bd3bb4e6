// The help table of brelm's switches: the lines of the usage text and their keys.

#include "helptable.h"

#include "messages.h"

std::vector<helprecord> helptable;
std::map<std::string, helprecord> helpbykey;

namespace {

struct helpentry {
    const char* key;         // given only where the line's own letters would not do
    const char* switchpart;  // a leading blank moves the description one column right
    const char* description;
};

struct helpsection {
    const char* name;
    size_t column;  // where descriptions start, counted from 0
    std::vector<helpentry> entries;
};

// clang-format off
const std::vector<helpsection>& helpsections() {
    static const std::vector<helpsection> sections = {
        {"general", 16, {
            {"-i[r]", "-i[r] inpsrc", "input source can be:a filename,stdin,globbing [recursively]"},
            {"-o", "-o outdest", "output destination can be:a filename,stdout"},
            {"-io[r]", "-io[r] filename", "same input and output file [recursively]"},
            {"-ie", "-oe ext", "extension of output if -(i)o is not specified"},
            {"-od[r]", "-od[r] dir", "output directory [recursive mode]"},
            {"-ef[r]", "-ef[r] filename", "exclude filenames from formatting [recursively]"},
            {"", "-sl lineno", "read input from this line (don't use lines before)"},
            {"", "-el lineno", "don't use input after this line"},
            {"", "-cs charset", "8 bit ascii like character set of the input"},
            {"", "-t s1[,s2..]", "tab is equal to s1,s2.. columns"},
            {"", "-ut[+-]", "use only tabs for indenting"},
            {"", "-uts[+-]", "use tabs and spaces if necessary for indenting"},
            {"", "-is size(t)", "indent size in spaces or in tabs (generally)"},
            {"", "-in[+-]", "indent lines yes/no"},
            {"", "-il[Le] size(t)", "indent size in spaces or in tabs at (Le)vel(specific)"},
            {"", "-sit[+-]", "set indent sizes to tab sizes"},
            {"", "-ctis[+-]", "convert tabs into spaces"},
            {"", "-uk[+-]", "uppercase keywords yes/no"},
            {"", "-ck[+-]", "capital keywords yes/no"},
            {"", "-lk[+-]", "lowercase keywords yes/no"},
            {"", "-li[+-]", "lowercase identifiers"},
            {"", "-ui[+-]", "uppercase identifiers"},
            {"", "-ci[+-]", "capitalised identifiers"},
            {"", "-si ident", "set identifiers to look like ident"},
        }},
        {"wrapping", 15, {
            {"", " -mcs size", "maximum allowed size of columns"},
            {"", " -amso[+-]", "allow moving statements only"},
            {"", " -asc[+-]", "allow shortening comments"},
            {"", " -amc[+-]", "allow moving comments"},
            {"", " -abusc[+-]", "allow broken up standalone comments"},
            {"", " -abuc[+-]", "allow broken up comments"},
            {"", " -acoslc[+-]", "allow conversion of single line comments"},
            {"", " -aci[+-]", "allow changing indentation"},
            {"", " -acs[+-]", "allow changing space"},
        }},
        {"spaces", 15, {
            {"", "-c[+-]", "compactify, remove redundant spaces/keep"},
            {"", "-co[+-]", "remove spaces around operations (+,- etcdo nothing/)"},
            {"", "-sao[+-]", "add space around operations/do nothing"},
            {"", "-rsaob[+-]", "remove spaces after opening brackets/keep"},
            {"", "-rsbcb[+-]", "remove spaces before closing brackets/keep"},
            {"", "-ncb[+-]", "don't remove spaces around brackets/do nothing"},
        }},
        {"indentation", 15, {
            {"", "-rs[+-]", "keep the relative identation of an allowed sql/do nothing"},
            {"", "-id[+-]", "extra indentation for declarations yes/no"},
            {"", "-iaew[+-]", "extra indentation after exception when yes/no"},
            {"", "-iacw[+-]", "extra indentation after case when yes/no"},
            {"", "-iac[+-]", "extra indentation after cursor yes/no"},
            {"", "-isc[+-]", "indent standalone comments"},
            {"", "-isc2[+-]", "indent standalone comments in some special cases too"},
            {"", "-iic[+-]", "indent inside comments/do nothing"},
            {"", "-iibe[+-]", "indent inside begin/end block"},
            {"", "-itlwb[+-]", "indent then/loop with block"},
            {"", "-ni[+-]", "nice indents"},
            {"", "-iiie[+-]", "indent or do not indent if in else"},
            {"", "-eiib size", "extra indent inside brackets"},
            {"", "-brei size", "bracket relative extra indent"},
        }},
        {"alignments", 15, {
            {"", "-clb[+-]", "column like lists inside brackets"},
            {"", "-actv[+-]", "align consecutive types in declarations vertically"},
            {"", "-ps size", "padding size, number of spaces between variables and types"},
            {"", "-acav[+-]", "align consecutive assignments (:=) vertically"},
            {"", "-acev[+-]", "align consecutive equalities (=) vertically"},
            {"", "-acarv[+-]", "align consecutive arrows (=>) vertically"},
            {"", "-pcr[+-]", "put commas right"},
            {"", "-as[+-]", "align selects"},
            {"", "-au[+-]", "align updates"},
            {"", "-aaw[+-]", "align after where clauses"},
            {"", "-ac[+-]", "align conditions in IF/THEN"},
            {"", "-aroa[+-]", "align right of assignments"},
        }},
        {"sql", 15, {
            {"", "-pius[+-]", "put 'into' under select"},
            {"", "-plouwh[+-]", "put logical operations under where/having"},
            {"", "-bus[+-]", "break up sql statements"},
            {"", "-rask[+-]", "right align sql keywords"},
            {"", "-actvct[+-]", "align consecutive types in create table-s verticall"},
            {"", "-aav[+-]", "align aliases vertically"},
            {"", "-bbj[+-]", "(line)break before joins"},
            {"", "-isis size", "indentation size (in spaces) in Sql clauses"},
            {"", " -ins[+-]", "extra indentation after selects"},
            {"", " -iu[+-]", "extra indentation after updates"},
            {"", " -iaw[+-]", "extra indentation after where clauses"},
        }},
        {"linebreaks", 15, {
            {"", "-milipl no", "minimum list items per line"},
            {"", "-mlipl no", "maximum list items per line"},
            {"", "-buml[+-]", "break up multistatement lines"},
            {"", "-rael[+-]", "remove all empty lines"},
            {"", "-mlacd[+-]", "maintain a linebreak after cursor declarations"},
            {"", "-rlacd[+-]", "remove linebreaks after cursor declarations"},
            {"", "-mlai[+-]", "maintain a linebreak after each if"},
            {"", "-rlai[+-]", "remove linebreaks after each if"},
            {"", "-mlaf[+-]", "maintain a linebreak after each for loop"},
            {"", "-rlaf[+-]", "remove linebreaks after each for loop"},
            {"", "-mlaw[+-]", "maintain a linebreak after each while loop"},
            {"", "-rlaw[+-]", "remove linebreaks after each while loop"},
            {"", "-mlal[+-]", "maintain a linebreak after each 'loop' loop"},
            {"", "-rlal[+-]", "remove linebreaks after each 'loop' loop"},
            {"", "-mlafu[+-]", "maintain a linebreak after function names"},
            {"", "-rlafu[+-]", "remove linebreaks after function names"},
            {"", "-mlapr[+-]", "maintain a linebreak after each procedure"},
            {"", "-rlapr[+-]", "remove linebreaks after procedure"},
            {"", "-mlapa[+-]", "maintain a linebreak after package"},
            {"", "-rlapa[+-]", "remove linebreaks after package"},
        }},
        {"other", 15, {
            {"", "-dbvn[+-]", "declaration based variable names"},
            {"", "-kitt[+-]", "keep if/thens together"},
            {"", "-kwlt[+-]", "keep while/loop together"},
            {"", "-kflt[+-]", "keep for/loop together"},
            {"", "-kpit[+-]", "keep procedure and is/as together"},
            {"", "-kwtt[+-]", "keep when/then together"},
            {"", "-sbi[+-]", "show block information after the end of blocks"},
            {"", "-sbi.ml lines", "show it for blocks that have at least minimum lines"},
            {"", "-sbi.m string", "marker string to use to denote end of block information"},
            {"", "-sbi.max chars", "maximum characters to show from the start of the block"},
            {"", "-rbi[+-]", "remove block information after the end of blocks"},
            {"", "-sic[+-]", "show/add insert comment/field information in INSERT"},
            {"", "-sic.m string", "marker string to use to denote an insert comment/field infos"},
            {"", "-ric[+-]", "remove insert comments/field connections"},
            {"", "-ifs start", "if start of statement is start.."},
            {"", "-ei", "end if"},
            {"", "-ifsib[+-]", "ignore forward slashes in brackets"},
            {"", "-ifsl[+-]", "ignore forward slashes everywhere"},
            {"", "-no", "no output for given input"},
            {"", "-np", "no processing"},
            {"", "-cmk[+-]", "check for missing keywords [loop/then]"},
            {"", "-x", "print the configuration and does not format"},
            {"", "-v", "verbose , same as -x but it will tidy"},
            {"", "-sf[+-]", "show filenames in block stack"},
            {"", "-rl[+-]", "reverse listing of block stack"},
            {"", "-sr[+-]", "show the result of formatting"},
            {"", "-ss[+-]", "show the summary of multiple formatting"},
            {"", "-b maxvers", "number of backup versions to keep"},
            {"", "-bdir dir", "location of the backup directory"},
            {"", "-ls filename", "load settings/switches from a file"},
            {"", "-gsfif[+-]", "get switches from input file"},
            {"", "-ae ext", "accept files with ext only"},
            {"", "-sw[+-]", "show switches in effect"},
            {"", "-swx[+-]", "show switches in effect and explain"},
            {"", "-sdw", "show default switches"},
            {"", "-sdwx", "show default switches and explain"},
            {"", "-swc", "show switches compactly"},
            {"", "-swcx", "show switches compactly and explain"},
            {"", "-0", "sets all switches to off"},
            {"", "-pl[+-]", "prepend logo and formatting info to the output file"},
            {"", "-plo[+-]", "prepend logo only"},
            {"", "-mte[+-]", "multithreaded execution for multiple files"},
            {"", "-soe[+-]", "stop on errors if multiple files are processed"},
            {"", "-w[+-]", "show warnings/potential problems in code"},
        }},
        {"styles", 15, {
            {"", "-al[+-]", "set all formatting switches on and left-aligned sql"},
            {"", "-ar[+-]", "set all formatting switches on and right-aligned sql"},
            {"", "-ai[+-]", "set all formatting switches on and indent in sql"},
            {"", "-lsql[+-]", "left-aligned sq"},
            {"", "-rsql[+-]", "right-aligned sql"},
            {"", "-isql[+-]", "indent in sql"},
            {"", "-alol[+-]", "at least one linebreak after blocks and elsewhere"},
            {"", "-ol[+-]", "one linebreak after blocks and elsewhere"},
        }},
        {"html", 15, {
            {"", "-html[+-]", "format of output is html"},
            {"", " -ht filename", "filename of html template"},
            {"", " -tag\\[type\\] tags", "use html tags for token type"},
        }},
        {"Pl/Sql preprocessor", 18, {
            {"", "-pp[+-]", "preprocess(yes/no)"},
            {"", "-pp.I path", "add include path"},
            {"", "-pp.D macro=value", "define macros"},
            {"", "-pp.pf filename", "preload this file"},
            {"", "-pp.clp", "clear include path"},
            {"", "-pp.cpfl", "clear preloaded file list"},
            {"", "-pp.cmd", "clear macro definitions"},
            {"", "-pp.ld[+-]", "insert line directives"},
            {"", "-pp.ild[+-]", "ignore line directives in source"},
            {"", "-pp.kld[+-]", "keep line directives in source"},
        }},
    };
    return sections;
}
// clang-format on

// The switch part, blanks up to the column (at least one), and the description.
std::string helpline(const helpentry& entry, size_t column) {
    std::string line = entry.switchpart;
    if (line[0] == ' ') ++column;
    line.append(line.size() < column ? column - line.size() : 1, ' ');
    return line + entry.description;
}

}  // namespace

std::string switchkey(std::string_view text, const std::string& missingswitch) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i >= text.size() || text[i] != '-') die(missingswitch);
    size_t start = ++i;
    while (i < text.size() && ((text[i] >= 'a' && text[i] <= 'z') || text[i] == '.')) ++i;
    return std::string(text.substr(start, i - start));
}

void addhelpline(const std::string& section, const std::string& key, const std::string& line) {
    helprecord record{section, key.empty() ? switchkey(line, "Internal error: there is no switch") : key, line};
    helpbykey[record.key] = record;
    helptable.push_back(std::move(record));
}

void buildhelptable() {
    helptable.clear();
    helpbykey.clear();
    for (const helpsection& section : helpsections())
        for (const helpentry& entry : section.entries)
            addhelpline(section.name, entry.key, helpline(entry, section.column));
}
