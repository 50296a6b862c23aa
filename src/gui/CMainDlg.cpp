#include "gui/CMainDlg.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace kiro::gui {
namespace {
// UI texts of the tab captions, in tab order.
constexpr int kTabCaptions[7] = {23, 24, 25, 26, 72, 59, 99};
}  // namespace

CMainDlg::CMainDlg(App& app, const UiText& texts, QWidget* parent)
    : QDialog(parent), app_(app), texts_(texts), tabs_(new QTabWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    for (int i = 0; i < 7; ++i) tabs_->addTab(new QWidget(tabs_), QString());
    resize(1000, 560);
    ApplyLanguage();
}

void CMainDlg::ApplyLanguage() {
    setWindowTitle(texts_.Convert(app_.WindowTitle()));
    for (int i = 0; i < 7; ++i) tabs_->setTabText(i, texts_.Get(kTabCaptions[i]));
}

}  // namespace kiro::gui
