#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "core/system/Clock.h"
#include "core/system/FileSystem.h"
#include "core/system/HttpClient.h"
#include "core/system/SignatureVerifier.h"
#include "core/update/ProgramKind.h"

namespace kiro {

// What the update check shows and asks while it runs on its own thread. The window's side
// carries each call over to the user-interface thread; the check never touches a widget.
class UpdateUi {
  public:
    virtual ~UpdateUi() = default;
    // The running program's own file cannot be read ("Open Fail").
    virtual void OwnProgramUnreadable() = 0;
    // The two stamps compared, for the settings file's Update section.
    virtual void RecordStamps(const std::string& local, const std::string& server) = 0;
    // The server has nothing newer: the progress bar says so.
    virtual void ShowNoNewVersion() = 0;
    // "Find a NEW version, start upgrade (Yes/No) ?": true for Yes. Gives up (false) as soon as
    // `stopping` is set, answered or not.
    virtual bool AskToDownload(const std::atomic<bool>& stopping) = 0;
    // The progress bar: its text on or off, its position 0..100, its caption.
    virtual void ShowProgressText(bool on) = 0;
    virtual void SetProgress(int position) = 0;
    virtual void SetProgressText(const std::string& text) = 0;
    // A new program is in tmp/KiroMeter_X5_TMP.BIN, to be put in place at exit.
    virtual void UpdateReady() = 0;
    // "Tool is updated, Close and ReStart it".
    virtual void ShowUpdatedNotice() = 0;
    // The user asked for the new build and it did not come (nothing of it was kept).
    virtual void ShowDownloadFailed() = 0;
    // The server has a newer build, but the running program's file is not this user's to
    // replace (installed for the whole system): its package manager updates it.
    virtual void ShowUpdateByPackageManager() = 0;
};

// What one check needs to know, taken when it starts.
struct UpdateCheckSetup {
    std::string url;
    bool autoConfirm = false;
    std::string programPath;  // the running program's file
    std::string tempFolder;   // tmp in the program folder
    // The look at the server's stamp ends as a failed check after this long in all.
    uint32_t checkLimitMs = 30 * 1000;
    // A download ends as failed once fewer bytes than this a second arrive on average over a
    // window of this length.
    uint32_t leastDownloadBytesPerSecond = 1024;
    uint32_t downloadRateWindowMs = 60 * 1000;
    // The build's key: when set, only a download whose signature (the address plus ".sig")
    // verifies is taken.
    const SignatureVerifier* signatures = nullptr;
};

inline constexpr const char* kUpdateAgent = "Update search";
inline constexpr const char* kDownloadName = "KiroMeter_X5_TMP.BIN";

// A stamp as the Update section records it: "0x%08X --> " and the local time it stands for as
// the C library's ctime writes it, "Www Mmm dd hh:mm:ss yyyy" (without the line feed ctime ends
// with, which would end the line inside the settings file).
std::string StampRecord(uint32_t stamp, const Clock& clock);

// The update check: compares the running program's stamp with that of the program file at the
// address, and, when the server's is newer and the user agrees, downloads it into the program
// folder's tmp folder. Only a program of the running program's own kind counts, its stamp read
// by the rule of the running program's format. A download is kept only when it came whole, is at
// least half as long as the running program, carries the very stamp the check saw, matches its
// own seal (length and SHA-256) and, where the build has a key, its signature; one that grows past
// 64 times the running program's length is given up there.
class UpdateCheck {
  public:
    UpdateCheck(FileSystem& files, HttpClient& http, const Clock& clock, UpdateUi& ui,
                const std::atomic<bool>& stopping);

    // The whole check and download.
    void Run(const UpdateCheckSetup& setup);

  private:
    struct Found {
        bool newer = false;
        uint32_t serverStamp = 0;
        ProgramKind kind;
    };
    Found CheckForUpdate(const UpdateCheckSetup& setup);
    bool Download(const UpdateCheckSetup& setup, uint64_t ownLength, const Found& found);
    // The detached signature of the build at the address; empty when none came.
    std::string FetchSignature(const UpdateCheckSetup& setup);
    HttpRequest Request(const std::string& url, std::function<bool()> overLimit) const;
    void Reset();

    FileSystem& files_;
    HttpClient& http_;
    const Clock& clock_;
    UpdateUi& ui_;
    const std::atomic<bool>& stopping_;
};

}  // namespace kiro
