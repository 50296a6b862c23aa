// kiro collect: one collection pass, as on the arrival of a watch, without the desktop window.
#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>

#include "cli/Commands.h"
#include "cli/ConsoleHost.h"
#include "cli/PersistedWatchIo.h"
#include "core/base/CalendarMath.h"
#include "core/base/Format.h"
#include "core/watch/ClockFile.h"
#include "core/watchdisk/Collector.h"
#include "core/watchdisk/WatchDiscovery.h"
#include "platform/sim/SimulatedMachine.h"
#include "platform/sim/StepGenerator.h"

namespace kiro::cli {
namespace {

// "x5c" or "x5e", then ":days=N", ":seed=S", ":collect=0|1", ":serial=N" in any order.
struct SimulatedWatchSpec {
    char model = 'C';
    int days = 14;
    uint64_t seed = 1;
    bool collect = true;
    std::string serial;
};

bool ParseSimulatedWatch(const std::string& text, SimulatedWatchSpec& wanted) {
    std::stringstream parts(text);
    std::string part;
    std::getline(parts, part, ':');
    if (part == "x5c" || part == "X5C")
        wanted.model = 'C';
    else if (part == "x5e" || part == "X5E")
        wanted.model = 'E';
    else
        return false;
    while (std::getline(parts, part, ':')) {
        const size_t eq = part.find('=');
        if (eq == std::string::npos) return false;
        const std::string key = part.substr(0, eq);
        const std::string value = part.substr(eq + 1);
        // Digits only: the conversions below would take a sign, and wrap a negative seed round.
        if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos) return false;
        try {
            if (key == "days")
                wanted.days = std::stoi(value);
            else if (key == "seed")
                wanted.seed = std::stoull(value);
            else if (key == "collect")
                wanted.collect = std::stoi(value) != 0;
            else if (key == "serial")
                wanted.serial = value;
            else
                return false;
        } catch (const std::exception&) {
            return false;
        }
    }
    return wanted.days >= 0 && wanted.days <= 400;
}

// Runs one pass over whatever the volumes and devices hold: its exit status.
int RunPass(CliContext& context, Volumes& volumes, DeviceIo& device, FileAttributes& attributes,
            char letter) {
    App& app = context.LoadedApp();
    ConsoleHost host(app, context.Codec(), std::cout);
    Collector collector(app, volumes, device, host, attributes);
    WatchDiscovery discovery(app, volumes, device, host, collector);
    if (letter != 0) {
        host.SetStatusText(Format(" New coming Disk-%c:", letter));
        if (!discovery.IsWatchDisk(letter)) return kExitNotAWatch;
        app.watch.currentDrive = letter;
        collector.CollectFromWatch();
    } else {
        discovery.ScanForWatch();
        if (app.watch.currentDrive == kNoDrive) return kExitNotAWatch;
    }
    discovery.Shutdown();
    const PassOutcome& pass = collector.LastPass();
    for (const std::string& problem : pass.problems) std::cerr << "kiro:" << context.Utf8(problem) << "\n";
    if (pass.busy) return kExitFolderBusy;
    return pass.Complete() ? kExitDone : kExitFailed;
}

struct CollectArgs {
    std::string path;
    std::string device;
    std::string simDevice;
    std::string simState;
    bool plugInAgain = false;
};

int CollectFromFolder(CliContext& context, const std::string& path) {
    sim::SimulatedMachine disks;  // the folder, presented as a removable drive letter
    const char letter = disks.volumes.Mount(path);
    const int status =
        RunPass(context, disks.volumes, disks.devices, context.Platform().Attributes(), letter);
    if (status == kExitNotAWatch) std::cerr << "kiro: " << path << " is not a watch disk\n";
    return status;
}

int CollectFromDevice(CliContext& context, const std::string& devicePath) {
    sim::SimulatedMachine disks;  // only to name the device path as a disk without a volume
    disks.volumes.AddUnmountedDisk(devicePath);
    CliPlatform& platform = context.Platform();
    const int status = RunPass(context, disks.volumes, platform.Devices(), platform.Attributes(), 0);
    if (status == kExitNotAWatch) std::cerr << "kiro: " << devicePath << " is not an X5 watch\n";
    return status;
}

int CollectFromSimulatedWatch(CliContext& context, const CollectArgs& args) {
    SimulatedWatchSpec wanted;
    if (!ParseSimulatedWatch(args.simDevice, wanted)) {
        std::cerr << "kiro: cannot read the simulated watch '" << args.simDevice
                  << "' (x5c or x5e, then :days=N :seed=S :collect=0|1 :serial=N)\n";
        return kExitFailed;
    }
    // The state is read and written whole: a pipe or device in its place would hang the run.
    std::error_code statusError;
    const auto stateKind = std::filesystem::symlink_status(args.simState, statusError);
    if (!args.simState.empty() && std::filesystem::exists(stateKind) &&
        !std::filesystem::is_regular_file(stateKind)) {
        std::cerr << "kiro: --sim-state " << args.simState << " is not a regular file\n";
        return kExitFailed;
    }
    App& app = context.LoadedApp();
    sim::DeviceModeWatch watch(app.SystemClock(), sim::DeviceWatchOptions{wanted.model, wanted.collect, 0});
    watch.SetSerial(wanted.serial);
    const bool loaded = !args.simState.empty() && watch.LoadState(args.simState);
    if (!loaded) {
        // Days of generated steps ending yesterday.
        const LocalTime start = AddDays(app.SystemClock().Now(), -wanted.days);
        for (const auto& day :
             sim::GenerateDays(start.year, start.month, start.day, wanted.days, wanted.seed))
            watch.Record(day);
    }
    sim::SimulatedMachine machine;
    // A watch kept in a state file stays plugged in between two calls, as a real one does
    // between two runs, unless it is said to have been plugged in again.
    if (loaded && !args.plugInAgain && watch.Connection() > 0)
        machine.AttachWithoutVolume(watch);
    else
        machine.PlugInWithoutVolume(watch);
    PersistedWatchIo device(machine.devices, watch, args.simState);
    const int status = RunPass(context, machine.volumes, device, machine.attributes, 0);
    if (!args.simState.empty() && !watch.SaveState(args.simState)) {
        std::cerr << "kiro: cannot write " << args.simState << "\n";
        return kExitFailed;
    }
    return status;
}

}  // namespace

