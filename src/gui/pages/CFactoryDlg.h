#pragma once
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <functional>
#include <optional>

#include "core/watchconfig/FactorySetup.h"
#include "gui/controls/CSegmentDisplay.h"
#include "gui/controls/CTextLabel.h"
#include "gui/mainwindow/DeviceEventRouter.h"
#include "gui/pages/PageContext.h"
#include "gui/pages/WatchPorts.h"

namespace kiro::gui {

// "Factory Mode": prepares the watches of a production line one after another without a click.
// Every disk plugged in is set up at once and counted; the large status says what happened to
// it until it is taken out. While no watch is in work, the status colours wander.
class CFactoryDlg final : public QDialog, private FactoryDisplay {
    Q_OBJECT
  public:
    // `animation` is kept by the opener from one opening of the window to the next.
    CFactoryDlg(const PageContext& context, const WatchPorts& ports, FactoryAnimation& animation,
                QWidget* parent = nullptr);

    FactorySetup& Setup() { return setup_; }
    CTextLabel* Status() const { return status_; }
    CSegmentDisplay* Counter() const { return counter_; }
    CSegmentDisplay* DateText() const { return date_; }
    CSegmentDisplay* TimeText() const { return time_; }
    QSlider* Slider() const { return slider_; }
    QCheckBox* PreCopyBox() const { return preCopy_; }
    QPushButton* FolderButton() const { return chooseFolder_; }
    QLineEdit* PathBox() const { return path_; }
    // The 100 ms tick of the idle animation.
    void AnimationTick();

    // How the folder is chosen; a test replaces the system's chooser.
    std::function<std::optional<QString>()> chooseFolder;

  private:
    void ShowStatus(const std::string& text, Rgb background, Rgb foreground) override;
    void ShowCount(int count) override;
    void ShowDateAndTime();
    void OnPreCopyClicked();
    void OnChooseFolder();
    void ShowPreCopyState();
    void ReportSettingsError(const std::error_code& error);

    PageContext context_;
    CSegmentDisplay* date_;
    CSegmentDisplay* time_;
    CTextLabel* status_;
    CSegmentDisplay* counter_;
    QSlider* slider_;
    QCheckBox* preCopy_;
    QPushButton* chooseFolder_;
    QLineEdit* path_;
    QTimer* clockTimer_;
    QTimer* animationTimer_;
    FactorySetup setup_;
    // Device notifications reach the window for as long as it is open.
    DeviceEventRouter::Listening listening_;
};

}  // namespace kiro::gui
