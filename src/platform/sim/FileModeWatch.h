#pragma once
#include <string>
#include <vector>

#include "core/system/Clock.h"
#include "core/system/FileAttributes.h"
#include "platform/sim/DaySteps.h"

namespace kiro::sim {

enum class DayFileFormat { Text, Binary };

// A file-mode X5 watch: the root folder of its disk. It leaves its steps there as day files,
// yyyymmdd.TXT (periods of steps) or yyyymmdd.KRO (per-minute counts), next to CLOCK.TXT with
// its settings and the hidden marker USBWATCH.DAT.
class FileModeWatch {
  public:
    // Creates the folder when it does not exist.
    explicit FileModeWatch(std::string folder);

    const std::string& Folder() const { return folder_; }
    bool AddDay(const DaySteps& day, DayFileFormat format) const;
    // CLOCK.TXT with the factory settings as the watch holds them after it was set at setTime,
    // and the personal message and picture (hexadecimal pairs) its owner gave it, if any.
    bool WriteClockFile(const LocalTime& setTime, const std::string& message = "",
                        const std::string& pictureHex = "") const;
    // An empty USBWATCH.DAT, hidden where the file system allows it.
    bool WriteMarker(FileAttributes& attributes) const;

  private:
    std::string folder_;
};

// The file name of a day file: "%04d%02d%02d.TXT" or ".KRO".
std::string DayFileName(const DaySteps& day, DayFileFormat format);
// Text day file: one line "%d:%d~%d:%d %d" (start hour, start minute, end hour, end minute
// inclusive, steps) with CR LF for each run of minutes with steps, runs cut at every full hour.
std::string TextDayFile(const DaySteps& day);
// Binary day file: 6 blocks of 512 bytes, each 4 hours of 60 big-endian counts (120 bytes)
// followed by 32 unused bytes.
std::vector<uint8_t> BinaryDayFile(const DaySteps& day);

}  // namespace kiro::sim
