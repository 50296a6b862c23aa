#include "gui/pages/CSetupPage.h"

#include <QButtonGroup>

#include "core/base/Format.h"
#include "core/base/Numbers.h"
#include "core/watch/WatchCommands.h"
#include "core/watchconfig/WatchClockActions.h"
#include "gui/AccessibleNaming.h"
#include "gui/FontCells.h"
#include "gui/mainwindow/DialogUnits.h"
#include "gui/pages/CBatteryCurveDlg.h"

namespace kiro::gui {
namespace {
constexpr int kBatteryPage = 14;
constexpr int kSliderLimit = 99;

QString TwoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// An hour box's text as an hour of the day, or the hour it had.
int HourOf(const QLineEdit* box, int previous) {
    const std::optional<int> hour = LeadingNumber(box->text().toStdString());
    return hour && *hour >= 0 && *hour <= 23 ? *hour : previous;
}

}  // namespace

CSetupPage::CSetupPage(const PageContext& context, const WatchPorts& ports, QWidget* parent)
    : CPage(parent), context_(context), ports_(ports) {
    runBatteryCurve = [this](const std::array<uint8_t, 512>& page) {
        CBatteryCurveDlg dialog(context_.texts, page, this);
        dialog.exec();
    };
    BuildControls();
    ShowSettings();
    ShowRateLabel();
}

void CSetupPage::BuildControls() {
    diskGroup_ = new QGroupBox(this);
    diskGroup_->setGeometry(DialogRect(6, 4, 440, 46));
    for (int i = 0; i < kDiskButtons; ++i) {
        disks_[i] = new QPushButton(diskGroup_);
        disks_[i]->setGeometry(DialogRect(10 + 53 * i, 14, 46, 26));
        connect(disks_[i], &QPushButton::clicked, this, [this, i] { SelectDisk(i); });
        NameAfterCaptionOf(*disks_[i], TextId::WatchDiskName, *disks_[i]);
    }
    timeGroup_ = new QGroupBox(this);
    timeGroup_->setGeometry(DialogRect(6, 56, 440, 158));
    BuildTimeSetGroup(timeGroup_);
    BuildAlarmControls(timeGroup_);
}

void CSetupPage::BuildTimeSetGroup(QWidget* group) {
    hour24_ = new QRadioButton(group);
    hour24_->setGeometry(DialogRect(14, 14, 70, 12));
    hour12_ = new QRadioButton(group);
    hour12_->setGeometry(DialogRect(90, 14, 70, 12));
    auto* hours = new QButtonGroup(group);
    hours->addButton(hour24_);
    hours->addButton(hour12_);

    // -99 at the left end of the slider, 0 over its middle, +99 at its right end.
    const char* const scaleTexts[3] = {"-99", "0", "+99"};
    const int scaleLefts[3] = {14, 174, 314};
    const Qt::Alignment scaleAlignments[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    for (int i = 0; i < 3; ++i) {
        scale_[i] = new QLabel(QString::fromLatin1(scaleTexts[i]), group);
        scale_[i]->setGeometry(DialogRect(scaleLefts[i], 34, i == 1 ? 20 : 40, 10));
        scale_[i]->setAlignment(scaleAlignments[i] | Qt::AlignVCenter);
    }
    slider_ = new QSlider(Qt::Horizontal, group);
    slider_->setGeometry(DialogRect(14, 44, 340, 18));
    slider_->setTickPosition(QSlider::TicksBelow);
    connect(slider_, &QSlider::valueChanged, this, &CSetupPage::ShowRateLabel);
    rate_ = new QLabel(group);
    rate_->setGeometry(DialogRect(14, 64, 340, 12));
    rate_->setAlignment(Qt::AlignCenter);

    auto_ = new QRadioButton(group);
    auto_->setGeometry(DialogRect(366, 40, 64, 12));
    manual_ = new QRadioButton(group);
    manual_->setGeometry(DialogRect(366, 54, 64, 12));
    auto* modes = new QButtonGroup(group);
    modes->addButton(auto_);
    modes->addButton(manual_);
    connect(auto_, &QRadioButton::clicked, this, &CSetupPage::OnAdjustModeChanged);
    connect(manual_, &QRadioButton::clicked, this, &CSetupPage::OnAdjustModeChanged);

    ledPower_ = new QCheckBox(group);
    ledPower_->setGeometry(DialogRect(14, 88, 110, 12));
    ledFrom_ = new QLineEdit(group);
    ledFrom_->setGeometry(DialogRect(128, 86, 22, 14));
    ledFromLabel_ = new QLabel(QStringLiteral(":00 ~"), group);
    ledFromLabel_->setGeometry(DialogRect(152, 88, 24, 12));
    ledTo_ = new QLineEdit(group);
    ledTo_->setGeometry(DialogRect(178, 86, 22, 14));
    ledToLabel_ = new QLabel(QStringLiteral(":59"), group);
    ledToLabel_->setGeometry(DialogRect(202, 88, 20, 12));
    NameWithText(*slider_, TextId::ClockRate);
    NameWithText(*ledFrom_, TextId::LedFromHour);
    NameWithText(*ledTo_, TextId::LedToHour);
    for (QLineEdit* box : {ledFrom_, ledTo_}) {
        box->setMaxLength(2);
        box->setAlignment(Qt::AlignRight);
    }

    recorder_ = new QCheckBox(group);
    recorder_->setGeometry(DialogRect(14, 108, 200, 12));

    timeSet_ = new QPushButton(group);
    timeSet_->setGeometry(DialogRect(14, 132, 80, 18));
    checkWatch_ = new QPushButton(group);
    checkWatch_->setGeometry(DialogRect(104, 132, 80, 18));
    battery_ = new QPushButton(group);
    battery_->setGeometry(DialogRect(194, 132, 80, 18));
    connect(timeSet_, &QPushButton::clicked, this, &CSetupPage::TimeSetClicked);
    connect(checkWatch_, &QPushButton::clicked, this, &CSetupPage::CheckWatchClicked);
    connect(battery_, &QPushButton::clicked, this, &CSetupPage::ShowBatteryCurve);
}

// The alarm travels with the watch's settings but has no visible controls: what a collection
// read from the watch is shown into them and goes back unchanged at Time Set.
void CSetupPage::BuildAlarmControls(QWidget* group) {
    alarm_ = new QCheckBox(group);
    alarmHour_ = new QComboBox(group);
    for (int hour = 0; hour < 24; ++hour) alarmHour_->addItem(TwoDigits(hour));
    alarmColon_ = new QLabel(QStringLiteral(":"), group);
    alarmMinute_ = new QComboBox(group);
    for (int minute = 0; minute < 60; ++minute) alarmMinute_->addItem(TwoDigits(minute));
    alarmOnce_ = new QRadioButton(group);
    alarmEveryDay_ = new QRadioButton(group);
    auto* repeat = new QButtonGroup(group);
    repeat->addButton(alarmOnce_);
    repeat->addButton(alarmEveryDay_);
    alarm_->setGeometry(DialogRect(14, 130, 80, 12));
    alarmHour_->setGeometry(DialogRect(96, 128, 30, 14));
    alarmColon_->setGeometry(DialogRect(128, 130, 6, 12));
    alarmMinute_->setGeometry(DialogRect(136, 128, 30, 14));
    alarmOnce_->setGeometry(DialogRect(14, 146, 90, 12));
    alarmEveryDay_->setGeometry(DialogRect(110, 146, 90, 12));
    NameWithText(*alarmHour_, TextId::AlarmHour);
    NameWithText(*alarmMinute_, TextId::AlarmMinute);
    connect(alarm_, &QCheckBox::clicked, this, [this] {
        context_.app.watchSettings.alarmEnabled = alarm_->isChecked();
        ApplyEnableStates();
    });
    for (QWidget* control : std::initializer_list<QWidget*>{alarm_, alarmHour_, alarmColon_, alarmMinute_,
                                                            alarmOnce_, alarmEveryDay_})
        control->hide();
}

void CSetupPage::ShowSettings() {
    const App& app = context_.app;
    const WatchSettings& settings = app.watchSettings;
    (settings.hMod == 1 ? hour12_ : hour24_)->setChecked(true);
    ledPower_->setChecked(settings.ledPower);
    ledFrom_->setText(QString::number(settings.ledFromHour));
    ledTo_->setText(QString::number(settings.ledToHour));
    alarm_->setChecked(settings.alarmEnabled);
    alarmHour_->setCurrentIndex(settings.alarmHour);
    alarmMinute_->setCurrentIndex(settings.alarmMinute);
    (settings.alarmEveryDay ? alarmEveryDay_ : alarmOnce_)->setChecked(true);
    recorder_->setChecked(settings.stepRecorder24h);
    (app.timeAdjustMode == kTimeAdjustAuto ? auto_ : manual_)->setChecked(true);
    ListDisks();
    slider_->setRange(-kSliderLimit, kSliderLimit);
    slider_->setTickInterval(10);
    slider_->setValue(settings.tAdj);
    ShowRateLabel();
    ApplyTexts();
    ApplyEnableStates();
}

void CSetupPage::ListDisks() {
    const int height = disks_[0]->height() - 2;
    const QFont small = ArialWithCellHeight(height / 3, QFont::Normal);
    const QFont large = ArialWithCellHeight(height, QFont::ExtraBold);
    for (QPushButton* button : disks_) {
        button->setFont(small);
        button->setText(QString());
        button->hide();
    }
    const std::vector<char> letters = DiskButtonLetters(ports_.volumes);
    for (size_t i = 0; i < letters.size(); ++i) {
        disks_[i]->setText(QStringLiteral("%1:").arg(QChar::fromLatin1(letters[i])));
        if (letters[i] == context_.app.watch.currentDrive) disks_[i]->setFont(large);
        disks_[i]->show();
    }
}

void CSetupPage::SelectDisk(int index) {
    const QString text = disks_[index]->text();
    if (text.isEmpty()) return;
    const int height = disks_[0]->height() - 2;
    for (QPushButton* button : disks_) button->setFont(ArialWithCellHeight(height / 3, QFont::Normal));
    disks_[index]->setFont(ArialWithCellHeight(height, QFont::ExtraBold));
    // A disk that is selected tells every page (this one too) to show its settings again.
    if (!ports_.discovery.SelectDisk(text[0].toLatin1(), ports_.attributes)) ListDisks();
    ApplyEnableStates();
}

void CSetupPage::ApplyTexts() {
    const UiText& texts = context_.texts;
    diskGroup_->setTitle(texts.Get(TextId::SelectDisk));
    timeGroup_->setTitle(texts.Get(TextId::TimeSet));
    hour24_->setText(texts.Get(TextId::Hour24));
    hour12_->setText(texts.Get(TextId::Hour12));
    auto_->setText(texts.Get(TextId::Auto));
    manual_->setText(texts.Get(TextId::Manual));
    ledPower_->setText(texts.Get(TextId::LedPowerControl));
    alarm_->setText(texts.Get(TextId::EnableAlarm));
    alarmOnce_->setText(texts.Get(TextId::OneTimeAlarm));
    alarmEveryDay_->setText(texts.Get(TextId::AlarmEveryDay));
    recorder_->setText(texts.Get(TextId::StepRecorder24h));
    timeSet_->setText(texts.Get(TextId::Execute));
    checkWatch_->setText(texts.Get(TextId::CheckWatch));
    battery_->setText(texts.Get(TextId::BatteryCurve));
}

void CSetupPage::ApplyEnableStates() {
    const App& app = context_.app;
    const SetupControls controls = SetupControlsFor(app.watch, app.timeAdjustMode);
    timeSet_->setEnabled(controls.timeSet);
    for (QWidget* control : std::initializer_list<QWidget*>{checkWatch_, battery_, ledPower_, ledFrom_,
                                                            ledFromLabel_, ledTo_, ledToLabel_}) {
        control->setVisible(controls.deviceControls);
        control->setEnabled(controls.deviceControls);
    }
    ledPower_->setChecked(app.watchSettings.ledPower);
    auto_->setVisible(controls.autoManual);
    manual_->setVisible(controls.autoManual);
    slider_->setEnabled(controls.slider);
    for (QLabel* label : scale_) label->setEnabled(controls.slider);
    rate_->setEnabled(controls.slider);
    recorder_->setVisible(controls.recorder);
    recorder_->setChecked(app.watchSettings.stepRecorder24h);
}

void CSetupPage::ShowRateLabel() {
    const int position = slider_->value();
    if (position > 0)
        rate_->setText(
            context_.texts.Convert(FormatText(context_.app.GetLangText(TextId::FasterPerDay), position)));
    else if (position < 0)
        rate_->setText(
            context_.texts.Convert(FormatText(context_.app.GetLangText(TextId::SlowerPerDay), -position)));
    else
        rate_->clear();
}

void CSetupPage::TakeControls() {
    WatchSettings& settings = context_.app.watchSettings;
    settings.hMod = hour12_->isChecked() ? 1 : 0;
    settings.alarmEnabled = alarm_->isChecked();
    settings.alarmHour = std::max(alarmHour_->currentIndex(), 0);
    settings.alarmMinute = std::max(alarmMinute_->currentIndex(), 0);
    settings.alarmEveryDay = alarmEveryDay_->isChecked() ? 1 : 0;
    context_.app.timeAdjustMode = auto_->isChecked() ? kTimeAdjustAuto : kTimeAdjustManual;
}

void CSetupPage::OnAdjustModeChanged() {
    TakeControls();
    if (context_.app.timeAdjustMode == kTimeAdjustAuto) {
        slider_->setValue(context_.app.watchSettings.tAdj);
        ShowRateLabel();
    }
    ApplyEnableStates();
}

void CSetupPage::TimeSetClicked() {
    TakeControls();
    App& app = context_.app;
    WatchSettings& settings = app.watchSettings;
    // The LED hours go to the watch as they stand in their boxes.
    settings.ledFromHour = HourOf(ledFrom_, settings.ledFromHour);
    settings.ledToHour = HourOf(ledTo_, settings.ledToHour);
    ledFrom_->setText(QString::number(settings.ledFromHour));
    ledTo_->setText(QString::number(settings.ledToHour));
    TimeSetRequest request;
    request.hMod = settings.hMod;
    request.timeAdjustMode = app.timeAdjustMode;
    request.sliderPosition = slider_->value();
    request.ledPower = ledPower_->isChecked();
    request.stepRecorder24h = recorder_->isChecked();
    request.alarmEnabled = settings.alarmEnabled;
    request.alarmEveryDay = settings.alarmEveryDay;
    request.alarmHour = settings.alarmHour;
    request.alarmMinute = settings.alarmMinute;
    slider_->setValue(TimeSet(app, ports_.device, context_.host, ports_.volumes, request));
    ShowRateLabel();
    ApplyEnableStates();
}

void CSetupPage::CheckWatchClicked() {
    for (QPushButton* button : {timeSet_, checkWatch_, battery_}) button->setEnabled(false);
    ClockCheck(context_.app, ports_.device, context_.host);
    ShowSettings();
}

void CSetupPage::ShowBatteryCurve() {
    const App& app = context_.app;
    if (app.watch.currentDrive == kNoDrive) return;
    for (QPushButton* button : {timeSet_, checkWatch_, battery_}) button->setEnabled(false);
    context_.host.SetStatusText(" >> Check Battery ...");
    std::array<uint8_t, 512> page{};
    bool readFailed = false;
    if (app.watch.deviceMode && app.watch.handle != kNoDevice) {
        const DataPageRead read = ReadDataPage(ports_.device, app.watch.handle, kBatteryPage);
        page = read.data;
        readFailed = !read.Succeeded();
        // An empty curve must not pass for a watch without a battery history.
        if (readFailed)
            context_.host.SetStatusText(FormatText(app.GetLangText(TextId::WatchReadFailed), read.result));
    }
    runBatteryCurve(page);
    if (!readFailed) context_.host.SetStatusText("");
    ApplyEnableStates();
}

}  // namespace kiro::gui
