// The main window.
#include "gui/gantrel.h"

#include "core/session.h"
#include "core/version.h"
#include "gui/colouredlinectrl.h"

#include <QLabel>
#include <QVBoxLayout>

Gantrel::Gantrel(GantrelSession& session, QWidget* parent) : QMainWindow(parent), session(session) {
    setWindowTitle(QString("Gantrel ") + GantrelVersion);
    resize(579, 456);
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* label = new QLabel("Log", page);
    log = new ColouredLineCtrl(page);
    label->setBuddy(log);
    layout->addWidget(label);
    layout->addWidget(log);
    setCentralWidget(page);
    session.channels.AttachPane(log);
}

Gantrel::~Gantrel() { session.channels.AttachPane(nullptr); }
