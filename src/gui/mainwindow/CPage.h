#pragma once
#include <QWidget>

namespace kiro::gui {

// A page under one of the main window's tabs. Pages live as long as the window and are only
// hidden and shown; the page container tells them when data or language changed. The windows
// keep their controls to themselves: the ones a test or tool has to reach carry an object name
// by role and kind (timeSetButton, targetEditA), which findChild finds them by.
class CPage : public QWidget {
  public:
    using QWidget::QWidget;
    // Stored data or the watch state changed (or, for the report page, the selected date).
    virtual void OnDataChanged() {}
    // Texts and control states must be set again.
    virtual void OnLanguageChanged() {}
};

}  // namespace kiro::gui
