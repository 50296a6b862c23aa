#pragma once
#include <QDialog>

#include "core/app/App.h"
#include "gui/UiText.h"

class QTabWidget;

namespace kiro::gui {

// The program's main window: title, the seven pages under their tabs.
class CMainDlg : public QDialog {
    Q_OBJECT
public:
    CMainDlg(App& app, const UiText& texts, QWidget* parent = nullptr);

    // Sets the title and the tab captions again in the current language.
    void ApplyLanguage();

private:
    App& app_;
    const UiText& texts_;
    QTabWidget* tabs_;
};

}  // namespace kiro::gui
