// Local calendar times turned into moments by the machine's time zone, across a daylight-saving
// change. The zone is given as a POSIX rule, which needs no time zone files on the machine.
#include "platform/linux/LinuxClock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace kiro::linux_platform {
namespace {

// Central European time for the test's length, the zone before put back after it.
class CentralEuropeanZone {
  public:
    CentralEuropeanZone() {
        if (const char* before = std::getenv("TZ")) before_ = before;
        setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
        tzset();
    }
    ~CentralEuropeanZone() {
        if (before_)
            setenv("TZ", before_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    CentralEuropeanZone(const CentralEuropeanZone&) = delete;
    CentralEuropeanZone& operator=(const CentralEuropeanZone&) = delete;

  private:
    std::optional<std::string> before_;
};

TEST(LinuxClockTest, LocalTimesAcrossADaylightSavingChangeAreAnHourCloser) {
    const CentralEuropeanZone zone;
    const LinuxClock clock;
    const int64_t friday = clock.SecondsOf({2014, 3, 28, 12, 0, 0, 5});
    const int64_t monday = clock.SecondsOf({2014, 3, 31, 12, 0, 0, 1});
    EXPECT_EQ(monday - friday, 71 * 3600) << "clocks went forward on 30 March";
    EXPECT_EQ(friday, 1396004400) << "12:00 CET is 11:00 UTC";
    const int64_t octoberBefore = clock.SecondsOf({2014, 10, 25, 12, 0, 0, 6});
    const int64_t octoberAfter = clock.SecondsOf({2014, 10, 26, 12, 0, 0, 0});
    EXPECT_EQ(octoberAfter - octoberBefore, 25 * 3600) << "and back on 26 October";

    const LocalTime back = clock.LocalTimeOf(monday);
    EXPECT_EQ(clock.SecondsOf(back), monday) << "the moment of a local time is where it came from";
}

}  // namespace
}  // namespace kiro::linux_platform
