#pragma once
#include <atomic>
#include <thread>

#include "core/app/App.h"
#include "core/system/ProcessInfo.h"
#include "core/update/UpdateCheck.h"

namespace kiro {

// The update check on its own thread, above normal priority where the system allows, started
// once at the start of the program. Nobody waits for it while the program runs; at the end the
// owner stops it, which ends a transfer within about a second, before what it uses goes away.
class UpdateWorker {
  public:
    UpdateWorker(FileSystem& files, HttpClient& http, const Clock& clock, ProcessInfo& process, UpdateUi& ui);
    ~UpdateWorker();
    UpdateWorker(const UpdateWorker&) = delete;
    UpdateWorker& operator=(const UpdateWorker&) = delete;

    void Start(UpdateCheckSetup setup);
    void Stop();
    bool Started() const { return thread_.joinable(); }
    // The check has ended, whatever its outcome.
    bool Finished() const { return finished_; }

  private:
    ProcessInfo& process_;
    std::atomic<bool> stopping_ = false;
    std::atomic<bool> finished_ = false;
    UpdateCheck check_;
    std::thread thread_;
};

// The check as the program's settings ask for it: their address and AutoConfirm, the running
// program's file and the program folder's tmp folder.
UpdateCheckSetup UpdateSetupOf(const App& app, const ProcessInfo& process);

}  // namespace kiro
