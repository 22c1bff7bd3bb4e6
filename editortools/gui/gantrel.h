// The main window: the session's view, with the log pane that its messages go to.
#pragma once

#include <QMainWindow>

class ColouredLineCtrl;
class GantrelSession;

class Gantrel : public QMainWindow {
    Q_OBJECT
public:
    explicit Gantrel(GantrelSession& session, QWidget* parent = nullptr);
    ~Gantrel() override;

    ColouredLineCtrl* log;

private:
    GantrelSession& session;
};
