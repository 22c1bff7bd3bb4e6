// Shared column widths and the tooltips of cut cells.
#include "gui/gridcolumns.h"

#include <QEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QTableView>
#include <QToolTip>

#include <algorithm>
#include <numeric>

SharedColumns::SharedColumns(QTableView* view, int layoutWidth)
    : QObject(view), view(view), viewport(view->viewport()), layoutWidth(layoutWidth) {
    QHeaderView* header = view->horizontalHeader();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    viewport->installEventFilter(this);
    connect(header, &QHeaderView::sectionCountChanged, this, &SharedColumns::Spread);
}

std::vector<int> SharedColumns::Minimums() const {
    QHeaderView* header = view->horizontalHeader();
    const int count = header->count(), base = header->defaultSectionSize();
    std::vector<int> widths(static_cast<size_t>(count), base);
    if (count > 0) widths.back() = std::max(base, layoutWidth - base * (count - 1));
    return widths;
}

void SharedColumns::Spread() {
    std::vector<int> widths = Minimums();
    if (widths.empty()) return;
    const int count = static_cast<int>(widths.size());
    const int extra = std::max(0, view->viewport()->width() - std::accumulate(widths.begin(), widths.end(), 0));
    for (int i = 0; i < count; ++i)
        view->horizontalHeader()->resizeSection(i,
                                                widths[static_cast<size_t>(i)] + extra / count + (i < extra % count));
}

bool SharedColumns::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == viewport) Spread();
    return QObject::eventFilter(watched, event);
}

bool CutTextTips::IsCut(const QAbstractItemView* view, const QStyleOptionViewItem& option, const QModelIndex& index) {
    QStyleOptionViewItem cell = option;
    cell.initFrom(view);
    cell.rect = view->visualRect(index);
    cell.index = index;
    cell.features |= QStyleOptionViewItem::HasDisplay;
    cell.text = index.data().toString();
    cell.fontMetrics = view->fontMetrics();
    const QStyle* style = view->style();
    // The style draws the text inside this rectangle less a margin at each side.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const int room = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, view).width() - 2 * margin;
    return cell.fontMetrics.horizontalAdvance(cell.text) > room;
}

bool CutTextTips::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                            const QModelIndex& index) {
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    if (IsCut(view, option, index)) {
        QToolTip::showText(event->globalPos(), index.data().toString(), view, view->visualRect(index));
    } else {
        QToolTip::hideText();
        event->ignore();
    }
    return true;
}
