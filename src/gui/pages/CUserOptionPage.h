#pragma once
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <array>
#include <functional>

#include "gui/mainwindow/CPage.h"
#include "gui/pages/PageContext.h"

namespace kiro::gui {

// The user's options: the language of the whole program (radios, and each language's name as a
// picture that can be clicked), the update check, the confirmation questions, and the slight-move
// threshold of the reports. Each change is stored at once; the threshold typed is taken whenever
// the texts are applied (leaving the page, a language click).
class CUserOptionPage final : public CPage {
    Q_OBJECT
  public:
    // `languageSelected` makes the main window follow a new language: title, tab captions, calendar.
    CUserOptionPage(const PageContext& context, std::function<void()> languageSelected,
                    QWidget* parent = nullptr);

    void OnLanguageChanged() override { ApplyTexts(); }

    // Selects a language as a click on its radio or picture does.
    void SelectLanguage(int language);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void ShowLanguage();
    void ApplyTexts();

    PageContext context_;
    std::function<void()> languageSelected_;
    std::array<QRadioButton*, 3> radios_{};
    std::array<QLabel*, 3> pictures_{};
    QLabel* localeReport_;
    QCheckBox* upgrade_;
    QCheckBox* autoConfirm_;
    QLabel* slightLabel_;
    QLineEdit* slightMoving_;
    QLabel* slightUnit_;
};

}  // namespace kiro::gui
