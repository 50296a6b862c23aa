#pragma once
// A program folder, its App and texts, a scripted user and a keyboard, for the pages and dialogs
// of the window: a person of 170 cm, 60 kg and 70 cm steps, on 20 May 2014.
#include "GuiTestSupport.h"
#include "core/app/App.h"
#include "gui/UiText.h"
#include "gui/pages/PageContext.h"
#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FixedKeyboard.h"
#include "platform/sim/FixedLocale.h"
#include "support/FaultyFileSystem.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"

namespace kiro::gui::test {

struct PageWorld {
    PageWorld() {
        EnsureQtApplication();
        app.LoadSettings();
        app.Config().SetPersonal(20000201, 170, 60, 70);
        app.selectedDate = LocalTime{2014, 5, 20, 0, 0, 0, 2};
    }
    PageContext Context() { return {app, texts, host, keyboard}; }
    // Adds counts to consecutive minutes of a stored month, from `minuteOfDay` of `day` on.
    void Store(int year, int month, int day, int minuteOfDay, std::initializer_list<int> counts) {
        MonthBuffer buffer = app.Store().LoadMonth(year, month).buffer;
        int slot = (day - 1) * kMinutesPerDay + minuteOfDay;
        for (int count : counts) AddToSlotIndex(buffer, slot++, count);
        app.Store().SaveMonth(year, month, buffer);
    }

    kiro::test::TempFolder folder;
    sim::FakeClock clock{LocalTime{2014, 5, 20, 9, 30, 15, 2}};
    sim::FixedLocale locale;
    NativeFileSystem realFiles;
    kiro::test::FaultyFileSystem files{realFiles};
    NativeTextCodec codec;
    App app{folder.Path(), clock, locale, files};
    UiText texts{app, codec};
    kiro::test::ScriptedHost host;
    sim::FixedKeyboard keyboard;
};

}  // namespace kiro::gui::test
