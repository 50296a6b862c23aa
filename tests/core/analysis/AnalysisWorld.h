#pragma once
// A fresh program folder with its App (weight 60 kg, step size 70 cm), a still clock and a
// scripted Host, for the analysis tests.
#include "core/app/App.h"
#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FixedLocale.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"

namespace kiro::test {

struct AnalysisWorld {
    TempFolder folder;
    sim::FakeClock clock;
    sim::FixedLocale locale;
    NativeFileSystem files;
    App app{folder.Path(), clock, locale, files};
    ScriptedHost host;

    AnalysisWorld() {
        app.LoadSettings();
        app.Config().SetPersonal(20000201, 170, 60, 70);
    }

    // Adds counts to consecutive minutes of a stored month, from `minuteOfDay` of `day` on.
    void Store(int year, int month, int day, int minuteOfDay, std::initializer_list<int> counts) {
        MonthBuffer buffer = app.Store().LoadMonth(year, month).buffer;
        int slot = (day - 1) * kMinutesPerDay + minuteOfDay;
        for (int count : counts) AddToSlotIndex(buffer, slot++, count);
        app.Store().SaveMonth(year, month, buffer);
    }
};

}  // namespace kiro::test
