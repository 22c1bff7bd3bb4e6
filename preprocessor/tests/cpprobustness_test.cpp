// Random texts and definitions built from the lexer's awkward fragments: each run either gives
// an output or a preprocessing error, never another failure.
#include "marloxtesting.h"

#include <random>

namespace {

constexpr std::string_view fragments[] = {"f", "g", "n", "m", "s", "begin", "prompt", "__line__", "__file__", "(", ")", ",",
                              "'", "\"", "q'[", "]'", "q'", "/*", "*/", "--", "\n", "\r\n", " ", "/", ";", "#",
                              "##", "###", "-", "-\n", "x", "1", "0x1F", "\\\n", "...", "\x80", std::string_view("\0", 1)};

std::string randomtext(std::mt19937& random, size_t length)
{
    std::uniform_int_distribution<size_t> pick(0, std::size(fragments) - 1);
    std::string text;
    for (size_t i = 0; i < length; ++i) {
        text += fragments[pick(random)];
    }
    return text;
}

} // namespace

class robustnesstest : public preprocessortest {};

TEST_F(robustnesstest, randominputgivesoutputoranerror)
{
    std::mt19937 random(20240611);
    int outputs = 0;
    int errors = 0;
    for (int round = 0; round < 3000; ++round) {
        clearmacros(state.macros);
        resetstatementstate(state.statement);
        for (const char* name : {"f", "g", "n", "m", "s"}) {
            std::string definition = name + randomtext(random, 6);
            try {
                define(definition.substr(0, definition.find_first_of("\r\n")));
            } catch (const preprocesserror&) {
            }
        }
        std::string text = randomtext(random, 40);
        try {
            process(text);
            ++outputs;
        } catch (const preprocesserror&) {
            ++errors;
        }
    }
    // Both roads are taken, so the inputs are neither all broken nor all trivial.
    EXPECT_GT(outputs, 100);
    EXPECT_GT(errors, 100);
}

namespace {

constexpr std::string_view directivefragments[] = {
    "#if 1\n", "#if 0\n", "#if x +\n", "#ifdef m\n", "#ifndef n\n", "#elif 1\n", "#elif defined(m)\n", "#else\n",
    "#endif\n", "#define m 1\n", "#define f(a) (a)\n", "#undef m\n", "#line 7\n", "#line 9 \"z\"\n", "#warning w\n",
    "#pragma p\n", "#include \"missing.sql\"\n", "#include m\n", "#bogus\n", "#\n", "m", "f(1)", "f(", ")",
    "begin\n", "/\n", "prompt m\n", "'", "x := __line__;\n", "\n", "-- c\n", "/* c */", "#if (\n", "#if 'ab'\n"};

} // namespace

TEST_F(robustnesstest, randomdirectivesgiveoutputoranerrorofthelibrary)
{
    std::mt19937 random(20240612);
    std::uniform_int_distribution<size_t> pick(0, std::size(directivefragments) - 1);
    int outputs = 0;
    int errors = 0;
    testing::internal::CaptureStderr();
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int i = 0; i < 6; ++i)
            text += directivefragments[pick(random)];
        std::vector<std::string> options = {round % 2 ? "-ld+" : "-ld-", round % 3 ? "-kld-" : "-kld+"};
        callresult outcome = preprocesscall(state, "r.sql", options, text);
        if (outcome.succeeded) {
            ++outputs;
            continue;
        }
        ++errors;
        EXPECT_NE(outcome.error.find("\nAt source:"), std::string::npos) << text << "\n" << outcome.error;
    }
    testing::internal::GetCapturedStderr();
    // Unbalanced conditionals make most texts errors; enough of them still go through.
    EXPECT_GT(outputs, 50);
    EXPECT_GT(errors, 100);
}
