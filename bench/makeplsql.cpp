// Writes a generated PL/SQL file: makeplsql [-m] [-r | -s SHAPE] BYTES FILE [SEED]; -m adds
// preprocessor macros, -r writes code in the style of real projects, -s one degenerate shape.
#include "plsqlgenerator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    bool macros = false, realcode = false;
    std::string shape;
    for (; argc > 1 && argv[1][0] == '-'; --argc, ++argv) {
        if (std::strcmp(argv[1], "-m") == 0) {
            macros = true;
        } else if (std::strcmp(argv[1], "-r") == 0) {
            realcode = true;
        } else if (std::strcmp(argv[1], "-s") == 0 && argc > 2) {
            shape = argv[2];
            --argc;
            ++argv;
        } else {
            break;
        }
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: makeplsql [-m] [-r | -s SHAPE] BYTES FILE [SEED]\n");
        return 2;
    }
    size_t bytes = std::strtoull(argv[1], nullptr, 10);
    uint32_t seed = argc > 3 ? static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10)) : 1;
    std::ofstream out(argv[2], std::ios::binary);
    if (!shape.empty()) out << generateshape(shape, bytes);
    else if (realcode) out << generaterealcode(bytes, seed, macros);
    else out << generateplsql(bytes, seed, macros);
    out.close();
    if (!out) {
        std::fprintf(stderr, "could not write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
