// Writes a generated PL/SQL file: makeplsql BYTES FILE [SEED].
#include "plsqlgenerator.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: makeplsql BYTES FILE [SEED]\n");
        return 2;
    }
    size_t bytes = std::strtoull(argv[1], nullptr, 10);
    uint32_t seed = argc > 3 ? static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10)) : 1;
    std::ofstream out(argv[2], std::ios::binary);
    out << generateplsql(bytes, seed);
    out.close();
    if (!out) {
        std::fprintf(stderr, "could not write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
