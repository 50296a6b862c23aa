#include "gui/mainwindow/PlaceholderPage.h"

#include <QVBoxLayout>

namespace kiro::gui {

PlaceholderPage::PlaceholderPage(const UiText& texts, int captionText, QWidget* parent)
    : CPage(parent), texts_(texts), captionText_(captionText), caption_(new QLabel(this)) {
    auto* layout = new QVBoxLayout(this);
    caption_->setAlignment(Qt::AlignCenter);
    QFont font = caption_->font();
    font.setPointSize(14);
    caption_->setFont(font);
    layout->addWidget(caption_);
    caption_->setText(texts_.Get(captionText_));
}

void PlaceholderPage::OnLanguageChanged() {
    caption_->setText(texts_.Get(captionText_));
}

}  // namespace kiro::gui
