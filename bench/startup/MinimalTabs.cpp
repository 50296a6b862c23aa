// The yardstick of the start-up benchmarks: a minimal Qt 6 program of the desktop program's kind
// (a window of 7 tabs, a calendar and a 31 x 7 table), which reports its first paint the same way
// and ends. With --tabs-only: a window of 7 empty tabs alone, which stays open until it is ended
// (the race that watches for the first window from outside ends it).
#include <QApplication>
#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QTabWidget>
#include <QTableWidget>
#include <QWidget>
#include <cstring>

#include "gui/app/StartupProbe.h"
#include "gui/mainwindow/FirstPaintProbe.h"
#include "platform/linux/LinuxProcessInfo.h"

int main(int argc, char** argv) {
    const bool tabsOnly = argc == 2 && std::strcmp(argv[1], "--tabs-only") == 0;
    QApplication application(argc, argv);
    QTabWidget window;
    auto* first = new QWidget;
    if (!tabsOnly) {
        auto* layout = new QHBoxLayout(first);
        layout->addWidget(new QCalendarWidget);
        layout->addWidget(new QTableWidget(31, 7));
    }
    window.addTab(first, "Report");
    for (int tab = 1; tab < 7; ++tab) window.addTab(new QWidget, QString("Page %1").arg(tab));
    window.resize(900, 600);
    if (tabsOnly) {
        window.show();
        return QApplication::exec();
    }

    const kiro::linux_platform::LinuxProcessInfo process;
    new kiro::gui::FirstPaintProbe(window, [&process] {
        kiro::gui::PrintStartupFigures(process);
        QApplication::quit();
    });
    window.show();
    return QApplication::exec();
}
