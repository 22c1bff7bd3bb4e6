// Macro definitions and expansion: parameter lists, argument splitting, #, ### and ##,
// rescanning, C's rule against self-expansion, the limits, and the error texts.
#include "marloxtesting.h"

#include <vector>

namespace {

std::string parameterlisting(const macro& definition)
{
    std::string out = definition.functionlike ? "function" : "object";
    for (const std::string& name : parameternames(definition))
        out += " " + name + "=" + std::to_string(definition.parameters.at(name));
    return out;
}

} // namespace

class macrotest : public preprocessortest {};

TEST_F(macrotest, parameterlists)
{
    struct listcase {
        const char* definition;
        const char* expected;
    };
    const listcase cases[] = {
        {" x", "object"},
        {" (a) a", "object"},
        {"(a,b) a", "function a=0 b=1"},
        {"( a , \\\n b ) a", "function a=0 b=1"},
        {"(a,b,a)", "function b=1 a=2"},
        {"( )", "function"},
        {"()", "function"},
        {"(...)", "function"},
        {"( ... ) x", "function"},
        {"(_x1,Y)", "function _x1=0 Y=1"},
    };
    for (const listcase& c : cases) {
        std::string text = c.definition;
        size_t position = 0;
        EXPECT_EQ(parameterlisting(parsemacrodefinition(state.kepttexts, state, position, text)), c.expected)
            << c.definition;
    }
}

TEST_F(macrotest, parameterlisterrors)
{
    struct listcase {
        const char* definition;
        const char* expected;
    };
    const listcase cases[] = {
        {"f(a,)", "test.sql line 1:an argument is missing in macro\nAt source:f(a,<<\n"},
        {"f(,a)", "test.sql line 1:an argument is missing in macro\nAt source:f(<<\n"},
        {"f(a b)", "test.sql line 1:) is missing in the macro,instead there is b\nAt source:f(a<<\n"},
        {"f(a", "test.sql line 1:) is missing in the macro\nAt source:f(a<<\n"},
        {"f(a, 1)", "test.sql line 1:an argument is missing in macro\nAt source:f(a,<<\n"},
        {"f(a, ...)", "test.sql line 1:an argument is missing in macro\nAt source:f(a,<<\n"},
    };
    for (const listcase& c : cases)
        EXPECT_EQ(errorof([&] { define(c.definition); }), c.expected) << c.definition;
}

TEST_F(macrotest, bodydropsleadingblanksandmarksparameters)
{
    define("f(a, b)   a + b -- sum");
    const macro* definition = findmacro(state.macros, state.lowercase, "F");
    ASSERT_NE(definition, nullptr);
    std::string kinds;
    for (const atoken& token : definition->body)
        kinds += std::to_string(token.kind) + ":" + std::string(token.text) + "|";
    EXPECT_EQ(kinds, "20:a|7: |11:+|7: |21:b|7: |1:-- sum|19:|");
}

TEST_F(macrotest, objectlikeexpansion)
{
    runcases({
        {{"n 5"}, "x := n;", "x := 5\n;"},
        {{"N 5"}, "x := n + N;", "x := 5\n + 5\n;"},
        {{"a b", "b c"}, "x a y", "x c\n y"},
        {{"empty"}, "[empty]", "[\n]"},
        {{"f (x) x"}, "f(1)", "(x) x\n(1)"},
        {{"p q'[it's]' || 'y'"}, "v := p;", "v := q'[it's]' || 'y'\n;"},
        {{"n 5"}, "'n' \"n\" -- n\n/* n */ n2", "'n' \"n\" -- n\n/* n */ n2"},
    });
}

TEST_F(macrotest, functionlikeexpansion)
{
    runcases({
        {{"MAX(a,b) ((a)>(b)?(a):(b))"}, "max(1,2)", "((1)>(2)?(1):(2))\n"},
        {{"max(a,b) ((a)>(b)?(a):(b))"}, "MAX (1, 2)", "((1)>( 2)?(1):( 2))\n"},
        {{"f(x) [x]"}, "f /* c */ -- d\n (1)", "[1]\n"},
        {{"f(x) [x]"}, "f + 1", "f + 1"},
        {{"f(x) [x]"}, "f\n  /* c */ ;", "f\n  /* c */ ;"},
        {{"f(x,y) [x|y]"}, "f((1,2),3)", "[(1,2)|3]\n"},
        {{"f(x,y) [x|y]"}, "f(1,\n  2)", "[1|\n  2]\n"},
        {{"f(a,b) [a|b]"}, "f(1) f(1,2,3)", "[1|]\n [1|2]\n"},
        {{"F( ) z"}, "F()", "z\n"},
        {{"f(x) [x]"}, "f('a,b', \"c,d\")", "['a,b']\n"},
        {{"sq(x) ((x)*(x))"}, "sq(sq(2))", "((((2)*(2)))*(((2)*(2))))\n"},
        {{"g(x) x+1", "f(x) g(x)*2"}, "f(g(1))", "1+1+1*2\n"},
    });
}

