#pragma once
#include <QWidget>
#include <vector>

namespace kiro::gui {

// Makes the Tab key visit `controls` in the given order, where the order in which they were made
// differs from where they stand on the page.
inline void ChainTabOrder(const std::vector<QWidget*>& controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous) QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

}  // namespace kiro::gui
