#pragma once
// A whole machine for collection tests: a program folder, the simulated PC with its disks,
// a clock, a scripted user, and the program's collection and discovery over them.
#include <memory>

#include "core/app/App.h"
#include "core/watchdisk/Collector.h"
#include "core/watchdisk/WatchDiscovery.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FixedLocale.h"
#include "platform/sim/SimulatedMachine.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"

namespace kiro::test {

struct CollectionWorld {
    TempFolder programFolder;
    TempFolder disks;  // folders that stand for watch disks
    sim::FakeClock clock{LocalTime{2014, 5, 20, 12, 0, 0, 2}};
    sim::FixedLocale locale;
    App app{programFolder.Path(), clock, locale};
    sim::SimulatedMachine machine;
    ScriptedHost host;
    Collector collector{app, machine.volumes, machine.devices, host, machine.attributes};
    WatchDiscovery discovery{app, machine.volumes, machine.devices, host, collector};

    CollectionWorld() { app.LoadSettings(); }

    // Delivers the device notifications the machine has queued.
    void DeliverEvents() { machine.events.Dispatch(discovery); }
    MonthBuffer Month(int year, int month) const { return app.Store().LoadMonth(year, month).buffer; }
    std::string DiskFolder(const std::string& name) const { return disks.Path() + "/" + name; }
};

}  // namespace kiro::test
