// The condition evaluator: operator precedence and grouping, literals, defined, macros in
// conditions, 64-bit wrap-around, and every error; where the operators agree with C, the
// values are compared with the system C preprocessor's.
#include "marloxtesting.h"
#include "systemcpp.h"

#include <limits>
#include <map>
#include <vector>

namespace {

struct valuecase {
    std::string condition;
    int64_t value;
};

struct errorcase {
    std::string condition;
    std::string message;
};

// The PL/SQL operator words and their C spellings, for the comparison with cpp.
std::string cspelling(const std::string& condition)
{
    std::string out;
    size_t position = 0;
    while (position < condition.size()) {
        size_t start = position;
        std::string word = scanidentifier(position, condition);
        if (word.empty()) {
            char c = condition[position++];
            if (c == '=' && !out.empty() && std::string("<>!=").find(out.back()) == std::string::npos &&
                (position >= condition.size() || condition[position] != '='))
                out += "==";
            else if (c == '<' && position < condition.size() && condition[position] == '>') {
                out += "!=";
                ++position;
            } else
                out += c;
            continue;
        }
        static const std::map<std::string, std::string> words = {{"and", "&&"}, {"or", "||"}, {"not", "!"},
                                                                 {"mod", "%"}};
        auto found = words.find(word);
        out += found == words.end() ? condition.substr(start, position - start) : found->second;
    }
    return out;
}

} // namespace

class conditiontest : public preprocessortest {
protected:
    int64_t evaluate(const std::string& condition)
    {
        size_t position = 0;
        tokenlist tokens = tokenizeline(state, true, position, condition);
        return evaluatecondition(state, tokens, {condition, condition.size()});
    }

    std::string evaluationerror(const std::string& condition)
    {
        return errorof([&] { evaluate(condition); });
    }

    void expectvalues(const std::vector<valuecase>& cases)
    {
        for (const valuecase& c : cases)
            EXPECT_EQ(evaluate(c.condition), c.value) << c.condition;
    }

    void expecterrors(const std::vector<errorcase>& cases)
    {
        for (const errorcase& c : cases)
            EXPECT_EQ(evaluationerror(c.condition), "test.sql line 1:" + c.message + "\nAt source:" + c.condition + "<<\n")
                << c.condition;
    }
};

TEST_F(conditiontest, precedenceandgrouping)
{
    expectvalues({
        {"2 + 3 * 4", 14},
        {"(2 + 3) * 4", 20},
        {"1 + 2 * 3 = 99", 0},
        {"10 - 3 - 2", 5},
        {"10 - 3 + 2", 9},
        {"2 * 3 mod 4", 2},
        {"-2 * 3", -6},
        {"- - 3", 3},
        {"-(2 + 3) * 2", -10},
        {"not 0 and 1", 1},
        {"1 or 0 and 0", 1},
        {"1 | 2 ^ 3 & 6", 1 | (2 ^ (3 & 6))},
        {"1 << 2 + 1", 8},
        {"5 < (2) * 3", 1},
        {"~0", -1},
        {"not not 5", 1},
        {"1 = (2 < 3)", 1},
        {"1 <> 2", 1},
        {"-1 < 0", 1},
        {"1 = 1 and 2 = 2", 1},
    });
}

TEST_F(conditiontest, arithmeticwrapsin64bits)
{
    const int64_t minimum = std::numeric_limits<int64_t>::min();
    expectvalues({
        {"9223372036854775807 + 1", minimum},
        {"-9223372036854775807 - 1", minimum},
        {"(-9223372036854775807 - 1) mod -1", 0},
        {"0x4000000000000000 * 4", 0},
        {"1 << 63", minimum},
        {"1 << 64", 1},
        {"-16 >> 2", -4},
        {"-7 / 2", -3},
        {"-7 mod 2", -1},
        {"-(-9223372036854775807 - 1)", minimum},
    });
}

TEST_F(conditiontest, literals)
{
    expectvalues({
        {"0x10", 16},
        {"0x", 0},
        {"0xFFFFFFFFFFFFFFFF", -1},
        {"0x7fffffffffffffffULL", std::numeric_limits<int64_t>::max()},
        {"10UL + 1LL + 2L + 3U", 16},
        {"010", 10},
        {"'A' = 65", 1},
        {"'\\x41'", 65},
        {"'\\xff'", 255},
        {"'\\\\'", 92},
        {"'\\x7'", 7},
    });
    expecterrors({
        {"''", "'' is empty"},
        {"'\\'", "there is only \\ in '\\'"},
        {"'ab'", "too many characters in 'ab'"},
        {"'\\x'", "there are no digits in '\\x'"},
        {"'\\x123'", "hexadecimal number too long in '\\x123'"},
        {"'\\xg1'", "invalid character in hexadecimal number in '\\xg1'"},
        {"'\\n'", "invalid escape in '\\n'"},
        {"'\\nn'", "too many characters in '\\nn'"},
        {"0x10000000000000000", "hexadecimal number too long in 0x10000000000000000"},
        {"9223372036854775808", "decimal number too long in 9223372036854775808"},
    });
}

