#pragma once
#include <QPushButton>
#include <QRadioButton>
#include <cstdint>

#include "core/analysis/ReportBuilder.h"
#include "gui/mainwindow/CPage.h"
#include "gui/pages/PageContext.h"

namespace kiro::gui {

class CGraphCtrl;
class CGridListCtrl;

// The report page: the month, week or day around the date chosen in the main window's calendar,
// as a graph of steps per hour (or per minute) with a calorie scale, over a list of days or
// periods. Rows can be deleted from the store; the sleep analysis opens on the chosen day.
class CReportPage final : public CPage {
    Q_OBJECT
  public:
    CReportPage(const PageContext& context, QWidget* parent = nullptr);

    // The date or the data changed: rebuilt when something it shows changed.
    void OnDataChanged() override;
    // Texts again, and the report built afresh.
    void OnLanguageChanged() override;

    QPushButton* SleepButton() const { return sleep_; }

  protected:
    // A setting changed elsewhere (the slight-move threshold on the options page) shows as soon
    // as the page is.
    void showEvent(QShowEvent* event) override;

  private:
    void SetTexts();
    void Rebuild();
    void Show(const Report& report);
    void OnModeClicked(ReportMode mode);
    void OnDelete();
    void OnSleepAnalysis();

    PageContext context_;
    ReportBuilder builder_;
    ReportMode mode_;
    uint64_t shownGeneration_ = 0;
    CGraphCtrl* graph_;
    CGridListCtrl* list_;
    QRadioButton* radios_[3];
    QPushButton* delete_;
    QPushButton* sleep_;
};

}  // namespace kiro::gui
