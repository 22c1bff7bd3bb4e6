// The conditional-expression evaluator: precedence climbing over the operator table, with
// arithmetic that wraps in 64 bits and errors for division by zero and overflowing literals.
#include "cppconditions.h"

#include <cstdint>
#include <iostream>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "charsettables.h"
#include "cpplexer.h"
#include "cppmacros.h"
#include "cppstate.h"

namespace {

// One operator: a larger precedence binds tighter; associativity 'l', 'r' or 'n' (none).
struct operatorinfo {
    std::string_view name;
    int32_t arity;
    int32_t precedence;
    char associativity;
};

constexpr int32_t comparisonprecedence = -80;

constexpr operatorinfo operatortable[] = {
    {"+", 1, -30, 'l'},  {"-", 1, -30, 'l'},    {"~", 1, -30, 'r'},   {"not", 1, -30, 'r'}, {"*", 2, -50, 'l'},
    {"/", 2, -50, 'l'},  {"mod", 2, -50, 'l'},  {"+", 2, -60, 'l'},   {"-", 2, -60, 'l'},   {"<<", 2, -70, 'l'},
    {">>", 2, -70, 'l'}, {"<", 2, -80, 'n'},    {"<=", 2, -80, 'n'},  {">", 2, -80, 'n'},   {">=", 2, -80, 'n'},
    {"=", 2, -80, 'n'},  {"!=", 2, -80, 'n'},   {"<>", 2, -80, 'n'},  {"&", 2, -100, 'l'},  {"^", 2, -110, 'l'},
    {"|", 2, -120, 'l'}, {"and", 2, -130, 'l'}, {"or", 2, -140, 'l'},
};

const operatorinfo* findoperator(std::string_view name, int32_t arity) {
    for (const operatorinfo& entry : operatortable)
        if (entry.name == name && entry.arity == arity) return &entry;
    return nullptr;
}

bool isoperatorname(std::string_view name) { return findoperator(name, 1) || findoperator(name, 2); }

std::string undefinedoperation(const std::string& name, int32_t arity) {
    std::string message = "operation is not defined ";
    message += name;
    message += '(';
    message += std::to_string(arity);
    message += ')';
    return message;
}

// Only the comparisons conflict: with each other, and each with itself.
bool conflicting(const operatorinfo& left, const operatorinfo& right) {
    return left.arity == 2 && right.arity == 2 && left.precedence == comparisonprecedence &&
           right.precedence == comparisonprecedence;
}

bool ishexdigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

int hexdigitvalue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c - 'A' + 10;
}

std::string_view withoutsuffix(std::string_view text) {
    for (std::string_view suffix : {"ULL", "UL", "LL", "L", "U"}) {
        if (text.size() > suffix.size() && text.substr(text.size() - suffix.size()) == suffix)
            return text.substr(0, text.size() - suffix.size());
    }
    return text;
}

// Hexadecimal digits as an unsigned value of at most maximumdigits digits.
uint64_t hexvalue(errorreporter errors, std::string_view digits, size_t maximumdigits, const atoken& token,
                  const textplace& site) {
    if (digits.size() > maximumdigits)
        raiseerror(errors, "hexadecimal number too long in " + std::string(token.text), site);
    uint64_t value = 0;
    for (char c : digits) {
        if (!ishexdigit(c))
            raiseerror(errors, "invalid character in hexadecimal number in " + std::string(token.text), site);
        value = value * 16 + static_cast<uint64_t>(hexdigitvalue(c));
    }
    return value;
}

int64_t decimalvalue(errorreporter errors, std::string_view digits, const atoken& token, const textplace& site) {
    constexpr uint64_t limit = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    uint64_t value = 0;
    for (char c : digits) {
        auto digit = static_cast<uint64_t>(c - '0');
        if (c < '0' || c > '9' || value > (limit - digit) / 10)
            raiseerror(errors, "decimal number too long in " + std::string(token.text), site);
        value = value * 10 + digit;
    }
    return static_cast<int64_t>(value);
}

struct operand {
    int64_t value = 0;
    const operatorinfo* producer = nullptr;  // nullptr for a literal or the result of defined
};

struct pendingoperator {
    const operatorinfo* info;
    int32_t depth;
};

class evaluator {
public:
    evaluator(const expansionparts& parts, tokenlist tokens, const textplace& site)
        : parts(parts), line(std::move(tokens)), work(line), site(site) {}

