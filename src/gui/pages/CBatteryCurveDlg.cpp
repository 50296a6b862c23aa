#include "gui/pages/CBatteryCurveDlg.h"

#include "core/watchconfig/BatteryCurve.h"
#include "gui/AccessibleNaming.h"
#include "gui/mainwindow/DialogUnits.h"

namespace kiro::gui {
namespace {

QColor ColourOf(BatteryBand band) {
    switch (band) {
        case BatteryBand::Red:
            return QColor(255, 0, 0);
        case BatteryBand::Yellow:
            return QColor(255, 255, 0);
        case BatteryBand::Green:
            break;
    }
    return QColor(0, 255, 0);
}

}  // namespace

CBatteryCurveDlg::CBatteryCurveDlg(const UiText& texts, const std::array<uint8_t, 512>& page, QWidget* parent)
    : QDialog(parent), graph_(new CGraphCtrl(this)) {
    setWindowTitle(texts.Get(TextId::BatteryCurve));
    setFixedSize(DialogRect(0, 0, 400, 200).size());
    graph_->setGeometry(rect().adjusted(6, 6, -6, -6));
    graph_->SetValueRange(0, 100, 0, 100, 0);
    graph_->SetTimeRange(-kBatteryHours, 0, CGraphCtrl::TimeLabels::Numbers);
    graph_->SetXCaption(texts.Get(TextId::TimeHourAxis));
    graph_->SetYCaptions(texts.Get(TextId::Battery), QString());
    NameWithText(*graph_, TextId::BatteryCurve, TextId::BatteryLevelDescription);
    ApplyAccessibleTexts(*this, texts);
    // Each hour is three thin bars side by side, so that the hours fill the width between them.
    for (const BatteryHour& hour : BatteryCurve(page)) {
        const double x = hour.hour - kBatteryHours;
        graph_->SetLineColor(ColourOf(hour.band), false);
        for (const double offset : {0.0, 0.4, 0.7})
            graph_->DrawSegment(x + offset, 0, x + offset, hour.level);
        graph_->SetLineColor(QColor(255, 255, 255), false);
        graph_->DrawSegment(x + 0.7, hour.level, x, hour.level);
    }
}

}  // namespace kiro::gui
