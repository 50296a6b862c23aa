#include "gui/boxes/CAskBox.h"

#include <QPushButton>

#include "gui/resources/Pictures.h"

namespace kiro::gui {

CAskBox::CAskBox(QWidget* parent) : PictureMessageBox(parent) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    SetPicture(QString::fromLatin1(pictures::kAskBox));
    QPushButton* yes = AddButton(tr("&Yes"), kYes);
    AddButton(tr("&No"), kNo);
    yes->setDefault(true);
    yes->setFocus();
}

void CAskBox::reject() {
    done(kClosed);
}

}  // namespace kiro::gui
