// The log pane: line format, colours by line, embedded line feeds, read-only text.
#include "gui/colouredlinectrl.h"

#include <QFontDatabase>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace {

// The foreground colour the highlighter gave the line, or an invalid colour.
QColor inkof(const ColouredLineCtrl& pane, int line) {
    QTextBlock block = pane.document()->findBlockByNumber(line);
    const QList<QTextLayout::FormatRange> formats = block.layout()->formats();
    if (formats.isEmpty()) return QColor();
    EXPECT_EQ(formats.front().start, 0);
    EXPECT_EQ(formats.front().length, block.length() - 1);
    return formats.front().format.foreground().color();
}

}  // namespace

TEST(ColouredLineCtrl, LinesStartWithTheDateAndTimeAndTakeTheirColour) {
    ColouredLineCtrl pane;
    pane.AddColouredLine("Installed tool brelm in Pspad.", SuccessColour);
    pane.AddColouredLine("Pspad is running.Please close the program.", ErrorColour);
    QStringList lines = pane.toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(QRegularExpression("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d Installed tool brelm in Pspad\\.$")
                    .match(lines[0]).hasMatch()) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith(" Pspad is running.Please close the program."));
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(inkof(pane, 0), QColor(0, 128, 0));
    EXPECT_EQ(inkof(pane, 1), QColor(128, 0, 0));
    EXPECT_EQ(pane.LineColour(0), SuccessColour);
    EXPECT_EQ(pane.LineColour(2), NullColour);
    EXPECT_EQ(pane.LineColour(-1), NullColour);
}

TEST(ColouredLineCtrl, AnEmbeddedLineFeedColoursOnlyTheFirstLine) {
    ColouredLineCtrl pane;
    pane.AddColouredLine("first\nsecond\nthird", ErrorColour);
    pane.AddColouredLine("next", SuccessColour);
    EXPECT_EQ(pane.document()->blockCount(), 5);
    EXPECT_EQ(pane.LineColour(0), ErrorColour);
    EXPECT_EQ(pane.LineColour(1), NullColour);
    EXPECT_EQ(pane.LineColour(2), NullColour);
    EXPECT_EQ(pane.LineColour(3), SuccessColour);
    EXPECT_FALSE(inkof(pane, 1).isValid());
    EXPECT_FALSE(inkof(pane, 2).isValid());
    EXPECT_EQ(inkof(pane, 3), QColor(0, 128, 0));
    EXPECT_EQ(pane.document()->findBlockByNumber(3).text().right(5), " next");
}

TEST(ColouredLineCtrl, GivenTimeAndText) {
    setenv("TZ", "UTC", 1);
    tzset();
    ColouredLineCtrl pane;
    pane.AddColouredLine("a <b> & [c]", ErrorColour, 1796753109);
    EXPECT_EQ(pane.toPlainText(), "12/08/2026 18:05:09 a <b> & [c]\n");
    unsetenv("TZ");
    tzset();
}

TEST(ColouredLineCtrl, ReadOnlyInTheFixedFont) {
    ColouredLineCtrl pane;
    EXPECT_TRUE(pane.isReadOnly());
    EXPECT_TRUE(pane.textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_EQ(pane.font().family(), QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    pane.AddColouredLine("x", ErrorColour);
    EXPECT_EQ(pane.textCursor().position(), pane.document()->characterCount() - 1);   // at the end
}
