#pragma once
// The pages that work with the watch, over the simulated machine: a PageWorld with the machine's
// disks and devices, the watch handling of the main window, and the router of its device events.
#include "PageWorld.h"
#include "core/watchdisk/Collector.h"
#include "core/watchdisk/WatchDiscovery.h"
#include "gui/mainwindow/DeviceEventRouter.h"
#include "gui/pages/WatchPorts.h"
#include "platform/sim/SimulatedMachine.h"

namespace kiro::gui::test {

struct WatchPageWorld : PageWorld {
    WatchPorts Ports() { return {machine.volumes, machine.devices, machine.attributes, discovery, router}; }
    // Delivers the device notifications the machine has queued, as the main window does.
    void DeliverEvents() { machine.events.Dispatch(router); }
    std::string DiskFolder(const std::string& name) const { return disks.Path() + "/" + name; }
    std::string DiskFile(const std::string& name) const {
        return kiro::test::TempFolder::ReadFile(DiskFolder(name));
    }

    kiro::test::TempFolder disks;
    sim::SimulatedMachine machine;
    Collector collector{app, machine.volumes, machine.devices, host, machine.attributes};
    WatchDiscovery discovery{app, machine.volumes, machine.devices, host, collector};
    DeviceEventRouter router{discovery};
};

}  // namespace kiro::gui::test
