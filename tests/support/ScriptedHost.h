#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/system/Host.h"

namespace kiro::test {

// A Host that answers questions from a script and records everything the core shows, in
// order, as lines such as "status: ...", "label: ...", "message: ...", "ask: ..." (the program's
// own box), "question: ..." (the system's box),
// "data-changed", "language-changed".
class ScriptedHost final : public Host {
  public:
    void SetStatusText(const std::string& text) override { Record("status: " + text); }
    void SetDiskLabel(const std::string& text) override { Record("label: " + text); }
    void SetDiskLabelLargeFont() override {}
    void ShowMessage(const std::string& text, const std::string&) override { Record("message: " + text); }
    bool AskYesNo(const std::string&, const std::string& message) override {
        return Answer("ask: " + message);
    }
    bool AskQuestion(const std::string&, const std::string& message) override {
        return Answer("question: " + message);
    }
    void ShowAward(const std::string& text, AwardPicture picture) override {
        Record("award: " + text + (picture == AwardPicture::Rosette ? " (rosette)" : " (trophy)"));
    }
    void PumpMessages() override;
    void NotifyDataChanged() override { Record("data-changed"); }
    void NotifyLanguageChanged() override { Record("language-changed"); }

    // Answers for the next questions; when they run out, every question is answered Yes.
    std::deque<bool> answers;
    // Runs inside PumpMessages, as pending events would (once per pump while set).
    std::function<void()> onPump;

    const std::vector<std::string>& Log() const { return log_; }
    std::vector<std::string> Lines(const std::string& prefix) const;
    int Count(const std::string& line) const;
    void Clear() { log_.clear(); }

  private:
    void Record(const std::string& line) { log_.push_back(line); }
    bool Answer(const std::string& line);
    std::vector<std::string> log_;
    bool pumping_ = false;
};

}  // namespace kiro::test
