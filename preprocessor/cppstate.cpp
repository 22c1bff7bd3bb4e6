// Module-wide state of the preprocessor and its two per-text resets.
#include "cppstate.h"

#include "cpperrors.h"

switchstate switches;
statementstate statement;
std::string sourcefilename;
std::string currentfilename;
std::vector<ifcondrec> ifstack;
std::string linefile;
int32_t lineoffset = 0;
bool lineinforce = false;
std::vector<includeinfo> includestack;
std::vector<std::string> warninglist;
int64_t uncacheableevents = 0;

void setsourcefile(const std::string& name)
{
    sourcefilename = name;
    currentfilename = name;
    forgetlineindexes();
}

void resetstatementstate()
{
    statement.atstatementstart = true;
    statement.statementended = false;
    statement.inplsqlblock = false;
    statement.aftercommand = false;
}
