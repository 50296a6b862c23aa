#include "gui/pages/CMissionPage.h"

#include "core/base/Format.h"
#include "gui/FontCells.h"
#include "gui/controls/CColorStatic.h"
#include "gui/controls/CPercentBar.h"
#include "gui/mainwindow/DialogUnits.h"
#include "gui/resources/Pictures.h"

namespace kiro::gui {
namespace {

const MissionSettings& MissionOf(const App& app, MissionId id) {
    return app.Config().Values().Mission(id);
}

BodyMeasures Body(const App& app) {
    const SettingsValues& values = app.Config().Values();
    return {values.weight, values.stepSize};
}

}  // namespace

CMissionPage::CMissionPage(const PageContext& context, QWidget* parent)
    : CPage(parent), context_(context), timer_(new QTimer(this)) {
    timer_->setObjectName(QStringLiteral("missionTimer"));
    BuildPanel(MissionId::A, 6);
    BuildPanel(MissionId::B, 230);
    auto* picture = new QLabel(this);
    picture->setGeometry(DialogRect(178, 176, 100, 100));
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(
        LoadPicture(QString::fromLatin1(pictures::kTarget), QSize(picture->height(), picture->height())));
    for (MissionId id : {MissionId::A, MissionId::B})
        panels_[Index(id)].target->setText(
            QString::fromStdString(Format("%.3f", MissionOf(context_.app, id).goes)));
    Refresh();
    connect(timer_, &QTimer::timeout, this, &CMissionPage::UpdateRunningTimes);
    timer_->start(kMissionTimerMs);
}

void CMissionPage::BuildPanel(MissionId id, int left) {
    Panel& panel = panels_[Index(id)];
    const QLatin1String letter(id == MissionId::A ? "A" : "B");
    const auto name = [&letter](QWidget* control, const char* role) {
        control->setObjectName(QString::fromLatin1(role) + letter);
    };
    panel.group = new QGroupBox(this);
    name(panel.group, "missionGroup");
    panel.group->setGeometry(DialogRect(left, 4, 220, 168));
    QWidget* group = panel.group;
    const MissionKind kind = static_cast<MissionKind>(MissionOf(context_.app, id).mode);
    // The kinds in MissionKind's order: stepsRadioA, distanceRadioA, timeRadioA, caloriesRadioA.
    const char* const kindNames[4] = {"stepsRadio", "distanceRadio", "timeRadio", "caloriesRadio"};
    for (int k = 0; k < 4; ++k) {
        panel.kinds[k] = new QRadioButton(group);
        name(panel.kinds[k], kindNames[k]);
        panel.kinds[k]->setGeometry(DialogRect(10, 14 + 15 * k, 90, 12));
        connect(panel.kinds[k], &QRadioButton::clicked, this, &CMissionPage::SetTargetLabels);
    }
    panel.kinds[static_cast<int>(kind) >= 0 && static_cast<int>(kind) < 4 ? static_cast<int>(kind) : 0]
        ->setChecked(true);
    panel.targetLabel = new QLabel(group);
    name(panel.targetLabel, "targetLabel");
    panel.targetLabel->setGeometry(DialogRect(106, 14, 110, 12));
    panel.target = new QLineEdit(group);
    name(panel.target, "targetEdit");
    panel.target->setGeometry(DialogRect(106, 28, 90, 14));
    panel.targetLabel->setBuddy(panel.target);
    panel.start = new QPushButton(group);
    name(panel.start, "startButton");
    panel.start->setGeometry(DialogRect(106, 48, 52, 15));
    panel.stop = new QPushButton(group);
    name(panel.stop, "stopButton");
    panel.stop->setGeometry(DialogRect(162, 48, 52, 15));
    connect(panel.start, &QPushButton::clicked, this, [this, id] { OnStart(id); });
    connect(panel.stop, &QPushButton::clicked, this, [this, id] { OnStop(id); });

    panel.bar = new CPercentBar(group);
    name(panel.bar, "progressBar");
    panel.bar->setGeometry(DialogRect(10, 84, 200, 14));
    panel.bar->SetRange(0, 100);
    panel.bar->SetPos(0);
    panel.bar->SetBarColor(QColor(0, 100, 0));
    panel.bar->SetTextColor(QColor(0, 100, 0));
    panel.status = new CColorStatic(group);
    name(panel.status, "statusLabel");
    panel.status->setGeometry(DialogRect(10, 106, 200, 24));
    panel.status->setAlignment(Qt::AlignCenter);
    panel.status->SetTextColor(QColor(100, 100, 200));
}

MissionKind CMissionPage::KindChosen(MissionId id) const {
    const Panel& panel = panels_[Index(id)];
    for (int k = 0; k < 4; ++k)
        if (panel.kinds[k]->isChecked()) return static_cast<MissionKind>(k);
    return MissionKind::Steps;
}

void CMissionPage::SetTargetLabels() {
    for (MissionId id : {MissionId::A, MissionId::B})
        panels_[Index(id)].targetLabel->setText(
            context_.texts.Get(TextAfter(TextId::TargetSteps, static_cast<int>(KindChosen(id)))));
}

void CMissionPage::Refresh() {
    const UiText& texts = context_.texts;
    for (MissionId id : {MissionId::A, MissionId::B}) {
        Panel& panel = panels_[Index(id)];
        const MissionSettings& mission = MissionOf(context_.app, id);
        const bool running = mission.status != 0;
        panel.group->setTitle(texts.Convert(
            Format(id == MissionId::A ? "%s-A" : "%s-B", context_.app.GetLangText(TextId::MissionTarget))));
        for (int k = 0; k < 4; ++k) panel.kinds[k]->setText(texts.Get(TextAfter(TextId::StepsKind, k)));
        panel.start->setText(texts.Get(TextId::Start));
        panel.stop->setText(texts.Get(TextId::Stop));
        panel.bar->setVisible(running);
        panel.status->setVisible(running);
        if (running) {
            const int percentage = MissionPercentage(mission, Body(context_.app));
            panel.bar->SetPos(percentage);
            panel.bar->SetText(
                texts.Convert(MissionProgressText(context_.app.CurrentLanguage(), percentage)));
        }
        for (QRadioButton* kind : panel.kinds) kind->setEnabled(!running);
        panel.targetLabel->setEnabled(!running);
        panel.target->setEnabled(!running);
        panel.start->setEnabled(!running);
        panel.stop->setEnabled(running);
    }
    SetTargetLabels();
    UpdateRunningTimes();
    // A mission stays congratulated at every refresh until it is stopped.
    for (MissionId id : {MissionId::A, MissionId::B})
        if (MissionAwardDue(MissionOf(context_.app, id), Body(context_.app)))
            context_.host.ShowAward(MissionAwardText(context_.app.CurrentLanguage(), id),
                                    MissionAwardPicture(id));
}

void CMissionPage::UpdateRunningTimes() {
    const uint32_t now = context_.app.SystemClock().TickCount();
    for (MissionId id : {MissionId::A, MissionId::B}) {
        CColorStatic* status = panels_[Index(id)].status;
        const QString text = context_.texts.Convert(
            MissionRunningText(context_.app.CurrentLanguage(), MissionOf(context_.app, id), now));
        // Two thirds of the box high, narrower only where the text would not fit its width.
        const QFont font = ArialWithCellHeight(status->contentsRect().height() * 2 / 3, QFont::Normal);
        status->setFont(NarrowedToFit(font, text, status->contentsRect().width()));
        status->setText(text);
    }
}

void CMissionPage::OnStart(MissionId id) {
    if (StartMission(context_.app, id, KindChosen(id), panels_[Index(id)].target->text().toStdString()))
        Refresh();
}

void CMissionPage::OnStop(MissionId id) {
    StopMission(context_.app.Config(), id, KindChosen(id));
    Refresh();
}

}  // namespace kiro::gui
