// Signals into the event loop through a pipe.
#include "gui/quitonsignals.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace {

constexpr int watched[3] = {SIGTERM, SIGINT, SIGHUP};
int pipeends[2] = {-1, -1};

void onsignal(int) {
    int saved = errno;
    char byte = 1;
    [[maybe_unused]] ssize_t ignored = ::write(pipeends[1], &byte, 1);
    errno = saved;
}

}  // namespace

QuitOnSignals::QuitOnSignals(std::function<void()> quit, QObject* parent) : QObject(parent), quit(std::move(quit)) {
    if (pipeends[0] >= 0 || ::pipe2(pipeends, O_CLOEXEC | O_NONBLOCK) != 0) return;
    notifier = new QSocketNotifier(pipeends[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &QuitOnSignals::Received);
    struct sigaction action {};
    action.sa_handler = onsignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i) sigaction(watched[i], &action, &previous[i]);
}

QuitOnSignals::~QuitOnSignals() {
    if (!notifier) return;
    for (int i = 0; i < 3; ++i) sigaction(watched[i], &previous[i], nullptr);
    delete notifier;
    ::close(pipeends[0]);
    ::close(pipeends[1]);
    pipeends[0] = pipeends[1] = -1;
}

void QuitOnSignals::Received() {
    char bytes[64];
    while (::read(pipeends[0], bytes, sizeof bytes) > 0) {}
    if (quit) quit();
}