TEST_F(macrotest, stringizingandquoting)
{
    runcases({
        {{"S(x) #x"}, "S( a )", "\"a \"\n"},
        {{"Q(x) ###x"}, "Q( a )", "'a '\n"},
        {{"S(x) # x"}, "S(b)", "\"b\"\n"},
        {{"v 1", "S(x) #x"}, "S(v)", "\"1\"\n"},
        {{"S(x,y) #y"}, "S(1)", "\"\"\n"},
    });
}

TEST_F(macrotest, pasting)
{
    runcases({
        {{"J(x,y) x ## y"}, "J(ab, cd)", "abcd\n"},
        {{"J(x,y) x ## y"}, "J(\"ab\",\"cd\") J('ab','cd')", "\"abcd\"\n 'abcd'\n"},
        {{"J(x,y) x ## y"}, "J(q'[ab]',q'(cd)')", "q'[abcd]'\n"},
        {{"J(x,y) x ## y"}, "J(Q'[ab]',nq'(cd)') J(NQ'<a>',q'!b!')", "Q'[abcd]'\n NQ'<ab>'\n"},
        {{"J(x,y) x ## y"}, "J(a,1) J(+,=)", "a1\n +=\n"},
        {{"J(x,y,z) x ## y ## z"}, "J(a,b,c)", "abc\n"},
        {{"ab done", "J(x,y) x ## y"}, "J(a,b)", "done\n"},
        // "#" continues a word, so x##y is one name, not a paste.
        {{"J(x,y) x##y"}, "J(a,b)", "x##y\n"},
    });
}

TEST_F(macrotest, macrosarenotexpandedinsidethemselves)
{
    runcases({
        {{"a a+1"}, "x := a;", "x := a+1\n;"},
        {{"foo bar", "bar foo"}, "foo bar", "foo\n bar\n"},
        {{"f(x) f(x+1)"}, "f(1)", "f(1+1)\n"},
        {{"foo foo x", "bar foo"}, "bar", "foo x\n"},
        {{"f(x) g(x)", "g(x) f(x)"}, "f(1)", "f(1)\n"},
        {{"f(x) x"}, "f(f)(1)", "f\n(1)"},
        {{"f(x) x"}, "f(f(f(1)))", "1\n"},
        {{"f(x) x g", "g(y) [y]", "h f(1)(2)"}, "h", "1 [2]\n"},
        {{"g f(g)", "f(x) x"}, "g", "g\n"},
    });
}

TEST_F(macrotest, expansionerrors)
{
    runcases({
        {{"f(x) x"}, "y := f(1", "test.sql line 1:, or ) is not found for macro\nAt source:y := f(1<<\n"},
        {{"f(x) x"}, "y := f((1)\n\n", "test.sql line 1:, or ) is not found for macro\nAt source:y := f((1)<<\n"},
        {{"g(x) x", "f a g(1"}, "y := f;",
         "test.sql line 1:, or ) is not found for macro\nAt source:y := f<<\n and in macro:a g(1<<\n"},
        {{"h #"}, "h", "test.sql line 1:# has no argument in macro\nAt source:h<<\n"},
        {{"s(x) #y"}, "s(1)", "test.sql line 1:# has no argument in macro\nAt source:s(1)<<\n"},
        {{"s(x) ###"}, "s(1)", "test.sql line 1:### has no argument in macro\nAt source:s(1)<<\n"},
        {{"j(x) x ##"}, "j(1)", "test.sql line 1:## has no second argument in macro\nAt source:j(1)<<\n"},
        {{"j(x) ## x"}, "j(1)", "test.sql line 1:## has no first argument in macro\nAt source:j(1)<<\n"},
        {{"j(x,y) x ## y"}, "j(a,)", "test.sql line 1:## has no second argument in macro\nAt source:j(a,)<<\n"},
        {{"f(x) x"}, "a\nf(1, 'x)", "test.sql line 2:closing ' is not found\nAt source:a\nf(1,<<\n"},
    }, true);
}

TEST_F(macrotest, runawayexpansionsend)
{
    std::vector<std::string> definitions;
    for (int i = 0; i < 25; ++i)
    {
        std::string next = std::to_string(i + 1);
        std::string definition = "a";
        definition += std::to_string(i);
        definition += " a" + next + " a" + next;
        definitions.push_back(definition);
    }
    runcases({
        {definitions, "a0", "test.sql line 1:macro expansion exceeds 1000000 tokens\nAt source:a0<<\n"},
    }, true);

    // Stringizing doubles a text at every level of a chain with few tokens: a bound on bytes
    // ends it.
    std::vector<std::string> doubling = {"s(x) #x", "t(x) s(x) s(x)", "u0 x"};
    for (int i = 1; i <= 24; ++i)
        doubling.push_back("u" + std::to_string(i) + " t(u" + std::to_string(i - 1) + ")");
    runcases({
        {doubling, "y := u24;", "test.sql line 1:macro expansion exceeds 16777216 bytes\nAt source:y := u24<<\n"},
    }, true);

    std::string nested;
    for (int i = 0; i < 600; ++i)
        nested += "f(";
    nested += "1" + std::string(600, ')');
    std::string error = errorof([&] {
        define("f(x) x");
        process(nested);
    });
    EXPECT_EQ(error.substr(0, error.find('\n')), "test.sql line 1:macro calls are nested too deeply");

    // After an error the next expansion starts with a fresh budget and depth.
    clearmacros(state.macros);
    define("n 5");
    EXPECT_EQ(process("n"), "5\n");
}

