#pragma once

namespace kiro {

// Texts of the table that name the display simulation's stages in its status line.
enum DisplayStageText : int {
    kTextShowTime = 64,
    kTextShowDay = 65,
    kTextShowDiskSize = 67,
    kTextShowFreeSize = 68,
    kTextShowBattery = 69,
    kTextShowKiro = 70,  // the step count
    kTextPersonalGraphic = 71,
    kTextPersonalMessage = 76,
};

}  // namespace kiro