TEST_F(conditiontest, definedandmacros)
{
    define("FOO");
    define("max 10");
    define("pair(a, b) a * b");
    define("both a and b");
    define("negated not bar");
    define("isfoo defined(FOO)");
    define("isbar defined bar");
    define("spaced   1   +   2");
    expectvalues({
        {"defined(FOO) or defined BAR", 1},
        {"defined ( foo )", 1},
        {"DEFINED bar", 0},
        {"max", 10},
        {"MAX + 1", 11},
        {"pair(3, 4)", 12},
        {"undefined_name", 0},
        {"undefined_name + 2", 2},
        {"both", 0},
        {"negated", 1},
        {"isfoo", 1},
        {"isbar", 0},
        {"spaced * 2", 5},
        {"pair", 0},
    });
    expecterrors({
        {"defined", "macro name is missing after defined"},
        {"defined(", "macro name is missing after defined("},
        {"defined(1)", "macro name is missing after defined("},
        {"defined(foo", ") is missing after defined(foo"},
    });
}

TEST_F(conditiontest, errors)
{
    expecterrors({
        {"(1 < 2) < 3", "operator < is non-associative"},
        {"(1 < 2) = 1", "operators < and = cannot be used together"},
        {"1 < 2 < 3", "operator < is non-associative"},
        {"1 < 2 = 1", "operators < and = cannot be used together"},
        {"1 2", "redundant operands in condition"},
        {"(1", "( and ) are not paired correctly"},
        {"1)", "( and ) are not paired correctly"},
        {"", "there is no expression"},
        {"()", "there is no expression"},
        {"* 2", "operation is not defined *(1)"},
        {"1 not 2", "operation is not defined not(2)"},
        {"1 +", "there are not enough operands for operation +"},
        {"1 / 0", "division by zero in condition"},
        {"1 mod (2 - 2)", "division by zero in condition"},
        {"(-9223372036854775807 - 1) / -1", "division overflow in condition"},
        {"1 @ 2", "unknown token in 1~@~2~,starting  with character chr 64, @"},
        {"1 || 2", "unknown token in 1~||~2~,starting  with character chr 124, ||"},
        {"\"x\"", "unknown token in \"x\"~,starting  with character chr 34, \"x\""},
    });
}

TEST_F(conditiontest, redundantoperandsarelistedonstderr)
{
    testing::internal::CaptureStderr();
    EXPECT_NE(evaluationerror("1 2 3"), "no error");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "These operands are not processed: 1 2 3\n");
}

TEST_F(conditiontest, valuesmatchthecpreprocessor)
{
    if (!havecpp())
        GTEST_SKIP() << "cpp is not installed";
    const std::vector<std::string> conditions = {
        "2 + 3 * 4",          "(2 + 3) * 4",          "10 - 3 - 2",         "10 - 3 + 2",       "100 / 10 / 5",
        "-7 / 2",             "-7 mod 2",             "17 mod 5 * 3",       "1 << 2 + 1",       "256 >> 2 >> 1",
        "-16 >> 2",           "~5 & 0xFF",            "6 & 3 | 8 ^ 5",      "1 | 2 ^ 3 & 6",    "not 0 and 1",
        "not 5 or 0",         "1 or 0 and 0",         "3 < 4 and 5 > 2",    "(1 < 2) + (3 > 4)", "2 <= 2",
        "3 >= 4",             "1 <> 2",               "7 = 7",              "-(2 + 3) * 2",     "- - 3",
        "~ ~ 5",              "0x7fffffffffffffff",   "'A' + 1",            "'\\x41' = 65",     "5 < (2) * 3",
        "1 << (2) + 1",       "(((7)))",              "0x10 * 10",         "100 / (3 + 4) mod 5",
    };
    std::string source;
    for (size_t i = 0; i < conditions.size(); ++i) {
        std::string index = std::to_string(i);
        source += "#if (" + cspelling(conditions[i]) + ") == (";
        source += std::to_string(evaluate(conditions[i]));
        source += ")\n";
        source += "same" + index + "\n#else\ndiffers" + index + "\n#endif\n";
    }
    std::string output = runcpp(source);
    for (size_t i = 0; i < conditions.size(); ++i) {
        std::string same = "same";
        same += std::to_string(i);
        same += "\n";
        EXPECT_NE(output.find(same), std::string::npos) << conditions[i] << "\n" << output;
    }
}
