#include "Pictures.h"

#include "CardFace.h"

#include <QPainter>

using cards::kCardHeight;
using cards::kCardWidth;

QImage drawCardBack() {
    QImage image(kCardWidth, kCardHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF field(4, 4, kCardWidth - 8, kCardHeight - 8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(78, 72, 104));
    p.drawRect(field);
    // Fine lighter filigree: a lattice of thin diagonal lines.
    p.setClipRect(field);
    p.setPen(QPen(QColor(150, 146, 176), 0.6));
    for (int d = -80; d < 80; d += 5) {
        p.drawLine(QPointF(d, 0), QPointF(d + 80, 80));
        p.drawLine(QPointF(d + 80, 0), QPointF(d, 80));
    }
    // A lighter ornament in each corner.
    p.setPen(QPen(QColor(196, 192, 214), 1));
    p.setBrush(QColor(160, 154, 190));
    for (const QPointF& c :
         {field.topLeft(), field.topRight(), field.bottomLeft(), field.bottomRight()}) {
        p.drawEllipse(c, 6, 6);
    }
    // Two dark medallions stacked in the centre, the lower one the upper turned round.
    for (int half = 0; half < 2; ++half) {
        p.save();
        p.translate(25, 35.5);
        p.rotate(half * 180);
        p.setPen(QPen(QColor(180, 176, 200), 0.8));
        p.setBrush(QColor(40, 34, 62));
        p.drawEllipse(QRectF(-9, -19, 18, 16));
        p.setBrush(QColor(120, 112, 150));
        p.drawEllipse(QRectF(-3, -14, 6, 6));
        p.restore();
    }
    return image;
}

QImage drawEmptyPlace() {
    QImage image(kCardWidth, kCardHeight, QImage::Format_RGB32);
    image.fill(cards::kFelt);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPen outline(QColor(120, 176, 136), 1, Qt::DashLine);
    p.setPen(outline);
    p.drawRoundedRect(QRectF(1.5, 1.5, kCardWidth - 3, kCardHeight - 3), 4, 4);
    return image;
}
