// The main window without a mouse: every page opened from the tab bar, its controls visited once
// each by Tab in the order a reader meets them, and the picture editor drawn with keys.
#include <gtest/gtest.h>

#include <QTabBar>
#include <QTest>
#include <algorithm>

#include "ControlWalk.h"
#include "WatchPageWorld.h"
#include "gui/mainwindow/CPageTab.h"
#include "gui/pages/CPersonalGraphicPage.h"
#include "mainwindow/MainWindowWorld.h"
#include "support/TimeLimits.h"

namespace kiro::gui {
namespace {

QRect OnPage(const QWidget& widget, const QWidget& page) {
    return QRect(widget.mapTo(&page, QPoint()), widget.size());
}

bool Overlap(int from1, int to1, int from2, int to2) {
    return from1 < to2 && from2 < to1;
}

// Going from `from` to `to` does not run backwards: within a row it goes right, within a column
// it goes down. Between controls that share neither (a new column, a new group) anything goes.
bool ReadsOnward(const QRect& from, const QRect& to) {
    if (Overlap(from.top(), from.bottom() + 1, to.top(), to.bottom() + 1)) return to.left() >= from.left();
    if (Overlap(from.left(), from.right() + 1, to.left(), to.right() + 1)) return to.top() >= from.top();
    return true;
}

std::string Describe(const QWidget& widget, const QWidget& page) {
    const QRect at = OnPage(widget, page);
    return QStringLiteral("%1 \"%2\" at %3,%4")
        .arg(QString::fromLatin1(widget.metaObject()->className()), widget.accessibleName())
        .arg(at.x())
        .arg(at.y())
        .toStdString();
}

class KeyboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = world.Open();
        window->show();
        ASSERT_TRUE(
            QTest::qWaitForWindowActive(window.get(), kiro::test::TimeLimitMs(std::chrono::seconds(5))));
    }
    QTabBar* Tabs() { return test::Named<QTabBar>(*window, "pageTabBar"); }
    // Opens a page from the tab bar with the arrow keys and Enter.
    void OpenWithKeys(int index) {
        Tabs()->setFocus();
        while (Tabs()->currentIndex() < index) QTest::keyClick(Tabs(), Qt::Key_Right);
        while (Tabs()->currentIndex() > index) QTest::keyClick(Tabs(), Qt::Key_Left);
        QTest::keyClick(Tabs(), Qt::Key_Return);
    }
    // The controls of a page that Tab reaches from the tab bar, in order, until it leaves the page.
    std::vector<QWidget*> TabThrough(QWidget& page) {
        Tabs()->setFocus();
        std::vector<QWidget*> visited;
        for (int presses = 0; presses < 100; ++presses) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focus = QApplication::focusWidget();
            if (!focus || !page.isAncestorOf(focus)) break;
            // A date edit takes Tab from section to section before it lets go.
            if (visited.empty() || visited.back() != focus) visited.push_back(focus);
        }
        return visited;
    }

    test::MainWindowWorld world;
    std::unique_ptr<CMainDlg> window;
};

TEST_F(KeyboardTest, EnterOrSpaceOpensTheHighlightedPage) {
    OpenWithKeys(kSetupPage);
    EXPECT_EQ(window->Pages().CurrentPage(), kSetupPage);
    Tabs()->setFocus();
    QTest::keyClick(Tabs(), Qt::Key_Left);
    EXPECT_EQ(window->Pages().CurrentPage(), kSetupPage) << "the arrow only moves the highlight";
    QTest::keyClick(Tabs(), Qt::Key_Space);
    EXPECT_EQ(window->Pages().CurrentPage(), kPersonalGraphicPage);
}

TEST_F(KeyboardTest, TabVisitsEveryControlOfEachPageOnceInReadingOrder) {
    for (int index = 0; index < kPageCount; ++index) {
        SCOPED_TRACE(testing::Message() << "page " << index);
        OpenWithKeys(index);
        ASSERT_EQ(window->Pages().CurrentPage(), index);
        QWidget& page = *window->Pages().Page(index);
        const std::vector<QWidget*> visited = TabThrough(page);
        std::vector<QWidget*> expected = test::TabStopsUnder(page);
        ASSERT_FALSE(expected.empty());
        for (QWidget* control : expected)
            EXPECT_EQ(std::count(visited.begin(), visited.end(), control), 1) << Describe(*control, page);
        EXPECT_EQ(visited.size(), expected.size());
        for (size_t i = 1; i < visited.size(); ++i)
            EXPECT_TRUE(ReadsOnward(OnPage(*visited[i - 1], page), OnPage(*visited[i], page)))
                << Describe(*visited[i - 1], page) << " -> " << Describe(*visited[i], page);
    }
}

TEST(PictureEditorKeysTest, ArrowKeysMoveAndSpaceSwitchesTheDot) {
    test::WatchPageWorld world;
    CPersonalGraphicPage page{world.Context(), world.Ports()};
    page.show();
    CGridListCtrl& editor = *test::Named<CGridListCtrl>(page, "pictureEditor");
    editor.setFocus();
    editor.setCurrentIndex(editor.model()->index(0, 0));
    QTest::keyClick(&editor, Qt::Key_Down);
    QTest::keyClick(&editor, Qt::Key_Down);
    QTest::keyClick(&editor, Qt::Key_Right);
    QTest::keyClick(&editor, Qt::Key_Space);
    EXPECT_EQ(page.EditorPicture()[2], 0b0100000) << "line 2, second dot from the left";
    EXPECT_FALSE(editor.selectionModel()->hasSelection()) << "no highlight hides the dots";
    QTest::keyClick(&editor, Qt::Key_Space);
    EXPECT_EQ(page.EditorPicture()[2], 0) << "Space again switches it off";
}

}  // namespace
}  // namespace kiro::gui
