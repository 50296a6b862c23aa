#include "gui/boxes/CAwardBox.h"

#include <QPushButton>

#include "gui/resources/Pictures.h"

namespace kiro::gui {
namespace {}

CAwardBox::CAwardBox(const UiText& texts, QWidget* parent) : PictureMessageBox(parent) {
    SetCaption(texts.Get(TextId::Congratulations));
    SetPictureChoice(0);
    AddButton(tr("OK"), kOk)->setDefault(true);
}

void CAwardBox::SetPictureChoice(int choice) {
    SetPicture(QString::fromLatin1(choice == kRosette ? pictures::kRosette : pictures::kTrophy));
}

}  // namespace kiro::gui
