#pragma once
#include <iosfwd>

#include "core/app/App.h"
#include "core/system/Host.h"
#include "core/system/TextCodec.h"

namespace kiro::cli {

// The Host of the command line: every status text and message box becomes a line of output in
// UTF-8, every question is answered Yes (and printed with its answer), and there are no pages
// to notify or events to pump.
class ConsoleHost final : public Host {
  public:
    ConsoleHost(const App& app, const TextCodec& codec, std::ostream& out)
        : app_(app), codec_(codec), out_(out) {}

    void SetStatusText(const std::string& text) override;
    void SetDiskLabel(const std::string&) override {}
    void SetDiskLabelLargeFont() override {}
    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& caption, const std::string& message) override;
    bool AskQuestion(const std::string& caption, const std::string& message) override {
        return AskYesNo(caption, message);
    }
    void ShowAward(const std::string& text, AwardPicture) override { ShowMessage(text, ""); }
    void PumpMessages() override {}
    void NotifyDataChanged() override {}
    void NotifyLanguageChanged() override {}

  private:
    std::string Utf8(const std::string& text) const { return codec_.ToUtf8(text, app_.CurrentLanguage()); }

    const App& app_;
    const TextCodec& codec_;
    std::ostream& out_;
};

}  // namespace kiro::cli
