// Where macro expansion follows the C rules (argument splitting, rescanning, self-reference),
// the output must match the system C preprocessor's, white space aside.
#include "marloxtesting.h"
#include "systemcpp.h"

#include <vector>

namespace {

struct comparecase {
    std::vector<std::string> definitions;
    std::string input;
};

bool iswordbyte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$' || c == '#';
}

// White space runs become one blank, kept only between two word bytes.
std::string normalise(const std::string& text)
{
    std::string out;
    bool pendingblank = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            pendingblank = true;
            continue;
        }
        if (pendingblank && !out.empty() && iswordbyte(out.back()) && iswordbyte(c))
            out += ' ';
        pendingblank = false;
        out += c;
    }
    return out;
}

} // namespace

class comparetest : public preprocessortest {};

TEST_F(comparetest, expansionmatchesthecpreprocessor)
{
    if (!havecpp())
        GTEST_SKIP() << "cpp is not installed";
    const std::vector<comparecase> cases = {
        {{"a b", "b c"}, "x a y"},
        {{"f(x,y) [x|y]"}, "f((1,2),3) f( (a) , ((b),c) )"},
        {{"f(x,y) [x|y]"}, "f(1,\n  2) + f(\n3\n,\n4\n)"},
        {{"f(a,b) [a|b]"}, "f(,2) f(1,)"},
        {{"F() z"}, "F() F ( )"},
        {{"g(x) x+1", "f(x) g(x)*2"}, "f(g(1))"},
        {{"sq(x) ((x)*(x))"}, "sq(sq(2)) sq(sq(sq(3)))"},
        {{"a a+1"}, "x = a;"},
        {{"foo bar", "bar foo"}, "foo bar"},
        {{"foo foo x", "bar foo"}, "bar"},
        {{"f(x) f(x+1)"}, "f(1)"},
        {{"f(x) g(x)", "g(x) f(x)"}, "f(1) g(2)"},
        {{"f(x) x"}, "f(f)(1) f + 1 f (2)"},
        {{"f(x) x"}, "f(f(f(1)))"},
        {{"f(x) x g", "g(y) [y]", "h f(1)(2)"}, "h"},
        {{"g f(g)", "f(x) x"}, "g"},
        {{"f (x) x"}, "f(1)"},
        {{"cat(x,y) x ## y"}, "cat(ab,cd) cat(ab, cd) cat(1,2)"},
        {{"cat(x,y) x ## y", "ab done"}, "cat(a,b)"},
        {{"s(x) #x"}, "s(abc) s(a+b)"},
        {{"e"}, "[e]"},
        {{"m(a) a a", "n m(m(1))"}, "n"},
    };
    for (const comparecase& c : cases) {
        clearmacros(state.macros);
        resetstatementstate(state.statement);
        std::string csource;
        for (const std::string& definition : c.definitions) {
            define(definition);
            csource += "#define " + definition + "\n";
        }
        csource += c.input + "\n";
        EXPECT_EQ(normalise(process(c.input)), normalise(runcpp(csource, "-C"))) << c.input;
    }
}
