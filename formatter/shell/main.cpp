// The brelm program: keeps its arguments, directory and environment, then formats
// every file inside the region that turns fatal errors into exit codes.
#include "programpath.h"
#include "runfiles.h"

int main(int argc, char** argv, char** envp) {
    guardstandardstreams();
    keepargumentlist(argc, argv);
    keepprogramdirectory(programpath());
    keepenvironment(envp);
    return runguarded(formatallfiles);
}
