#pragma once
#include <QObject>
#include <functional>

#include "core/app/App.h"
#include "core/update/UpdateCheck.h"
#include "gui/UiText.h"
#include "gui/controls/CPercentBar.h"
#include "gui/mainwindow/GuiHost.h"

namespace kiro::gui {

// The update check's traces in the window: the main window's progress bar, the question, the
// notices, the Update record and the update-ready flag. Called on the check's thread, it hands
// every change to the user-interface thread as a queued call on `context`; a call still waiting
// when `context` goes away is dropped.
class GuiUpdateUi final : public UpdateUi {
  public:
    GuiUpdateUi(App& app, const UiText& texts, GuiHost& host, CPercentBar& bar, QObject& context);

    void OwnProgramUnreadable() override;
    void RecordStamps(const std::string& local, const std::string& server) override;
    void ShowNoNewVersion() override;
    bool AskToDownload(const std::atomic<bool>& stopping) override;
    void ShowProgressText(bool on) override;
    void SetProgress(int position) override;
    void SetProgressText(const std::string& text) override;
    void UpdateReady() override;
    void ShowUpdatedNotice() override;
    void ShowDownloadFailed() override;
    void ShowUpdateByPackageManager() override;

  private:
    void Post(std::function<void()> call);

    App& app_;
    const UiText& texts_;
    GuiHost& host_;
    CPercentBar& bar_;
    QObject& context_;
};

}  // namespace kiro::gui
