// A line edit that calls back after it has lost the keyboard focus to another control or window
// (not to a popup, which gives it back).
#pragma once

#include <QLineEdit>

#include <functional>

class EditFieldEx : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;
    std::function<void()> whenLostFocus;

protected:
    void focusOutEvent(QFocusEvent* event) override;
};
