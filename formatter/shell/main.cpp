// The brelm program: keeps its arguments, directory and environment, then formats
// every file inside the region that turns fatal errors into exit codes.
#include "programpath.h"
#include "runfiles.h"

#include <csignal>

int main(int argc, char** argv, char** envp) {
    // A write beyond the file size limit then fails with EFBIG and fails that file, instead
    // of ending the process half way.
    std::signal(SIGXFSZ, SIG_IGN);
    guardstandardstreams();
    keepargumentlist(argc, argv);
    keepprogramdirectory(programpath());
    keepenvironment(envp);
    return runguarded(formatallfiles);
}
