#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/base/MachineName.h"
#include "core/store/IniFile.h"
#include "core/store/StepTally.h"

namespace kiro {

enum class MissionId { A, B };

struct MissionSettings {
    int mode = 0;       // 0 steps, 1 distance, 2 time, 3 calories
    int status = 0;     // non-zero while the mission runs
    double goes = 0.0;  // target, in the unit of the kind
    int curSteps = 0;
    int curPeriodM = 0;      // active minutes counted since the start
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

// The counters a collection advances, as one commit stages them: the totals and, for each
// mission, whether it runs and what it has counted.
struct MissionCounters {
    int status = 0;
    int curSteps = 0;
    int curPeriodM = 0;
};
struct CollectionCounters {
    int totalSteps = 0;
    int totalPeriod = 0;
    MissionCounters missionA;
    MissionCounters missionB;
};

// The build for the system and processor the program runs on: the Windows program, or the Linux
// program named with its processor as `uname -m` names it (KiroMeter_X5-linux-x86_64). A build
// for another system could never start in this one's place.
#if defined(_WIN32)
inline constexpr const char* kDefaultUpdateUrl =
    "http://kirometer.example/UploadFiles%5CDownLoads%5CKiroMeter_X5.exe";
#else
inline constexpr const char* kDefaultUpdateUrl =
    "http://kirometer.example/UploadFiles%5CDownLoads%5CKiroMeter_X5-linux-" KIRO_MACHINE_NAME;
#endif

// The typed settings of the program over its settings file. The values read at start live
// here; every change goes through a setter that updates the value and writes its keys at once
// (there is no batch save), all keys of one setter in one commit. Keys that their pages read
// when they open (sleep window, report mode, picture slots, pre-copy, update address) are read
// and written through here too. A setter returns the error of its write.
class Settings {
  public:
    explicit Settings(IniFile& file) : file_(file) {}

    // Reads every start value in the program's order. `defaultLanguage` comes from the
    // locale; `tickCount` is the default start time of a mission that has none stored. A file
    // that exists but cannot be read gives the defaults and is kept in LoadError().
    void Load(int defaultLanguage, uint32_t tickCount);
    const std::error_code& LoadError() const { return loadError_; }

    const SettingsValues& Values() const { return values_; }
    IniFile& File() { return file_; }

    std::error_code SetLanguage(int language);
    // The language of the texts from now on, before it is written (the options page writes it last).
    void SetLanguageInMemory(int language) { values_.language = language; }
    std::error_code SetEnableUpgrade(bool on);
    std::error_code SetAutoConfirm(bool on);
    std::error_code SetDisplayMode(int mode);  // written to the file
    void SetDisplayModeInMemory(int mode);     // a device-mode watch: not written
    std::error_code SetTotals(int totalSteps, int totalPeriod);
    std::error_code SetPersonal(int birthday, int height, int weight, int stepSize);
    std::error_code SetSlightMoving(int threshold);
    // Mission counters: current steps and period of one mission.
    std::error_code SetMissionProgress(MissionId id, int curSteps, int curPeriodM);
    // The whole mission record, as start writes it.
    std::error_code SetMission(MissionId id, const MissionSettings& mission);
    // Stop: target, steps and period back to zero, the kind kept, all in one write.
    std::error_code StopMission(MissionId id, int mode);

    // The totals, as part of a larger commit; the values in memory follow with AdoptTotals once
    // it is committed.
    void StageTotals(FolderTransaction& transaction, int totalSteps, int totalPeriod) const;
    void AdoptTotals(int totalSteps, int totalPeriod);
    // A collection's steps added to the totals and to the running missions as the settings file
    // holds them at this moment (another program may have counted since this one started),
    // saturating at the ends of the 32-bit range. Returns what it staged, for Adopt.
    CollectionCounters StageCollected(FolderTransaction& transaction, const StepTally& added) const;
    void Adopt(const CollectionCounters& counters);

    SleepWindowHours ReadSleepWindow() const;
    std::error_code WriteSleepWindow(const SleepWindowHours& window);
    int ReadReportMode() const;
    std::error_code WriteReportMode(int mode);
    std::string ReadTempGraphic(int slot) const;  // slot 1..4
    std::error_code WriteTempGraphic(int slot, const std::string& hex);
    PreCopySettings ReadPreCopy() const;
    std::error_code WritePreCopyPath(const std::string& path);
    std::error_code WritePreCopyEnable(int enable);
    std::string ReadUpdateUrl() const;
    std::error_code WriteUpdateRecord(const std::string& local, const std::string& server);

    // Every key of the settings file with the value the program holds, "Section.Key" and
    // text, in the order of the settings table.
    std::vector<std::pair<std::string, std::string>> Describe() const;

  private:
    MissionSettings LoadMission(const IniSnapshot& file, MissionId id, uint32_t tickCount) const;
    static std::vector<IniChange> MissionRecordChanges(MissionId id, const MissionSettings& mission);

    IniFile& file_;
    SettingsValues values_;
    std::error_code loadError_;
};

}  // namespace kiro