// Each line's expansion stays under the bound of one, but a short text cannot make them add up
// without end.
TEST_F(macrotest, stringizingchainsendwithinacall)
{
    std::string source = "#define s(x) #x\n#define t(x) s(x) s(x)\n#define u0 x\n";
    for (int i = 1; i <= 19; ++i)
        source += "#define u" + std::to_string(i) + " t(u" + std::to_string(i - 1) + ")\n";
    for (int i = 0; i < 12; ++i)
        source += "y := u19;\n";
    const std::string budget = std::to_string(callbytebase + callbytesperbyte * source.size());
    EXPECT_EQ(call(source), "a.sql line 28:macro expansions exceed " + budget +
                                " bytes in all\nAt source:;\ny := u19;\ny := u19;\ny := u19;\ny := u19<<\n");
}

TEST_F(macrotest, lookupsignorelettercase)
{
    define("Debug_Level 3");
    EXPECT_NE(findmacro(state.macros, state.lowercase, "DEBUG_LEVEL"), nullptr);
    EXPECT_NE(findmacro(state.macros, state.lowercase, "debug_level"), nullptr);
    EXPECT_EQ(state.macros.table.count("debug_level"), 1u);
    EXPECT_TRUE(undefinemacro(state.macros, state.lowercase, "DEBUG_level"));
    EXPECT_EQ(findmacro(state.macros, state.lowercase, "debug_level"), nullptr);
    EXPECT_FALSE(undefinemacro(state.macros, state.lowercase, "debug_level"));
}

TEST_F(macrotest, expansionsinalist)
{
    define("f(x) <x>");
    define("n 7");
    tokenlist tokens = {{kindidentifier, "f"}, {kindwhitespace, " "}, {kindother, "("}, {kindidentifier, "n"},
                        {kindother, ")"},      {kindidentifier, "z"}, {kindendofline, ""}};
    const std::string site = "site";
    size_t index = 0;
    EXPECT_EQ(jointokens(expandidentifierat(state, index, tokens, {site, 0})), "<7>");
    EXPECT_EQ(index, 5u);
    EXPECT_EQ(jointokens(expandidentifierat(state, index, tokens, {site, 0})), "z");
    EXPECT_EQ(index, 6u);
    index = 6;
    EXPECT_EQ(errorof([&] { expandidentifierat(state, index, tokens, {site, 0}); }), "internal error unexpected path");
    EXPECT_EQ(jointokens(expandlist(state, tokens, {site, 0})), "<7>z");
}

TEST_F(macrotest, macrodumplistseverymacro)
{
    define("f(a,b) a+b");
    define("n 5 -- five");
    define("e");
    EXPECT_EQ(macrodump(state.macros), "e\nbody:>><<\nf (a,b)\nbody:>>a+b<<\nn\nbody:>>5 -- five<<\n");
}

TEST_F(macrotest, manymacrosarefoundbyanyspellingofthename)
{
    // Names of many lengths, some past 63 bytes, most sharing their first letter.
    std::vector<std::string> names;
    for (int i = 0; i < 3000; ++i) {
        std::string name = "m";
        name += std::string(static_cast<size_t>(i % 90), 'x');
        name += std::to_string(i);
        names.push_back(name);
    }
    for (size_t i = 0; i < names.size(); ++i)
        define(names[i] + " " + std::to_string(i));
    ASSERT_EQ(state.macros.table.size(), names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        std::string upper = names[i];
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const macro* found = findmacro(state.macros, state.lowercase, upper);
        ASSERT_NE(found, nullptr) << upper;
        EXPECT_EQ(jointokens(found->body), std::to_string(i)) << upper;
        // The same length and first letter, but no macro.
        std::string other = names[i];
        other.back() = 'y';
        EXPECT_EQ(findmacro(state.macros, state.lowercase, other), nullptr) << other;
    }
    for (size_t i = 0; i < names.size(); i += 2)
        EXPECT_TRUE(undefinemacro(state.macros, state.lowercase, names[i]));
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(findmacro(state.macros, state.lowercase, names[i]) != nullptr, i % 2 == 1) << names[i];
    clearmacros(state.macros);
    EXPECT_EQ(findmacro(state.macros, state.lowercase, names[1]), nullptr);
}

TEST_F(macrotest, undefandredefinebetweenuses)
{
    // Lines start with "x": a line may not start with a SQL*Plus command word such as "a".
    runcases({
        {{}, "#define A 1\nx A\n#undef a\nx A\n", "x 1\n\n\nx A\n"},
        {{}, "#define A 1\n#undef A\n#define a 2\nx A a\n", "\nx 2\n 2\n\n"},
        {{"F(x) [x]"}, "#undef f\nx F(1)\n#define f(y) <y>\nx F(1)\n", "\nx F(1)\nx <1>\n\n"},
        {{}, "#undef never\nx never\n", "\nx never\n"},
    });
}
