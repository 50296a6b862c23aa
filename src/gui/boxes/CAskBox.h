#pragma once
#include "gui/boxes/PictureMessageBox.h"

namespace kiro::gui {

// A Yes/No question with the program's picture, above every other window while it is open.
// exec() gives kYes, kNo, or kClosed for Escape and the close box; callers take anything but
// kYes as No.
class CAskBox : public PictureMessageBox {
    Q_OBJECT
  public:
    static constexpr int kYes = 1;
    static constexpr int kClosed = 2;
    static constexpr int kNo = 7;

    explicit CAskBox(QWidget* parent = nullptr);

    void reject() override;
};

}  // namespace kiro::gui
