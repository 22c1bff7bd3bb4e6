// tolvane: installs tool command lines into the external-tool settings of editors and IDEs.
// Start-up: the switches, the single-instance check, the display, then the session with its
// window (or without one under -nogui), "Done", and the saves.
#include "core/commandline.h"
#include "core/display.h"
#include "core/processes.h"
#include "core/session.h"
#include "gui/gantrel.h"
#include "gui/qtprompter.h"
#include "gui/quitonsignals.h"

#include <QApplication>
#include <QCoreApplication>

#include <xcb/xcb.h>

#include <iostream>
#include <memory>

namespace {

bool x11connects() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    bool connected = connection && !xcb_connection_has_error(connection);
    if (connection) xcb_disconnect(connection);
    return connected;
}

const char* const refusal = "Gantrel is already running, only one instance should run.\n";

// Qt sees no switch of ours: only the program name.
struct QtArguments {
    int argc = 1;
    char* argv[2];
    explicit QtArguments(char* program) : argv{program, nullptr} {}
};

// Start-up without widgets; then the window takes the messages before the command-line install.
void RunSession(const CommandLineOptions& options, Prompter& prompter, QtPrompter* boxes) {
    SessionSetup setup;
    setup.prompter = &prompter;
    GantrelSession session(setup);
    session.StartUp(options);
    if (!options.noGui) {
        Gantrel window(session);
        if (boxes) boxes->SetParent(&window);
        QuitOnSignals onsignals([&window] { window.Quit(); });
        window.CommandLineInstall();
        // A signal that came during the install ends the run before the window is shown.
        QCoreApplication::processEvents();
        if (!window.QuitRequested()) {
            window.show();
            QApplication::exec();
        }
        if (boxes) boxes->SetParent(nullptr);
    } else {
        session.CommandLineInstall();
    }
    std::cerr << "Done\n" << std::flush;
    session.ShutDown();
}

}  // namespace

int AppMain(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    CommandLineOptions options;
    try {
        if (!ParseArguments(arguments, options, std::cerr)) return 0;
    } catch (const CommandLineError& error) {
        std::cerr << error.text << std::flush;
        return 0;
    }
    DisplayState display = DetectDisplay(x11connects);
    QtArguments qt(argv[0]);
    if (CountInstances(ListProcessNames()) > 1) {  // this process counts once
        if (!options.noGui && display.usable) {
            QApplication application(qt.argc, qt.argv);
            QtPrompter().PromptError(refusal);
        } else {
            std::cerr << refusal << std::flush;
        }
        return 0;
    }
    if (!options.noGui && !display.usable) {
        std::cerr << "cannot open a display; use -nogui\n" << std::flush;
        return 1;
    }
    if (options.noGui && !display.real) {
        QCoreApplication application(qt.argc, qt.argv);
        ConsolePrompter prompter(std::cin, std::cerr);
        RunSession(options, prompter, nullptr);
    } else {
        QApplication application(qt.argc, qt.argv);
        InstallQtClipboard();
        QtPrompter prompter;
        RunSession(options, prompter, &prompter);
    }
    return 0;
}

int main(int argc, char** argv) { return AppMain(argc, argv); }
