#pragma once
#include <QWidget>
#include <array>
#include <functional>

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
// A page is made when it is first wanted: the window opens with only the page it shows.
class CPageTab : public QWidget {
    Q_OBJECT
  public:
    // Makes a page, a child of `parent`, that shows the program's state as it is now.
    using PageMaker = std::function<CPage*(QWidget* parent)>;

    explicit CPageTab(QWidget* parent = nullptr);

    // Takes the makers of the seven pages in tab order; page `shown` is made and shown.
    void SetPages(std::array<PageMaker, kPageCount> makers, int shown);
    void SetCaption(int index, const QString& caption);
    void SwitchTo(int index);
    int CurrentPage() const { return current_; }
    // The page, made first if it was not yet.
    CPage* Page(int index);
    bool IsMade(int index) const { return pages_[index] != nullptr; }
    // Makes the next page not yet made; false when every page was.
    bool MakeNextPage();

    // Routing of the program's notifications.
    void SendDataChanged();      // to every page
    void SendLanguageChanged();  // to every page
    void SendDateChanged();      // as data changed, to the report page only

  signals:
    // The pages may show other texts: after every notification and page switch.
    void PagesRetexted();
    // A page was made and stands in its place.
    void PageMade(int index);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QTabBar* tabBar_;
    QStackedWidget* stack_;
    std::array<PageMaker, kPageCount> makers_;
    // Null until made; the stack holds an empty stand-in in its place until then.
    std::array<CPage*, kPageCount> pages_{};
    int current_ = 0;
    Qt::MouseButton pressedButton_ = Qt::NoButton;
};

}  // namespace kiro::gui
