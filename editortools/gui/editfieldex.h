// A line edit that calls back after it has lost the keyboard focus.
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
