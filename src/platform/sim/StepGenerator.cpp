#include "platform/sim/StepGenerator.h"

#include <algorithm>

#include "core/base/CalendarMath.h"

namespace kiro::sim {

namespace {

// SplitMix64: small, fast and the same on every machine, unlike the standard distributions.
class DayRandom {
  public:
    explicit DayRandom(uint64_t state) : state_(state) {}

    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // An integer from lo to hi inclusive.
    int Between(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1)); }
    bool Chance(int percent) { return Between(1, 100) <= percent; }

  private:
    uint64_t state_;
};

constexpr int kMaxStepsPerMinute = 200;

int At(int hour, int minute) {
    return hour * 60 + minute;
}

class DayBuilder {
  public:
    DayBuilder(DaySteps& day, DayRandom& random) : day_(day), random_(random) {}

    void Set(int minute, int steps) {
        if (minute < 0 || minute >= 1440) return;
        day_.minutes[minute] = static_cast<uint16_t>(std::clamp(steps, 0, kMaxStepsPerMinute));
    }

    // In bed: mostly still, now and then a turn that the watch counts as a step or two, and
    // on some nights a short walk to the bathroom.
    void Sleep(int from, int to) {
        for (int m = from; m < to; ++m) Set(m, random_.Chance(3) ? random_.Between(1, 6) : 0);
        if (to - from > 240 && random_.Chance(40)) {
            const int trip = random_.Between(from + 120, to - 90);
            for (int m = trip; m < trip + random_.Between(2, 4); ++m) Set(m, random_.Between(15, 35));
        }
    }

    // Moving about at home or at a desk: short bursts of a few steps.
    void Potter(int from, int to, int percent, int most) {
        for (int m = from; m < to; ++m) Set(m, random_.Chance(percent) ? random_.Between(2, most) : 0);
    }

    // A walk at a steady pace with the odd stop at a crossing. Returns the minute after it.
    int Walk(int from, int length, int slowest, int fastest, int stopPercent) {
        for (int m = from; m < from + length; ++m)
            Set(m, random_.Chance(stopPercent) ? random_.Between(0, 20) : random_.Between(slowest, fastest));
        return from + length;
    }

    // Uphill and downhill pace with rests every hour or so.
    int Hike(int from, int length) {
        int m = from;
        while (m < from + length) {
            m = Walk(m, random_.Between(35, 70), 70, 118, 4);
            const int rest = random_.Between(3, 10);
            Potter(m, m + rest, 30, 12);
            m += rest;
        }
        return m;
    }

  private:
    DaySteps& day_;
    DayRandom& random_;
};

void Workday(DayBuilder& build, DayRandom& random, int wake) {
    int m = wake;
    build.Potter(m, m + 45, 55, 25);
    m += random.Between(45, 60);
    m = build.Walk(m, random.Between(8, 12), 95, 118, 8);  // to the station
    const int ride = random.Between(20, 30);
    build.Potter(m, m + ride, 4, 8);
    m = build.Walk(m + ride, random.Between(6, 10), 95, 118, 6);  // to the office
    const int lunch = At(12, random.Between(0, 20));
    build.Potter(m, lunch, 12, 40);
    m = build.Walk(lunch, random.Between(25, 40), 80, 105, 10);
    const int leave = At(17, random.Between(10, 50));
    build.Potter(m, leave, 12, 40);
    m = build.Walk(leave, random.Between(6, 10), 95, 118, 6);
    const int ride2 = random.Between(20, 30);
    build.Potter(m, m + ride2, 4, 8);
    m = build.Walk(m + ride2, random.Between(8, 12), 90, 115, 8);
    if (random.Chance(70)) {
        const int walk = At(19, random.Between(20, 50));
        build.Potter(m, walk, 30, 20);
        m = build.Walk(walk, random.Between(25, 45), 100, 125, 5);
    }
    build.Potter(m, At(22, 30), 25, 20);
}

void Saturday(DayBuilder& build, DayRandom& random, int wake) {
    const int start = std::max(wake + 60, At(9, random.Between(0, 60)));
    build.Potter(wake, start, 45, 25);
    const int back = build.Hike(start, random.Between(180, 270));
    build.Potter(back, At(22, 30), 20, 20);
}

void Sunday(DayBuilder& build, DayRandom& random, int wake) {
    const int start = std::max(wake + 45, At(9, random.Between(0, 60)));
    build.Potter(wake, start, 45, 25);
    int m = build.Walk(start, random.Between(40, 60), 95, 120, 6);
    const int evening = At(18, random.Between(0, 60));
    build.Potter(m, evening, 25, 25);
    m = random.Chance(50) ? build.Walk(evening, random.Between(20, 35), 95, 115, 5) : evening;
    build.Potter(m, At(22, 30), 20, 20);
}

}  // namespace

DaySteps GenerateDay(int year, int month, int day, uint64_t seed) {
    DaySteps steps;
    steps.year = year;
    steps.month = month;
    steps.day = day;
    DayRandom random(seed * 0x100000001B3ull ^ static_cast<uint64_t>(DaysFromCivil(year, month, day)));
    DayBuilder build(steps, random);

    const int weekday = WeekdayOf(year, month, day);
    const bool weekend = weekday == 0 || weekday == 6;
    const int wake = weekend ? At(7, random.Between(30, 105)) : At(6, random.Between(30, 60));
    const int bedtime = At(22, random.Between(45, 75));
    build.Sleep(0, wake);
    if (weekday == 6)
        Saturday(build, random, wake);
    else if (weekday == 0)
        Sunday(build, random, wake);
    else
        Workday(build, random, wake);
    build.Potter(At(22, 30), bedtime, 25, 15);
    build.Sleep(bedtime, 1440);
    return steps;
}

std::vector<DaySteps> GenerateDays(int year, int month, int day, int dayCount, uint64_t seed) {
    std::vector<DaySteps> days;
    LocalTime date{year, month, day, 0, 0, 0, 0};
    for (int i = 0; i < dayCount; ++i) {
        days.push_back(GenerateDay(date.year, date.month, date.day, seed));
        date = AddDays(date, 1);
    }
    return days;
}

}  // namespace kiro::sim
