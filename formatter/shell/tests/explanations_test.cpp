// Switch explanations: which sentences a record gives, their order and their gates.
#include "switchlistings.h"

#include "globals.h"
#include "ifsblocks.h"
#include "switchfixture.h"

#include <functional>

namespace {

class explanations : public switchfixture {
protected:
    void SetUp() override {
        switchfixture::SetUp();
        versiontext = "2.6.1";
        s.bdir = "/tmp";
    }

    std::string explain(const std::string& input = "a.sql", const std::string& output = "a.sql.vmq") {
        messagestream messages;
        messages.stringmode = 1;
        explainswitches(messages, s, input, output);
        return messages.text;
    }

    bool says(const std::string& sentence) { return explain().find(sentence) != std::string::npos; }
    size_t count(const std::string& sentence) {
        std::string text = explain();
        size_t found = 0;
        for (size_t at = text.find(sentence); at != std::string::npos; at = text.find(sentence, at + 1)) ++found;
        return found;
    }
};

}  // namespace

TEST_F(explanations, sourcesanddestinationsarenamedbylowercasecomparison) {
    struct row {
        const char* input;
        const char* output;
        const char* first;
        const char* second;
    } rows[] = {
        {"STDIN", "stdout", "Source of input is standard input.\n", "Destination of output is standard output.\n"},
        {"Clipboard", "CLIPBOARD", "Source of input is clipboard.\n", "Output goes to clipboard.\n"},
        {"x.sql", "stderr", "Input file to be tidied is x.sql.\n", "Output file is stderr.\n"},
        {"stdin.sql", "null", "Input file to be tidied is stdin.sql.\n", "Output file is null.\n"},
    };
    for (const row& r : rows)
        EXPECT_EQ(explain(r.input, r.output).substr(0, 200).find(std::string("Vellmarq Pl/Sql Formatter 2.6.1\n") +
                                                                  r.first + r.second),
                  0u)
            << r.input;
}

TEST_F(explanations, tabsentencesfollowthenumberofsizes) {
    struct row {
        std::vector<int32_t> sizes;
        const char* sentence;
    } rows[] = {
        {{4}, "A tab size is equal to 4 spaces.(-t)\n"},
        {{4, 8}, "Tab sizes are equal to 4,8 spaces.(-t)\n"},
        {{}, "Tab sizes are equal to  spaces.(-t)\n"},
    };
    for (const row& r : rows) {
        s.t = r.sizes;
        EXPECT_TRUE(says(r.sentence)) << r.sentence;
    }
}

TEST_F(explanations, gatedsentencesstaysilentwithouttheirgate) {
    s.amso = s.asc = s.amc = s.abusc = s.acoslc = s.abuc = s.aci = s.acs = 1;
    s.ins = s.iu = s.iaw = 1;
    s.isc = s.isc2 = 1;
    s.in = 0;
    std::string text = explain();
    for (const char* silent : {"(-mcs)", "(-amso", "(-asc+)", "(-amc+)", "(-abusc+)", "(-acoslc+)", "(-abuc+)",
                               "(-aci+)", "(-acs+)", "(-ins+)", "(-iu+)", "(-iaw+)", "(-isis)", "(-isc+)", "(-isc2+)"})
        EXPECT_EQ(text.find(silent), std::string::npos) << silent;

    s.mcs = 80;
    s.isis = 2;
    s.in = 1;
    text = explain();
    for (const char* heard : {"Lines which are longer than 80 columns will be shortened.(-mcs)\n",
                              "The source will be statement-wrapped.(-amso+)\n", "(-asc+)", "(-amc+)", "(-abusc+)",
                              "(-acoslc+)", "(-aci+)", "(-acs+)", "Indent size in Sql clauses:2.(-isis)\n",
                              "Indent inside selects.(-ins+)\n", "(-iu+)", "(-iaw+)", "(-isc+)", "(-isc2+)"})
        EXPECT_NE(text.find(heard), std::string::npos) << heard;
    s.amso = 0;
    EXPECT_TRUE(says("The source will be token-wrapped.(-amso-)\n"));
}

TEST_F(explanations, eachsentenceonceevenwithtwoflagsbehindit) {
    s.actv = s.aav = 1;
    s.ps = 3;
    EXPECT_EQ(count("Padding size for declarations aligned vertically and align aliases:3(-ps)\n"), 1u);
    s.actv = 0;
    EXPECT_EQ(count("(-ps)"), 1u);
    s.aav = 0;
    EXPECT_EQ(count("(-ps)"), 0u);
}

TEST_F(explanations, bracketsnametheswitchthesentenceexplains) {
    s.itlwb = 1;
    s.sic = 1;
    s.sic_m = "<=";
    s.eiib = 3;
    s.continuationindent = 4;
    std::string text = explain();
    for (const char* sentence : {
             "LOOP/THEN will be indented with the next block.(-itlwb+)\n",
             "In each INSERT, comments will be maintained about how fields are related to inserted values.(-sic+)\n",
             "Marker of information end of blcck :<=.(-sic.m)\n",
             "Extra indent size in brackets:3.(-eiib)\n",
             "There will be more indent after operators.(-ci)\n",
         })
        EXPECT_NE(text.find(sentence), std::string::npos) << sentence;
    s.eiib = 0;
    s.brei = 5;
    EXPECT_TRUE(says("Extra indent size relatively to brackets in brackets:5.(-brei)\n"));
}

TEST_F(explanations, indentlevelsarelistedforthelevelsthathaveasize) {
    s.il.at(0) = 3;
    s.il.at(4) = 6;
    s.is = "3t";
    std::string text = explain();
    EXPECT_NE(text.find("An indent is equal to 3t spaces.(-is)\nAt indent level 0, the indent size is 3.(-il)\n"
                        "At indent level 4, the indent size is 6.(-il)\n"),
              std::string::npos);
    EXPECT_EQ(count("(-il)"), 2u);
}

TEST_F(explanations, htmlandpreprocessorblocksappearonlywhenswitchedon) {
    s.pp_I = {"inc"};
    EXPECT_FALSE(says("(-html+)"));
    EXPECT_FALSE(says("inc"));
    s.html = 1;
    s.ht = "t.html";
    s.tag = {{"keyword", "<b>"}};
    s.pp = 1;
    s.pp_pf = {"pre.sql"};
    s.pp_D = {{"X", "1"}};
    std::string text = explain();
    EXPECT_NE(text.find("Output file is a.sql.vmq.\nThe format of output file is html.(-html+)\n"
                        "The name of html template file is t.html.(-ht+)\n"
                        "For keyword tokens this html tag will be used:<b>.(-tag[])\nCharacter set is US7ASCII.\n"),
              std::string::npos);
    EXPECT_NE(text.find("Pl/Sql preprocess will convert the code first.(-pp+)\n"
                        "Macros will be preloaded from here:\n  pre.sql\n"
                        "Include path of preprocessor:\n  inc\n"
                        "Macro definitions specified:\n  X=1\n"),
              std::string::npos);
}

TEST_F(explanations, conditionalblocksareannotatedbeforethepreprocessor) {
    ASSERT_EQ(ifshandler("select", s), "");
    setfield(&settings::uk, 0, s);
    s.inifsblock = 0;
    s.pp = 1;
    std::string text = explain();
    size_t blocks = text.find("-ifs \"select\" -- -ifs start     if start of statement is start..\n"
                              "-uk-          -- -uk[+-]        uppercase keywords yes/no\n"
                              "-ei           -- -ei            end if\n\n");
    EXPECT_NE(blocks, std::string::npos);
    EXPECT_LT(blocks, text.find("(-pp+)"));
}

