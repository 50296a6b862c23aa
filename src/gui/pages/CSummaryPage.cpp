#include "gui/pages/CSummaryPage.h"

#include "core/analysis/Summary.h"
#include "gui/mainwindow/DialogUnits.h"
#include "gui/resources/Pictures.h"

namespace kiro::gui {
namespace {}

CSummaryPage::CSummaryPage(const PageContext& context, QWidget* parent)
    : CPage(parent), context_(context), reset_(new QPushButton(this)) {
    QFont large = font();
    large.setPointSizeF(large.pointSizeF() * 1.3);
    for (int i = 0; i < 4; ++i) {
        labels_[i] = new QLabel(this);
        labels_[i]->setGeometry(DialogRect(20, 40 + 36 * i, 96, 20));
        labels_[i]->setFont(large);
        values_[i] = new QLabel(this);
        values_[i]->setGeometry(DialogRect(118, 40 + 36 * i, 200, 20));
        values_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        values_[i]->setFont(large);
        values_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    reset_->setGeometry(DialogRect(218, 200, 100, 18));
    connect(reset_, &QPushButton::clicked, this, &CSummaryPage::OnReset);
    auto* picture = new QLabel(this);
    picture->setGeometry(DialogRect(334, 40, 110, 100));
    picture->setAlignment(Qt::AlignCenter);
    const QSize side(picture->height(), picture->height());
    picture->setPixmap(LoadPicture(QString::fromLatin1(pictures::kWalker), side));
    Refresh();
}

void CSummaryPage::Refresh() {
    const SummaryTexts summary =
        MakeSummaryTexts(context_.app.Config().Values(), context_.app.CurrentLanguage());
    const UiText& texts = context_.texts;
    const std::string labels[] = {summary.stepsLabel, summary.distanceLabel, summary.timeLabel,
                                  summary.caloriesLabel};
    const std::string values[] = {summary.steps, summary.distance, summary.time, summary.calories};
    for (int i = 0; i < 4; ++i) {
        labels_[i]->setText(texts.Convert(labels[i]));
        values_[i]->setText(texts.Convert(values[i]));
    }
    reset_->setText(texts.Get(TextId::ResetZero));
}

void CSummaryPage::OnReset() {
    if (!ResetSummary(context_.app, context_.host)) return;
    Refresh();
    // Every page that shows stored data reads it again.
    context_.host.NotifyDataChanged();
}

}  // namespace kiro::gui
