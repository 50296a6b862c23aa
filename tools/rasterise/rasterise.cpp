// Draws an SVG picture into a square PNG of SIZE pixels on a transparent ground.
// Usage: kiro_rasterise PICTURE.svg SIZE OUTPUT.png
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        (void)std::fprintf(stderr, "usage: kiro_rasterise PICTURE.svg SIZE OUTPUT.png\n");
        return 2;
    }
    char* end = nullptr;
    const long size = std::strtol(argv[2], &end, 10);
    if (*end != '\0' || size < 1 || size > 4096) {
        (void)std::fprintf(stderr, "kiro_rasterise: SIZE must be 1 to 4096 pixels, not '%s'\n", argv[2]);
        return 2;
    }
    QSvgRenderer picture(QString::fromLocal8Bit(argv[1]));
    if (!picture.isValid()) {
        (void)std::fprintf(stderr, "kiro_rasterise: cannot read the SVG picture %s\n", argv[1]);
        return 1;
    }
    QImage image(static_cast<int>(size), static_cast<int>(size), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    picture.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        (void)std::fprintf(stderr, "kiro_rasterise: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
