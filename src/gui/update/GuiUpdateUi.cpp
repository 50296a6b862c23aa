#include "gui/update/GuiUpdateUi.h"

#include <QMetaObject>
#include <chrono>
#include <memory>
#include <thread>

#include "core/base/Format.h"

namespace kiro::gui {

GuiUpdateUi::GuiUpdateUi(App& app, const UiText& texts, GuiHost& host, CPercentBar& bar, QObject& context)
    : app_(app), texts_(texts), host_(host), bar_(bar), context_(context) {}

void GuiUpdateUi::Post(std::function<void()> call) {
    QMetaObject::invokeMethod(&context_, std::move(call), Qt::QueuedConnection);
}

void GuiUpdateUi::OwnProgramUnreadable() {
    Post([this] { host_.ShowMessage("Open Fail", app_.GetLangText(TextId::Message)); });
}

void GuiUpdateUi::RecordStamps(const std::string& local, const std::string& server) {
    Post([this, local, server] {
        if (const std::error_code error = app_.Config().WriteUpdateRecord(local, server))
            host_.SetStatusText(
                FormatText(app_.GetLangText(TextId::FolderNotUpdated), error.message().c_str()));
    });
}

void GuiUpdateUi::ShowNoNewVersion() {
    Post([this] {
        bar_.ShowText(true);
        bar_.SetText(texts_.Get(TextId::NoNewVersion));
    });
}

bool GuiUpdateUi::AskToDownload(const std::atomic<bool>& stopping) {
    // 0 while the question is open, then 1 for Yes or 2 for No; shared with the queued call, which
    // may run after this thread gave up waiting.
    auto answer = std::make_shared<std::atomic<int>>(0);
    Post([this, answer] {
        const bool yes = host_.AskYesNo(app_.GetLangText(TextId::UpgradeCaption),
                                        app_.GetLangText(TextId::UpgradeQuestion));
        *answer = yes ? 1 : 2;
    });
    while (*answer == 0) {
        if (stopping) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return *answer == 1;
}

void GuiUpdateUi::ShowProgressText(bool on) {
    Post([this, on] { bar_.ShowText(on); });
}

void GuiUpdateUi::SetProgress(int position) {
    Post([this, position] {
        bar_.SetPos(position);
        bar_.update();
    });
}

void GuiUpdateUi::SetProgressText(const std::string& text) {
    Post([this, text] { bar_.SetText(texts_.Convert(text)); });
}

void GuiUpdateUi::UpdateReady() {
    // Read at exit, after the check's thread has ended.
    app_.updateReady = true;
}

void GuiUpdateUi::ShowUpdatedNotice() {
    Post([this] {
        host_.ShowMessage(app_.GetLangText(TextId::UpdatedNotice), app_.GetLangText(TextId::Message));
    });
}

void GuiUpdateUi::ShowDownloadFailed() {
    Post([this] {
        bar_.SetPos(0);
        bar_.ShowText(true);
        bar_.SetText(texts_.Get(TextId::DownloadFailed));
    });
}

void GuiUpdateUi::ShowUpdateByPackageManager() {
    Post([this] {
        bar_.ShowText(true);
        bar_.SetText(texts_.Get(TextId::UpdateByPackageManager));
    });
}

}  // namespace kiro::gui
