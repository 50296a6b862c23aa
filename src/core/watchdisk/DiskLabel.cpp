#include "core/watchdisk/DiskLabel.h"

#include "core/base/Format.h"

namespace kiro {

std::string DiskLabelText(const App& app) {
    const char drive = app.watch.currentDrive;
    if (drive == kNoDrive) return app.GetLangText(TextId::NoWatchFound);
    if (drive == kDevicePathDrive) return app.GetLangText(TextId::ProgramName);
    return Format("%s (%c:)", app.GetLangText(TextId::ProgramName), drive);
}

}  // namespace kiro
