#pragma once
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "core/analysis/ReportBuilder.h"
#include "core/analysis/YearReport.h"
#include "gui/mainwindow/CPage.h"
#include "gui/pages/PageContext.h"

class QAction;
class QMenu;

namespace kiro::gui {

class CGraphCtrl;
class CGridListCtrl;

// The report page: the month, week or day around the date chosen in the main window's calendar,
// as a graph of steps per hour (or per minute) with a calorie scale, over a list of days or
// periods. Rows can be deleted from the store; the sleep analysis opens on the chosen day. The
// graph's context menu shows the year of the chosen day instead (a bar and a row for each
// month), until another day or a mode is chosen, and saves the graph as a picture.
class CReportPage final : public CPage {
    Q_OBJECT
  public:
    CReportPage(const PageContext& context, QWidget* parent = nullptr);

    // The date or the data changed: rebuilt when something it shows changed.
    void OnDataChanged() override;
    // Texts again, and the report built afresh.
    void OnLanguageChanged() override;

    QPushButton* SleepButton() const { return sleep_; }
    // The graph's context menu, which a right click on the graph pops up.
    QMenu* GraphMenu() const { return graphMenu_; }
    bool InYearView() const { return yearView_.has_value(); }

    // Where a picture of the graph is saved (a name ending .png or .svg); nothing when the user
    // cancelled. A test replaces the system's file chooser.
    std::function<std::optional<QString>()> choosePictureFile;

  protected:
    // A setting changed elsewhere (the slight-move threshold on the options page) shows as soon
    // as the page is.
    void showEvent(QShowEvent* event) override;

  private:
    // What a year on show was built from: it is built again when any of it changed.
    struct YearKey {
        int year;
        uint64_t storeRevision;
        int slightMoving, weight, stepSize;
        friend bool operator==(const YearKey&, const YearKey&) = default;
    };

    void SetTexts();
    void Rebuild();
    void RebuildYear();
    void Show(const Report& report);
    void ShowYear(const YearReport& report);
    // Gives the list `count` rows, whose texts and background `textsOf` makes when the list first
    // needs a row.
    void ShowRows(int count, std::function<std::pair<std::array<std::string, 7>, Rgb>(int index)> textsOf);
    void DrawGraph(const GraphSetup& setup, const std::vector<GraphLine>& lines);
    void OnModeClicked(ReportMode mode);
    void OnYearView();
    void LeaveYearView();
    void OnSavePicture();
    void OnDelete();
    void OnSleepAnalysis();

    PageContext context_;
    ReportBuilder builder_;
    ReportMode mode_;
    uint64_t shownGeneration_ = 0;
    // The day chosen when the year view was asked for; none while the mode's report shows.
    std::optional<LocalTime> yearView_;
    std::optional<YearKey> shownYear_;
    // The graph as drawn last, for its picture.
    GraphSetup shownGraph_;
    std::vector<GraphLine> shownLines_;
    CGraphCtrl* graph_;
    CGridListCtrl* list_;
    QRadioButton* radios_[3];
    QPushButton* delete_;
    QPushButton* sleep_;
    QMenu* graphMenu_;
    QAction* yearViewAction_;
    QAction* savePictureAction_;
};

}  // namespace kiro::gui
