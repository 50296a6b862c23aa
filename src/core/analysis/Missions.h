#pragma once
#include <cstdint>
#include <string>

#include "core/analysis/Metrics.h"
#include "core/app/Settings.h"
#include "core/system/Host.h"

namespace kiro {

class App;

enum class MissionKind : int { Steps = 0, Distance = 1, Time = 2, Calories = 3 };

// How far a mission has come towards its target, in whole percent 0..100 (truncated). A mission
// that does not run, or has no usable target, is at 0.
int MissionPercentage(const MissionSettings& mission, const BodyMeasures& body);

// Whether the congratulation is due: the mission runs and has reached its target. It stays due at
// every refresh until the mission is stopped.
bool MissionAwardDue(const MissionSettings& mission, const BodyMeasures& body);

// "Running %d Days %d Hours %d Minutes" (UI text 58) for the time since the start tick. The tick
// count wraps at 2^32 ms (about 49.7 days), so the difference is taken in 32 bits.
std::string MissionRunningText(int language, const MissionSettings& mission, uint32_t tickNow);

// "%d %% Compeleted" (UI text 55) for the bar.
std::string MissionProgressText(int language, int percentage);

// The congratulation, "<text 57>-A" or "-B", and its picture: a trophy for A, a rosette for B.
std::string MissionAwardText(int language, MissionId id);
AwardPicture MissionAwardPicture(MissionId id);

// Run: the target text as typed is read as a number (0 when it is none); a target of magnitude
// 0.01 or more starts the mission with the given kind at the current tick. Returns whether it
// started.
bool StartMission(App& app, MissionId id, MissionKind kind, const std::string& targetText);

// Stop: clears target, steps and period and saves the record with the given kind.
void StopMission(Settings& settings, MissionId id, MissionKind kind);

}  // namespace kiro
