// SIGTERM, SIGINT and SIGHUP end the run the way the Quit entry does: the handler writes a
// byte into a pipe, and the event loop reads it and calls back. One object at a time.
#pragma once

#include <QObject>

#include <csignal>
#include <functional>

class QSocketNotifier;

class QuitOnSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitOnSignals(std::function<void()> quit, QObject* parent = nullptr);
    ~QuitOnSignals() override;
    bool Active() const { return notifier != nullptr; }

private:
    std::function<void()> quit;
    QSocketNotifier* notifier = nullptr;
    struct sigaction previous[3];
    void Received();
};
