// Lexer: source tokens, the statement state that tells SQL*Plus lines and PL/SQL blocks apart,
// directive-line tokens, the peeks, and the lexical errors.
#include "marloxtesting.h"

namespace {

std::string render(const tokenlist& tokens)
{
    std::string out;
    for (const atoken& token : tokens)
    {
        if (!out.empty()) out += '|';
        out += std::to_string(token.kind);
        out += ':';
        out += token.text;
    }
    return out;
}

struct lexcase {
    const char* input;
    const char* expected;
};

} // namespace

class lexertest : public preprocessortest {
protected:
    // Every token of nexttoken with directives off, rendered "kind:text|...".
    std::string lex(const std::string& text)
    {
        tokenlist tokens;
        tokenoutput unused;
        size_t position = 0;
        for (;;) {
            atoken token = nexttoken(state, false, unused, position, text);
            if (token.kind == kindend)
                return render(tokens);
            tokens.push_back(token);
        }
    }

    std::string line(const std::string& text, bool dropblanks = false)
    {
        size_t position = 0;
        return render(tokenizeline(state, dropblanks, position, text));
    }
};

TEST_F(lexertest, nexttokenkinds)
{
    const lexcase cases[] = {
        {"'it''s'", "3:'it''s'"},
        {"\"a\"\"b\"", "2:\"a\"\"b\""},
        {"q'[it's]'", "16:q'[it's]'"},
        {"q'{a}'q'<b>'q'(c)'q'!d!'", "16:q'{a}'|16:q'<b>'|16:q'(c)'|16:q'!d!'"},
        {"Q'[x]'", "16:Q'[x]'"},
        {"nq'[a'b]' nQ'(c)'Nq'{d}'NQ'<e>'", "16:nq'[a'b]'|7: |16:nQ'(c)'|16:Nq'{d}'|16:NQ'<e>'"},
        {"n'x' nx'y'", "5:n|3:'x'|7: |5:nx|3:'y'"},
        {"12", "11:1|11:2"},
        {"a#b", "5:a#b"},
        {"a #b", "5:a|7: |6:#|5:b"},
        {"x:=y", "5:x|11::=|5:y"},
        {"a!=b<>c<=d>=e=>f**g..h||i^=j~=k<<l>>m", "5:a|11:!=|5:b|11:<>|5:c|11:<=|5:d|11:>=|5:e|11:=>|5:f|11:**|5:g|11:..|5:h|11:||"
                                                   "|5:i|11:^=|5:j|11:~=|5:k|11:<<|5:l|11:>>|5:m"},
        {"a-b", "5:a|11:-|5:b"},
        {"-- note\r\nx", "1:-- note\r\n|5:x"},
        {"-- last", "1:-- last"},
        {"/* c */x", "4:/* c */|5:x"},
        {"a/b", "5:a|11:/|5:b"},
        {" \t\r\n x", "7: \t\r\n |5:x"},
        {"(a,b);", "11:(|5:a|11:,|5:b|11:)|11:;"},
        {"v$x_1", "5:v$x_1"},
    };
    for (const lexcase& c : cases)
        EXPECT_EQ(lex(c.input), c.expected) << c.input;
}

TEST_F(lexertest, lexicalerrors)
{
    const lexcase cases[] = {
        {"x /* open", "test.sql line 1:closing */ is not found\nAt source:x /* open<<\n"},
        {"a\n\"name", "test.sql line 1:closing \" is not found\nAt source:a<<\n"},
        {"a 'it''s", "test.sql line 1:closing ' is not found\nAt source:a<<\n"},
        {"v := q'[abc]", "test.sql line 1:closing ' is not found for q'\nAt source:v := q'[abc]<<\n"},
        {"v := q'", "test.sql line 1:marker after q' is not found\nAt source:v := q'<<\n"},
        {"q'xabcx", "test.sql line 1:closing ' is not found for q'\nAt source:q'xabcx<<\n"},
        {"v := NQ'", "test.sql line 1:marker after q' is not found\nAt source:v := NQ'<<\n"},
        {"v := Q'[abc]", "test.sql line 1:closing ' is not found for q'\nAt source:v := Q'[abc]<<\n"},
    };
    for (const lexcase& c : cases)
        EXPECT_EQ(errorof([&] { lex(c.input); }), c.expected) << c.input;
}

TEST_F(lexertest, directivelinetokens)
{
    const lexcase cases[] = {
        {"12 0x1FUL 7ULL 8UL 9LL 10L 11U 0x", "14:12|7: |15:0x1FUL|7: |14:7ULL|7: |14:8UL|7: |14:9LL|7: |14:10L|7: |14:11U|7: |15:0x|19:"},
        {"#x ##y ###z ####", "12:#|5:x|7: |13:##|5:y|7: |17:###|5:z|7: |17:###|12:#|19:"},
        {"/* x */", "11:/|11:*|7: |5:x|7: |11:*|11:/|19:"},
        {"a   \nb", "5:a|7:|19:"},
        {"a -\nb", "5:a|7: |7:\n|5:b|19:"},
        {"a -\r\nb", "5:a|7: |7:\r\n|5:b|19:"},
        {"a -- note\nb", "5:a|7: |1:-- note|19:"},
        {"a -", "5:a|7: |11:-|19:"},
        {"'x' \"y\" q'[z]'\n", "3:'x'|7: |2:\"y\"|7: |16:q'[z]'|19:"},
        {"", "19:"},
        {"\r\nnext", "19:"},
    };
    for (const lexcase& c : cases)
        EXPECT_EQ(line(c.input), c.expected) << c.input;
}

