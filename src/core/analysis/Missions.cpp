#include "core/analysis/Missions.h"

#include <cmath>
#include <cstdlib>

#include "core/app/App.h"
#include "core/base/Format.h"
#include "core/system/Clock.h"

namespace kiro {
namespace {

// Truncates toward zero and keeps the result in 0..100; also turns a non-number into 0.
int ToPercentage(double value) {
    if (!(value > 0)) return 0;
    if (value >= 100) return 100;
    return static_cast<int>(value);
}

double RawPercentage(const MissionSettings& m, const BodyMeasures& body) {
    switch (static_cast<MissionKind>(m.mode)) {
        case MissionKind::Steps:
            return m.curSteps * 100.0 / m.goes;
        case MissionKind::Distance:
            return static_cast<double>(body.stepSize) * m.curSteps / m.goes * 0.001;
        case MissionKind::Time:
            // The period counts minutes while the target is entered in hours.
            return m.curPeriodM * 100.0 / (m.goes * 60);
        case MissionKind::Calories:
            if (m.curPeriodM == 0) return 0;
            return AverageWalkCalories(body, m.curSteps, m.curPeriodM) * 100 / m.goes;
    }
    return 0;
}

}  // namespace

int MissionPercentage(const MissionSettings& mission, const BodyMeasures& body) {
    // A running mission with a zero target can only come from an edited settings file.
    if (mission.status == 0 || mission.goes == 0) return 0;
    return ToPercentage(RawPercentage(mission, body));
}

bool MissionAwardDue(const MissionSettings& mission, const BodyMeasures& body) {
    return mission.status != 0 && MissionPercentage(mission, body) == 100;
}

std::string MissionRunningText(int language, const MissionSettings& mission, uint32_t tickNow) {
    const uint32_t elapsed = tickNow - mission.startTime;
    return FormatText(GetLangText(language, TextId::RunningTime), static_cast<int>(elapsed / 86400000u),
                      static_cast<int>(elapsed / 3600000u % 24), static_cast<int>(elapsed / 60000u % 60));
}

std::string MissionProgressText(int language, int percentage) {
    return FormatText(GetLangText(language, TextId::PercentCompleted), percentage);
}

std::string MissionAwardText(int language, MissionId id) {
    return Format(id == MissionId::A ? "%s-A" : "%s-B", GetLangText(language, TextId::MissionCompleted));
}

AwardPicture MissionAwardPicture(MissionId id) {
    return id == MissionId::A ? AwardPicture::Trophy : AwardPicture::Rosette;
}

bool StartMission(App& app, MissionId id, MissionKind kind, const std::string& targetText) {
    const double target = std::strtod(targetText.c_str(), nullptr);
    if (!(std::fabs(target) >= 0.01)) return false;
    MissionSettings mission = app.Config().Values().Mission(id);
    mission.mode = static_cast<int>(kind);
    mission.goes = target;
    mission.status = 1;
    mission.startTime = app.SystemClock().TickCount();
    app.Config().SetMission(id, mission);
    return true;
}

void StopMission(Settings& settings, MissionId id, MissionKind kind) {
    settings.StopMission(id, static_cast<int>(kind));
}

}  // namespace kiro
