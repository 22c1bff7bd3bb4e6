// The usage text of -h: the usage and logo lines and the help table, section by section.

#include "switchlistings.h"

#include "globals.h"

#include <cstdio>

namespace {

void writeout(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

}  // namespace

void printusage() {
    writeout("Usage: brelm [OPTIONS] \n" + bannertext + " " + versiontext + "\n");
    std::string section;
    for (const helprecord& record : helptable) {
        if (record.section != section) {
            section = record.section;
            writeout(section + ":\n");
        }
        writeout(record.line + "\n");
        std::fflush(stdout);
    }
    writeout("-h             this help\n");
    writeout("\n");
    std::fflush(stdout);
}
