#include "core/app/Settings.h"

#include <cstdlib>

#include "core/base/Format.h"
#include "core/base/Numbers.h"

namespace kiro {
namespace {

constexpr const char* kAdvance = "Advance";
constexpr const char* kSummary = "Summary";
constexpr const char* kPersonal = "Personal";
constexpr const char* kMission = "Mission";
constexpr const char* kSleep = "Sleep";

const char* Prefix(MissionId id) {
    return id == MissionId::A ? "A_" : "B_";
}

std::string MissionKey(MissionId id, const char* key) {
    return std::string(Prefix(id)) + key;
}

std::string Number(int value) {
    return Format("%d", value);
}

std::vector<IniChange> TotalsChanges(int totalSteps, int totalPeriod) {
    return {{kSummary, "TotalSteps", Number(totalSteps)}, {kSummary, "TotalPeriod", Number(totalPeriod)}};
}

}  // namespace

MissionSettings Settings::LoadMission(const IniSnapshot& file, MissionId id, uint32_t tickCount) const {
    MissionSettings m;
    m.mode = file.ReadInt(kMission, MissionKey(id, "Mode"), 0);
    m.status = file.ReadInt(kMission, MissionKey(id, "Status"), 0);
    m.goes = std::strtod(file.ReadString(kMission, MissionKey(id, "Goes"), "0.0", 100).c_str(), nullptr);
    m.curSteps = file.ReadInt(kMission, MissionKey(id, "CurSteps"), 0);
    m.curPeriodM = file.ReadInt(kMission, MissionKey(id, "CurPeriodM"), 0);
    m.startTime = static_cast<uint32_t>(
        file.ReadInt(kMission, MissionKey(id, "StartTime"), static_cast<int>(tickCount)));
    return m;
}

void Settings::Load(int defaultLanguage, uint32_t tickCount) {
    // One reading of the file for all keys: they then come from the same moment.
    const IniSnapshot file = file_.Read();
    loadError_ = file.error;
    values_.language = file.ReadInt(kAdvance, "Language", defaultLanguage);
    values_.enableUpgrade = file.ReadInt(kAdvance, "EnableUpgrade", 1) != 0 ? 1 : 0;
    values_.autoConfirm = file.ReadInt(kAdvance, "AutoConfirm", 0) != 0 ? 1 : 0;
    values_.totalSteps = file.ReadInt(kSummary, "TotalSteps", 0);
    values_.totalPeriod = file.ReadInt(kSummary, "TotalPeriod", 0);
    values_.birthday = file.ReadInt(kPersonal, "Birthday", 20000201);
    values_.height = file.ReadInt(kPersonal, "Height", 0);
    values_.weight = file.ReadInt(kPersonal, "Weight", 0);
    values_.stepSize = file.ReadInt(kPersonal, "StepSize", 0);
    values_.missionA = LoadMission(file, MissionId::A, tickCount);
    values_.missionB = LoadMission(file, MissionId::B, tickCount);
    values_.displayMode = file.ReadInt(kAdvance, "DisplayMode", 0);
    values_.slightMoving = file.ReadInt(kSleep, "SlightMoving", 5);
}

std::error_code Settings::SetLanguage(int language) {
    values_.language = language;
    return file_.WriteInt(kAdvance, "Language", language);
}

std::error_code Settings::SetEnableUpgrade(bool on) {
    values_.enableUpgrade = on ? 1 : 0;
    return file_.WriteInt(kAdvance, "EnableUpgrade", values_.enableUpgrade);
}

std::error_code Settings::SetAutoConfirm(bool on) {
    values_.autoConfirm = on ? 1 : 0;
    return file_.WriteInt(kAdvance, "AutoConfirm", values_.autoConfirm);
}

std::error_code Settings::SetDisplayMode(int mode) {
    values_.displayMode = mode;
    return file_.WriteInt(kAdvance, "DisplayMode", mode);
}

void Settings::SetDisplayModeInMemory(int mode) {
    values_.displayMode = mode;
}

std::error_code Settings::SetTotals(int totalSteps, int totalPeriod) {
    AdoptTotals(totalSteps, totalPeriod);
    return file_.Write(TotalsChanges(totalSteps, totalPeriod));
}

std::error_code Settings::SetPersonal(int birthday, int height, int weight, int stepSize) {
    values_.birthday = birthday;
    values_.height = height;
    values_.weight = weight;
    values_.stepSize = stepSize;
    return file_.Write({{kPersonal, "Birthday", Number(birthday)},
                        {kPersonal, "Height", Number(height)},
                        {kPersonal, "Weight", Number(weight)},
                        {kPersonal, "StepSize", Number(stepSize)}});
}

std::error_code Settings::SetSlightMoving(int threshold) {
    values_.slightMoving = threshold;
    return file_.WriteInt(kSleep, "SlightMoving", threshold);
}

std::error_code Settings::SetMissionProgress(MissionId id, int curSteps, int curPeriodM) {
    MissionSettings& m = values_.Mission(id);
    m.curSteps = curSteps;
    m.curPeriodM = curPeriodM;
    return file_.Write({{kMission, MissionKey(id, "CurSteps"), Number(curSteps)},
                        {kMission, MissionKey(id, "CurPeriodM"), Number(curPeriodM)}});
}

std::vector<IniChange> Settings::MissionRecordChanges(MissionId id, const MissionSettings& mission) {
    const IniChange mode{kMission, MissionKey(id, "Mode"), Number(mission.mode)};
    const IniChange status{kMission, MissionKey(id, "Status"), Number(mission.status)};
    const IniChange goes{kMission, MissionKey(id, "Goes"), Format("%f", mission.goes)};
    const IniChange start{kMission, MissionKey(id, "StartTime"), Number(static_cast<int>(mission.startTime))};
    // The two missions write their keys in different orders; kept as the program always has.
    if (id == MissionId::A) return {mode, status, goes, start};
    return {goes, mode, status, start};
}

std::error_code Settings::SetMission(MissionId id, const MissionSettings& mission) {
    values_.Mission(id) = mission;
    return file_.Write(MissionRecordChanges(id, mission));
}

std::error_code Settings::StopMission(MissionId id, int mode) {
    MissionSettings& mission = values_.Mission(id);
    mission.mode = mode;
    mission.status = 0;
    mission.goes = 0;
    mission.curSteps = 0;
    mission.curPeriodM = 0;
    // One commit: a mission must never be left running with its progress gone.
    std::vector<IniChange> changes{{kMission, MissionKey(id, "CurSteps"), "0"},
                                   {kMission, MissionKey(id, "CurPeriodM"), "0"}};
    for (IniChange& change : MissionRecordChanges(id, mission)) changes.push_back(std::move(change));
    return file_.Write(changes);
}

void Settings::StageTotals(FolderTransaction& transaction, int totalSteps, int totalPeriod) const {
    file_.Stage(transaction, TotalsChanges(totalSteps, totalPeriod));
}

void Settings::AdoptTotals(int totalSteps, int totalPeriod) {
    values_.totalSteps = totalSteps;
    values_.totalPeriod = totalPeriod;
}

CollectionCounters Settings::StageCollected(FolderTransaction& transaction, const StepTally& added) const {
    const IniSnapshot now = file_.Read();
    if (now.error) {
        transaction.Fail(now.error);
        return {};
    }
    CollectionCounters counters;
    counters.totalSteps = SaturatedInt(int64_t{now.ReadInt(kSummary, "TotalSteps", 0)} + added.steps);
    counters.totalPeriod = SaturatedInt(int64_t{now.ReadInt(kSummary, "TotalPeriod", 0)} + added.period);
    std::vector<IniChange> changes = TotalsChanges(counters.totalSteps, counters.totalPeriod);
    for (MissionId id : {MissionId::A, MissionId::B}) {
        MissionCounters& mission = id == MissionId::A ? counters.missionA : counters.missionB;
        mission.status = now.ReadInt(kMission, MissionKey(id, "Status"), 0);
        mission.curSteps = now.ReadInt(kMission, MissionKey(id, "CurSteps"), 0);
        mission.curPeriodM = now.ReadInt(kMission, MissionKey(id, "CurPeriodM"), 0);
        if (mission.status == 0) continue;
        mission.curSteps = SaturatedInt(int64_t{mission.curSteps} + added.missionSteps);
        mission.curPeriodM = SaturatedInt(int64_t{mission.curPeriodM} + added.activeMinutes);
        changes.push_back({kMission, MissionKey(id, "CurSteps"), Number(mission.curSteps)});
        changes.push_back({kMission, MissionKey(id, "CurPeriodM"), Number(mission.curPeriodM)});
    }
    transaction.Replace(kSettingsFileName, WithIniValues(now.content, changes));
    return counters;
}

void Settings::Adopt(const CollectionCounters& counters) {
    AdoptTotals(counters.totalSteps, counters.totalPeriod);
    for (MissionId id : {MissionId::A, MissionId::B}) {
        const MissionCounters& staged = id == MissionId::A ? counters.missionA : counters.missionB;
        MissionSettings& mission = values_.Mission(id);
        mission.status = staged.status;
        mission.curSteps = staged.curSteps;
        mission.curPeriodM = staged.curPeriodM;
    }
}

SleepWindowHours Settings::ReadSleepWindow() const {
    return {file_.ReadInt(kSleep, "StartHour", 20), file_.ReadInt(kSleep, "EndHour", 33)};
}

std::error_code Settings::WriteSleepWindow(const SleepWindowHours& window) {
    return file_.Write(
        {{kSleep, "StartHour", Number(window.startHour)}, {kSleep, "EndHour", Number(window.endHour)}});
}

int Settings::ReadReportMode() const {
    return file_.ReadInt("Current", "ReportMode", 0);
}
std::error_code Settings::WriteReportMode(int mode) {
    return file_.WriteInt("Current", "ReportMode", mode);
}

std::string Settings::ReadTempGraphic(int slot) const {
    return file_.ReadString("Temp", Format("TempGraphic%d", slot), "", 200);
}
std::error_code Settings::WriteTempGraphic(int slot, const std::string& hex) {
    return file_.WriteString("Temp", Format("TempGraphic%d", slot), hex);
}

PreCopySettings Settings::ReadPreCopy() const {
    return {file_.ReadString("PreCopy", "Path", "", 510), file_.ReadInt("PreCopy", "Enable", 0)};
}
std::error_code Settings::WritePreCopyPath(const std::string& path) {
    return file_.WriteString("PreCopy", "Path", path);
}
std::error_code Settings::WritePreCopyEnable(int enable) {
    return file_.WriteInt("PreCopy", "Enable", enable);
}

std::string Settings::ReadUpdateUrl() const {
    return file_.ReadString(kAdvance, "UpdateURL", kDefaultUpdateUrl, 512);
}
std::error_code Settings::WriteUpdateRecord(const std::string& local, const std::string& server) {
    return file_.Write({{"Update", "Local", local}, {"Update", "Server", server}});
}

std::vector<std::pair<std::string, std::string>> Settings::Describe() const {
    std::vector<std::pair<std::string, std::string>> out;
    const auto add = [&out](const char* key, std::string value) { out.emplace_back(key, std::move(value)); };
    const SettingsValues& v = values_;
    add("Advance.Language", Number(v.language));
    add("Advance.EnableUpgrade", Number(v.enableUpgrade));
    add("Advance.AutoConfirm", Number(v.autoConfirm));
    add("Advance.DisplayMode", Number(v.displayMode));
    add("Advance.UpdateURL", ReadUpdateUrl());
    add("Summary.TotalSteps", Number(v.totalSteps));
    add("Summary.TotalPeriod", Number(v.totalPeriod));
    add("Personal.Birthday", Number(v.birthday));
    add("Personal.Height", Number(v.height));
    add("Personal.Weight", Number(v.weight));
    add("Personal.StepSize", Number(v.stepSize));
    for (MissionId id : {MissionId::A, MissionId::B}) {
        const MissionSettings& m = v.Mission(id);
        const std::string p = std::string("Mission.") + Prefix(id);
        out.emplace_back(p + "Mode", Number(m.mode));
        out.emplace_back(p + "Status", Number(m.status));
        out.emplace_back(p + "Goes", Format("%f", m.goes));
        out.emplace_back(p + "CurSteps", Number(m.curSteps));
        out.emplace_back(p + "CurPeriodM", Number(m.curPeriodM));
        out.emplace_back(p + "StartTime", Number(static_cast<int>(m.startTime)));
    }
    add("Sleep.SlightMoving", Number(v.slightMoving));
    const SleepWindowHours window = ReadSleepWindow();
    add("Sleep.StartHour", Number(window.startHour));
    add("Sleep.EndHour", Number(window.endHour));
    add("Current.ReportMode", Number(ReadReportMode()));
    for (int slot = 1; slot <= 4; ++slot)
        out.emplace_back(Format("Temp.TempGraphic%d", slot), ReadTempGraphic(slot));
    const PreCopySettings preCopy = ReadPreCopy();
    add("PreCopy.Path", preCopy.path);
    add("PreCopy.Enable", Number(preCopy.enable));
    add("Update.Local", file_.ReadString("Update", "Local", "", 512));
    add("Update.Server", file_.ReadString("Update", "Server", "", 512));
    return out;
}

}  // namespace kiro
