// Texts of one shape repeated to a given size: the inputs on which the formatter's memory
// and time per byte are at their worst.
#include "plsqlgenerator.h"

#include <string>

namespace {

// One unit of the shape; the text is these units, one after another.
void appendunit(std::string& text, const std::string& shape, size_t count) {
    const std::string n = std::to_string(count % 1000);
    if (shape == "commas") {
        // One select list that never ends until the text does.
        text += count == 0 ? "select a0" : ", a" + n;
        if (count % 16 == 15) text += '\n';
    } else if (shape == "operators") {
        text += count == 0 ? "x := a" : "+a";
        if (count % 32 == 31) text += '\n';
    } else if (shape == "brackets") {
        // Nested 50 deep, over and over: deep, far below any nesting bound.
        text += "x := " + std::string(50, '(') + "a" + std::string(50, ')') + ";\n";
    } else if (shape == "statements") {
        text += "x:=" + n + ";\n";
    } else if (shape == "longline") {
        text += count == 0 ? "x := f(a0" : ", a" + n;
    } else if (shape == "comments") {
        text += "-- a remark on line " + n + "\n/* and a block\n   comment " + n + " */\n";
    } else if (shape == "literals") {
        text += "v := 'text " + n + " with ''quotes''' || q'[more " + n + "]' || 'x';\n";
    }
}

// What closes the open statement of the shape.
std::string closing(const std::string& shape) {
    if (shape == "commas") return "\nfrom dual;\n";
    if (shape == "operators") return ";\n";
    if (shape == "longline") return ");\n";
    return "";
}

}  // namespace

const std::vector<std::string>& shapenames() {
    static const std::vector<std::string> names = {"commas",   "operators", "brackets", "statements",
                                                   "longline", "comments",  "literals"};
    return names;
}

std::string generateshape(const std::string& shape, size_t bytes) {
    std::string text;
    text.reserve(bytes + 256);
    bool block = shape != "commas";
    if (block) text += "begin\n";
    for (size_t count = 0; text.size() < bytes; ++count) appendunit(text, shape, count);
    text += closing(shape);
    if (block) text += "end;\n";
    return text;
}
