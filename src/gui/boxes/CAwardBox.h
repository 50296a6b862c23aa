#pragma once
#include "gui/UiText.h"
#include "gui/boxes/PictureMessageBox.h"

namespace kiro::gui {

// The congratulation for a completed mission: the message with a trophy, or with a rosette for
// the picture choice kRosette, and an OK button (result kOk). Its caption is its own: text 56
// ("Congraturation !!!") of the current language.
class CAwardBox : public PictureMessageBox {
    Q_OBJECT
  public:
    static constexpr int kOk = 1;
    static constexpr int kRosette = 2;

    explicit CAwardBox(const UiText& texts, QWidget* parent = nullptr);

    void SetPictureChoice(int choice);
};

}  // namespace kiro::gui
