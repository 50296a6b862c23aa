#pragma once
// The main window over the simulated machine, in a fresh program folder on 20 May 2014.
#include <memory>

#include "../GuiTestSupport.h"
#include "core/app/App.h"
#include "gui/UiText.h"
#include "gui/mainwindow/CMainDlg.h"
#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FixedKeyboard.h"
#include "platform/sim/FixedLocale.h"
#include "platform/sim/FixedProcessInfo.h"
#include "platform/sim/OfflineHttpClient.h"
#include "platform/sim/SimulatedMachine.h"
#include "support/TempFolder.h"

namespace kiro::gui::test {

struct MainWindowWorld {
    MainWindowWorld() { EnsureQtApplication(); }

    std::unique_ptr<CMainDlg> Open() {
        app = std::make_unique<App>(folder.Path(), clock, locale, files);
        app->LoadSettings();
        texts = std::make_unique<UiText>(*app, codec);
        return std::make_unique<CMainDlg>(*app, *texts,
                                          GuiPorts{machine.volumes, machine.devices, machine.events,
                                                   machine.attributes, keyboard, http, process});
    }

    kiro::test::TempFolder folder;
    sim::FakeClock clock{LocalTime{2014, 5, 20, 9, 30, 15, 2}};
    sim::FixedLocale locale;
    NativeTextCodec codec;
    sim::SimulatedMachine machine;
    sim::FixedKeyboard keyboard;
    NativeFileSystem files;
    sim::OfflineHttpClient http;
    sim::FixedProcessInfo process;
    std::unique_ptr<App> app;
    std::unique_ptr<UiText> texts;
};

}  // namespace kiro::gui::test
