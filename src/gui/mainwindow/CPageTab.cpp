#include "gui/mainwindow/CPageTab.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace kiro::gui {

CPageTab::CPageTab(QWidget* parent)
    : QWidget(parent), tabBar_(new QTabBar(this)), stack_(new QStackedWidget(this)) {
    tabBar_->setObjectName(QStringLiteral("pageTabBar"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tabBar_);
    layout->addWidget(stack_, 1);
    stack_->setFrameShape(QFrame::StyledPanel);
    tabBar_->setExpanding(false);
    // The seven captions share the width of the page area in one row: the bar never scrolls.
    tabBar_->setUsesScrollButtons(false);
    QFont captionFont = tabBar_->font();
    captionFont.setPointSizeF(captionFont.pointSizeF() * 0.85);
    tabBar_->setFont(captionFont);
    tabBar_->setFocusPolicy(Qt::StrongFocus);
    // A left click on a tab switches the page; keyboard moves only move the highlight. The tab bar
    // reports clicks of every button, so the press itself says which button it was.
    tabBar_->installEventFilter(this);
    connect(tabBar_, &QTabBar::tabBarClicked, this, [this](int index) {
        if (pressedButton_ != Qt::LeftButton) return;
        if (index >= 0) tabBar_->setCurrentIndex(index);
        SwitchTo(index);
    });
}

bool CPageTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tabBar_ && event->type() == QEvent::MouseButtonPress)
        pressedButton_ = static_cast<QMouseEvent*>(event)->button();
    if (watched == tabBar_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            SwitchTo(tabBar_->currentIndex());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CPageTab::SetPages(std::array<PageMaker, kPageCount> makers, int shown) {
    makers_ = std::move(makers);
    for (int index = 0; index < kPageCount; ++index) {
        stack_->addWidget(new QWidget);
        tabBar_->addTab(QString());
    }
    current_ = shown;
    tabBar_->setCurrentIndex(shown);
    Page(shown);
    stack_->setCurrentIndex(shown);
}

CPage* CPageTab::Page(int index) {
    if (pages_[index] != nullptr) return pages_[index];
    CPage* page = makers_[index](stack_);
    QWidget* standIn = stack_->widget(index);
    stack_->insertWidget(index, page);
    stack_->removeWidget(standIn);
    delete standIn;
    pages_[index] = page;
    if (index == current_) stack_->setCurrentIndex(index);
    emit PageMade(index);
    return page;
}

bool CPageTab::MakeNextPage() {
    for (int index = 0; index < kPageCount; ++index) {
        if (IsMade(index)) continue;
        Page(index);
        return true;
    }
    return false;
}

void CPageTab::SetCaption(int index, const QString& caption) {
    tabBar_->setTabText(index, caption);
}

void CPageTab::SwitchTo(int index) {
    if (index < 0 || index >= kPageCount || index == current_) return;
    // Leaving the options page makes it take over what was typed there.
    if (current_ == kUserOptionsPage && IsMade(kUserOptionsPage))
        pages_[kUserOptionsPage]->OnLanguageChanged();
    current_ = index;
    tabBar_->setCurrentIndex(index);
    CPage* page = Page(index);
    stack_->setCurrentIndex(index);
    page->setFocus();
    emit PagesRetexted();
}

// A page not made yet is made with the state as it is then: it needs no notification before.
void CPageTab::SendDataChanged() {
    for (CPage* page : pages_)
        if (page != nullptr) page->OnDataChanged();
    emit PagesRetexted();
}

void CPageTab::SendLanguageChanged() {
    for (CPage* page : pages_)
        if (page != nullptr) page->OnLanguageChanged();
    emit PagesRetexted();
}

void CPageTab::SendDateChanged() {
    if (IsMade(kReportPage)) pages_[kReportPage]->OnDataChanged();
    emit PagesRetexted();
}

}  // namespace kiro::gui