void AddCollectCommand(CLI::App& cli, CliContext& context) {
    auto args = std::make_shared<CollectArgs>();
    CLI::App* collect = cli.add_subcommand("collect", "Collect the steps of a watch into the program folder");
    auto* path = collect->add_option("PATH", args->path, "Folder where a file-mode watch disk is mounted");
    auto* device = collect->add_option("--device", args->device, "Device node of a device-mode watch");
    auto* sim = collect->add_option("--sim-device", args->simDevice,
                                    "A simulated device-mode watch: x5c|x5e[:days=N][:seed=S][:collect=0|1]");
    collect->add_option("--sim-state", args->simState, "File that keeps the simulated watch between calls");
    collect->add_flag(
        "--plug-in-again", args->plugInAgain,
        "The simulated watch of --sim-state was unplugged and plugged in again since the last call");
    path->excludes(device)->excludes(sim);
    device->excludes(sim);
    collect->callback([args, &context] {
        int status = 0;
        if (!args->simDevice.empty())
            status = CollectFromSimulatedWatch(context, *args);
        else if (!args->device.empty())
            status = CollectFromDevice(context, args->device);
        else if (!args->path.empty())
            status = CollectFromFolder(context, args->path);
        else
            throw CLI::ValidationError("collect", "give PATH, --device DEV or --sim-device MODEL");
        if (status != kExitDone) throw CLI::RuntimeError(status);
    });
}

void AddWatchSettingsCommand(CLI::App& cli, CliContext& context) {
    auto path = std::make_shared<std::string>();
    CLI::App* command = cli.add_subcommand("watch-settings", "Print the settings of a file-mode watch disk");
    command->add_option("PATH", *path, "Folder where the watch disk is mounted")->required();
    command->callback([path, &context] {
        WatchSettings settings;
        if (const std::error_code error = ReadClockFileAt(context.Files(), *path, settings)) {
            std::cerr << "kiro watch-settings: cannot read the CLOCK.TXT of " << *path << ": "
                      << error.message() << "\n";
            throw CLI::RuntimeError(kExitFailed);
        }
        std::cout << DescribeWatchSettings(settings);
    });
}

}  // namespace kiro::cli
