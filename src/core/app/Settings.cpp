#include "core/app/Settings.h"

#include <cstdlib>

#include "core/app/Format.h"

namespace kiro {
namespace {

constexpr const char* kAdvance = "Advance";
constexpr const char* kSummary = "Summary";
constexpr const char* kPersonal = "Personal";
constexpr const char* kMission = "Mission";
constexpr const char* kSleep = "Sleep";

const char* Prefix(MissionId id) { return id == MissionId::A ? "A_" : "B_"; }

std::string MissionKey(MissionId id, const char* key) { return std::string(Prefix(id)) + key; }

}  // namespace

MissionSettings Settings::LoadMission(MissionId id, uint32_t tickCount) const {
    MissionSettings m;
    m.mode = file_.ReadInt(kMission, MissionKey(id, "Mode"), 0);
    m.status = file_.ReadInt(kMission, MissionKey(id, "Status"), 0);
    m.goes = std::strtod(file_.ReadString(kMission, MissionKey(id, "Goes"), "0.0", 100).c_str(), nullptr);
    m.curSteps = file_.ReadInt(kMission, MissionKey(id, "CurSteps"), 0);
    m.curPeriodM = file_.ReadInt(kMission, MissionKey(id, "CurPeriodM"), 0);
    m.startTime =
        static_cast<uint32_t>(file_.ReadInt(kMission, MissionKey(id, "StartTime"), static_cast<int>(tickCount)));
    return m;
}

void Settings::Load(int defaultLanguage, uint32_t tickCount) {
    values_.language = file_.ReadInt(kAdvance, "Language", defaultLanguage);
    values_.enableUpgrade = file_.ReadInt(kAdvance, "EnableUpgrade", 1) != 0 ? 1 : 0;
    values_.autoConfirm = file_.ReadInt(kAdvance, "AutoConfirm", 0) != 0 ? 1 : 0;
    values_.totalSteps = file_.ReadInt(kSummary, "TotalSteps", 0);
    values_.totalPeriod = file_.ReadInt(kSummary, "TotalPeriod", 0);
    values_.birthday = file_.ReadInt(kPersonal, "Birthday", 20000201);
    values_.height = file_.ReadInt(kPersonal, "Height", 0);
    values_.weight = file_.ReadInt(kPersonal, "Weight", 0);
    values_.stepSize = file_.ReadInt(kPersonal, "StepSize", 0);
    values_.missionA = LoadMission(MissionId::A, tickCount);
    values_.missionB = LoadMission(MissionId::B, tickCount);
    values_.displayMode = file_.ReadInt(kAdvance, "DisplayMode", 0);
    values_.slightMoving = file_.ReadInt(kSleep, "SlightMoving", 5);
}

void Settings::SetLanguage(int language) {
    values_.language = language;
    file_.WriteInt(kAdvance, "Language", language);
}

void Settings::SetEnableUpgrade(bool on) {
    values_.enableUpgrade = on ? 1 : 0;
    file_.WriteInt(kAdvance, "EnableUpgrade", values_.enableUpgrade);
}

void Settings::SetAutoConfirm(bool on) {
    values_.autoConfirm = on ? 1 : 0;
    file_.WriteInt(kAdvance, "AutoConfirm", values_.autoConfirm);
}

void Settings::SetDisplayMode(int mode) {
    values_.displayMode = mode;
    file_.WriteInt(kAdvance, "DisplayMode", mode);
}

void Settings::SetDisplayModeInMemory(int mode) { values_.displayMode = mode; }

void Settings::SetTotals(int totalSteps, int totalPeriod) {
    values_.totalSteps = totalSteps;
    values_.totalPeriod = totalPeriod;
    file_.WriteInt(kSummary, "TotalSteps", totalSteps);
    file_.WriteInt(kSummary, "TotalPeriod", totalPeriod);
}

void Settings::SetPersonal(int birthday, int height, int weight, int stepSize) {
    values_.birthday = birthday;
    values_.height = height;
    values_.weight = weight;
    values_.stepSize = stepSize;
    file_.WriteInt(kPersonal, "Birthday", birthday);
    file_.WriteInt(kPersonal, "Height", height);
    file_.WriteInt(kPersonal, "Weight", weight);
    file_.WriteInt(kPersonal, "StepSize", stepSize);
}

void Settings::SetSlightMoving(int threshold) {
    values_.slightMoving = threshold;
    file_.WriteInt(kSleep, "SlightMoving", threshold);
}

void Settings::WriteMissionKey(MissionId id, const char* key, const std::string& value) {
    file_.WriteString(kMission, MissionKey(id, key), value);
}

void Settings::SetMissionProgress(MissionId id, int curSteps, int curPeriodM) {
    MissionSettings& m = values_.Mission(id);
    m.curSteps = curSteps;
    m.curPeriodM = curPeriodM;
    WriteMissionKey(id, "CurSteps", Format("%d", curSteps));
    WriteMissionKey(id, "CurPeriodM", Format("%d", curPeriodM));
}

void Settings::SetMission(MissionId id, const MissionSettings& mission) {
    values_.Mission(id) = mission;
    const std::string mode = Format("%d", mission.mode);
    const std::string status = Format("%d", mission.status);
    const std::string goes = Format("%f", mission.goes);
    const std::string start = Format("%d", static_cast<int>(mission.startTime));
    // The two missions write their keys in different orders; kept as the program always has.
    if (id == MissionId::A) {
        WriteMissionKey(id, "Mode", mode);
        WriteMissionKey(id, "Status", status);
        WriteMissionKey(id, "Goes", goes);
        WriteMissionKey(id, "StartTime", start);
    } else {
        WriteMissionKey(id, "Goes", goes);
        WriteMissionKey(id, "Mode", mode);
        WriteMissionKey(id, "Status", status);
        WriteMissionKey(id, "StartTime", start);
    }
}

SleepWindowHours Settings::ReadSleepWindow() const {
    return {file_.ReadInt(kSleep, "StartHour", 20), file_.ReadInt(kSleep, "EndHour", 33)};
}

void Settings::WriteSleepWindow(const SleepWindowHours& window) {
    file_.WriteInt(kSleep, "StartHour", window.startHour);
    file_.WriteInt(kSleep, "EndHour", window.endHour);
}

int Settings::ReadReportMode() const { return file_.ReadInt("Current", "ReportMode", 0); }
void Settings::WriteReportMode(int mode) { file_.WriteInt("Current", "ReportMode", mode); }

std::string Settings::ReadTempGraphic(int slot) const {
    return file_.ReadString("Temp", Format("TempGraphic%d", slot), "", 200);
}
void Settings::WriteTempGraphic(int slot, const std::string& hex) {
    file_.WriteString("Temp", Format("TempGraphic%d", slot), hex);
}

PreCopySettings Settings::ReadPreCopy() const {
    return {file_.ReadString("PreCopy", "Path", "", 510), file_.ReadInt("PreCopy", "Enable", 0)};
}
void Settings::WritePreCopyPath(const std::string& path) { file_.WriteString("PreCopy", "Path", path); }
void Settings::WritePreCopyEnable(int enable) { file_.WriteInt("PreCopy", "Enable", enable); }

std::string Settings::ReadUpdateUrl() const { return file_.ReadString(kAdvance, "UpdateURL", kDefaultUpdateUrl, 512); }
void Settings::WriteUpdateRecord(const std::string& local, const std::string& server) {
    file_.WriteString("Update", "Local", local);
    file_.WriteString("Update", "Server", server);
}

std::vector<std::pair<std::string, std::string>> Settings::Describe() const {
    std::vector<std::pair<std::string, std::string>> out;
    const auto add = [&out](const char* key, std::string value) { out.emplace_back(key, std::move(value)); };
    const auto number = [](int v) { return Format("%d", v); };
    const SettingsValues& v = values_;
    add("Advance.Language", number(v.language));
    add("Advance.EnableUpgrade", number(v.enableUpgrade));
    add("Advance.AutoConfirm", number(v.autoConfirm));
    add("Advance.DisplayMode", number(v.displayMode));
    add("Advance.UpdateURL", ReadUpdateUrl());
    add("Summary.TotalSteps", number(v.totalSteps));
    add("Summary.TotalPeriod", number(v.totalPeriod));
    add("Personal.Birthday", number(v.birthday));
    add("Personal.Height", number(v.height));
    add("Personal.Weight", number(v.weight));
    add("Personal.StepSize", number(v.stepSize));
    for (MissionId id : {MissionId::A, MissionId::B}) {
        const MissionSettings& m = v.Mission(id);
        const std::string p = std::string("Mission.") + Prefix(id);
        out.emplace_back(p + "Mode", number(m.mode));
        out.emplace_back(p + "Status", number(m.status));
        out.emplace_back(p + "Goes", Format("%f", m.goes));
        out.emplace_back(p + "CurSteps", number(m.curSteps));
        out.emplace_back(p + "CurPeriodM", number(m.curPeriodM));
        out.emplace_back(p + "StartTime", number(static_cast<int>(m.startTime)));
    }
    add("Sleep.SlightMoving", number(v.slightMoving));
    const SleepWindowHours window = ReadSleepWindow();
    add("Sleep.StartHour", number(window.startHour));
    add("Sleep.EndHour", number(window.endHour));
    add("Current.ReportMode", number(ReadReportMode()));
    for (int slot = 1; slot <= 4; ++slot)
        out.emplace_back(Format("Temp.TempGraphic%d", slot), ReadTempGraphic(slot));
    const PreCopySettings preCopy = ReadPreCopy();
    add("PreCopy.Path", preCopy.path);
    add("PreCopy.Enable", number(preCopy.enable));
    add("Update.Local", file_.ReadString("Update", "Local", "", 512));
    add("Update.Server", file_.ReadString("Update", "Server", "", 512));
    return out;
}

}  // namespace kiro
