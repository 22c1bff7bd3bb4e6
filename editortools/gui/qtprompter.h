// Boxes and dialogs of Qt; message texts are shown as plain text.
#pragma once

#include "core/prompter.h"

#include <QPointer>
#include <QWidget>

class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent(parent) {}
    void SetParent(QWidget* window) { parent = window; }

    void PromptOK(const std::string& text) override;
    void PromptError(const std::string& text) override;
    bool PromptYesNo(const std::string& text) override;
    std::optional<std::string> EditText(const std::string& title, const std::string& label,
                                        const std::string& initial) override;
    std::optional<std::string> ChooseOpenFile(const std::string& title, const std::string& filter) override;
    std::optional<std::string> ChooseSaveFile(const std::string& title, const std::string& filter) override;
    std::optional<std::string> ChooseFolder(const std::string& title) override;

private:
    QPointer<QWidget> parent;
};

// The caption of the program's boxes.
inline constexpr const char* BoxCaption = "Gantrel";

// Makes CopyToClipboard use the clipboard of the GUI application.
void InstallQtClipboard();
