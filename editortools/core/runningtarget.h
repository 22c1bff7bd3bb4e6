// Which program each target runs as, and whether its running blocks an install into it.
#pragma once

#include <string>
#include <vector>

// The executable of a target ("PSPad.exe", ...); "" for a name that has none. Among the studio
// targets a name holding "SQL Server" runs as "Ssms.exe", else one holding "Express" as
// "VCSExpress.exe", else "devenv.exe".
std::string TargetExecutable(const std::string& target, const std::vector<std::string>& studioNames);

// theide and Eclipse only need a restart to see a change; the others must be closed first.
bool OnlyWarnsWhenRunning(const std::string& target);

// True when a name equals the executable, or the executable without its ".exe" (native Linux
// builds); exactly and case-sensitively.
bool IsAmongProcesses(const std::vector<std::string>& processNames, const std::string& executable);
