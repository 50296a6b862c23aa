#pragma once
// The controls a person works with under a widget, as assistive technology and the keyboard
// reach them: Qt's own parts inside combo boxes, spin boxes, calendars, lists and tab bars are
// left out.
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QComboBox>
#include <QTabBar>
#include <QWidget>
#include <vector>

#include "gui/charts/LayeredChart.h"
#include "gui/controls/CPercentBar.h"
#include "gui/controls/CSegmentDisplay.h"

namespace kiro::gui::test {

inline bool InsideAComposite(const QWidget& widget, const QWidget& root) {
    for (const QWidget* up = widget.parentWidget(); up && up != &root; up = up->parentWidget()) {
        if (qobject_cast<const QComboBox*>(up) || qobject_cast<const QAbstractSpinBox*>(up) ||
            qobject_cast<const QCalendarWidget*>(up) || qobject_cast<const QAbstractItemView*>(up) ||
            qobject_cast<const QTabBar*>(up))
            return true;
    }
    return false;
}

// Controls that take focus, and those that only show something a person needs to know of.
inline std::vector<QWidget*> ControlsUnder(QWidget& root) {
    std::vector<QWidget*> controls;
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        if (widget->window() != root.window() || InsideAComposite(*widget, root)) continue;
        const bool showsState = qobject_cast<LayeredChart*>(widget) || qobject_cast<CPercentBar*>(widget) ||
                                qobject_cast<CSegmentDisplay*>(widget);
        if (widget->focusPolicy() != Qt::NoFocus || showsState) controls.push_back(widget);
    }
    return controls;
}

// What the Tab key should visit: enabled controls on screen that take focus by Tab.
inline std::vector<QWidget*> TabStopsUnder(QWidget& root) {
    std::vector<QWidget*> stops;
    for (QWidget* widget : ControlsUnder(root))
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisible() && widget->isEnabled())
            stops.push_back(widget);
    return stops;
}

}  // namespace kiro::gui::test
