#include "gui/resources/DrawnPictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "gui/resources/DevicePixmap.h"

namespace kiro::gui {

QPixmap ArrowPicture(ArrowDirection direction, QSize size, const QColor& colour) {
    QPixmap picture = BlankDevicePixmap(size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    const double tip = direction == ArrowDirection::Left ? w * 0.15 : w * 0.85;
    const double back = direction == ArrowDirection::Left ? w * 0.85 : w * 0.15;
    const QPolygonF head({{tip, h / 2}, {back, h * 0.15}, {back, h * 0.85}});
    painter.setPen(QPen(colour.darker(160), 1.2));
    painter.setBrush(colour);
    painter.drawPolygon(head);
    return picture;
}

QPixmap LanguageNamePicture(int language) {
    static const char* const kNames[] = {"English", "繁體中文", "简体中文"};
    const QString name = QString::fromUtf8(kNames[language == 1 || language == 2 ? language : 0]);
    QPixmap picture = BlankDevicePixmap(kLanguageNameSize);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(20);
    // Lettering with a dark edge, so that it stands on any page colour.
    QPainterPath lettering;
    lettering.addText(0, 0, font, name);
    const QRectF bounds = lettering.boundingRect();
    lettering.translate(-bounds.center() +
                        QPointF(kLanguageNameSize.width() / 2.0, kLanguageNameSize.height() / 2.0));
    painter.setPen(QPen(QColor(20, 40, 90), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(lettering);
    painter.fillPath(lettering, QColor(70, 140, 230));
    return picture;
}

}  // namespace kiro::gui
