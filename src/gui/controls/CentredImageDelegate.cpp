#include "gui/controls/CentredImageDelegate.h"

namespace kiro::gui {

void CentredImageDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (!option->text.isEmpty()) return;
    // Above an empty text the image gets the whole width of the cell to be centred in.
    option->decorationPosition = QStyleOptionViewItem::Top;
    option->decorationAlignment = Qt::AlignCenter;
}

}  // namespace kiro::gui
