#include "gui/boxes/CAwardBox.h"

#include <QPushButton>

#include "gui/resources/Pictures.h"

namespace kiro::gui {

CAwardBox::CAwardBox(QWidget* parent) : PictureMessageBox(parent) {
    SetPictureChoice(0);
    AddButton(tr("OK"), kOk)->setDefault(true);
}

void CAwardBox::SetPictureChoice(int choice) {
    SetPicture(QString::fromLatin1(choice == kRosette ? pictures::kRosette : pictures::kTrophy));
}

}  // namespace kiro::gui
