#include "Pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// The letters B and J as outlines in a 32 x 32 square.
QPainterPath letters() {
    QFont font("Liberation Serif");
    font.setPixelSize(28);
    font.setBold(true);
    QPainterPath path;
    path.addText(QPointF(1, 26), font, "B");
    path.addText(QPointF(17, 26), font, "J");
    return path;
}

} // namespace

QImage drawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    // Small sizes stay sharp with whole pixels; large ones are smoothed.
    p.setRenderHint(QPainter::Antialiasing, size > 32);
    p.scale(size / 32.0, size / 32.0);
    const qreal stroke = size > 32 ? 1.0 : 32.0 / size;
    p.setPen(QPen(Qt::black, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(letters());
    p.end();
    return image;
}

QString drawIconSvg() {
    const QPainterPath path = letters();
    QString data;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            data += QString("M%1 %2 ").arg(e.x, 0, 'f', 2).arg(e.y, 0, 'f', 2);
        } else if (e.isLineTo()) {
            data += QString("L%1 %2 ").arg(e.x, 0, 'f', 2).arg(e.y, 0, 'f', 2);
        } else if (e.isCurveTo()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            data += QString("C%1 %2 %3 %4 %5 %6 ")
                        .arg(e.x, 0, 'f', 2)
                        .arg(e.y, 0, 'f', 2)
                        .arg(c2.x, 0, 'f', 2)
                        .arg(c2.y, 0, 'f', 2)
                        .arg(end.x, 0, 'f', 2)
                        .arg(end.y, 0, 'f', 2);
            i += 2;
        }
    }
    return QString("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                   "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" "
                   "viewBox=\"0 0 32 32\">\n<title>Hitwise</title>\n"
                   "<path d=\"%1\" fill=\"none\" stroke=\"#000\" stroke-width=\"1\" "
                   "stroke-linejoin=\"round\" stroke-linecap=\"round\"/>\n</svg>\n")
        .arg(data.trimmed());
}
