// The log pane and its per-line colours.
#include "gui/colouredlinectrl.h"

#include <QFontDatabase>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTextCursor>

// Paints every character of a line that has a colour of its own in that colour.
class LineHighlighter : public QSyntaxHighlighter {
public:
    LineHighlighter(QTextDocument* document, const ColouredLineCtrl& pane) : QSyntaxHighlighter(document), pane(pane) {}

protected:
    void highlightBlock(const QString& text) override {
        Rgb colour = pane.LineColour(currentBlock().blockNumber());
        if (colour == NullColour) return;
        QTextCharFormat ink;
        ink.setForeground(QColor(QRgb(colour)));
        setFormat(0, static_cast<int>(text.length()), ink);
    }

private:
    const ColouredLineCtrl& pane;
};

ColouredLineCtrl::ColouredLineCtrl(QWidget* parent) : QPlainTextEdit(parent) {
    new LineHighlighter(document(), *this);  // owned by the document
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

void ColouredLineCtrl::AddColouredLine(const std::string& text, Rgb colour) {
    AddColouredLine(text, colour, std::time(nullptr));
}

void ColouredLineCtrl::AddColouredLine(const std::string& text, Rgb colour, std::time_t when) {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    size_t line = static_cast<size_t>(cursor.blockNumber());
    if (colours.size() <= line) colours.resize(line + 1, NullColour);
    colours[line] = colour;
    cursor.insertText(QString::fromStdString(FormatLogLine(text, when)));
    setTextCursor(cursor);
    ensureCursorVisible();
}

Rgb ColouredLineCtrl::LineColour(int line) const {
    return line >= 0 && static_cast<size_t>(line) < colours.size() ? colours[static_cast<size_t>(line)] : NullColour;
}
