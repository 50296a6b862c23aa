#include "gui/mainwindow/CMainDlg.h"

#include <QCalendarWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollArea>
#include <QSocketNotifier>
#include <QStyle>
#include <QTimer>
#include <algorithm>
#include <optional>
#include <utility>

#include "core/base/Format.h"
#include "core/watchdisk/DiskLabel.h"
#include "core/watchdisk/StepImport.h"
#include "gui/AccessibleNaming.h"
#include "gui/CalendarLocale.h"
#include "gui/FontCells.h"
#include "gui/controls/CPercentBar.h"
#include "gui/mainwindow/CPageTab.h"
#include "gui/mainwindow/DialogUnits.h"
#include "gui/mainwindow/FirstPaintProbe.h"
#include "gui/mainwindow/ScreenFit.h"
#include "gui/pages/CMissionPage.h"
#include "gui/pages/CPersonalGraphicPage.h"
#include "gui/pages/CPersonalPage.h"
#include "gui/pages/CReportPage.h"
#include "gui/pages/CSetupPage.h"
#include "gui/pages/CSummaryPage.h"
#include "gui/pages/CUserOptionPage.h"
#include "gui/resources/Pictures.h"
#include "gui/update/GuiUpdateUi.h"

namespace kiro::gui {
namespace {

// Large enough for a task bar or a window switcher; smaller sizes are scaled down from it.
constexpr QSize kWindowIconSize(128, 128);

// UI texts of the tab captions, in tab order.
constexpr TextId kTabCaptions[kPageCount] = {
    TextId::Report,          TextId::DayLife,  TextId::MissionTarget, TextId::PersonalInformation,
    TextId::PersonalSetting, TextId::Maintain, TextId::UserOption};

// The first local file of a drag whose name ends ".csv": the window takes steps files only, and
// none while a collection runs, whose commit would not know of the import's journal line.
std::optional<QString> DroppedStepFile(const QMimeData* data, const App& app) {
    if (data == nullptr || !data->hasUrls() || app.watch.busyDrive != kNoDrive) return std::nullopt;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && url.toLocalFile().endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
            return url.toLocalFile();
    return std::nullopt;
}

}  // namespace

CMainDlg::CMainDlg(App& app, const UiText& texts, const GuiPorts& ports, QWidget* parent)
    : QDialog(parent),
      app_(app),
      texts_(texts),
      ports_(ports),
      scroll_(new QScrollArea(this)),
      content_(new QWidget),
      pageTab_(new CPageTab(content_)),
      statusLine_(new QLabel(content_)),
      picture_(new QLabel(content_)),
      diskLabel_(new QLabel(content_)),
      calendar_(new QCalendarWidget(content_)),
      clock_(new QLabel(content_)),
      progress_(new CPercentBar(content_)),
      clockTimer_(new QTimer(this)),
      firstSearch_(new QTimer(this)) {
    setWindowFlags(Qt::Dialog | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAcceptDrops(true);
    BuildControls();
    host_ = std::make_unique<GuiHost>(texts_, this, statusLine_, diskLabel_, *pageTab_);
    collector_ = std::make_unique<Collector>(app_, ports_.volumes, ports_.device, *host_, ports_.attributes);
    discovery_ = std::make_unique<WatchDiscovery>(app_, ports_.volumes, ports_.device, *host_, *collector_);
    events_ = std::make_unique<DeviceEventRouter>(*discovery_);

    // The settings were loaded before the window: the language chose the title.
    OnLanguageChanged();
    app_.watch.eventsSuspended = false;
    clock_->setFont(ArialWithCellHeight(clock_->contentsRect().height() * 3 / 4, QFont::ExtraBold));
    discovery_->ResetWatchState();
    diskLabel_->setFont(ArialWithCellHeight(diskLabel_->contentsRect().height() * 5 / 6, QFont::ExtraBold));

    progress_->ShowText(false);
    progress_->SetPos(0);
    progress_->SetRange(0, 100);
    progress_->SetBarColor(QColor(0, 0, 200));
    progress_->SetTextColor(QColor(0, 0, 200));

    app_.timeAdjustMode = kTimeAdjustManual;
    LocalTime today = app_.SystemClock().Now();
    today.hour = today.minute = today.second = 0;
    app_.selectedDate = today;
    calendar_->setLocale(CalendarLocale(app_.CurrentLanguage()));
    calendar_->setSelectedDate(QDate(today.year, today.month, today.day));
    app_.watchSettings.ledPower = false;
    app_.watchSettings.ledFromHour = 8;
    app_.watchSettings.ledToHour = 18;

    CreatePages();
    SetTabCaptions();
    OnClockTick();
    RefreshAccessibleTexts();
    connect(pageTab_, &CPageTab::PagesRetexted, this, &CMainDlg::RefreshAccessibleTexts);

    connect(calendar_, &QCalendarWidget::selectionChanged, this, &CMainDlg::OnCalendarSelection);
    connect(calendar_, &QCalendarWidget::currentPageChanged, this, &CMainDlg::OnCalendarPage);
    connect(clockTimer_, &QTimer::timeout, this, &CMainDlg::OnClockTick);
    clockTimer_->start(500);
    // Half a second to the first search, to the millisecond: a coarse timer could come early.
    firstSearch_->setObjectName(QStringLiteral("firstSearchTimer"));
    firstSearch_->setSingleShot(true);
    firstSearch_->setTimerType(Qt::PreciseTimer);
    connect(firstSearch_, &QTimer::timeout, this, [this] { discovery_->ScanForWatch(); });
    firstSearch_->start(500);
    HookDeviceEvents();

    updateUi_ = std::make_unique<GuiUpdateUi>(app_, texts_, *host_, *progress_, *this);
    updateWorker_ = std::make_unique<UpdateWorker>(app_.Files(), ports_.http, app_.SystemClock(),
                                                   ports_.process, *updateUi_);
    // The check starts once the window's first paint has ended: libcurl's loading and the first
    // request would otherwise take a core from the paint and the first report.
    updateCheckWanted_ = app_.Config().Values().enableUpgrade != 0;
    if (updateCheckWanted_)
        new FirstPaintProbe(*this, [this] {
            if (updateCheckStopped_) return;
            UpdateCheckSetup setup = UpdateSetupOf(app_, ports_.process);
            setup.signatures = ports_.signatures;
            updateWorker_->Start(std::move(setup));
        });
}

void CMainDlg::StopUpdateCheck() {
    updateCheckStopped_ = true;
    updateWorker_->Stop();
}

bool CMainDlg::UpdateCheckOver() const {
    return !updateCheckWanted_ || updateCheckStopped_ ||
           (updateWorker_->Started() && updateWorker_->Finished());
}

CMainDlg::~CMainDlg() {
    // The check's thread reports to this window: it ends first.
    updateWorker_->Stop();
    discovery_->Shutdown();
}

void CMainDlg::BuildControls() {
    const QRect client = DialogRect(0, 0, 665, 320);
    content_->setFixedSize(client.size());
    scroll_->setObjectName(QStringLiteral("windowScrollArea"));
    scroll_->setFrameShape(QFrame::NoFrame);
    // Tab goes from control to control; the area itself is no stop.
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidget(content_);
    FitToScreen();
    pageTab_->setGeometry(DialogRect(14, 5, 456, 300));
    statusLine_->setObjectName(QStringLiteral("statusLabel"));
    statusLine_->setGeometry(DialogRect(14, 307, 456, 11));
    statusLine_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    picture_->setGeometry(DialogRect(476, 5, 176, 157));
    // Drawn straight from the drawing: an icon would first load the icon engines of the system.
    const QString watch = QString::fromLatin1(pictures::kWatch);
    picture_->setPixmap(
        LoadPicture(watch, NaturalPictureSize(watch).scaled(picture_->size(), Qt::KeepAspectRatio)));
    picture_->setAlignment(Qt::AlignCenter);
    diskLabel_->setObjectName(QStringLiteral("diskLabel"));
    diskLabel_->setGeometry(DialogRect(482, 11, 165, 17));
    diskLabel_->setAlignment(Qt::AlignCenter);
    diskLabel_->setText("< No Disk >");
    // The name stays readable over the watch picture behind it.
    diskLabel_->setAutoFillBackground(true);
    QPalette labelPalette = diskLabel_->palette();
    labelPalette.setColor(QPalette::Window, QColor(255, 255, 255, 200));
    diskLabel_->setPalette(labelPalette);
    diskLabel_->raise();
    calendar_->setObjectName(QStringLiteral("calendar"));
    calendar_->setGeometry(DialogRect(476, 169, 183, 113));
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // The arrows and the year box show no words of their own to be named after.
    const std::pair<const char*, TextId> calendarParts[] = {
        {"qt_calendar_prevmonth", TextId::PreviousMonthName},
        {"qt_calendar_nextmonth", TextId::NextMonthName},
        {"qt_calendar_yearedit", TextId::YearName}};
    for (const auto& [name, text] : calendarParts)
        if (auto* part = calendar_->findChild<QWidget*>(QLatin1String(name))) NameWithText(*part, text);
    clock_->setObjectName(QStringLiteral("clockLabel"));
    clock_->setGeometry(DialogRect(476, 286, 183, 15));
    clock_->setAlignment(Qt::AlignCenter);
    clock_->setText("00:00:00");
    progress_->setObjectName(QStringLiteral("updateProgressBar"));
    progress_->setGeometry(DialogRect(476, 307, 183, 11));
}

void CMainDlg::FitToScreen() {
    QSize available = content_->size();
    if (const QScreen* shown = screen()) available = shown->availableGeometry().size() - kWindowFrame;
    const QSize size = ScrolledSize(content_->size(), available,
                                    style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
    scroll_->setGeometry(QRect(QPoint(0, 0), size));
    setFixedSize(size);
}

void CMainDlg::CreatePages() {
    const PageContext context{app_, texts_, *host_, ports_.keyboard};
    const WatchPorts watchPorts{ports_.volumes, ports_.device, ports_.attributes, *discovery_, *events_};
    std::array<CPageTab::PageMaker, kPageCount> makers = {
        [context](QWidget* parent) -> CPage* { return new CReportPage(context, parent); },
        [context](QWidget* parent) -> CPage* { return new CSummaryPage(context, parent); },
        [context](QWidget* parent) -> CPage* { return new CMissionPage(context, parent); },
        [context](QWidget* parent) -> CPage* { return new CPersonalPage(context, parent); },
        [context, watchPorts](QWidget* parent) -> CPage* {
            return new CPersonalGraphicPage(context, watchPorts, parent);
        },
        [context, watchPorts](QWidget* parent) -> CPage* {
            return new CSetupPage(context, watchPorts, parent);
        },
        [context, this](QWidget* parent) -> CPage* {
            return new CUserOptionPage(
                context, [this] { FollowLanguage(); }, parent);
        },
    };
    connect(pageTab_, &CPageTab::PageMade, this, &CMainDlg::OnPageMade);
    // Reports need the personal data: without it the window opens where it is entered.
    const SettingsValues& v = app_.Config().Values();
    const bool personalMissing = v.height <= 0 || v.weight <= 0 || v.stepSize <= 0;
    pageTab_->SetPages(std::move(makers), personalMissing ? kPersonalInformationPage : kReportPage);
    // The other pages are made after the first paint, one an event-loop turn, so that input and
    // timers are served in between and every tab switches at once when the user gets to it. The
    // window's icon, which the window does not show, comes first.
    new FirstPaintProbe(*this, [this] {
        setWindowIcon(QIcon(LoadPicture(QString::fromLatin1(pictures::kWatch), kWindowIconSize)));
        MakeRemainingPages();
    });
}

void CMainDlg::MakeRemainingPages() {
    if (pageTab_->MakeNextPage()) QTimer::singleShot(0, this, &CMainDlg::MakeRemainingPages);
}

void CMainDlg::OnPageMade(int index) {
    CPage& page = *pageTab_->Page(index);
    // A page joins the window's Tab order last: the calendar, right of the pages, comes after it.
    // Qt orders only controls that take focus.
    QWidget* lastOfPage = previousInFocusChain();
    while (lastOfPage != this && lastOfPage->focusPolicy() == Qt::NoFocus)
        lastOfPage = lastOfPage->previousInFocusChain();
    if (lastOfPage != this && lastOfPage != calendar_ && page.isAncestorOf(lastOfPage))
        QWidget::setTabOrder(lastOfPage, calendar_);
    NameWithText(page, kTabCaptions[index], TextId::PageDescription);
    ApplyAccessibleTexts(page, texts_);
    AssignMnemonics(page, texts_);
}

void CMainDlg::SetTabCaptions() {
    for (int i = 0; i < kPageCount; ++i) pageTab_->SetCaption(i, texts_.Get(kTabCaptions[i]));
}

void CMainDlg::OnLanguageChanged() {
    setWindowTitle(texts_.Convert(app_.WindowTitle()));
}

void CMainDlg::FollowLanguage() {
    OnLanguageChanged();
    SetTabCaptions();
    calendar_->setLocale(CalendarLocale(app_.CurrentLanguage()));
    host_->SetDiskLabel(DiskLabelText(app_));
    RefreshAccessibleTexts();
    update();
}

void CMainDlg::RefreshAccessibleTexts() {
    ApplyAccessibleTexts(*this, texts_);
    for (int i = 0; i < kPageCount; ++i)
        if (pageTab_->IsMade(i)) AssignMnemonics(*pageTab_->Page(i), texts_);
}

void CMainDlg::OnClockTick() {
    const LocalTime now = app_.SystemClock().Now();
    clock_->setText(QString::fromStdString(Format("%02d:%02d:%02d", now.hour, now.minute, now.second)));
}

void CMainDlg::OnCalendarSelection() {
    const QDate date = calendar_->selectedDate();
    app_.selectedDate = LocalTime{date.year(), date.month(), date.day(), 0, 0, 0, date.dayOfWeek() % 7};
    pageTab_->SendDateChanged();
}

// A month turned to (by the arrows, the month menu or the year box) is the month the user wants to
// see: the same day in it is selected (its last day when it is shorter), and the report follows.
void CMainDlg::OnCalendarPage(int year, int month) {
    const QDate selected = calendar_->selectedDate();
    if (selected.year() == year && selected.month() == month) return;
    const int lastDay = QDate(year, month, 1).daysInMonth();
    calendar_->setSelectedDate(QDate(year, month, std::min(selected.day(), lastDay)));
}

void CMainDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedStepFile(event->mimeData(), app_)) event->acceptProposedAction();
}

void CMainDlg::dropEvent(QDropEvent* event) {
    const std::optional<QString> path = DroppedStepFile(event->mimeData(), app_);
    if (!path) return;
    event->acceptProposedAction();
    // The drag ends first: its source would otherwise wait for as long as the question is open.
    QTimer::singleShot(0, this, [this, file = *path] {
        ImportStepFileAsking(app_, *host_, file.toStdString(),
                             texts_.ToCodePage(QFileInfo(file).fileName()).toStdString());
    });
}

void CMainDlg::DeliverDeviceEvents() {
    ports_.events.Dispatch(*events_);
}

void CMainDlg::HookDeviceEvents() {
    // A source without a descriptor is handed its notifications by the front end, which then
    // calls DeliverDeviceEvents.
    const int fd = ports_.events.Fd();
    if (fd >= 0) {
        deviceNotifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(deviceNotifier_, &QSocketNotifier::activated, this, &CMainDlg::DeliverDeviceEvents);
    }
}

QMenu* CMainDlg::AddDemoMenu(const QString& title) {
    const bool first = menuBar_ == nullptr;
    if (first) menuBar_ = new QMenuBar(this);
    QMenu* menu = menuBar_->addMenu(title);
    if (first) {
        // Measured with its menu in it: an empty bar is no taller than nothing.
        menuBar_->setGeometry(0, 0, width(), menuBar_->sizeHint().height());
        // The window keeps its layout below the menu.
        const int shift = menuBar_->height();
        for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (child != menuBar_) child->move(child->x(), child->y() + shift);
        setFixedSize(width(), height() + shift);
    }
    return menu;
}

}  // namespace kiro::gui
