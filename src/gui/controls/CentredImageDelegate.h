#pragma once
#include <QStyledItemDelegate>

namespace kiro::gui {

// Draws a cell that shows only an image with the image in the middle, so that the 16-pixel
// columns of a dot picture show whole dots instead of dots cut by the text margin.
class CentredImageDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace kiro::gui
