#include "Drawings.h"

#include <QPainter>
#include <QPainterPath>

QImage drawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, size > 32);
    p.scale(size / 32.0, size / 32.0);
    // The letters' outlines, drawn as thin strokes with no fill.
    QFont font("Liberation Serif");
    font.setPixelSize(28);
    font.setBold(true);
    QPainterPath letters;
    letters.addText(QPointF(1, 26), font, "B");
    letters.addText(QPointF(17, 26), font, "J");
    p.setPen(
        QPen(Qt::black, size > 32 ? 1.0 : 32.0 / size, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(letters);
    p.end();
    return image;
}
