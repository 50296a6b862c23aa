// The program's own pictures, whatever form the build carries them in (SVG drawings, or PNGs the
// build drew from them where its Qt has no SVG module): each comes out at the size a window asks
// for, drawn whole. Their own sizes: BoxesTest.
#include <gtest/gtest.h>

#include <QImage>

#include "GuiTestSupport.h"
#include "gui/resources/Pictures.h"

namespace kiro::gui {
namespace {

// The share of a picture's pixels that are not transparent.
double CoveredShare(const QImage& image) {
    int covered = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) covered += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return static_cast<double>(covered) / (image.width() * image.height());
}

TEST(PicturesTest, APictureComesOutAtTheSizeAskedForWithItsDrawingInIt) {
    test::EnsureQtApplication();
    const QString watch = QString::fromLatin1(pictures::kWatch);
    for (const QSize size : {QSize(264, 236), QSize(88, 79), QSize(400, 100)}) {
        const QPixmap picture = LoadPicture(watch, size);
        EXPECT_EQ(picture.deviceIndependentSize(), QSizeF(size)) << size.width() << "x" << size.height();
        // The watch fills much of its box whatever the scale; a blank or a corner of it would not.
        EXPECT_GT(CoveredShare(picture.toImage()), 0.3) << size.width() << "x" << size.height();
    }
}

TEST(PicturesTest, NoSuchPictureIsNothingAtAll) {
    test::EnsureQtApplication();
    EXPECT_FALSE(NaturalPictureSize(":/kiro/no-such-picture").isValid());
    EXPECT_TRUE(LoadPicture(":/kiro/no-such-picture", QSize(10, 10)).isNull());
    EXPECT_TRUE(LoadPicture(QString::fromLatin1(pictures::kWatch), QSize()).isNull());
}

}  // namespace
}  // namespace kiro::gui
