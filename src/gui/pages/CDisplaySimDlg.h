#pragma once
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "core/system/Volumes.h"
#include "core/watchconfig/DisplaySim.h"
#include "gui/controls/CGridListCtrl.h"
#include "gui/pages/PageContext.h"

namespace kiro::gui {

// "PC Simulation": plays on the screen what the watch's display will show, item by item with
// its transition effects at the chosen speed, and closes itself at the end. Stop ends it at the
// next pause of the sequence.
class CDisplaySimDlg final : public QDialog, private DisplayObserver {
    Q_OBJECT
  public:
    CDisplaySimDlg(const PageContext& context, const Volumes& volumes, DisplayInput input,
                   QWidget* parent = nullptr);

    CGridListCtrl* Screen() const { return screen_; }
    QLabel* Status() const { return status_; }
    QPushButton* StopButton() const { return stop_; }
    bool Running() const { return running_; }

  protected:
    // Closing the window in the middle asks the sequence to stop; the window closes when it has.
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void RunSequence();
    // Shows the frame as it is now, the blinking lines dark in the first half of each second.
    void Refresh();

    void StatusChanged(TextId text) override;
    void Pump() override;
    bool StopRequested() const override { return stopRequested_; }

    PageContext context_;
    const Volumes& volumes_;
    DisplayInput input_;
    QLabel* status_;
    CGridListCtrl* screen_;
    QPushButton* stop_;
    QTimer* refreshTimer_;
    // The engine while the sequence runs: the screen shows its frame and blinking lines.
    const DisplaySim* simulation_ = nullptr;
    bool running_ = false;
    bool stopRequested_ = false;
};

}  // namespace kiro::gui
