#include "gui/demo/DemoSession.h"

#include <filesystem>

#include "core/base/CalendarMath.h"
#include "core/watchdisk/CollectedSteps.h"
#include "platform/sim/RealWorldSteps.h"
#include "platform/sim/StepGenerator.h"

namespace kiro::gui {
namespace {
constexpr int kDemoDays = 14;
}

bool ParseDemoKind(const std::string& text, DemoKind& kind) {
    if (text.empty() || text == "device-c") {
        kind = DemoKind::DeviceC;
    } else if (text == "device-e") {
        kind = DemoKind::DeviceE;
    } else if (text == "file") {
        kind = DemoKind::File;
    } else {
        return false;
    }
    return true;
}

std::vector<sim::DaySteps> DemoDays(const LocalTime& now, const std::string& dataFolder) {
    std::vector<sim::RealDay> real =
        sim::LoadRealWorldSteps(dataFolder + "/minuteStepsWide.csv", sim::kRealWorldParticipants[0]);
    std::erase_if(real, [](const sim::RealDay& day) { return day.recordedHours != 24; });
    std::vector<sim::DaySteps> days;
    for (int i = 0; i < kDemoDays; ++i) {
        const LocalTime date = AddDays(now, i - (kDemoDays - 1));
        // Real days when the data is there, generated ones otherwise.
        sim::DaySteps day = real.size() >= static_cast<size_t>(kDemoDays)
                                ? static_cast<const sim::DaySteps&>(real[real.size() - kDemoDays + i])
                                : sim::GenerateDay(date.year, date.month, date.day, 2014);
        day.year = date.year;
        day.month = date.month;
        day.day = date.day;
        if (i == kDemoDays - 1)
            for (int minute = now.hour * 60 + now.minute + 1; minute < 1440; ++minute)
                day.minutes[minute] = 0;
        days.push_back(day);
    }
    return days;
}

DemoSession::DemoSession(App& app, DemoKind kind, const std::string& dataFolder) : app_(app) {
    const std::vector<sim::DaySteps> days = DemoDays(app.SystemClock().Now(), dataFolder);
    volumeFolder_ = app.Paths().Folder() + "/demo-watch-disk";
    std::filesystem::remove_all(volumeFolder_);
    if (kind == DemoKind::File) {
        fileWatch_ = std::make_unique<sim::FileModeWatch>(volumeFolder_);
        for (const auto& day : days) fileWatch_->AddDay(day, sim::DayFileFormat::Binary);
        // Its owner gave it a message and a picture (a heart) before.
        fileWatch_->WriteClockFile(app.SystemClock().Now(), "Walk on!", "0036494141221408");
        fileWatch_->WriteMarker(machine_.attributes);
        return;
    }
    std::filesystem::create_directories(volumeFolder_);
    sim::DeviceWatchOptions options;
    options.modelLetter = kind == DemoKind::DeviceE ? 'E' : 'C';
    options.driftSecondsPerDay = 4;
    deviceWatch_ = std::make_unique<sim::DeviceModeWatch>(app.SystemClock(), options);
    const size_t onWatch = kind == DemoKind::DeviceE ? days.size() : 1;
    const std::vector<sim::DaySteps> before(days.begin(), days.end() - static_cast<std::ptrdiff_t>(onWatch));
    if (!app.Store().LoadMonth(days.front().year, days.front().month).found) StoreAsCollectedBefore(before);
    for (size_t i = days.size() - onWatch; i < days.size(); ++i) deviceWatch_->Record(days[i]);
}

void DemoSession::StoreAsCollectedBefore(const std::vector<sim::DaySteps>& days) {
    CollectedSteps collected;
    for (const auto& day : days) {
        MonthBuffer& month = collected.months.Month(day.year, day.month);
        for (int minute = 0; minute < 1440; ++minute) {
            AddToSlotIndex(month, MonthBuffer::SlotIndex(day.day, 0, minute), day.minutes[minute]);
            collected.tally.steps += day.minutes[minute];
            collected.tally.period += day.minutes[minute] != 0;
        }
    }
    // The demo's own program folder: a failure here only leaves the earlier days out.
    const ProgramFolderWriter::Hold hold = app_.Writer().Lock();
    if (hold) CommitCollectedSteps(app_, collected);
}

void DemoSession::PlugIn() {
    if (PluggedIn()) return;
    if (fileWatch_) {
        letter_ = machine_.PlugIn(*fileWatch_);
    } else {
        letter_ = machine_.PlugIn(*deviceWatch_, volumeFolder_);
    }
}

bool DemoSession::AddDay(const sim::DaySteps& day) {
    if (fileWatch_) return fileWatch_->AddDay(day, sim::DayFileFormat::Binary);
    deviceWatch_->Record(day);
    return true;
}

void DemoSession::PlugOut() {
    if (letter_ != 0) machine_.Unplug(letter_);
    letter_ = 0;
}

}  // namespace kiro::gui
