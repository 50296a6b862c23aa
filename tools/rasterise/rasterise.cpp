// Draws an SVG picture into a PNG on a transparent ground: a square of SIZE pixels, or N times
// the picture's own size.
// Usage: kiro_rasterise PICTURE.svg SIZE OUTPUT.png | kiro_rasterise --times N PICTURE.svg OUTPUT.png
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

constexpr long kLargestSide = 4096;

// A whole number from 1 to `largest`, or 0 when the text is anything else.
long ParseCount(const char* text, long largest) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return (end == text || *end != '\0' || value < 1 || value > largest) ? 0 : value;
}

}  // namespace

int main(int argc, char** argv) {
    const bool times = argc == 5 && std::string_view(argv[1]) == "--times";
    if (argc != 4 && !times) {
        (void)std::fprintf(stderr,
                           "usage: kiro_rasterise PICTURE.svg SIZE OUTPUT.png | "
                           "kiro_rasterise --times N PICTURE.svg OUTPUT.png\n");
        return 2;
    }
    const char* count = argv[2];
    const char* input = times ? argv[3] : argv[1];
    const char* output = times ? argv[4] : argv[3];
    const long number = ParseCount(count, kLargestSide);
    if (number == 0) {
        (void)std::fprintf(stderr, "kiro_rasterise: %s must be 1 to %ld, not '%s'\n", times ? "N" : "SIZE",
                           kLargestSide, count);
        return 2;
    }
    // A drawing with text needs the fonts, which come with an application object; no window is
    // opened, so no display is needed either.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication application(argc, argv);
    QSvgRenderer picture(QString::fromLocal8Bit(input));
    if (!picture.isValid()) {
        (void)std::fprintf(stderr, "kiro_rasterise: cannot read the SVG picture %s\n", input);
        return 1;
    }
    const QSize size = times ? picture.defaultSize() * static_cast<int>(number)
                             : QSize(static_cast<int>(number), static_cast<int>(number));
    if (size.isEmpty() || size.width() > kLargestSide || size.height() > kLargestSide) {
        (void)std::fprintf(stderr, "kiro_rasterise: %s would be drawn %d x %d pixels, more than %ld a side\n",
                           input, size.width(), size.height(), kLargestSide);
        return 1;
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    picture.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(output), "PNG")) {
        (void)std::fprintf(stderr, "kiro_rasterise: cannot write %s\n", output);
        return 1;
    }
    return 0;
}
