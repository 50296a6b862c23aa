#pragma once
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/update/UpdateCheck.h"

namespace kiro::test {

// Records what the update check shows and asks, in order, and answers its question as told.
// Everything is called on the check's thread, the hooks too: another thread learns of progress
// through onProgress, never by reading what is recorded while the check runs.
struct RecordingUpdateUi final : UpdateUi {
    void OwnProgramUnreadable() override { Log("Open Fail"); }
    void RecordStamps(const std::string& localRecord, const std::string& serverRecord) override {
        local = localRecord;
        server = serverRecord;
        Log("stamps");
    }
    void ShowNoNewVersion() override { Log("no new version"); }
    bool AskToDownload(const std::atomic<bool>&) override {
        Log("question");
        if (onQuestion) onQuestion();
        return answer;
    }
    void ShowProgressText(bool on) override { Log(on ? "text on" : "text off"); }
    void SetProgress(int position) override {
        positions.push_back(position);
        if (onProgress) onProgress(position);
    }
    void SetProgressText(const std::string& text) override { Log("text: " + text); }
    void UpdateReady() override { Log("ready"); }
    void ShowUpdatedNotice() override { Log("notice"); }
    void ShowDownloadFailed() override { Log("download failed"); }
    void ShowUpdateByPackageManager() override { Log("package manager"); }

    void Log(const std::string& line) { log.push_back(line); }
    bool Said(const std::string& line) const { return std::find(log.begin(), log.end(), line) != log.end(); }

    std::vector<std::string> log;
    std::vector<int> positions;
    std::string local;
    std::string server;
    bool answer = true;
    std::function<void()> onQuestion;
    std::function<void(int position)> onProgress;
};

}  // namespace kiro::test
