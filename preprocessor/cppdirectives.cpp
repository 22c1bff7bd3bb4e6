// Directive processing. A "#" without a name stays in the output as a "#" token; no directive
// is known yet.
#include "cppdirectives.h"

#include "charsettables.h"
#include "cpperrors.h"
#include "cpptextscan.h"

std::string processdirective(int, bool, tokenlist& output, size_t& position, std::string_view text)
{
    skiplineblanks(position, text);
    std::string name = scanidentifier(position, text);
    if (name.empty()) {
        output.push_back({kindhash, "#"});
        return name;
    }
    raiseerror("this directive is not known", position, text);
}