    int64_t run() {
        struct definedoperands {
            explicit definedoperands(expansionstate& expansion) : expansion(expansion) {
                expansion.keepdefinedoperands = true;
            }
            ~definedoperands() { expansion.keepdefinedoperands = false; }
            expansionstate& expansion;
        } keep(parts.expansion);
        while (!work.empty() && work.rest()[0].kind != kindendofline) step();
        return finish();
    }

private:
    void step() {
        const atoken token = work.rest()[0];
        if (token.kind == kindidentifier && charsetlower(parts.lowercase, token.text) == "defined") {
            readdefined();
            return;
        }
        if (token.kind == kindidentifier && !isoperatorname(charsetlower(parts.lowercase, token.text))) {
            expandinplace();
            return;
        }
        work.drop(1);
        if (token.kind == kinddecimal || token.kind == kindhexadecimal)
            pushoperand({numbervalue(parts.errors, token, site), nullptr});
        else if (token.kind == kindstring) pushoperand({charactervalue(parts.errors, token, site), nullptr});
        else if (token.text == "(") ++depth;
        else if (token.text == ")") closeparenthesis();
        else if ((token.kind == kindidentifier || token.kind == kindother) &&
                 isoperatorname(charsetlower(parts.lowercase, token.text)))
            pushoperator(charsetlower(parts.lowercase, token.text));
        // White space from macro bodies, and empty or line-break tokens, mean nothing here.
        else if (!isinsignificant(token) && !token.text.empty() && token.text[0] != '\n') unknowntoken(token);
    }

    void pushoperand(operand value) {
        operands.push_back(value);
        expectoperand = false;
        applypendingunary();
    }

    // A unary + or - takes effect at once on the operand that follows it.
    void applypendingunary() {
        if (!operators.empty() && operators.back().depth == depth && operators.back().info->arity == 1 &&
            operators.back().info->associativity != 'r')
            popandapply();
    }

    void pushoperator(const std::string& name) {
        int32_t arity = expectoperand ? 1 : 2;
        const operatorinfo* info = findoperator(name, arity);
        if (!info) raiseerror(parts.errors, undefinedoperation(name, arity), site);
        if (arity == 2) {
            while (!operators.empty() && operators.back().depth == depth && bindsfirst(*operators.back().info, *info))
                popandapply();
            checkconflict(*info);
            if (operands.empty()) raiseerror(parts.errors, "there is no first argument for " + name, site);
        }
        operators.push_back({info, depth});
        expectoperand = true;
    }

    // Whether the operator on the stack is applied before the incoming binary one.
    static bool bindsfirst(const operatorinfo& top, const operatorinfo& incoming) {
        if (top.precedence != incoming.precedence) return top.precedence > incoming.precedence;
        return incoming.associativity != 'r';
    }

    // A comparison cannot take the result of a comparison as its left operand.
    void checkconflict(const operatorinfo& incoming) {
        if (operands.empty() || !operands.back().producer) return;
        const operatorinfo& producer = *operands.back().producer;
        if (!conflicting(producer, incoming)) return;
        if (&producer == &incoming && incoming.associativity == 'n')
            raiseerror(parts.errors, "operator " + std::string(incoming.name) + " is non-associative", site);
        raiseerror(parts.errors,
                   "operators " + std::string(producer.name) + " and " + std::string(incoming.name) +
                       " cannot be used together",
                   site);
    }

    void closeparenthesis() {
        if (--depth < 0) raiseerror(parts.errors, "( and ) are not paired correctly", site);
        while (!operators.empty() && operators.back().depth > depth) popandapply();
        applypendingunary();
    }

    void readdefined() {
        std::span<const atoken> rest = work.rest();
        size_t index = 1;
        bool parenthesis = peektokenat(index, rest).text == "(";
        if (parenthesis) ++index;
        atoken name = peektokenat(index, rest);
        if (name.kind != kindidentifier)
            raiseerror(parts.errors,
                       parenthesis ? "macro name is missing after defined(" : "macro name is missing after defined",
                       site);
        ++index;
        if (parenthesis) {
            if (peektokenat(index, rest).text != ")")
                raiseerror(parts.errors, ") is missing after defined(" + std::string(name.text), site);
            ++index;
        }
        work.drop(index);
        pushoperand({findmacro(parts.macros, parts.lowercase, name.text) ? 1 : 0, nullptr});
    }

    // The identifier's expansion replaces it; names left in it are 0, except operator words
    // and "defined", which keep their meaning.
    void expandinplace() {
        size_t end = 0;
        tokenlist replacement = expandidentifierat(parts, end, work.rest(), site);
        if (!replacement.empty() && replacement.back().kind == kindendofline) replacement.pop_back();
        for (size_t i = 0; i < replacement.size(); ++i) {
            atoken& token = replacement[i];
            if (token.kind != kindidentifier || followsdefined(parts.lowercase, replacement, i)) continue;
            std::string word = charsetlower(parts.lowercase, token.text);
            if (!isoperatorname(word) && word != "defined") token = {kinddecimal, "0"};
        }
        work.replacefront(end, replacement);
    }

    [[noreturn]] void unknowntoken(const atoken& token) {
        std::string message = "unknown token in " + jointokenswith("~", line);
        message += ",starting  with character chr ";
        message += std::to_string(static_cast<unsigned char>(token.text[0]));
        message += ", ";
        message += token.text;
        raiseerror(parts.errors, message, site);
    }

