#pragma once
#include <QLabel>

#include "gui/UiText.h"
#include "gui/mainwindow/CPage.h"

namespace kiro::gui {

// A page whose controls are not built yet: it shows its tab caption and follows language
// changes.
class PlaceholderPage final : public CPage {
    Q_OBJECT
  public:
    PlaceholderPage(const UiText& texts, int captionText, QWidget* parent = nullptr);
    void OnLanguageChanged() override;

  private:
    const UiText& texts_;
    int captionText_;
    QLabel* caption_;
};

}  // namespace kiro::gui
