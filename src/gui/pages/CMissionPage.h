#pragma once
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <array>

#include "core/analysis/Missions.h"
#include "gui/mainwindow/CPage.h"
#include "gui/pages/PageContext.h"

namespace kiro::gui {

class CColorStatic;
class CPercentBar;

// The two missions, A and B: each a kind of target (steps, distance, time, calories), a target
// value, Start and Stop, and while it runs a bar with the percentage reached and the time it has
// been running. A running mission at 100 % is congratulated at every refresh until it is stopped.
class CMissionPage final : public CPage {
    Q_OBJECT
  public:
    // How often the running times are brought up to date.
    static constexpr int kMissionTimerMs = 30000;

    CMissionPage(const PageContext& context, QWidget* parent = nullptr);

    void OnLanguageChanged() override { Refresh(); }

  private:
    // The controls of one mission, named with its letter: missionGroupA, startButtonB, ...
    struct Panel {
        QGroupBox* group = nullptr;
        std::array<QRadioButton*, 4> kinds{};
        QLabel* targetLabel = nullptr;
        QLineEdit* target = nullptr;
        QPushButton* start = nullptr;
        QPushButton* stop = nullptr;
        CPercentBar* bar = nullptr;
        CColorStatic* status = nullptr;
    };

    static int Index(MissionId id) { return id == MissionId::A ? 0 : 1; }
    void BuildPanel(MissionId id, int left);
    MissionKind KindChosen(MissionId id) const;
    void SetTargetLabels();
    void Refresh();
    void UpdateRunningTimes();
    void OnStart(MissionId id);
    void OnStop(MissionId id);

    PageContext context_;
    std::array<Panel, 2> panels_{};
    QTimer* timer_;
};

}  // namespace kiro::gui
