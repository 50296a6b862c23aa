#pragma once
// A fresh program folder with its App, a still clock and a Host whose answers the test sets, for
// the analysis tests.
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "core/app/App.h"
#include "core/system/Host.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FixedLocale.h"
#include "support/TempFolder.h"

namespace kiro::test {

class AnsweringHost final : public Host {
  public:
    std::deque<bool> answers;  // the next answers to questions; No when none is left
    std::vector<std::pair<std::string, std::string>> questions;  // caption, message

    void SetStatusText(const std::string&) override {}
    void SetDiskLabel(const std::string&) override {}
    void SetDiskLabelLargeFont() override {}
    void ShowMessage(const std::string&, const std::string&) override {}
    bool AskYesNo(const std::string& caption, const std::string& message) override {
        questions.emplace_back(caption, message);
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void PumpMessages() override {}
    void NotifyDataChanged() override {}
    void NotifyLanguageChanged() override {}
};

struct AnalysisWorld {
    TempFolder folder;
    sim::FakeClock clock;
    sim::FixedLocale locale;
    App app{folder.Path(), clock, locale};
    AnsweringHost host;

    AnalysisWorld() { app.LoadSettings(); }

    // Adds steps to minutes of a stored month, day `day` from `hour`:`minute` on.
    void Store(int year, int month, int day, int hour, int minute, std::initializer_list<int> counts) {
        MonthBuffer buffer = app.Store().LoadMonth(year, month).buffer;
        int slot = MonthBuffer::SlotIndex(day, hour, minute);
        for (int count : counts) AddToSlotIndex(buffer, slot++, count);
        app.Store().SaveMonth(year, month, buffer);
    }
};

}  // namespace kiro::test
