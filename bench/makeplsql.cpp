// Writes a generated PL/SQL file: makeplsql [-m] BYTES FILE [SEED]; -m adds preprocessor macros.
#include "plsqlgenerator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    bool macros = argc > 1 && std::strcmp(argv[1], "-m") == 0;
    if (macros) {
        --argc;
        ++argv;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: makeplsql [-m] BYTES FILE [SEED]\n");
        return 2;
    }
    size_t bytes = std::strtoull(argv[1], nullptr, 10);
    uint32_t seed = argc > 3 ? static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10)) : 1;
    std::ofstream out(argv[2], std::ios::binary);
    out << generateplsql(bytes, seed, macros);
    out.close();
    if (!out) {
        std::fprintf(stderr, "could not write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
