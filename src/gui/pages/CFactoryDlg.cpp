#include "gui/pages/CFactoryDlg.h"

#include <QLabel>

#include "core/base/Format.h"
#include "gui/AccessibleNaming.h"
#include "gui/FontCells.h"
#include "gui/RgbColour.h"
#include "gui/boxes/ChooseFolder.h"
#include "gui/mainwindow/DialogUnits.h"
#include "gui/resources/Pictures.h"

namespace kiro::gui {
namespace {
constexpr int kClockMs = 1000;
constexpr int kAnimationMs = 100;
constexpr int kStatusPoints = 24;

}  // namespace

CFactoryDlg::CFactoryDlg(const PageContext& context, const WatchPorts& ports, FactoryAnimation& animation,
                         QWidget* parent)
    : QDialog(parent),
      context_(context),
      date_(new CSegmentDisplay(this)),
      time_(new CSegmentDisplay(this)),
      status_(new CTextLabel(this)),
      counter_(new CSegmentDisplay(this)),
      slider_(new QSlider(Qt::Horizontal, this)),
      preCopy_(new QCheckBox(this)),
      chooseFolder_(new QPushButton(this)),
      path_(new QLineEdit(this)),
      clockTimer_(new QTimer(this)),
      animationTimer_(new QTimer(this)),
      setup_(context.app, ports.volumes, ports.device, ports.attributes, context.host, *this, animation),
      listening_(ports.events, setup_) {
    chooseFolder = [this] { return ChooseFolder(this, QStringLiteral("/")); };
    setFixedSize(DialogRect(0, 0, 360, 196).size());
    date_->setObjectName(QStringLiteral("dateDisplay"));
    date_->setGeometry(DialogRect(6, 4, 100, 18));
    time_->setObjectName(QStringLiteral("timeDisplay"));
    time_->setGeometry(DialogRect(254, 4, 100, 18));
    auto* picture = new QLabel(this);
    picture->setGeometry(DialogRect(6, 28, 86, 110));
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(LoadPicture(QString::fromLatin1(pictures::kWatch), picture->size()));
    status_->setObjectName(QStringLiteral("statusLabel"));
    status_->setGeometry(DialogRect(98, 28, 256, 72));
    status_->setAlignment(Qt::AlignCenter);
    status_->SetFont(QStringLiteral("Arial"), kStatusPoints, false);
    counter_->setObjectName(QStringLiteral("counterDisplay"));
    counter_->setGeometry(DialogRect(180, 104, 92, 34));
    slider_->setObjectName(QStringLiteral("aliveSlider"));
    slider_->setGeometry(DialogRect(6, 146, 348, 14));
    slider_->setRange(-20, 20);
    slider_->setValue(0);
    // It only swings to show the window is alive.
    slider_->setAttribute(Qt::WA_TransparentForMouseEvents);
    slider_->setFocusPolicy(Qt::NoFocus);
    preCopy_->setObjectName(QStringLiteral("preCopyCheckBox"));
    preCopy_->setGeometry(DialogRect(6, 172, 60, 12));
    chooseFolder_->setObjectName(QStringLiteral("chooseFolderButton"));
    chooseFolder_->setGeometry(DialogRect(68, 170, 50, 16));
    path_->setObjectName(QStringLiteral("preCopyPathEdit"));
    path_->setGeometry(DialogRect(122, 170, 232, 16));
    path_->setReadOnly(true);

    const UiText& texts = context_.texts;
    setWindowTitle(texts.Get(TextId::FactoryMode));
    preCopy_->setText(texts.Get(TextId::PreCopy));
    chooseFolder_->setText(texts.Get(TextId::Setup));
    connect(preCopy_, &QCheckBox::clicked, this, &CFactoryDlg::OnPreCopyClicked);
    connect(chooseFolder_, &QPushButton::clicked, this, &CFactoryDlg::OnChooseFolder);
    NameWithText(*date_, TextId::DateName);
    NameWithText(*time_, TextId::TimeName);
    NameWithText(*counter_, TextId::WatchesDone);
    // The folder shown is the one the PreCopy box copies.
    NameWithText(*path_, TextId::PreCopy);
    ApplyAccessibleTexts(*this, texts);
    AssignMnemonics(*this, texts);

    setup_.Open();
    ShowPreCopyState();
    ShowDateAndTime();
    connect(clockTimer_, &QTimer::timeout, this, &CFactoryDlg::ShowDateAndTime);
    connect(animationTimer_, &QTimer::timeout, this, &CFactoryDlg::AnimationTick);
    clockTimer_->start(kClockMs);
    animationTimer_->start(kAnimationMs);
}

void CFactoryDlg::ShowStatus(const std::string& text, Rgb background, Rgb foreground) {
    status_->SetBkColor(ToQColor(background), false);
    status_->SetTextColor(ToQColor(foreground), false);
    const QString shown = context_.texts.Convert(text);
    // Read from across the line: each line of a status stays whole, in a narrower font where the
    // large one would wrap it.
    status_->SetFont(QStringLiteral("Arial"), kStatusPoints, false);
    status_->setFont(NarrowedToFit(status_->font(), shown, status_->contentsRect().width()));
    status_->setText(shown);
    status_->update();
}

void CFactoryDlg::ShowCount(int count) {
    counter_->SetText(QString::number(count));
}

void CFactoryDlg::ShowDateAndTime() {
    const LocalTime now = context_.app.SystemClock().Now();
    date_->SetText(QString::fromStdString(Format("%04d-%02d-%02d", now.year, now.month, now.day)));
    time_->SetText(QString::fromStdString(Format("%02d:%02d:%02d", now.hour, now.minute, now.second)));
}

void CFactoryDlg::AnimationTick() {
    slider_->setValue(setup_.Tick(slider_->value()));
}

void CFactoryDlg::ShowPreCopyState() {
    preCopy_->setChecked(setup_.PreCopyEnabled());
    path_->setText(QString::fromLocal8Bit(setup_.PreCopyPath()));
    chooseFolder_->setEnabled(setup_.PreCopyEnabled());
    path_->setEnabled(setup_.PreCopyEnabled());
}

void CFactoryDlg::OnPreCopyClicked() {
    ReportSettingsError(setup_.SetPreCopyEnabled(preCopy_->isChecked()));
    ShowPreCopyState();
}

void CFactoryDlg::OnChooseFolder() {
    const std::optional<QString> folder = chooseFolder();
    if (!folder) return;
    ReportSettingsError(setup_.SetPreCopyPath(folder->toLocal8Bit().toStdString()));
    ShowPreCopyState();
}

void CFactoryDlg::ReportSettingsError(const std::error_code& error) {
    if (!error) return;
    context_.host.SetStatusText(
        FormatText(context_.app.GetLangText(TextId::FolderNotUpdated), error.message().c_str()));
}

}  // namespace kiro::gui
