#pragma once
#include <string>

#include "core/app/App.h"
#include "core/base/Rgb.h"
#include "core/system/DeviceEvents.h"
#include "core/system/DeviceIo.h"
#include "core/system/FileAttributes.h"
#include "core/system/Host.h"
#include "core/system/Volumes.h"
#include "core/watchconfig/FactoryAnimation.h"

namespace kiro {

// What the factory window shows: its large status text in its colours, and the watches done.
class FactoryDisplay {
  public:
    virtual ~FactoryDisplay() = default;
    // `text` is an 8-bit text of the current language.
    virtual void ShowStatus(const std::string& text, Rgb background, Rgb foreground) = 0;
    virtual void ShowCount(int count) = 0;
};

// The longest PreCopy folder path that is used: a longer one is refused rather than cut short,
// since a cut path names another folder.
inline constexpr size_t kPreCopyPathLimit = 254;

// The production line: every removable disk that arrives is set up at once with the watch
// settings of the program (message, picture, effects, speed, correction, hour mode and the
// clock) and, for a plain disk, a copy of the PreCopy folder; the window counts the watches
// done. A disk whose settings or copy did not reach it is shown as failed and not counted.
class FactorySetup final : public DeviceChangeSink {
  public:
    // `animation` is kept by the caller from one opening of the window to the next.
    FactorySetup(App& app, const Volumes& volumes, DeviceIo& device, FileAttributes& attributes, Host& host,
                 FactoryDisplay& display, FactoryAnimation& animation);

    // The window opens: idle, nothing counted, the PreCopy choice read from the settings.
    void Open();
    void OnDeviceChange(const DeviceChange& change) override;
    // The 100 ms tick: the idle colours move while no watch is being set up. Returns the
    // decorative slider's new position.
    int Tick(int sliderPosition);

    // The PreCopy check box and folder, written to the settings at once.
    std::error_code SetPreCopyEnabled(bool on);
    std::error_code SetPreCopyPath(const std::string& path);
    bool PreCopyEnabled() const { return preCopyEnabled_; }
    const std::string& PreCopyPath() const { return preCopyPath_; }

    bool Busy() const { return busy_; }
    char CurrentDrive() const { return currentDrive_; }
    int Count() const { return count_; }

  private:
    void SetUp(char letter);
    // Why the disk at the letter could not be set up, or "" when it was.
    std::string WriteDeviceWatch(char letter, char modelLetter);
    std::string WriteFileWatch(char letter);
    void Show(TextId text, Rgb background, Rgb foreground);

    App& app_;
    const Volumes& volumes_;
    DeviceIo& device_;
    FileAttributes& attributes_;
    Host& host_;
    FactoryDisplay& display_;
    FactoryAnimation& animation_;
    bool busy_ = false;
    char currentDrive_ = kNoDrive;
    int count_ = 0;
    bool preCopyEnabled_ = false;
    std::string preCopyPath_;
    std::string statusText_;
};

}  // namespace kiro
