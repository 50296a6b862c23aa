#pragma once
#include <QDialog>
#include <array>
#include <cstdint>

#include "gui/UiText.h"
#include "gui/charts/CGraphCtrl.h"

namespace kiro::gui {

// "Battery Curve": the watch's last 240 hours of battery readings (its data page 14) as bars,
// red below 30 %, yellow below 50 %, green above, each capped by a white line at its level.
class CBatteryCurveDlg final : public QDialog {
    Q_OBJECT
  public:
    CBatteryCurveDlg(const UiText& texts, const std::array<uint8_t, 512>& page, QWidget* parent = nullptr);

  private:
    CGraphCtrl* graph_;
};

}  // namespace kiro::gui
