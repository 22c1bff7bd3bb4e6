// The state of a preprocessing call and its two per-text resets.
#include "cppstate.h"

#include "cpperrors.h"

void setsourcefile(preprocessstate& state, const std::string& name) {
    state.sourcefilename = name;
    state.currentfilename = name;
    forgetlineindexes(state.lineindexes);
}

void resetstatementstate(statementstate& statement) {
    statement.atstatementstart = true;
    statement.statementended = false;
    statement.inplsqlblock = false;
    statement.aftercommand = false;
}
