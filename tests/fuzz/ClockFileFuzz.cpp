// CLOCK.TXT of a file-mode watch, as a collection reads it. Read, written back as the factory
// setup writes it and read again, it must come out the same; a Time Set over it, repeated, must
// keep the same lines. Input: the file.
#include <algorithm>
#include <cstdint>

#include "FuzzCheck.h"
#include "core/watch/ClockFile.h"

using namespace kiro;

namespace {

constexpr LocalTime kNow{2014, 5, 5, 10, 0, 0, 1};

// The picture as the watch takes it: the lines before the first end mark.
size_t PictureLength(const WatchSettings& settings) {
    return static_cast<size_t>(std::find(settings.uPic.begin(), settings.uPic.end(), kPictureEnd) -
                               settings.uPic.begin());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string content(fuzz::TextOf(data, size));

    WatchSettings first;
    ParseClockFile(content, first);
    fuzz::Require(first.sped >= 0 && first.sped <= 8, "Sped is 0..8");
    fuzz::Require(first.tAdj >= -99 && first.tAdj <= 99, "TAdj is -99..99");
    for (int d : first.disp) fuzz::Require(d >= 0 && d <= 9, "Disp values are 0..9");
    fuzz::Require(first.uStr.size() <= static_cast<size_t>(kMessageLength), "the message is at most 36");

    WatchSettings written = first;
    const std::string file = BuildClockFileFull(written, kNow);
    WatchSettings second;
    ParseClockFile(file, second);
    // The file carries the first nine Disp values.
    fuzz::Require(second.hMod == first.hMod && second.sped == first.sped && second.tAdj == first.tAdj &&
                      std::equal(first.disp.begin(), first.disp.begin() + 9, second.disp.begin()),
                  "the numbers read back as they were written");
    fuzz::Require(FilterMessage(second.uStr) == written.uStr, "the message reads back as it was written");
    const size_t lines = PictureLength(first);
    fuzz::Require(PictureLength(second) == lines &&
                      std::equal(first.uPic.begin(), first.uPic.begin() + lines, second.uPic.begin()),
                  "the picture reads back as it was written");
    WatchSettings rewritten = second;
    fuzz::Require(BuildClockFileFull(rewritten, kNow) == file, "writing what was read back changes nothing");

    // A picture the program holds (up to 39 lines) read back from the file it wrote.
    WatchSettings drawn = first;
    const size_t drawnLines = size % kPictureBytes;
    for (size_t line = 0; line < drawnLines; ++line) drawn.uPic[line] = data[line] & 0x7F;
    drawn.uPic[drawnLines] = kPictureEnd;
    WatchSettings drawnRead;
    ParseClockFile(BuildClockFileFull(drawn, kNow), drawnRead);
    fuzz::Require(PictureLength(drawnRead) == drawnLines &&
                      std::equal(drawn.uPic.begin(), drawn.uPic.begin() + drawnLines, drawnRead.uPic.begin()),
                  "a picture of every length the program writes reads back whole");

    const std::string timeSet = BuildClockFileTimeSet(content, kNow, first.tAdj, first.hMod);
    fuzz::Require(BuildClockFileTimeSet(timeSet, kNow, first.tAdj, first.hMod) == timeSet,
                  "a second Time Set keeps the lines the first one kept");
    WatchSettings afterTimeSet;
    ParseClockFile(timeSet, afterTimeSet);
    fuzz::Require(afterTimeSet.tAdj == first.tAdj && afterTimeSet.hMod == first.hMod,
                  "a Time Set writes the correction and hour mode it was given");
    return 0;
}
