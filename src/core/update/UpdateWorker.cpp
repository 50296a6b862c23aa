#include "core/update/UpdateWorker.h"

namespace kiro {

UpdateWorker::UpdateWorker(FileSystem& files, HttpClient& http, const Clock& clock, ProcessInfo& process,
                           UpdateUi& ui)
    : process_(process), check_(files, http, clock, ui, stopping_) {}

UpdateWorker::~UpdateWorker() {
    Stop();
}

void UpdateWorker::Start(UpdateCheckSetup setup) {
    if (thread_.joinable()) return;
    thread_ = std::thread([this, setup = std::move(setup)] {
        process_.RaiseCurrentThreadPriority();
        check_.Run(setup);
        finished_ = true;
    });
}

void UpdateWorker::Stop() {
    stopping_ = true;
    if (thread_.joinable()) thread_.join();
}

UpdateCheckSetup UpdateSetupOf(const App& app, const ProcessInfo& process) {
    UpdateCheckSetup setup;
    setup.url = app.Config().ReadUpdateUrl();
    setup.autoConfirm = app.Config().Values().autoConfirm != 0;
    setup.programPath = process.OwnProgramPath();
    setup.tempFolder = app.Paths().TempFolder();
    return setup;
}

}  // namespace kiro