TEST_F(lexertest, directivelinewithoutblanks)
{
    EXPECT_EQ(line("a + b -- c\n", true), "5:a|11:+|5:b|19:");
    EXPECT_EQ(line("  x  \t", true), "5:x|19:");
}

TEST_F(lexertest, directivelineendsafteritslinebreak)
{
    const std::string text = "a -- c\nb\r\nc";
    size_t position = 0;
    tokenizeline(state, false, position, text);
    EXPECT_EQ(text.substr(position), "b\r\nc");
    tokenizeline(state, false, position, text);
    EXPECT_EQ(text.substr(position), "c");
}

TEST_F(lexertest, directivelineerrorsusethesamewords)
{
    EXPECT_EQ(errorof([&] { line("x 'open"); }), "test.sql line 1:closing ' is not found\nAt source:x<<\n");
    EXPECT_EQ(errorof([&] { line("q'"); }), "test.sql line 1:marker after q' is not found\nAt source:q'<<\n");
}

TEST_F(lexertest, peekinalistendswithkindzero)
{
    tokenlist tokens = {{kindwhitespace, " "}, {kindblockcomment, "/**/"}, {kindidentifier, "y"}};
    size_t index = 0;
    EXPECT_EQ(peektokenat(index, tokens).text, "y");
    EXPECT_EQ(index, 2u);
    index = 0;
    EXPECT_EQ(peektokenat(index, std::span<const atoken>(tokens).first(2)).kind, kindend);
    EXPECT_EQ(index, 2u);
}

TEST_F(lexertest, sqlpluslines)
{
    const lexcase cases[] = {
        {"prompt hello x\nnext", "18:prompt hello x\n|5:next"},
        {"PRO hi\r\nx", "18:PRO hi\r\n|5:x"},
        {"prom hi", "5:prom|7: |5:hi"},
        {"select 1;\nprompt it's\n", "5:select|7: |11:1|11:;|7:\n|18:prompt it's\n"},
        // A comment line or a comment after the statement hides no command after it.
        {"select 1;\n-- c\nprompt x", "5:select|7: |11:1|11:;|7:\n|1:-- c\n|18:prompt x"},
        {"select 1; -- done\nprompt it's\n", "5:select|7: |11:1|11:;|7: |1:-- done\n|18:prompt it's\n"},
        {"select 1 -- c\nprompt x", "5:select|7: |11:1|7: |1:-- c\n|5:prompt|7: |5:x"},
        // Script calls are command lines, also with arguments in quotes.
        {"@x.sql 'a' b\nprompt it's\n", "18:@x.sql 'a' b\n|18:prompt it's\n"},
        {"@@sub/y.sql\nrem it's\n", "18:@@sub/y.sql\n|18:rem it's\n"},
        {"select 1;\n@ x.sql\n", "5:select|7: |11:1|11:;|7:\n|18:@ x.sql\n"},
        {"select 1;  prompt x", "5:select|7: |11:1|11:;|7:  |5:prompt|7: |5:x"},
        {"rem one\nrem two\n", "18:rem one\n|18:rem two\n"},
        {"x prompt y", "5:x|7: |5:prompt|7: |5:y"},
        {"/* c */ prompt z", "4:/* c */|7: |18:prompt z"},
        // A "-" at the end of a command line continues the command.
        {"exec p( -\n  a => 'x', -  \n  b => 2)\nnext", "18:exec p( -\n  a => 'x', -  \n  b => 2)\n|5:next"},
        {"prompt first -\nsecond's\nx", "18:prompt first -\nsecond's\n|5:x"},
        {"prompt a-b\nx", "18:prompt a-b\n|5:x"},
        // Host commands, and REM or PROMPT after a command the lexer does not know.
        {"$ del x.tmp\n! rm it's\nhost ls\n", "18:$ del x.tmp\n|18:! rm it's\n|18:host ls\n"},
        {"load t t.csv\nprompt what's next\nrem it's\n", "5:load|7: |5:t|7: |5:t|11:.|5:csv|7:\n|18:prompt what's next\n"
                                                          "|18:rem it's\n"},
        {"select 1\nprompt x", "5:select|7: |11:1|7:\n|5:prompt|7: |5:x"},
        {"x != y\n$if", "5:x|7: |11:!=|7: |5:y|7:\n|11:$|5:if"},
        {"select 1;\n$if $$x $then\n", "5:select|7: |11:1|11:;|7:\n|11:$|5:if|7: |11:$|11:$|5:x|7: |11:$|5:then|7:\n"},
    };
    for (const lexcase& c : cases) {
        resetstatementstate(state.statement);
        EXPECT_EQ(lex(c.input), c.expected) << c.input;
    }
}

