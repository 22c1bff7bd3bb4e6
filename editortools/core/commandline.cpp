// Parsing the switches.
#include "core/commandline.h"

#include "core/version.h"

#include <ostream>

std::string UsageText() {
    return std::string("Gantrel ") + GantrelVersion +
           "\n"
           "-if xmlfile  input xml file for tools settings\n"
           "-it toolname tool to install\n"
           "-bd dir      backup directory to use\n"
           "-e ide       install in this ide\n"
           "-ng/-nogui   run without the user interface\n"
           "-sid         show information dialogs\n"
           "-h  this help\n";
}

std::string NextArgumentValue(const std::vector<std::string>& arguments, size_t& index, const std::string& what) {
    if (index + 1 >= arguments.size()) throw CommandLineError{"Error:" + what + " not found in the command line"};
    return arguments[++index];
}

bool ParseArguments(const std::vector<std::string>& arguments, CommandLineOptions& options, std::ostream& err) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "-h") {
            err << UsageText() << std::flush;
            return false;
        }
        if (argument == "-if") options.xmlFile = NextArgumentValue(arguments, i, "xml file");
        else if (argument == "-it") options.toolName = NextArgumentValue(arguments, i, "tool name");
        else if (argument == "-bd") options.backupDir = NextArgumentValue(arguments, i, "backup directory");
        else if (argument == "-e") options.ide = NextArgumentValue(arguments, i, "Text Editor or Ide");
        else if (argument == "-nogui" || argument == "-ng") options.noGui = true;
        else if (argument == "-sid") options.showInfoDialogs = true;
        else if (argument == "-o") options.overwrite = true;
        else err << argument << " is ignored\n" << std::flush;
    }
    return true;
}
