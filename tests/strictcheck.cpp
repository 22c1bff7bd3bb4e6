// strictcheck ORIGINAL FORMATTED: the strict comparison of a file with its formatted form.
// Prints the number of tokens compared and exits with 0, or prints the first difference and
// exits with 1 (2 when a file cannot be read).
#include "strictcompare.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

namespace {

std::optional<std::string> readall(const char* name) {
    std::ifstream in(name, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: strictcheck ORIGINAL FORMATTED\n";
        return 2;
    }
    std::optional<std::string> original = readall(argv[1]), formatted = readall(argv[2]);
    if (!original || !formatted) {
        std::cerr << "strictcheck: cannot read " << (original ? argv[2] : argv[1]) << "\n";
        return 2;
    }
    strictresult result = strictcompare(*original, *formatted);
    if (!result.same) {
        std::cout << result.difference << "\n";
        return 1;
    }
    std::cout << result.tokens << "\n";
    return 0;
}
