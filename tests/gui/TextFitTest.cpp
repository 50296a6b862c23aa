// Every text of every page, dialog and window fits its box, in the three languages. The suite
// runs these once at the screen's own pixel density and once more at twice it (see
// tests/CMakeLists.txt), where fonts are measured anew.
#include <gtest/gtest.h>

#include <QAction>
#include <array>

#include "TextFit.h"
#include "WatchPageWorld.h"
#include "core/app/Language.h"
#include "core/base/Format.h"
#include "gui/boxes/CAskBox.h"
#include "gui/boxes/CAwardBox.h"
#include "gui/mainwindow/CPageTab.h"
#include "gui/mainwindow/GuiHost.h"
#include "gui/pages/CBatteryCurveDlg.h"
#include "gui/pages/CDisplaySimDlg.h"
#include "gui/pages/CFactoryDlg.h"
#include "gui/pages/CReportPage.h"
#include "gui/pages/CSleepDlg.h"
#include "mainwindow/MainWindowWorld.h"
#include "platform/sim/DeviceModeWatch.h"
#include "platform/sim/FileModeWatch.h"

namespace kiro::gui {
namespace {

constexpr int kLanguages[] = {kEnglish, kTraditionalChinese, kSimplifiedChinese};

std::string LanguageName(int language) {
    return language == kEnglish ? "English" : language == kTraditionalChinese ? "Traditional" : "Simplified";
}

// Both missions running, so that their running times and bars show.
void RunBothMissions(App& app, const Clock& clock) {
    for (const MissionId id : {MissionId::A, MissionId::B}) {
        MissionSettings mission;
        mission.mode = id == MissionId::A ? 0 : 1;
        mission.status = 1;
        mission.goes = id == MissionId::A ? 10000 : 2;
        mission.curSteps = 2500;
        mission.startTime = clock.TickCount();
        app.Config().SetMission(id, mission);
        app.Config().SetMissionProgress(id, 2500, 0);
    }
}

// The main window with every page in turn, without a watch and then with a device-mode watch
// (whose controls the setup page shows only then).
TEST(TextFitTest, EveryPageOfTheMainWindowInEveryLanguage) {
    for (const int language : kLanguages) {
        test::MainWindowWorld world;
        world.folder.Write("KiroMeter2.INI",
                           "[Personal]\nHeight=170\nWeight=60\nStepSize=70\n[Advance]\nLanguage=" +
                               std::to_string(language) + "\n");
        auto window = world.Open();
        window->Host().SetUnattended(true);
        window->Host().echo = [](const std::string&) {};
        window->show();
        RunBothMissions(*world.app, world.clock);
        window->Host().NotifyLanguageChanged();
        const auto checkPages = [&](const char* state) {
            for (int page = 0; page < kPageCount; ++page) {
                window->Pages().SwitchTo(page);
                const auto cuts = test::CutTextsUnder(*window);
                EXPECT_TRUE(cuts.empty())
                    << LanguageName(language) << ", " << state << ", page " << page << test::Describe(cuts);
            }
        };
        checkPages("no watch");

        world.app->Config().SetAutoConfirm(true);
        sim::DeviceModeWatch watch(world.clock, sim::DeviceWatchOptions{'E', true, 0});
        world.machine.PlugIn(watch, world.folder.Path() + "/volume");
        window->DeliverDeviceEvents();
        checkPages("a device-mode watch");
    }
}

TEST(TextFitTest, TheWindowsOpenedFromThePagesInEveryLanguage) {
    for (const int language : kLanguages) {
        test::WatchPageWorld world;
        world.app.Config().SetLanguageInMemory(language);
        const std::string name = LanguageName(language);
        const auto check = [&name](QWidget& window) {
            window.show();
            const auto cuts = test::CutTextsUnder(window);
            EXPECT_TRUE(cuts.empty())
                << name << ", " << window.metaObject()->className() << test::Describe(cuts);
        };

        // A night with its four results and the estimate.
        for (int minute = 18 * 60; minute < 23 * 60; ++minute) world.Store(2014, 5, 20, minute, {20});
        for (int minute = 6 * 60 + 30; minute < 12 * 60; ++minute) world.Store(2014, 5, 21, minute, {20});
        CSleepDlg sleep(world.Context(), 2014, 5, 20);
        check(sleep);

        std::array<uint8_t, 512> batteryPage{};
        batteryPage.fill(3);
        CBatteryCurveDlg battery(world.texts, batteryPage);
        check(battery);

        DisplayInput input;
        CDisplaySimDlg simulation(world.Context(), world.machine.volumes, input);
        check(simulation);

        // A watch set up: the status it shows until the watch is taken out.
        world.app.watch.eventsSuspended = true;
        FactoryAnimation animation;
        CFactoryDlg factory(world.Context(), world.Ports(), animation);
        factory.show();
        sim::FileModeWatch watch(world.DiskFolder("line"));
        world.machine.PlugIn(watch);
        world.DeliverEvents();
        check(factory);

        CAskBox ask;
        ask.SetCaption(world.texts.Get(TextId::DataCollection));
        ask.SetMessage(world.texts.Convert("Find Kiro USB Disk (Disk-E), Start to collect data ?"));
        check(ask);
        CAwardBox award(world.texts);
        award.SetMessage(world.texts.Get(TextId::MissionCompleted) + "-B");
        check(award);
    }
}

// The year view's headings and graph captions, and the question of a dropped steps file with its
// figures.
TEST(TextFitTest, TheYearViewAndTheImportQuestionInEveryLanguage) {
    for (const int language : kLanguages) {
        test::WatchPageWorld world;
        world.app.Config().SetLanguageInMemory(language);
        const std::string name = LanguageName(language);
        world.Store(2014, 12, 31, 600, {30000, 30000});
        CReportPage page(world.Context());
        page.resize(700, 500);
        page.show();
        test::Named<QAction>(page, "yearViewAction")->trigger();
        ASSERT_TRUE(page.InYearView());
        const auto cuts = test::CutTextsUnder(page);
        EXPECT_TRUE(cuts.empty()) << name << ", year view" << test::Describe(cuts);

        CAskBox ask;
        const App& app = world.app;
        ask.SetCaption(world.texts.Get(TextId::ImportCaption));
        const std::string figures =
            FormatText(app.GetLangText(TextId::ImportFigures), 365, 525600, 12345678, 1440);
        ask.SetMessage(world.texts.Convert(
            FormatText(app.GetLangText(TextId::ImportQuestion), "minuteStepsWide.csv", figures.c_str())));
        ask.show();
        const auto askCuts = test::CutTextsUnder(ask);
        EXPECT_TRUE(askCuts.empty()) << name << ", import question" << test::Describe(askCuts);
    }
}

}  // namespace
}  // namespace kiro::gui
