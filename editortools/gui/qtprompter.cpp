// The Qt prompter and clipboard.
#include "gui/qtprompter.h"

#include "core/clipboard.h"

#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

std::optional<std::string> chosenpath(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    return QFile::encodeName(path).toStdString();
}

bool messagebox(QWidget* parent, QMessageBox::Icon icon, const std::string& text,
                QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, BoxCaption, qt(text), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace

void QtPrompter::PromptOK(const std::string& text) {
    messagebox(parent, QMessageBox::Information, text, QMessageBox::Ok);
}

void QtPrompter::PromptError(const std::string& text) {
    messagebox(parent, QMessageBox::Critical, text, QMessageBox::Ok);
}

bool QtPrompter::PromptYesNo(const std::string& text) {
    return messagebox(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No);
}

std::optional<std::string> QtPrompter::EditText(const std::string& title, const std::string& label,
                                                const std::string& initial) {
    bool ok = false;
    QString text = QInputDialog::getText(parent, qt(title), qt(label), QLineEdit::Normal, qt(initial), &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}

std::optional<std::string> QtPrompter::ChooseOpenFile(const std::string& title, const std::string& filter) {
    return chosenpath(QFileDialog::getOpenFileName(parent, qt(title), QString(), qt(filter)));
}

std::optional<std::string> QtPrompter::ChooseSaveFile(const std::string& title, const std::string& filter) {
    return chosenpath(QFileDialog::getSaveFileName(parent, qt(title), QString(), qt(filter)));
}

std::optional<std::string> QtPrompter::ChooseFolder(const std::string& title) {
    return chosenpath(QFileDialog::getExistingDirectory(parent, qt(title)));
}

void InstallQtClipboard() {
    SetClipboardWriter([](const std::string& text) {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (!clipboard) return false;
        clipboard->setText(qt(text));
        return true;
    });
}