TEST_F(lexertest, plsqlblocks)
{
    // Inside a block ";" ends nothing; a "/" that shares its line only with blanks and block
    // comments closes it, a division does not.
    const lexcase cases[] = {
        {"begin\nx := 1;\nprompt a\n", "5:begin|7:\n|5:x|7: |11::=|7: |11:1|11:;|7:\n|5:prompt|7: |5:a|7:\n"},
        {"declare\nx := a / b;\nprompt a\n", "5:declare|7:\n|5:x|7: |11::=|7: |5:a|7: |11:/|7: |5:b|11:;|7:\n"
                                              "|5:prompt|7: |5:a|7:\n"},
        {"begin\nx := a\n  / b;\nexit\n", "5:begin|7:\n|5:x|7: |11::=|7: |5:a|7:\n  |11:/|7: |5:b|11:;|7:\n"
                                           "|5:exit|7:\n"},
        {"begin\nx := a /* c */ / b;\nexit\n", "5:begin|7:\n|5:x|7: |11::=|7: |5:a|7: |4:/* c */|7: |11:/|7: |5:b"
                                                 "|11:;|7:\n|5:exit|7:\n"},
        {"begin\nx := a/b;\nprompt a\n", "5:begin|7:\n|5:x|7: |11::=|7: |5:a|11:/|5:b|11:;|7:\n|5:prompt|7: |5:a|7:\n"},
        {"begin\nnull;\nend;\n/\nprompt a\n", "5:begin|7:\n|5:null|11:;|7:\n|5:end|11:;|7:\n|11:/|7:\n|18:prompt a\n"},
        {"begin\nnull;\nend;\n/* c */ /\nprompt a\n", "5:begin|7:\n|5:null|11:;|7:\n|5:end|11:;|7:\n|4:/* c */|7: |11:/"
                                                       "|7:\n|18:prompt a\n"},
    };
    for (const lexcase& c : cases) {
        resetstatementstate(state.statement);
        EXPECT_EQ(lex(c.input), c.expected) << c.input;
    }
}

TEST_F(lexertest, slashaloneonitslineendsanystatement)
{
    // GRANT or CREATE TABLE ended by "/" without ";": the next line starts a statement, so a
    // PROMPT there is a command line and its quote opens nothing. A "/" that shares its line
    // with other text ends no statement outside a block.
    const lexcase cases[] = {
        {"grant connect to u\n/\nprompt it's done\n", "5:grant|7: |5:connect|7: |5:to|7: |5:u|7:\n|11:/|7:\n"
                                                    "|18:prompt it's done\n"},
        {"create table t (a number)\n  /  \nrem it's\n", "5:create|7: |5:table|7: |5:t|7: |11:(|5:a|7: |5:number"
                                                        "|11:)|7:\n  |11:/|7:  \n|18:rem it's\n"},
        {"grant connect to u\r\n/\r\nset echo on\r\n", "5:grant|7: |5:connect|7: |5:to|7: |5:u|7:\r\n|11:/"
                                                       "|7:\r\n|18:set echo on\r\n"},
        {"select a\n/ b from t\nprompt x", "5:select|7: |5:a|7:\n|11:/|7: |5:b|7: |5:from|7: |5:t|7:\n|5:prompt"
                                          "|7: |5:x"},
        {"select a /\nprompt x", "5:select|7: |5:a|7: |11:/|7:\n|5:prompt|7: |5:x"},
    };
    for (const lexcase& c : cases) {
        resetstatementstate(state.statement);
        EXPECT_EQ(lex(c.input), c.expected) << c.input;
    }
}

TEST_F(lexertest, directivesgotothedirectiveprocessor)
{
    const std::string text = "a #+b";
    tokenoutput output;
    size_t position = 2;
    atoken token = nexttoken(state, true, output, position, text);
    EXPECT_EQ(token.kind, kinddirective);
    EXPECT_EQ(token.text, "");
    EXPECT_EQ(render(output.recent()), "12:#");
    EXPECT_EQ(errorof([&] {
                  tokenoutput out;
                  size_t at = 0;
                  nexttoken(state, true, out, at, "#bogus x");
              }),
              "test.sql line 1:this directive is not known\nAt source:#bogus<<\n");
}

TEST_F(lexertest, directivekeepsthestatementstartoutsideblocks)
{
    tokenoutput output;
    const std::string text = "#\nprompt x";
    size_t position = 0;
    state.statement.atstatementstart = true;
    state.statement.inplsqlblock = false;
    nexttoken(state, true, output, position, text);
    EXPECT_TRUE(state.statement.atstatementstart);
    nexttoken(state, true, output, position, text);
    EXPECT_EQ(nexttoken(state, true, output, position, text).kind, kindsqlplus);

    position = 0;
    state.statement.atstatementstart = true;
    state.statement.inplsqlblock = true;
    nexttoken(state, true, output, position, text);
    EXPECT_FALSE(state.statement.atstatementstart);
}
