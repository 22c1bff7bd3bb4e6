// The SQL*Plus command table and the set of command words built from it.
#include "cppsqlplus.h"

#include "cpptextscan.h"

const std::string_view sqlpluscommandtable =
    "@\n\n@@\n\nACC[EPT]\n\nA[PPEND]\n\nARCHIVE\n\nATTR[IBUTE]\n\nBRE[AK]\n\nBTI[TLE]\n\n"
    "C[HANGE]\n\nCL[EAR]\n\nCOL[UMN]\n\nCOMP[UTE]\n\nCONN[ECT]\n\nCOPY\n\nDEF[INE]\n\nDEL\n\n"
    "DESC[RIBE]\n\nDISC[ONNECT]\n\nDOC[UMENT]\n\nED[IT]\n\nEXEC[UTE]\n\nEXIT\n\nGET\n\nHELP\n\n"
    "HO[ST]\n\nI[NPUT]\n\nL[IST]\n\nPASSW[ORD]\n\nPAU[SE]\n\nPRI[NT]\n\nPRO[MPT]\n\nRECOVER\n\n"
    "REM[ARK]\n\nREPF[OOTER]\n\nREPH[EADER]\n\nR[UN]\n\nSAV[E]\n\nSET\n\nSHO[W]\n\nSHUTDOWN\n\n"
    "SPO[OL]\n\nSTA[RT]\n\nSTARTUP\n\nSTORE\n\nTIM[NG]\n\nTTI[TLE]\n\nUNDEF[INE]\n\nVAR[IABLE]\n\n"
    "WHENEVER\n\nXQUERY\n\nQUIT\n\nNEWPAGE\n";

std::set<std::string, std::less<>> sqlpluscommands;

namespace {

bool iswordstart(char c) { return (c >= 'a' && c <= 'z') || (c >= '@' && c <= 'Z') || c == '_'; }

bool iswordbyte(char c) { return iswordstart(c) || (c >= '0' && c <= '9'); }

// The command words are ASCII, and every character set lower-cases A-Z alike.
std::string asciilower(std::string word) {
    for (char& c : word)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return word;
}

// The table holds no comments: blanks and line breaks alone stand between its words.
void skiptablespace(size_t& position, std::string_view table) {
    while (position < table.size() && std::string_view(" \t\r\n").find(table[position]) != std::string_view::npos)
        ++position;
}

}  // namespace

std::string scanword(size_t& position, std::string_view text) {
    return scanrun(position, text, iswordstart, iswordbyte);
}

void buildsqlpluscommands() {
    std::string_view table = sqlpluscommandtable;
    size_t position = 0;
    skiptablespace(position, table);
    while (position < table.size()) {
        std::string word = scanword(position, table);
        if (word.empty()) break;
        if (position < table.size() && table[position] == '[') {
            ++position;
            std::string tail = scanword(position, table);
            ++position;
            sqlpluscommands.insert(asciilower(word + tail));
        }
        sqlpluscommands.insert(asciilower(word));
        skiptablespace(position, table);
    }
}

bool issqlpluscommand(std::string_view loweredword) {
    return sqlpluscommands.find(loweredword) != sqlpluscommands.end();
}
