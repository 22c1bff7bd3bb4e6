// The state of a preprocessing call and its two per-text resets.
#include "cppstate.h"

#include "cpperrors.h"

void setsourcefile(preprocessstate& state, const std::string& name)
{
    state.sourcefilename = name;
    state.currentfilename = name;
    forgetlineindexes(state);
}

void resetstatementstate(preprocessstate& state)
{
    state.statement.atstatementstart = true;
    state.statement.statementended = false;
    state.statement.inplsqlblock = false;
    state.statement.aftercommand = false;
}
