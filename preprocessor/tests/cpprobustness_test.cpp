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
        macrotable.clear();
        resetstatementstate();
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
