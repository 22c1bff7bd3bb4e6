// The switches of a run explained in sentences (-x, -v), one message per sentence, each
// naming its switch in brackets.

#include "switchlistings.h"

#include "globals.h"
#include "support.h"

namespace {

class explainer {
public:
    explainer(messagestream& messages, const settings& s) : messages(messages), s(s) {}

    void say(const std::string& text) { printout(messages, text); }
    void when(int32_t condition, const std::string& text) {
        if (condition != 0) say(text);
    }

    void sources(const std::string& inputname, const std::string& outputname);
    void html();
    void indentation();
    void spacingandwrapping();
    void indentrules();
    void caseandalignment();
    void sql();
    void linebreaks();
    void conditionalblocks();
    void preprocessor();
    void rest();

private:
    messagestream& messages;
    const settings& s;
};

std::string n(int32_t number) { return numtostring(number); }

void explainer::sources(const std::string& inputname, const std::string& outputname) {
    say(bannertext + " " + versiontext + "\n");
    std::string input = lc(inputname);
    if (input == "stdin") say("Source of input is standard input.\n");
    else if (input == "clipboard") say("Source of input is clipboard.\n");
    else say("Input file to be tidied is " + escapedword(inputname) + ".\n");
    std::string output = lc(outputname);
    if (output == "stdout") say("Destination of output is standard output.\n");
    else if (output == "clipboard") say("Output goes to clipboard.\n");
    else say("Output file is " + escapedword(outputname) + ".\n");
}

void explainer::html() {
    if (s.html == 0) return;
    say("The format of output file is html.(-html+)\n");
    say("The name of html template file is " + s.ht + ".(-ht+)\n");
    for (const auto& [kind, sequence] : s.tag)
        say("For " + kind + " tokens " + "this html tag will be used:" + sequence + ".(-tag[])\n");
}

void explainer::indentation() {
    say("Character set is " + s.cs + ".\n");
    say(s.in != 0 ? "Indentation is on.(-in+)\n" : "Indentation is off.(-in-)\n");
    std::string sizes = join(numberstostrings(s.t), ",");
    if (s.t.size() == 1) say("A tab size is equal to " + sizes + " spaces.(-t)\n");
    else say("Tab sizes are equal to " + sizes + " spaces.(-t)\n");
    if (s.uts != 0) say("Tabs and spaces (if needed) will be used for indenting.(-uts+)\n");
    else if (s.ut != 0) say("Tabs will be used for indenting.(-ut+)\n");
    else say("Only spaces will be used for indenting.\n");
    say("An indent is equal to " + s.is + " spaces.(-is)\n");
    autoarray<int32_t> levels = s.il;
    for (int32_t level = 0; level < levels.size(); ++level)
        if (levels.at(level) >= 0)
            say("At indent level " + n(level) + ", the indent size is " + n(levels.at(level)) + ".(-il)\n");
}

void explainer::spacingandwrapping() {
    when(s.ctis, "Non-leading tabs will be converted into spaces.(-ctis+)\n");
    if (s.mcs != 0) {
        say("Lines which are longer than " + n(s.mcs) + " columns will be shortened.(-mcs)\n");
        say(s.amso != 0 ? "The source will be statement-wrapped.(-amso+)\n"
                        : "The source will be token-wrapped.(-amso-)\n");
        when(s.asc, "Comments will be reduced by removing * or - chars in them.(-asc+)\n");
        when(s.amc, "The source will be comment-wrapped.(-amc+)\n");
        when(s.abusc, "All standalone comments will be word-wrapped.(-abusc+)\n");
        when(s.acoslc, "Single line comments may be converted into multiline comments.(-acoslc+)\n");
        when(s.abuc, "Comments will be word-wrapped.(-abuc+)\n");
        when(s.aci, "Indentation may be modified to reduce the size of a line.(-aci+)\n");
        when(s.acs, "Spaces in a line may be modified to reduce the size of a line.(-acs+)\n");
    }
    when(s.rsaob, "The spaces are removed after opening brackets.(-rsaob+)\n");
    when(s.rsbcb, "Spaces are removed before closing brackets.(-rsbcb+)\n");
    when(s.c, "Generally,the redundant spaces (more than 1 space) will be reduced to 1 space.(-c+)\n");
    when(s.iic, "The text inside the comment will be indented.(-iic+)\n");
    when(s.co, "The space around operations(+,-..) will be removed.(-co+)\n");
    when(s.sao, "There will be one space around operations(+,-..).(-sao+)\n");
    when(s.ncb, "The space around brackets will not be touched.(-ncb+)\n");
    when(s.rs, "The shape of sql statements will not change.(-rs+)\n");
}

void explainer::indentrules() {
    when(s.id, "Declarations will be indented.(-id+)\n");
    when(s.iaew, "There will be an extra indentation after 'exception' WHEN.(-iaew+)\n");
    when(s.iacw, "There will be an extra indentation after 'case' WHEN.(-iacw+)\n");
    when(s.iac, "There will be indentation after CURSOR.(-iac+)\n");
    when(s.iibe, "The code inside begin/end block will be indented.(-iibe+)\n");
    when(s.iiie, "Ifs after ELSEs will be indented.(-iiie+)\n");
    when(s.itlwb, "LOOP/THEN will be indented with the next block.(-itlwb+)\n");
    when(s.ni, "Each line will be indented in a nicer way.(-ni+)\n");
    when(s.continuationindent > 0, "There will be more indent after operators.(-ci)\n");
}

void explainer::caseandalignment() {
    when(s.uk, "The sql keywords will be converted into their uppercase form.(-uk+)\n");
    when(s.lk, "The sql keywords will be converted into their lowercase form.(-lk+)\n");
    when(s.ck, "The sql keywords will be capitalized.(-ck+)\n");
    when(s.ui, "The identifiers will be in uppercase.(-ui+)\n");
    when(s.li, "The identifiers will be in lowercase.(-li+)\n");
    when(s.ci, "The identifiers will be capitalized.(-ci+)\n");
    when(s.clb, "Elements of comma separated lists inside brackets will be arranged in column form.(-clb+)\n");
    when(s.pcr, "Commas on the left will moved to the rigth hand side.(-pcr+)\n");
    when(s.actv, "Types in declarations will be aligned vertically.(-actv+)\n");
    when(s.actv != 0 || s.aav != 0,
         "Padding size for declarations aligned vertically and align aliases:" + n(s.ps) + "(-ps)\n");
    when(s.acav, "Consecutive assignments will be aligned vertically.(-acav+)\n");
    when(s.acev, "Consecutive equal operators will be aligned vertically.(-acev+)\n");
    when(s.acarv, "Consecutive arrows will be aligned vertically.(-acarv+)\n");
    when(s.actvct, "Consecutive types will be aligned vertically in create table.(-actvct+)\n");
    when(s.ac, "Conditions in IFs and like will be aligned left.(-ac+)\n");
    when(s.aroa, "Left hand side of assignment will be aligned left.(-aroa+)\n");
    when(s.dbvn, "The way variables are written in declarations, so they will look elsewhere.(-dbvn+)\n");
    when(s.isc != 0 && s.in != 0, "Standalone comments will be indented outside lists,alignments,sql.(-isc+)\n");
    when(s.isc2 != 0 && s.in != 0, "Standalone comments will be indented in lists,alignments and sql.(-isc2+)\n");
}

void explainer::sql() {
    when(s.as, "Non-keywords of selects will be left-adjusted.(-as+)\n");
    when(s.au, "Non-keywords of updates will be left-adjusted.(-au+)\n");
    when(s.aaw, "The conditions of 'where'  will be aligned/left-adjusted.(-aaw+)\n");
    when(s.aav, "Aliases found in sql will be aligned vertically.(-aav+)\n");
    when(s.kitt, "Each 'then' will be placed in the last line of if condition.(-kitt+)\n");
    when(s.kwlt, "Each 'loop' are placed in the last line of while condition.(-kwlt+)\n");
    when(s.kflt, "Each 'loop' are placed in the last line of for condition.(-kflt+)\n");
    when(s.kpit, "Extra whitespace is removed before is/as.(-kpit+)\n");
    when(s.kwtt, "Each 'then' will be placed in the last line of when condition.(-kwtt+)\n");
    if (s.sbi != 0) {
        say("At the end of each block, a comment will be maintained about the start of the block.(-sbi+)\n");
        say("Marker of information end of blcck :" + s.sbi_m + ".(-sbi.m)\n");
        say("Minimum number of lines in a block for which information is shown:" + n(s.sbi_ml) + ".(-sbi.ml)\n");
        say("Maximum character length of information shown:" + n(s.sbi_max) + ".(-sbi.max)\n");
    }
    when(s.rbi,
         "At the end of each block, the end of block comment will be removed which about the start of "
         "the block.(-rbi+)\n");
    if (s.sic != 0) {
        say("In each INSERT, comments will be maintained about how fields are related to inserted values."
            "(-sic+)\n");
        say("Marker of information end of blcck :" + s.sic_m + ".(-sic.m)\n");
    }
    when(s.ric,
         "At the end of each block, the end of block comment will be removed which about the start of "
         "the block.(-ric+)\n");
    when(s.sigiven, "The look of at least one identifier is given.(-si)\n");
    when(s.pius, "'Into' keywords will be placed under select.(-pius+)\n");
    when(s.plouwh, "And/or/not keywords will be placed under where/having.(-plouwh+)\n");
    when(s.rask, "The sqls will be right-aligned.(-rask+)\n");
    when(s.bus, "Sql statements will be broken up.(-bus+)\n");
    when(s.bbj, "Join keywords will start a new line.(-bbj+)\n");
    if (s.isis != 0) {
        say("Indent size in Sql clauses:" + n(s.isis) + ".(-isis)\n");
        when(s.ins, "Indent inside selects.(-ins+)\n");
        when(s.iu, "Indent inside updates.(-iu+)\n");
        when(s.iaw, "Indent in wheres.(-iaw+)\n");
    }
    when(s.eiib, "Extra indent size in brackets:" + n(s.eiib) + ".(-eiib)\n");
    when(s.brei, "Extra indent size relatively to brackets in brackets:" + n(s.brei) + ".(-brei)\n");
}

void explainer::linebreaks() {
    when(s.buml, "Lines with multiple statements will be converted into single statement lines.(-buml+)\n");
    when(s.milipl, "Minimum list items per line:" + n(s.milipl) + "(-milipl+)\n");
    when(s.mlipl, "Maximum list items per line:" + n(s.mlipl) + "(-mlipl+)\n");
    when(s.rael, "All empty lines will be removed except in comments and strings.(-rael+)\n");
    when(s.mlacd, "A linebreak will be inserted after each cursor declaration if there is no any.(-mlacd+)\n");
    when(s.rlacd, "Linesbreaks will be removed after each cursor declaration.(-rlacd+)\n");
    when(s.mlai, "A linebreak will be inserted after each if if there is no any.(-mlai+)\n");
    when(s.rlai, "Linesbreaks will be removed after each if.(-rlai+)\n");
    when(s.mlaf, "A linebreak will be inserted after each for loop if there is no any.(-mlaf+)\n");
    when(s.rlaf, "Linesbreaks will be removed after each for loop.(-rlaf+)\n");
    when(s.mlaw, "A linebreak will be inserted after each while loop if there is no any.(-mlaw+)\n");
    when(s.rlaw, "Linebreaks will be removed after each while loop.(-rlaw+)\n");
    when(s.mlal, "A linebreak will be inserted after each loop loop if there is no any.(-mlal+)\n");
    when(s.mlafu, "A linebreak will be inserted after each function/procedure name if there is no any.(-mlafu+)\n");
    when(s.rlafu, "Linebreaks will be removed after each function/procedure name.(-rlafu+)\n");
    when(s.rlal, "Linebreaks will be removed after each loop loop.(-rlal+)\n");
    when(s.mlapr, "A linebreak will be inserted after each procedure if there is no any.(-mlapr+)\n");
    when(s.rlapr, "Linebreaks will be removed after each procedure.(-rlapr+)\n");
    when(s.mlapa, "A linebreak will be inserted after each package if there is no any.(-mlapa+)\n");
    when(s.rlapa, "Linebreaks will be removed after each package.(-rlapa+)\n");
    when(s.ifsl, "At / syntax checks and formatter reset will not happen.(-ifsl+)\n");
    when(s.ifsib, "If / found in brackets, syntax checks and formatter reset will not happen.(-ifsib+)\n");
}

void explainer::conditionalblocks() {
    std::vector<std::string> pieces = ifstreetext(s.ifskeywords, s, "");
    if (!pieces.empty()) say(annotateswitches(pieces, 0) + "\n");
}

// Headings and entries carry no line break of their own: each goes on a line, the
// entries indented under their heading.
void explainer::preprocessor() {
    if (s.pp == 0) return;
    say("Pl/Sql preprocess will convert the code first.(-pp+)\n");
    auto list = [this](const std::string& heading, const std::vector<std::string>& entries) {
        if (entries.empty()) return;
        say(heading + "\n");
        for (const std::string& entry : entries) say("  " + entry + "\n");
    };
    list("Macros will be preloaded from here:", s.pp_pf);
    list("Include path of preprocessor:", s.pp_I);
    std::vector<std::string> macros;
    for (const auto& [name, value] : s.pp_D) macros.push_back(name + "=" + value);
    list("Macro definitions specified:", macros);
}

void explainer::rest() {
    when(s.cmk, "Check for missing loop/then keywords.(-cmk+)\n");
    when(s.pl, "Logo and formatting information will be prepended in the output file.(-pl+)\n");
    when(s.plo, "Logo will be prepended in the output file.(-plo+)\n");
    when(s.gsfif, "The switches will be obtained from the input file(s).(-gsfif+)\n");
    when(s.soe, "If an error occurs,the formatting is not tried for other files.(-soe+)\n");
    say("Backup directory is: " + s.bdir + ".(-bdir)\n");
    say("Number of backup versions to keep: " + n(s.b) + ".(-b)\n");
}

}  // namespace

void explainswitches(messagestream& messages, const settings& s, const std::string& inputname,
                     const std::string& outputname) {
    explainer e(messages, s);
    e.sources(inputname, outputname);
    e.html();
    e.indentation();
    e.spacingandwrapping();
    e.indentrules();
    e.caseandalignment();
    e.sql();
    e.linebreaks();
    e.conditionalblocks();
    e.preprocessor();
    e.rest();
}
