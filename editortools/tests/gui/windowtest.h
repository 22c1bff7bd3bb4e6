// The main window over a session of a fresh temporary folder, with a scripted prompter and
// its standard error stream kept in a string; APPDATA is appdata/ and the home folder home/.
#pragma once

#include "gui/gantrel.h"

#include "../core/scopedenvironment.h"
#include "core/session.h"
#include "gui/colouredlinectrl.h"
#include "gui/layouts.h"
#include "testfolder.h"

#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>

class Window : public testing::Test {
protected:
    testfolder folder;
    ScopedEnvironment environment{{"APPDATA", (folder / "appdata").string()},
                                  {"HOME", (folder / "home").string()},
                                  {"HOMEDRIVE", std::nullopt},
                                  {"HOMEPATH", std::nullopt}};
    ScriptedPrompter prompter;
    std::ostringstream err;
    std::unique_ptr<GantrelSession> session;
    std::unique_ptr<Gantrel> window;

    void SetUp() override { session = MakeSession(prompter); }
    std::unique_ptr<GantrelSession> MakeSession(Prompter& boxes) {
        std::filesystem::create_directories(folder / "bin");
        SessionSetup setup;
        setup.prompter = &boxes;
        setup.err = &err;
        setup.programFolder = (folder / "bin").string();
        setup.registryPath = (folder / "registry.reg").string();
        setup.codePage = -1;
        return std::make_unique<GantrelSession>(setup);
    }
    void Open() { window = std::make_unique<Gantrel>(*session); }
    std::string Path(const std::string& name) const { return (folder / name).string(); }

    // The texts of one column of a grid, top to bottom.
    static QStringList Column(const QTableView* view, int column) {
        QStringList texts;
        for (int row = 0; row < view->model()->rowCount(); ++row)
            texts << view->model()->index(row, column).data().toString();
        return texts;
    }
    static QStringList Headers(const QTableView* view, int role = Qt::DisplayRole) {
        QStringList texts;
        for (int c = 0; c < view->model()->columnCount(); ++c)
            texts << view->model()->headerData(c, Qt::Horizontal, role).toString();
        return texts;
    }
    // The log pane's lines without their time stamps, and their colours.
    QStringList LogTexts() const {
        QStringList lines = window->log->toPlainText().split('\n', Qt::SkipEmptyParts);
        for (QString& line : lines) line = line.mid(20);
        return lines;
    }
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTableView* view = window->modify->array;
        QRect cell = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, cell.center());
    }
    void Fill(const QString& name, const QString& cmdline, const QString& curdir, const QString& logparser) {
        window->modify->name->setText(name);
        window->modify->surname->setText(cmdline);
        window->modify->address->setText(curdir);
        window->modify->logparser->setText(logparser);
    }
    QStringList Fields() const {
        return {window->modify->name->text(), window->modify->surname->text(), window->modify->address->text(),
                window->modify->logparser->text()};
    }
    void ShowAndActivate() {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
};
