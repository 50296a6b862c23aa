#include "RealDataFolder.h"

#include "core/base/ProgramFolder.h"
#include "platform/sim/RealWorldSteps.h"

namespace kiro::bench {
namespace {

std::vector<sim::RealDay> DaysOf(const char* participant) {
    return sim::LoadRealWorldSteps(std::string(KIRO_SOURCE_DIR) + "/data/realworld/minuteStepsWide.csv",
                                   participant);
}

void AddDay(MonthBuffer& buffer, int day, const sim::RealDay& real) {
    for (int m = 0; m < 1440; ++m) AddToSlot(buffer, day, m / 60, m % 60, real.minutes[m]);
}

}  // namespace

RealDataFolder::RealDataFolder() : app_(folder_.Path(), clock_, locale_, files_) {
    app_.LoadSettings();
}

std::unique_ptr<RealDataFolder> RealDataFolder::TwoMonths() {
    std::unique_ptr<RealDataFolder> folder(new RealDataFolder());
    folder->app_.Config().SetPersonal(20000201, 170, 60, 70);
    MonthBuffer april, may;
    for (const sim::RealDay& day : DaysOf(sim::kRealWorldParticipants[0])) {
        if (day.year != 2016) continue;
        if (day.month == 4) AddDay(april, day.day, day);
        if (day.month == 5) AddDay(may, day.day, day);
    }
    folder->app_.Store().SaveMonth(2016, 4, april);
    folder->app_.Store().SaveMonth(2016, 5, may);
    return folder;
}

std::unique_ptr<RealDataFolder> RealDataFolder::TenYears() {
    std::unique_ptr<RealDataFolder> folder(new RealDataFolder());
    const std::vector<sim::RealDay> days = DaysOf(sim::kRealWorldParticipants[1]);
    size_t next = 0;
    for (int year = 2005; year < 2015; ++year) {
        for (int month = 1; month <= 12; ++month) {
            MonthBuffer buffer;
            for (int day = 1; day <= 31; ++day, ++next) AddDay(buffer, day, days[next % days.size()]);
            folder->app_.Store().SaveMonth(year, month, buffer);
        }
    }
    return folder;
}

std::string RealDataFolder::MonthFile(int year, int month) const {
    return ProgramPaths(folder_.Path()).MonthFile(year, month);
}

}  // namespace kiro::bench
