#include "gui/pages/CDisplaySimDlg.h"

#include <QCloseEvent>
#include <QCoreApplication>

#include "gui/AccessibleNaming.h"
#include "gui/TitleRoom.h"
#include "gui/controls/DotGrid.h"
#include "gui/mainwindow/DialogUnits.h"

namespace kiro::gui {
namespace {
constexpr int kRefreshMs = 100;
constexpr int kStartDelayMs = 100;
// A disk whose size cannot be asked shows as this many kilobytes (7.8 G on the display).
constexpr uint64_t kUnknownDiskKb = 8192000;

}  // namespace

CDisplaySimDlg::CDisplaySimDlg(const PageContext& context, const Volumes& volumes, DisplayInput input,
                               QWidget* parent)
    : QDialog(parent),
      context_(context),
      volumes_(volumes),
      input_(std::move(input)),
      status_(new QLabel(this)),
      screen_(new CGridListCtrl(this)),
      stop_(new QPushButton(this)),
      refreshTimer_(new QTimer(this)) {
    setWindowTitle(context_.texts.Get(TextId::PcSimulation));
    setFixedSize(DialogRect(0, 0, 120, 200).size());
    status_->setObjectName(QStringLiteral("statusLabel"));
    status_->setGeometry(DialogRect(6, 4, 108, 12));
    status_->setAlignment(Qt::AlignCenter);
    screen_->setGeometry(DialogRect(18, 20, 84, 150));
    MakeDotGrid(*screen_, kDisplayLines);
    stop_->setObjectName(QStringLiteral("stopButton"));
    stop_->setGeometry(DialogRect(35, 176, 50, 16));
    stop_->setText(context_.texts.Get(TextId::Stop));
    MakeRoomForTitle(*this);
    connect(stop_, &QPushButton::clicked, this, [this] { stopRequested_ = true; });
    NameWithText(*screen_, TextId::WatchDisplayName, TextId::WatchDisplayDescription);
    ApplyAccessibleTexts(*this, context_.texts);
    AssignMnemonics(*this, context_.texts);
    refreshTimer_->setObjectName(QStringLiteral("refreshTimer"));
    connect(refreshTimer_, &QTimer::timeout, this, &CDisplaySimDlg::Refresh);
    QTimer::singleShot(kStartDelayMs, this, &CDisplaySimDlg::RunSequence);
}

void CDisplaySimDlg::RunSequence() {
    App& app = context_.app;
    uint64_t totalKb = kUnknownDiskKb;
    uint64_t freeKb = kUnknownDiskKb;
    uint64_t totalBytes = 0;
    uint64_t freeBytes = 0;
    const char drive = app.watch.currentDrive;
    if (drive >= 'A' && drive <= 'Z' && volumes_.SpaceOf(drive, totalBytes, freeBytes)) {
        totalKb = totalBytes / 1024;
        freeKb = freeBytes / 1024;
    }
    running_ = true;
    refreshTimer_->start(kRefreshMs);
    DisplaySim simulation(app.Rng(), app.SystemClock(), *this, input_.sped);
    simulation_ = &simulation;
    simulation.RunSequence(input_, app.SystemClock().Now(), totalKb, freeKb);
    simulation_ = nullptr;
    refreshTimer_->stop();
    running_ = false;
    accept();
}

void CDisplaySimDlg::Refresh() {
    if (!simulation_) return;
    const DisplayFrame shown = VisibleFrame(simulation_->Current(), simulation_->BlinkMask(),
                                            context_.app.SystemClock().TickCount());
    for (int line = 0; line < kDisplayLines; ++line) ShowDotLine(*screen_, line, shown[line]);
}

void CDisplaySimDlg::StatusChanged(TextId text) {
    status_->setText(context_.texts.Get(text));
}

void CDisplaySimDlg::Pump() {
    QCoreApplication::processEvents();
}

void CDisplaySimDlg::reject() {
    if (running_) {
        stopRequested_ = true;
        return;
    }
    QDialog::reject();
}

void CDisplaySimDlg::closeEvent(QCloseEvent* event) {
    if (running_) {
        stopRequested_ = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace kiro::gui
