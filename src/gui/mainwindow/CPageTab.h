#pragma once
#include <QWidget>
#include <array>

#include "gui/mainwindow/CPage.h"

class QTabBar;
class QStackedWidget;

namespace kiro::gui {

inline constexpr int kPageCount = 7;
inline constexpr int kReportPage = 0;
inline constexpr int kPersonalInformationPage = 3;
inline constexpr int kPersonalGraphicPage = 4;
inline constexpr int kSetupPage = 5;
inline constexpr int kUserOptionsPage = 6;

// The tab control of the main window with its seven pages. A left click on a tab switches the
// page: moving the tab selection with the keyboard highlights another tab and leaves the page
// shown as it is until Enter or Space opens the highlighted one, and other buttons do nothing.
class CPageTab : public QWidget {
    Q_OBJECT
  public:
    explicit CPageTab(QWidget* parent = nullptr);

    // Takes the seven pages in tab order; page 0 is shown.
    void SetPages(const std::array<CPage*, kPageCount>& pages);
    void SetCaption(int index, const QString& caption);
    void SwitchTo(int index);
    int CurrentPage() const { return current_; }
    CPage* Page(int index) const { return pages_[index]; }

    // Routing of the program's notifications.
    void SendDataChanged();      // to every page
    void SendLanguageChanged();  // to every page
    void SendDateChanged();      // as data changed, to the report page only

  signals:
    // The pages may show other texts: after every notification and page switch.
    void PagesRetexted();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QTabBar* tabBar_;
    QStackedWidget* stack_;
    std::array<CPage*, kPageCount> pages_{};
    int current_ = 0;
    Qt::MouseButton pressedButton_ = Qt::NoButton;
};

}  // namespace kiro::gui