    void popandapply() {
        const operatorinfo& info = *operators.back().info;
        operators.pop_back();
        apply(info);
    }

    void apply(const operatorinfo& info) {
        if (operands.size() < static_cast<size_t>(info.arity))
            raiseerror(parts.errors, "there are not enough operands for operation " + std::string(info.name), site);
        if (info.arity == 1) {
            operands.back() = {unaryresult(info.name, operands.back().value), &info};
            return;
        }
        int64_t right = operands.back().value;
        operands.pop_back();
        operands.back() = {binaryresult(info.name, operands.back().value, right), &info};
    }

    static int64_t wrap(uint64_t value) { return static_cast<int64_t>(value); }

    static int64_t unaryresult(std::string_view name, int64_t value) {
        if (name == "-") return wrap(0 - static_cast<uint64_t>(value));
        if (name == "~") return ~value;
        if (name == "not") return value == 0 ? 1 : 0;
        return value;
    }

    int64_t binaryresult(std::string_view name, int64_t left, int64_t right) const {
        auto l = static_cast<uint64_t>(left);
        auto r = static_cast<uint64_t>(right);
        if (name == "*") return wrap(l * r);
        if (name == "/" || name == "mod") return divide(name == "/", left, right);
        if (name == "+") return wrap(l + r);
        if (name == "-") return wrap(l - r);
        if (name == "<<") return wrap(l << (r & 63));
        if (name == ">>") return left >> (r & 63);
        if (name == "<") return left < right;
        if (name == "<=") return left <= right;
        if (name == ">") return left > right;
        if (name == ">=") return left >= right;
        if (name == "=") return left == right;
        if (name == "!=" || name == "<>") return left != right;
        if (name == "&") return left & right;
        if (name == "^") return left ^ right;
        if (name == "|") return left | right;
        if (name == "and") return left != 0 && right != 0;
        return left != 0 || right != 0;
    }

    int64_t divide(bool quotient, int64_t left, int64_t right) const {
        if (right == 0) raiseerror(parts.errors, "division by zero in condition", site);
        if (left == std::numeric_limits<int64_t>::min() && right == -1) {
            if (quotient) raiseerror(parts.errors, "division overflow in condition", site);
            return 0;
        }
        return quotient ? left / right : left % right;
    }

    int64_t finish() {
        if (depth != 0) raiseerror(parts.errors, "( and ) are not paired correctly", site);
        while (!operators.empty() && operators.back().depth == 0) popandapply();
        if (operands.empty()) raiseerror(parts.errors, "there is no expression", site);
        if (operands.size() > 1) {
            std::string values;
            for (const operand& left : operands) {
                values += ' ';
                values += std::to_string(left.value);
            }
            std::cerr << "These operands are not processed:" << values << '\n';
            raiseerror(parts.errors, "redundant operands in condition", site);
        }
        return operands.back().value;
    }

    const expansionparts& parts;
    tokenlist line;  // the directive's tokens as given
    tokenqueue work;
    const textplace& site;
    std::vector<operand> operands;
    std::vector<pendingoperator> operators;
    int32_t depth = 0;
    bool expectoperand = true;
};

}  // namespace

int64_t numbervalue(errorreporter errors, const atoken& token, const textplace& site) {
    std::string_view digits = withoutsuffix(token.text);
    if (token.kind != kindhexadecimal) return decimalvalue(errors, digits, token, site);
    if (digits.substr(0, 2) == "0x") digits.remove_prefix(2);
    return static_cast<int64_t>(hexvalue(errors, digits, 16, token, site));
}

int64_t charactervalue(errorreporter errors, const atoken& token, const textplace& site) {
    std::string_view text = token.text;
    std::string quoted(text);
    if (text.size() <= 2) raiseerror(errors, "'' is empty", site);
    if (text.size() == 3) {
        if (text[1] == '\\') raiseerror(errors, "there is only \\ in " + quoted, site);
        return static_cast<unsigned char>(text[1]);
    }
    if (text[1] != '\\') raiseerror(errors, "too many characters in " + quoted, site);
    if (text[2] == 'x') {
        std::string_view digits = text.substr(3, text.size() - 4);
        if (digits.empty()) raiseerror(errors, "there are no digits in " + quoted, site);
        return static_cast<int64_t>(hexvalue(errors, digits, 2, token, site));
    }
    if (text.size() != 4) raiseerror(errors, "too many characters in " + quoted, site);
    if (text[2] != '\\') raiseerror(errors, "invalid escape in " + quoted, site);
    return '\\';
}

int64_t evaluatecondition(const expansionparts& parts, tokenlist tokens, const textplace& site) {
    return evaluator(parts, std::move(tokens), site).run();
}
