#include "core/watchconfig/SetupRules.h"

namespace kiro {

SetupControls SetupControlsFor(const WatchConnection& watch, int timeAdjustMode) {
    SetupControls controls;
    const bool selected = watch.currentDrive != kNoDrive;
    const bool device = selected && watch.deviceMode;
    controls.timeSet = selected;
    controls.deviceControls = device;
    controls.autoManual = device;
    controls.slider = !(device && timeAdjustMode == kTimeAdjustAuto);
    controls.recorder = device && watch.modelLetter == 'E';
    return controls;
}

std::vector<char> DiskButtonLetters(const Volumes& volumes) {
    std::vector<char> letters;
    const uint32_t inUse = volumes.LogicalDrives();
    for (char letter = 'D'; letter <= 'Z' && static_cast<int>(letters.size()) < kDiskButtons; ++letter)
        if ((inUse & LetterBit(letter)) && volumes.TypeOf(letter) == DriveType::Removable)
            letters.push_back(letter);
    return letters;
}

}  // namespace kiro
