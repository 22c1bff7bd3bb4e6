// The state of a preprocessing call and its two per-text resets.
#include "cppstate.h"

#include "cpperrors.h"

preprocessstate state;

void setsourcefile(const std::string& name)
{
    state.sourcefilename = name;
    state.currentfilename = name;
    forgetlineindexes();
}

void resetstatementstate()
{
    state.statement.atstatementstart = true;
    state.statement.statementended = false;
    state.statement.inplsqlblock = false;
    state.statement.aftercommand = false;
}
