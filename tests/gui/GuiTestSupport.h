#pragma once
#include <gtest/gtest.h>
#include <QApplication>
#include <QRgb>

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

// A colour without its alpha byte, as the pixel checks compare them.
constexpr QRgb Rgb(int red, int green, int blue) {
    return qRgb(red, green, blue) & RGB_MASK;
}

}  // namespace kiro::gui::test
