// How the grids show their columns: the columns share the grid's width, and a cell whose text
// is cut shows the whole of it as its tooltip.
#pragma once

#include <QObject>
#include <QStyledItemDelegate>

#include <vector>

class QTableView;
class QWidget;

// Each column keeps at least the width it has when the grid has its layout's width (the
// header's default width, the last column the rest), and a wider grid gives every column an
// equal part of what is over; a narrower one scrolls.
class SharedColumns : public QObject {
public:
    // layoutWidth: the width of the grid's cells when its page has the layout's size.
    SharedColumns(QTableView* view, int layoutWidth);
    std::vector<int> Minimums() const;
    // Sets the widths for the grid's width now.
    void Spread();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* view;
    QWidget* viewport;  // compared only: it may be going while the view is destroyed
    int layoutWidth;
};

// The tooltip of a cell is its whole text when the cell cannot show all of it, else none.
class CutTextTips : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
    // True when the cell's text is wider than the room the cell gives it.
    static bool IsCut(const QAbstractItemView* view, const QStyleOptionViewItem& option, const QModelIndex& index);
};
