// strictcheck [--sqlplus] ORIGINAL FORMATTED: the strict comparison of a file with its
// formatted form, and the SQL*Plus meaning check. Prints the number of tokens compared (with
// --sqlplus, which runs only the SQL*Plus check: the SQL*Plus lines compared and the lines
// that end in a continuation "-") and exits with 0, or prints the first difference and exits
// with 1 (2 when a file cannot be read).
#include "strictcompare.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace {

std::optional<std::string> readall(const char* name) {
    std::ifstream in(name, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

int main(int argc, char** argv) {
    const bool sqlplusonly = argc == 4 && std::string_view(argv[1]) == "--sqlplus";
    if (argc != 3 && !sqlplusonly) {
        std::cerr << "usage: strictcheck [--sqlplus] ORIGINAL FORMATTED\n";
        return 2;
    }
    const char* originalname = argv[argc - 2];
    const char* formattedname = argv[argc - 1];
    std::optional<std::string> original = readall(originalname), formatted = readall(formattedname);
    if (!original || !formatted) {
        std::cerr << "strictcheck: cannot read " << (original ? formattedname : originalname) << "\n";
        return 2;
    }
    sqlplusresult sqlplus = sqlpluscompare(*original, *formatted);
    if (!sqlplus.same) {
        std::cout << sqlplus.difference << "\n";
        return 1;
    }
    if (sqlplusonly) {
        std::cout << sqlplus.lines << " " << sqlplus.hyphens << "\n";
        return 0;
    }
    strictresult result = strictcompare(*original, *formatted);
    if (!result.same) {
        std::cout << result.difference << "\n";
        return 1;
    }
    std::cout << result.tokens << "\n";
    return 0;
}
