#pragma once
#include <QLabel>
#include <QPushButton>

#include "gui/mainwindow/CPage.h"
#include "gui/pages/PageContext.h"

namespace kiro::gui {

// The running totals since the last reset: steps, distance, walking time and calories, with the
// Reset that clears them and the whole store.
class CSummaryPage final : public CPage {
    Q_OBJECT
  public:
    CSummaryPage(const PageContext& context, QWidget* parent = nullptr);

    void OnDataChanged() override { Refresh(); }
    void OnLanguageChanged() override { Refresh(); }

  private:
    void Refresh();
    void OnReset();

    PageContext context_;
    QLabel* labels_[4];
    QLabel* values_[4];
    QPushButton* reset_;
};

}  // namespace kiro::gui
