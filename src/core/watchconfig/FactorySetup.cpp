#include "core/watchconfig/FactorySetup.h"

#include <system_error>

#include "core/base/Format.h"
#include "core/watch/ClockFile.h"
#include "core/watch/ConfigBlock.h"
#include "core/watch/WatchCommands.h"
#include "core/watch/WatchDiskFiles.h"
#include "core/watch/WatchMarker.h"
#include "core/watchconfig/CDiskObject.h"

namespace kiro {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGrey{200, 200, 200};
constexpr Rgb kCyan{100, 250, 250};
constexpr Rgb kGreen{0, 180, 0};
constexpr Rgb kRed{250, 10, 10};

bool Removable(const Volumes& volumes, char letter) {
    return volumes.TypeOf(letter) == DriveType::Removable;
}

}  // namespace

FactorySetup::FactorySetup(App& app, const Volumes& volumes, DeviceIo& device, FileAttributes& attributes,
                           Host& host, FactoryDisplay& display, FactoryAnimation& animation)
    : app_(app),
      volumes_(volumes),
      device_(device),
      attributes_(attributes),
      host_(host),
      display_(display),
      animation_(animation) {}

void FactorySetup::Open() {
    busy_ = false;
    currentDrive_ = kNoDrive;
    count_ = 0;
    display_.ShowCount(count_);
    Show(TextId::PlugInToSetup, kGrey, kBlack);
    const PreCopySettings preCopy = app_.Config().ReadPreCopy();
    preCopyPath_ = preCopy.path;
    preCopyEnabled_ = preCopy.enable != 0;
}

void FactorySetup::Show(TextId text, Rgb background, Rgb foreground) {
    statusText_ = app_.GetLangText(text);
    display_.ShowStatus(statusText_, background, foreground);
}

int FactorySetup::Tick(int sliderPosition) {
    FactoryAnimation& animation = animation_;
    const int position = animation.Tick(app_.Rng(), busy_, sliderPosition);
    if (!busy_) {
        const auto& c = animation.channels;
        const Rgb colour{static_cast<uint8_t>(c[0]), static_cast<uint8_t>(c[1]), static_cast<uint8_t>(c[2])};
        const Rgb complement{static_cast<uint8_t>(255 - c[0]), static_cast<uint8_t>(255 - c[1]),
                             static_cast<uint8_t>(255 - c[2])};
        display_.ShowStatus(statusText_, colour, complement);
    }
    return position;
}

std::error_code FactorySetup::SetPreCopyEnabled(bool on) {
    preCopyEnabled_ = on;
    return app_.Config().WritePreCopyEnable(on ? 1 : 0);
}

std::error_code FactorySetup::SetPreCopyPath(const std::string& path) {
    preCopyPath_ = path;
    return app_.Config().WritePreCopyPath(path);
}

void FactorySetup::OnDeviceChange(const DeviceChange& change) {
    if (change.kind == DeviceChange::Kind::VolumeArrival) {
        for (char letter = 'D'; letter <= 'Z'; ++letter)
            if ((change.letterMask & LetterBit(letter)) && Removable(volumes_, letter)) SetUp(letter);
    } else if (change.kind == DeviceChange::Kind::VolumeRemoval) {
        if (currentDrive_ != kNoDrive && (change.letterMask & LetterBit(currentDrive_)))
            currentDrive_ = kNoDrive;
        // Whichever disk went away, the line is ready for the next watch.
        Show(TextId::PlugInToSetup, kGreen, kBlack);
        busy_ = false;
    }
}

void FactorySetup::SetUp(char letter) {
    busy_ = true;
    statusText_ = FormatText(app_.GetLangText(TextId::Constructing), letter);
    display_.ShowStatus(statusText_, kCyan, kBlack);
    currentDrive_ = letter;
    // The status shows before the disk work starts.
    host_.PumpMessages();

    const WatchIdentity identity = IdentifyWatch(Inquiry(device_, letter));
    const std::string failure =
        identity.isX5 ? WriteDeviceWatch(letter, identity.modelLetter) : WriteFileWatch(letter);
    if (!failure.empty()) {
        Show(TextId::SetupFailed, kRed, kWhite);
        host_.SetStatusText(Format(" ### Disk-%c: %s ###", letter, failure.c_str()));
        return;
    }
    display_.ShowCount(++count_);
    Show(TextId::SetupOk, kGreen, kWhite);
}

std::string FactorySetup::WriteDeviceWatch(char letter, char modelLetter) {
    const ConfigBlock block =
        BuildConfigBlock(app_.watchSettings, modelLetter, app_.SystemClock().Now(), false);
    if (const int result = WriteConfigBlock(device_, letter, block))
        return FormatText(app_.GetLangText(TextId::WatchWriteFailed), result);
    return {};
}

std::string FactorySetup::WriteFileWatch(char letter) {
    FileSystem& files = app_.Files();
    const std::string root = volumes_.RootOf(letter);
    const std::string clockFile = BuildClockFileFull(app_.watchSettings, app_.SystemClock().Now());
    const auto clockPath = RootFilePath(files, root, "CLOCK.TXT");
    if (!clockPath) return "CLOCK.TXT: " + std::make_error_code(std::errc::no_such_device).message();
    if (const std::error_code error = files.WriteFile(*clockPath, clockFile, Durability::Flushed))
        return "CLOCK.TXT: " + error.message();
    if (const std::error_code error = RecreateMarkerFile(files, root, attributes_))
        return "USBWATCH.DAT: " + error.message();
    if (!preCopyEnabled_ || preCopyPath_.empty()) return {};
    if (preCopyPath_.size() > kPreCopyPathLimit)
        return Format("the PreCopy folder path is longer than %zu characters", kPreCopyPathLimit);
    CDiskObject folders(files);
    if (!folders.CopyFolderTree(preCopyPath_, root + "/")) return folders.ErrorText();
    return {};
}

}  // namespace kiro
