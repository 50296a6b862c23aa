#include "gui/pages/CSleepDlg.h"

#include <QLabel>
#include <QToolButton>

#include "gui/AccessibleNaming.h"
#include "gui/RgbColour.h"
#include "gui/charts/CSleepChartCtrl.h"
#include "gui/mainwindow/DialogUnits.h"
#include "gui/resources/DrawnPictures.h"

namespace kiro::gui {

CSleepDlg::CSleepDlg(const PageContext& context, int year, int month, int day, QWidget* parent)
    : QDialog(parent),
      texts_(context.texts),
      session_(context.app, year, month, day, context.keyboard.RightShiftAndRightAltHeld()),
      estimate_(new QLabel(this)),
      chart_(new CSleepChartCtrl(this)) {
    setFont(QFont(QStringLiteral("Arial Black")));
    setFixedSize(DialogRect(0, 0, 420, 260).size());
    // Going to sleep, getting up, sleep time, efficiency; the second estimate's times under them.
    const char* const resultNames[4] = {"bedTimeLabel", "wakeTimeLabel", "sleepTimeLabel", "efficiencyLabel"};
    for (int i = 0; i < 4; ++i) {
        results_[i] = new QLabel(this);
        results_[i]->setObjectName(QLatin1String(resultNames[i]));
        results_[i]->setGeometry(DialogRect(10 + 102 * i, 6, 94, 30));
        results_[i]->setAlignment(Qt::AlignCenter);
        results_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    estimate_->setObjectName(QStringLiteral("estimateLabel"));
    estimate_->setGeometry(DialogRect(10, 39, 400, 12));
    estimate_->setAlignment(Qt::AlignCenter);
    chart_->setObjectName(QStringLiteral("sleepChart"));
    chart_->setGeometry(DialogRect(10, 54, 400, 180));

    // Start arrows at the left end of the chart, end arrows at the right, the day in the middle.
    const struct {
        Arrow arrow;
        ArrowDirection direction;
        int x;
        const char* name;
    } placements[] = {{kStartEarlier, ArrowDirection::Left, 10, "startEarlierButton"},
                      {kStartLater, ArrowDirection::Right, 28, "startLaterButton"},
                      {kPreviousDay, ArrowDirection::Left, 192, "previousDayButton"},
                      {kNextDay, ArrowDirection::Right, 210, "nextDayButton"},
                      {kEndEarlier, ArrowDirection::Left, 374, "endEarlierButton"},
                      {kEndLater, ArrowDirection::Right, 392, "endLaterButton"}};
    for (const auto& place : placements) {
        auto* button = new QToolButton(this);
        button->setObjectName(QLatin1String(place.name));
        button->setGeometry(DialogRect(place.x, 239, 18, 16));
        const QColor colour = place.arrow == kPreviousDay || place.arrow == kNextDay ? QColor(230, 140, 40)
                                                                                     : QColor(60, 120, 220);
        button->setIcon(ArrowPicture(place.direction, button->size() * 3 / 4, colour));
        button->setIconSize(button->size() * 3 / 4);
        connect(button, &QToolButton::clicked, this, [this, arrow = place.arrow] { OnArrow(arrow); });
        NameWithText(*button, TextAfter(TextId::StartEarlier, place.arrow));
        arrows_[place.arrow] = button;
    }
    Show();
    ApplyAccessibleTexts(*this, texts_);
}

void CSleepDlg::OnArrow(Arrow arrow) {
    bool moved = false;
    switch (arrow) {
        case kStartEarlier:
            moved = session_.StartEarlier();
            break;
        case kStartLater:
            moved = session_.StartLater();
            break;
        case kEndEarlier:
            moved = session_.EndEarlier();
            break;
        case kEndLater:
            moved = session_.EndLater();
            break;
        case kPreviousDay:
            moved = session_.PreviousDay();
            break;
        case kNextDay:
            moved = session_.NextDay();
            break;
    }
    if (moved) Show();
}

void CSleepDlg::Show() {
    setWindowTitle(texts_.Convert(session_.Title()));
    const std::string texts[] = {session_.BedTimeText(), session_.WakeTimeText(), session_.SleepTimeText(),
                                 session_.EfficiencyText()};
    for (int i = 0; i < 4; ++i) results_[i]->setText(texts_.Convert(texts[i]));
    estimate_->setText(texts_.Convert(session_.EstimateText()));

    const SleepChartSetup setup = session_.ChartSetup();
    chart_->SetValueRange(setup.valueLower, setup.valueUpper, setup.decimals);
    chart_->SetTimeRange(setup.timeLower, setup.timeUpper);
    chart_->SetYCaption(texts_.Get(setup.valueCaptionText));
    chart_->SetXCaption(QString());
    chart_->SetLegend(texts_.Get(setup.legendTexts[0]), texts_.Get(setup.legendTexts[1]),
                      texts_.Get(setup.legendTexts[2]));
    chart_->SetEstimateLegend(texts_.Get(TextId::EstimateLegend));
    chart_->SetBackColor(ToQColor(setup.background));
    chart_->SetAxisColor(ToQColor(setup.axis));
    chart_->SetDateLabels(QString::fromStdString(setup.leftDate), QString::fromStdString(setup.rightDate));
    for (const SleepPoint& point : session_.PlotPoints()) chart_->PlotMinute(point.hours, point.value);
    // At the very times the estimate's line above the chart gives.
    if (const std::optional<SleepEstimate>& estimate = session_.Estimate())
        chart_->MarkEstimate(estimate->bedMinute / 60.0, estimate->wakeMinute / 60.0);
}

}  // namespace kiro::gui
