#pragma once
#include <gtest/gtest.h>
#include <QApplication>
#include <QEvent>
#include <QRgb>
#include <QWidget>
#include <stdexcept>
#include <string>

namespace kiro::gui::test {

// Widgets need one application object for the whole test program; the first test that asks
// makes it, and it lives until the process ends.
inline void EnsureQtApplication() {
    if (QApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "kiro_gui_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

// A fixture base whose widgets can be members: the application exists before they are made.
class GuiTest : public ::testing::Test {
  protected:
    GuiTest() { EnsureQtApplication(); }
};

// The object of kind T that the program named `name`, among the children of `parent` at any
// depth: tests reach a window's controls and timers by the names the window gives them. When
// there is none, the test ends there, saying which.
template <class T>
T* Named(const QObject& parent, const std::string& name) {
    T* found = parent.findChild<T*>(QString::fromStdString(name));
    if (found == nullptr)
        throw std::logic_error(std::string("no ") + T::staticMetaObject.className() + " named \"" + name +
                               "\" in " + parent.metaObject()->className());
    return found;
}

// Counts the paint events a widget receives, apart from anything the program watches for.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int count = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

// A colour without its alpha byte, as the pixel checks compare them.
constexpr QRgb Rgb(int red, int green, int blue) {
    return qRgb(red, green, blue) & RGB_MASK;
}

}  // namespace kiro::gui::test
