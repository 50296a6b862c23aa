#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <array>
#include <functional>

#include "core/watchconfig/SetupRules.h"
#include "gui/mainwindow/CPage.h"
#include "gui/pages/PageContext.h"
#include "gui/pages/WatchPorts.h"

namespace kiro::gui {

// The "Maintain" page: which watch disk the program works with, and the watch's clock options:
// 24- or 12-hour display, the rate correction in seconds a day, the LED hours, the 24-hour step
// recorder; Time Set and Check Watch; and the battery history of a device-mode watch.
class CSetupPage final : public CPage {
    Q_OBJECT
  public:
    CSetupPage(const PageContext& context, const WatchPorts& ports, QWidget* parent = nullptr);

    void OnDataChanged() override { ShowSettings(); }
    void OnLanguageChanged() override { ShowSettings(); }

    QPushButton* BatteryButton() const { return battery_; }

    // The battery curve window opens modally with the page read from the watch; a test replaces
    // how.
    std::function<void(const std::array<uint8_t, 512>&)> runBatteryCurve;

  private:
    void BuildControls();
    void BuildTimeSetGroup(QWidget* group);
    void BuildAlarmControls(QWidget* group);
    void ShowSettings();
    void ListDisks();
    void SelectDisk(int index);
    void ApplyTexts();
    void ApplyEnableStates();
    void ShowRateLabel();
    // The hour mode, alarm and Auto/Manual controls into the settings.
    void TakeControls();
    void OnAdjustModeChanged();
    void TimeSetClicked();
    void CheckWatchClicked();
    void ShowBatteryCurve();

    PageContext context_;
    WatchPorts ports_;
    QGroupBox* diskGroup_;
    std::array<QPushButton*, kDiskButtons> disks_{};
    QGroupBox* timeGroup_;
    QRadioButton* hour24_;
    QRadioButton* hour12_;
    std::array<QLabel*, 3> scale_{};
    QSlider* slider_;
    QLabel* rate_;
    QRadioButton* auto_;
    QRadioButton* manual_;
    QCheckBox* ledPower_;
    QLineEdit* ledFrom_;
    QLabel* ledFromLabel_;
    QLineEdit* ledTo_;
    QLabel* ledToLabel_;
    QCheckBox* alarm_;
    QComboBox* alarmHour_;
    QLabel* alarmColon_;
    QComboBox* alarmMinute_;
    QRadioButton* alarmOnce_;
    QRadioButton* alarmEveryDay_;
    QCheckBox* recorder_;
    QPushButton* timeSet_;
    QPushButton* checkWatch_;
    QPushButton* battery_;
};

}  // namespace kiro::gui
