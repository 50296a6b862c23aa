#pragma once
#include <QDialog>
#include <memory>

#include "core/app/App.h"
#include "core/update/UpdateWorker.h"
#include "core/watchdisk/Collector.h"
#include "core/watchdisk/WatchDiscovery.h"
#include "gui/UiText.h"
#include "gui/mainwindow/DeviceEventRouter.h"
#include "gui/mainwindow/GuiHost.h"
#include "gui/mainwindow/GuiPorts.h"

class QCalendarWidget;
class QLabel;
class QMenu;
class QMenuBar;
class QScrollArea;
class QSocketNotifier;
class QTimer;

namespace kiro::gui {

class CPageTab;
class CPercentBar;

// The program's main window: seven pages under their tabs, the month calendar that picks the
// date of the reports, a clock, the status line, the label naming the watch disk over a
// picture of the watch, and the update progress bar. It receives the device events and runs
// the first search for a watch half a second after it opens. A steps file of another tracker
// (a .csv file) dropped on it is imported after a question.
class CMainDlg : public QDialog {
    Q_OBJECT
  public:
    CMainDlg(App& app, const UiText& texts, const GuiPorts& ports, QWidget* parent = nullptr);
    ~CMainDlg() override;

    // The title again in the current language (after a language change).
    void OnLanguageChanged();
    // A language chosen on the options page: title, tab captions and calendar follow it.
    void FollowLanguage();
    void SetTabCaptions();
    // Names, descriptions and mnemonics of the controls again, after their texts changed.
    void RefreshAccessibleTexts();

    GuiHost& Host() { return *host_; }
    WatchDiscovery& Discovery() { return *discovery_; }
    // Where device notifications go: the watch handling, and the factory window while it is open.
    DeviceChangeSink& DeviceSink() { return *events_; }
    // Delivers the device notifications that wait at the source, to DeviceSink().
    void DeliverDeviceEvents();
    CPageTab& Pages() { return *pageTab_; }
    QCalendarWidget* Calendar() const { return calendar_; }
    // A menu of the demo's commands, in a menu bar above the window's controls made on first use.
    QMenu* AddDemoMenu(const QString& title);
    // The update check, started when the window has first been drawn (when EnableUpgrade is on);
    // Stop ends it, or keeps it from starting.
    const UpdateWorker& UpdateCheckWorker() const { return *updateWorker_; }
    void StopUpdateCheck();
    // Nothing more will come of the check: it is switched off, stopped, or has finished.
    bool UpdateCheckOver() const;

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void BuildControls();
    // The window as designed where the screen has room for it; on a smaller screen (or at a
    // higher density) as much as the screen shows, the rest reached by scrolling.
    void FitToScreen();
    void CreatePages();
    void MakeRemainingPages();
    void OnPageMade(int index);
    void OnClockTick();
    void OnCalendarSelection();
    void OnCalendarPage(int year, int month);
    void HookDeviceEvents();

    App& app_;
    const UiText& texts_;
    GuiPorts ports_;
    // The controls stand on `content_`, which scrolls when the screen is smaller than it.
    QScrollArea* scroll_;
    QWidget* content_;
    CPageTab* pageTab_;
    QLabel* statusLine_;
    QLabel* picture_;
    QLabel* diskLabel_;
    QCalendarWidget* calendar_;
    QLabel* clock_;
    CPercentBar* progress_;
    QMenuBar* menuBar_ = nullptr;
    QTimer* clockTimer_;
    QTimer* firstSearch_;
    QSocketNotifier* deviceNotifier_ = nullptr;
    std::unique_ptr<GuiHost> host_;
    std::unique_ptr<Collector> collector_;
    std::unique_ptr<WatchDiscovery> discovery_;
    std::unique_ptr<DeviceEventRouter> events_;
    std::unique_ptr<UpdateUi> updateUi_;
    std::unique_ptr<UpdateWorker> updateWorker_;
    bool updateCheckWanted_ = false;
    bool updateCheckStopped_ = false;
};

}  // namespace kiro::gui
