#include "core/watchconfig/PersonalGraphicActions.h"

#include "core/base/Format.h"
#include "core/watch/ClockFile.h"
#include "core/watch/ConfigBlock.h"
#include "core/watch/WatchCommands.h"
#include "core/watch/WatchDiskFiles.h"

namespace kiro {
namespace {

// Device notifications wait while the watch is written, so that no rescan closes the handle
// in the middle; the flag is restored however the write ends.
class EventsSuspended {
  public:
    explicit EventsSuspended(WatchConnection& watch) : watch_(watch), before_(watch.eventsSuspended) {
        watch_.eventsSuspended = true;
    }
    ~EventsSuspended() { watch_.eventsSuspended = before_; }
    EventsSuspended(const EventsSuspended&) = delete;
    EventsSuspended& operator=(const EventsSuspended&) = delete;

  private:
    WatchConnection& watch_;
    bool before_;
};

}  // namespace

bool SavePersonalToWatch(App& app, DeviceIo& device, const Volumes& volumes, Host& host,
                         const PersonalComposition& composition) {
    WatchSettings& settings = app.watchSettings;
    WatchConnection& watch = app.watch;
    settings.uStr = FilterMessage(composition.message);
    if (watch.deviceMode) {
        TakePictureForBlock(settings, composition.picture);
        const ConfigBlock block =
            BuildConfigBlock(settings, watch.modelLetter, app.SystemClock().Now(), false);
        const EventsSuspended suspended(watch);
        if (const int result = WriteConfigBlock(device, watch.handle, block)) {
            host.SetStatusText(FormatText(app.GetLangText(TextId::WatchWriteFailed), result));
            return false;
        }
        host.SetStatusText(app.GetLangText(TextId::SavedToWatch));
        return true;
    }
    TakePictureForFile(settings, composition.picture);
    FileSystem& files = app.Files();
    const std::string root = volumes.RootOf(watch.currentDrive);
    const std::string content = BuildClockFilePersonal(settings.uStr, UsedPictureLines(composition.picture),
                                                       settings, composition.demo);
    const auto path = RootFilePath(files, root, "CLOCK.TXT");
    if (!path || files.WriteFile(*path, content, Durability::Flushed)) {
        host.SetStatusText(FormatText(app.GetLangText(TextId::CannotWrite), "CLOCK.TXT"));
        return false;
    }
    host.SetStatusText(app.GetLangText(TextId::SavedToWatch));
    return true;
}

bool PushPictureSlot(App& app, Host& host, int slot, const PictureLines& picture) {
    Settings& settings = app.Config();
    const bool used = !settings.ReadTempGraphic(slot).empty();
    if (used && settings.Values().autoConfirm == 0 && !host.AskQuestion("Confirm", "OverWrite it (Y/N) ?"))
        return false;
    if (const std::error_code error = settings.WriteTempGraphic(slot, PictureSlotValue(picture))) {
        host.SetStatusText(FormatText(app.GetLangText(TextId::FolderNotUpdated), error.message().c_str()));
        return false;
    }
    return true;
}

}  // namespace kiro
