#pragma once
// A whole machine for collection tests: a program folder, the simulated PC with its disks,
// a clock, a scripted user, and the program's collection and discovery over them.
#include <functional>
#include <memory>
#include <string>

#include "core/app/App.h"
#include "core/watchdisk/Collector.h"
#include "core/watchdisk/WatchDiscovery.h"
#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FixedLocale.h"
#include "platform/sim/SimulatedMachine.h"
#include "support/FaultyFileSystem.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"

namespace kiro::test {

// One run of the program over a program folder: its own file system (faults on request), the
// App started as the program starts, and collection and discovery over the simulated machine.
// Destroying it is the end of the process: its locks go with it.
struct ProgramRun {
    ProgramRun(const std::string& folder, sim::FakeClock& clock, sim::SimulatedMachine& machine)
        : app(folder, clock, locale, files),
          devices(
              machine.devices, [this] { return files.Crashed(); },
              [this](const ScsiRequest& request) { return dropCommand && dropCommand(request); }),
          collector(app, machine.volumes, devices, host, machine.attributes),
          discovery(app, machine.volumes, devices, host, collector),
          machine_(machine) {
        startError = app.Start();
    }
    void DeliverEvents() { machine_.events.Dispatch(discovery); }

    sim::FixedLocale locale;
    NativeFileSystem realFiles;
    FaultyFileSystem files{realFiles};
    App app;
    std::error_code startError;
    // Commands for which it answers true never reach the watch (and fail).
    std::function<bool(const ScsiRequest&)> dropCommand;
    StoppableDeviceIo devices;
    ScriptedHost host;
    Collector collector;
    WatchDiscovery discovery;

  private:
    sim::SimulatedMachine& machine_;
};

struct CollectionWorld {
    TempFolder programFolder;
    TempFolder disks;  // folders that stand for watch disks
    sim::FakeClock clock{LocalTime{2014, 5, 20, 12, 0, 0, 2}};
    sim::SimulatedMachine machine;
    ProgramRun run{programFolder.Path(), clock, machine};
    App& app = run.app;
    ScriptedHost& host = run.host;
    WatchDiscovery& discovery = run.discovery;
    Collector& collector = run.collector;
    FaultyFileSystem& files = run.files;

    // Delivers the device notifications the machine has queued.
    void DeliverEvents() { run.DeliverEvents(); }
    MonthBuffer Month(int year, int month) const { return app.Store().LoadMonth(year, month).buffer; }
    std::string DiskFolder(const std::string& name) const { return disks.Path() + "/" + name; }
};

}  // namespace kiro::test
