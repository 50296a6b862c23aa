#pragma once
#include <QDialog>
#include <array>

#include "core/analysis/SleepSession.h"
#include "gui/pages/PageContext.h"

class QLabel;
class QToolButton;

namespace kiro::gui {

class CSleepChartCtrl;

// The sleep analysis of one night: going to sleep, getting up, sleep time and efficiency above
// the night's sleep curve, with arrows to move the start and the end of the window and the day.
// The arrows that move the hours keep them in the settings; the day arrows do not, and nothing
// here moves the main window's selected date.
class CSleepDlg final : public QDialog {
    Q_OBJECT
  public:
    enum Arrow { kStartEarlier, kStartLater, kEndEarlier, kEndLater, kPreviousDay, kNextDay };

    // The debug chord is read from the keyboard as the dialog opens.
    CSleepDlg(const PageContext& context, int year, int month, int day, QWidget* parent = nullptr);

    const SleepSession& Session() const { return session_; }

  private:
    void Show();
    void OnArrow(Arrow arrow);

    const UiText& texts_;
    SleepSession session_;
    std::array<QLabel*, 4> results_{};
    QLabel* estimate_;
    CSleepChartCtrl* chart_;
    std::array<QToolButton*, 6> arrows_{};
};

}  // namespace kiro::gui
