#pragma once
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "gui/mainwindow/CPage.h"
#include "gui/pages/PageContext.h"

namespace kiro::gui {

// The wearer's birthday, height, weight and step size, which distances and calories are worked out
// from. Save keeps what each box begins with as a number, and the previous value where it begins
// with none; every page then recomputes with the new values.
class CPersonalPage final : public CPage {
    Q_OBJECT
  public:
    CPersonalPage(const PageContext& context, QWidget* parent = nullptr);

    void OnLanguageChanged() override { ShowPersonal(); }

  private:
    void ShowPersonal();
    void SavePersonal();

    PageContext context_;
    QLabel* birthdayLabel_;
    QDateEdit* birthday_;
    std::array<QLabel*, 3> labels_{};
    std::array<QLineEdit*, 3> boxes_{};
    std::array<QLabel*, 3> units_{};
    QPushButton* save_;
};

}  // namespace kiro::gui
