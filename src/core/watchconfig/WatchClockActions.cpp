#include "core/watchconfig/WatchClockActions.h"

#include "core/base/Format.h"
#include "core/watch/ClockDifference.h"
#include "core/watch/ClockFile.h"
#include "core/watch/ConfigBlock.h"
#include "core/watch/WatchCommands.h"
#include "core/watch/WatchDiskFiles.h"

namespace kiro {

bool ClockCheck(App& app, DeviceIo& device, Host& host) {
    app.watchSettings.ResetDisplay();
    const WatchConnection& watch = app.watch;
    if (watch.currentDrive == kNoDrive) return false;
    host.SetStatusText(" >> Checking ...");
    const ConfigBlockRead read = ReadConfigBlock(device, watch.handle);
    if (!ParseConfigBlock(read.data, ConfigReadBack::ClockCheck, app.watchSettings)) return false;
    const ClockDifference difference =
        ComputeClockDifference(read.data, app.SystemClock().Now(), app.SystemClock());
    app.watchSettings.tAdj = difference.newTAdj;
    host.SetStatusText(Format(" >> Time Difference = %s", difference.differenceText.c_str()));
    host.ShowMessage(FormatText(app.GetLangText(TextId::ClockReport), watch.currentDrive, watch.modelLetter,
                                difference.lastUpdateText.c_str(), difference.currentTimeText.c_str(),
                                difference.watchTimeText.c_str(), difference.differenceText.c_str()),
                     app.GetLangText(TextId::Message));
    return true;
}

int TimeSet(App& app, DeviceIo& device, Host& host, const Volumes& volumes, const TimeSetRequest& request) {
    host.SetStatusText("");
    const WatchConnection& watch = app.watch;
    const char drive = watch.currentDrive;
    if (!((drive >= 'C' && drive <= 'Z') || drive == kDevicePathDrive)) {
        host.ShowMessage("### Not found Kiro-Disk ###", app.GetLangText(TextId::Message));
        return request.sliderPosition;
    }
    WatchSettings& settings = app.watchSettings;
    settings.hMod = request.hMod;
    settings.alarmEnabled = request.alarmEnabled;
    settings.alarmEveryDay = request.alarmEveryDay;
    settings.alarmHour = request.alarmHour;
    settings.alarmMinute = request.alarmMinute;
    app.timeAdjustMode = request.timeAdjustMode;
    int slider = request.sliderPosition;
    if (app.timeAdjustMode == kTimeAdjustManual)
        settings.tAdj = slider;
    else
        slider = settings.tAdj;

    const LocalTime now = app.SystemClock().Now();
    if (watch.deviceMode) {
        settings.ledPower = request.ledPower;
        settings.stepRecorder24h = request.stepRecorder24h;
        const ConfigBlock block = BuildConfigBlock(settings, watch.modelLetter, now, true);
        if (const int result = WriteConfigBlock(device, watch.handle, block)) {
            host.SetStatusText(FormatText(app.GetLangText(TextId::WatchWriteFailed), result));
            return slider;
        }
        host.SetStatusText(Format(" >> TimeSet: %d-%d-%d %02d:%02d:%02d, (%d)", 2000 + block[16], block[17],
                                  block[18], block[19], block[20], block[21], settings.tAdj));
        return slider;
    }

    // The kept lines come from the file as it is; one that is not a plain file is neither read
    // nor written through.
    FileSystem& files = app.Files();
    const std::string root = volumes.RootOf(drive);
    const auto path = RootFilePath(files, root, "CLOCK.TXT");
    const std::string old = path ? files.ReadFile(*path, kWatchFileLimit, OverLimit::Refuse).bytes : "";
    // A file that did not reach the watch (or a volume gone mid-pass) must not send the user
    // off to unplug it.
    if (!path ||
        files.WriteFile(*path, BuildClockFileTimeSet(old, now, slider, settings.hMod), Durability::Flushed)) {
        host.SetStatusText(FormatText(app.GetLangText(TextId::CannotWrite), "CLOCK.TXT"));
        return slider;
    }
    app.SystemClock().Sleep(500);
    host.ShowMessage(app.GetLangText(TextId::PlugOutToSetup), app.GetLangText(TextId::Message));
    return slider;
}

}  // namespace kiro
