#include "gui/boxes/PictureMessageBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/resources/Pictures.h"

namespace kiro::gui {
namespace {
// Wide enough for the longest question of the program on three lines.
constexpr int kMessageWidth = 240;
}  // namespace

PictureMessageBox::PictureMessageBox(QWidget* parent)
    : QDialog(parent), picture_(new QLabel(this)), message_(new QLabel(this)), buttons_(new QHBoxLayout) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    setFont(font);

    picture_->setObjectName(QStringLiteral("picture"));
    picture_->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    message_->setAlignment(Qt::AlignCenter);
    message_->setWordWrap(true);
    message_->setFixedWidth(kMessageWidth);
    buttons_->addStretch();

    auto* textColumn = new QVBoxLayout;
    textColumn->addWidget(message_, 1);
    textColumn->addLayout(buttons_);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(picture_);
    layout->addLayout(textColumn);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PictureMessageBox::SetCaption(const QString& caption) {
    setWindowTitle(caption);
}

void PictureMessageBox::SetMessage(const QString& message) {
    message_->setText(message);
}

QString PictureMessageBox::Message() const {
    return message_->text();
}

void PictureMessageBox::SetPicture(const QString& path) {
    picture_->setPixmap(LoadPicture(path, NaturalPictureSize(path)));
}

QPushButton* PictureMessageBox::AddButton(const QString& text, int result) {
    auto* button = new QPushButton(text, this);
    buttons_->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    return button;
}

}  // namespace kiro::gui
