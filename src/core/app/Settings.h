#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/app/IniFile.h"

namespace kiro {

enum class MissionId { A, B };

struct MissionSettings {
    int mode = 0;        // 0 steps, 1 distance, 2 time, 3 calories
    int status = 0;      // non-zero while the mission runs
    double goes = 0.0;   // target, in the unit of the kind
    int curSteps = 0;
    int curPeriodM = 0;  // active minutes counted since the start
    uint32_t startTime = 0;  // tick count when the mission started
};

// Every value of the settings file that the program keeps in memory, as loaded at start.
struct SettingsValues {
    int language = 0;
    int enableUpgrade = 1;
    int autoConfirm = 0;
    int displayMode = 0;
    int totalSteps = 0;
    int totalPeriod = 0;
    int birthday = 20000201;
    int height = 0;
    int weight = 0;
    int stepSize = 0;
    MissionSettings missionA;
    MissionSettings missionB;
    int slightMoving = 5;

    MissionSettings& Mission(MissionId id) { return id == MissionId::A ? missionA : missionB; }
    const MissionSettings& Mission(MissionId id) const { return id == MissionId::A ? missionA : missionB; }
};

struct SleepWindowHours {
    int startHour = 20;
    int endHour = 33;
};

struct PreCopySettings {
    std::string path;
    int enable = 0;
};

inline constexpr const char* kDefaultUpdateUrl =
    "http://kirometer.example/UploadFiles%5CDownLoads%5CKiroMeter_X5.exe";

// The typed settings of the program over its settings file. The values read at start live
// here; every change goes through a setter that updates the value and writes its keys at once
// (there is no batch save). Keys that their pages read when they open (sleep window, report
// mode, picture slots, pre-copy, update address) are read and written through here too.
class Settings {
public:
    explicit Settings(IniFile& file) : file_(file) {}

    // Reads every start value in the program's order. `defaultLanguage` comes from the
    // locale; `tickCount` is the default start time of a mission that has none stored.
    void Load(int defaultLanguage, uint32_t tickCount);

    const SettingsValues& Values() const { return values_; }
    IniFile& File() { return file_; }

    void SetLanguage(int language);
    void SetEnableUpgrade(bool on);
    void SetAutoConfirm(bool on);
    void SetDisplayMode(int mode);             // written to the file
    void SetDisplayModeInMemory(int mode);     // a device-mode watch: not written
    void SetTotals(int totalSteps, int totalPeriod);
    void SetPersonal(int birthday, int height, int weight, int stepSize);
    void SetSlightMoving(int threshold);
    // Mission counters advanced by a collection: current steps and period of one mission.
    void SetMissionProgress(MissionId id, int curSteps, int curPeriodM);
    // The whole mission record, as start and stop write it.
    void SetMission(MissionId id, const MissionSettings& mission);

    SleepWindowHours ReadSleepWindow() const;
    void WriteSleepWindow(const SleepWindowHours& window);
    int ReadReportMode() const;
    void WriteReportMode(int mode);
    std::string ReadTempGraphic(int slot) const;  // slot 1..4
    void WriteTempGraphic(int slot, const std::string& hex);
    PreCopySettings ReadPreCopy() const;
    void WritePreCopyPath(const std::string& path);
    void WritePreCopyEnable(int enable);
    std::string ReadUpdateUrl() const;
    void WriteUpdateRecord(const std::string& local, const std::string& server);

    // Every key of the settings file with the value the program holds, "Section.Key" and
    // text, in the order of the settings table.
    std::vector<std::pair<std::string, std::string>> Describe() const;

private:
    void WriteMissionKey(MissionId id, const char* key, const std::string& value);
    MissionSettings LoadMission(MissionId id, uint32_t tickCount) const;

    IniFile& file_;
    SettingsValues values_;
};

}  // namespace kiro
