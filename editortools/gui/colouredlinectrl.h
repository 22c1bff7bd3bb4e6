// The log pane: a read-only text in the fixed-width system font, one colour per line.
#pragma once

#include "core/messages.h"

#include <QPlainTextEdit>

#include <ctime>
#include <string>
#include <vector>

class ColouredLineCtrl : public QPlainTextEdit, public LogPane {
    Q_OBJECT
public:
    explicit ColouredLineCtrl(QWidget* parent = nullptr);

    // Appends the date and time, a blank, the text and a line feed; the line that holds the
    // start of it takes the colour.
    void AddColouredLine(const std::string& text, Rgb colour);
    void AddColouredLine(const std::string& text, Rgb colour, std::time_t when) override;

    // The colour stored for a line, NullColour when it has none.
    Rgb LineColour(int line) const;

private:
    std::vector<Rgb> colours;  // by line number
};
