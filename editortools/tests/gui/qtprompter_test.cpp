// The Qt boxes: plain text, their answers, the clipboard.
#include "gui/qtprompter.h"

#include "core/clipboard.h"
#include "core/messages.h"
#include "guitest.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "testfolder.h"

namespace {

QMessageBox* asbox(QWidget* widget) {
    auto* box = qobject_cast<QMessageBox*>(widget);
    EXPECT_NE(box, nullptr);
    return box;
}

}  // namespace

TEST(QtPrompter, MessagesAreShownAsPlainTextAndErrorsAsErrors) {
    QtPrompter prompter;
    RunFlags flags{true, false, false};   // -sid: the channels show boxes
    std::ostringstream err;
    MessageChannels channels(flags, prompter, err);
    const std::vector<std::pair<std::function<void()>, QMessageBox::Icon>> boxes = {
        {[&] { prompter.PromptOK("Error reading the input file:\n<b>[x]</b> & `y`"); }, QMessageBox::Information},
        {[&] { prompter.PromptError("Error reading the input file:\n<b>[x]</b> & `y`"); }, QMessageBox::Critical},
        {[&] { channels.LogError("Error reading the input file:\n<b>[x]</b> & `y`"); }, QMessageBox::Critical},
        {[&] { channels.LogSuccess("Error reading the input file:\n<b>[x]</b> & `y`"); }, QMessageBox::Information},
    };
    for (const auto& [show, icon] : boxes) {
        QString shown;
        Qt::TextFormat format = Qt::AutoText;
        QMessageBox::Icon iconShown = QMessageBox::NoIcon;
        WhenModalOpens([&](QWidget* modal) {
            QMessageBox* box = asbox(modal);
            shown = box->text();
            format = box->textFormat();
            iconShown = box->icon();
            box->button(QMessageBox::Ok)->click();
        });
        show();
        EXPECT_EQ(shown, "Error reading the input file:\n<b>[x]</b> & `y`");
        EXPECT_EQ(format, Qt::PlainText);
        EXPECT_EQ(iconShown, icon);
    }
    EXPECT_EQ(err.str(), "");
}

TEST(QtPrompter, QuestionsAnswerYesOrNo) {
    QtPrompter prompter;
    for (auto [button, expected] : {std::pair{QMessageBox::Yes, true}, std::pair{QMessageBox::No, false}}) {
        QString shown;
        WhenModalOpens([&, button = button](QWidget* modal) {
            QMessageBox* box = asbox(modal);
            shown = box->text();
            box->button(button)->click();
        });
        EXPECT_EQ(prompter.PromptYesNo("brelm tool already exists.Should I overwrite it?"), expected);
        EXPECT_EQ(shown, "brelm tool already exists.Should I overwrite it?");
    }
}

TEST(QtPrompter, OneLineInputOrCancel) {
    QtPrompter prompter;
    WhenModalOpens([](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->labelText(), "Description:");
        EXPECT_EQ(dialog->windowTitle(), "Title");
        dialog->setTextValue("my backup \xE2\x9C\x93");
        dialog->accept();
    });
    EXPECT_EQ(prompter.EditText("Title", "Description:", ""), "my backup \xE2\x9C\x93");
    WhenModalOpens([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    EXPECT_EQ(prompter.EditText("Title", "Description:", "x"), std::nullopt);
}

TEST(QtPrompter, CopyToClipboardUsesTheApplicationClipboard) {
    SetClipboardWriter(nullptr);
    EXPECT_EQ(CopyToClipboard("x"), -1);
    InstallQtClipboard();
    EXPECT_EQ(CopyToClipboard("/backups/Pspad/\xC3\xA9links.ini"), 0);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("/backups/Pspad/\xC3\xA9links.ini"));
}

TEST(QtPrompter, FileAndFolderChoosersOrCancel) {
    testfolder folder;
    folder.write("settings/gantrel.xml", "<Gantrel/>");
    const QString file = QString::fromStdString((folder / "settings/gantrel.xml").string());
    QtPrompter prompter;
    QString title;
    QStringList filters;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    auto choose = [&](const QString& path) {
        WhenModalOpens([&, path](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            title = dialog->windowTitle();
            filters = dialog->nameFilters();
            mode = dialog->fileMode();
            if (path.isEmpty()) {
                dialog->reject();
            } else {
                dialog->selectFile(path);
                QMetaObject::invokeMethod(dialog, "accept");
            }
        });
    };
    choose(file);
    EXPECT_EQ(prompter.ChooseOpenFile("Open", AllFilesFilter), file.toStdString());
    EXPECT_EQ(title, "Open");
    EXPECT_EQ(filters, QStringList{"All files (*)"});
    EXPECT_EQ(mode, QFileDialog::ExistingFile);
    choose("");
    EXPECT_EQ(prompter.ChooseOpenFile("Open", ""), std::nullopt);
    const QString settings = QString::fromStdString((folder / "settings").string());
    choose(settings);
    EXPECT_EQ(prompter.ChooseFolder(""), settings.toStdString());
    EXPECT_EQ(mode, QFileDialog::Directory);
    choose("");
    EXPECT_EQ(prompter.ChooseFolder(""), std::nullopt);
}
