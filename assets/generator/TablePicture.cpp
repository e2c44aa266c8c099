#include "CardFace.h"
#include "Pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

#include <cmath>

namespace {

constexpr int kWidth = 447;
constexpr int kHeight = 339;

// The felt ends at the rail: the lower half of this ellipse, the rail's outer edge beyond it.
const QRectF kFeltEdge(223 - 280, 60 - 300, 560, 600);
const QRectF kRailEdge(223 - 322, 60 - 342, 644, 684);

void drawFelt(QPainter& p) {
    p.fillRect(0, 0, kWidth, kHeight, QColor(cards::kFelt));
    // A faint weave and a soft fall-off of the light towards the edges.
    QRandomGenerator noise(17);
    for (int i = 0; i < 9000; ++i) {
        const int x = noise.bounded(kWidth), y = noise.bounded(kHeight);
        p.setPen(QColor(40 + noise.bounded(28), 112 + noise.bounded(22), 70 + noise.bounded(16)));
        p.drawPoint(x, y);
    }
    QRadialGradient light(QPointF(223, 140), 330);
    light.setColorAt(0.0, QColor(255, 255, 255, 0));
    light.setColorAt(0.6, QColor(0, 0, 0, 0));
    light.setColorAt(1.0, QColor(0, 0, 0, 70));
    p.fillRect(0, 0, kWidth, kHeight, light);
}

void drawDealerEdge(QPainter& p) {
    QLinearGradient wood(0, 0, 0, 40);
    wood.setColorAt(0, QColor(92, 52, 22));
    wood.setColorAt(1, QColor(140, 84, 38));
    p.setPen(Qt::NoPen);
    p.setBrush(wood);
    p.drawPolygon(QPolygonF({{0, 0}, {96, 0}, {0, 44}}));
    p.drawPolygon(QPolygonF({{kWidth, 0}, {kWidth - 96, 0}, {kWidth, 44}}));
    p.setPen(QPen(QColor(60, 30, 10), 2));
    p.drawLine(QPointF(96, 0), QPointF(0, 44));
    p.drawLine(QPointF(kWidth - 96, 0), QPointF(kWidth, 44));
}

void drawCardShape(QPainter& p, const QRectF& r, qreal angle, bool faceDown) {
    p.save();
    p.translate(r.center());
    p.rotate(angle);
    const QRectF c(-r.width() / 2, -r.height() / 2, r.width(), r.height());
    p.setPen(QPen(QColor(200, 200, 200), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(c, 3, 3);
    if (faceDown) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(110, 40, 50));
        p.drawRoundedRect(c.adjusted(3, 3, -3, -3), 2, 2);
    }
    p.restore();
}

// A white glove seen from above: palm and four fingers, the thumb to one side.
void drawGlove(QPainter& p, QPointF wrist, qreal angle, bool thumbLeft) {
    p.save();
    p.translate(wrist);
    p.rotate(angle);
    p.setPen(QPen(QColor(170, 170, 175), 1));
    p.setBrush(QColor(246, 246, 244));
    p.drawRoundedRect(QRectF(-15, 0, 30, 26), 10, 10);
    for (int i = 0; i < 4; ++i) {
        p.drawRoundedRect(QRectF(-14 + i * 7.2, 20, 6.6, 17 - std::abs(i - 1.5) * 2), 3.3, 3.3);
    }
    p.drawRoundedRect(QRectF(thumbLeft ? -24 : 14, 8, 10, 16), 5, 5);
    p.restore();
}

void drawSleeve(QPainter& p, const QRectF& r) {
    QLinearGradient cloth(r.topLeft(), r.topRight());
    cloth.setColorAt(0, QColor(92, 82, 72));
    cloth.setColorAt(0.5, QColor(128, 116, 102));
    cloth.setColorAt(1, QColor(88, 78, 68));
    p.setPen(QPen(QColor(60, 52, 44), 1));
    p.setBrush(cloth);
    p.drawRoundedRect(r, 6, 6);
    p.setBrush(QColor(235, 235, 232)); // shirt cuff
    p.drawRect(QRectF(r.left() + 2, r.bottom() - 5, r.width() - 4, 5));
}

void drawDealerHands(QPainter& p) {
    // Left hand slides one face-down card towards the player.
    drawSleeve(p, QRectF(128, -6, 38, 30));
    drawCardShape(p, QRectF(137, 34, 22, 30), -8, true);
    drawGlove(p, QPointF(147, 22), 6, false);
    // Right hand holds the deck.
    drawSleeve(p, QRectF(226, -6, 40, 28));
    for (int i = 0; i < 5; ++i) {
        drawCardShape(p, QRectF(232 - i, 26 - i, 26, 34), 4, i == 4);
    }
    drawGlove(p, QPointF(247, 20), -10, true);
}

// Text set along the lower half of an ellipse centred at centre, middle letter at the bottom.
void drawCurvedText(QPainter& p, const QString& text, QPointF centre, qreal rx, qreal ry,
                    const QFont& font, const QColor& colour) {
    p.save();
    p.setFont(font);
    p.setPen(colour);
    const QFontMetricsF metrics(font);
    const qreal length = metrics.horizontalAdvance(text);
    // Arc length per radian near the bottom of the ellipse is about rx.
    qreal angle = M_PI / 2 + (length / 2) / rx;
    for (const QChar c : text) {
        const qreal advance = metrics.horizontalAdvance(c);
        const qreal mid = angle - (advance / 2) / rx;
        const QPointF at(centre.x() + rx * std::cos(mid), centre.y() + ry * std::sin(mid));
        const qreal tangent = std::atan2(ry * std::cos(mid), -rx * std::sin(mid));
        p.save();
        p.translate(at);
        p.rotate(tangent * 180 / M_PI + 180);
        p.drawText(QPointF(-advance / 2, 0), QString(c));
        p.restore();
        angle -= advance / rx;
    }
    p.restore();
}

void drawInsuranceBand(QPainter& p) {
    const QPointF centre(221, 30);
    p.setPen(QPen(Qt::white, 1.4));
    p.setBrush(Qt::NoBrush);
    // Two concentric arcs, open towards the dealer, from x = 57 and 385 down to y = 165.
    p.drawArc(QRectF(centre.x() - 164, centre.y() - 135, 328, 270), 180 * 16 + 5 * 16, 170 * 16);
    p.drawArc(QRectF(centre.x() - 140, centre.y() - 111, 280, 222), 180 * 16 + 5 * 16, 170 * 16);

    QFont bold("Liberation Sans");
    bold.setPixelSize(13);
    bold.setBold(true);
    QFont small("Liberation Sans");
    small.setPixelSize(8);
    small.setBold(true);
    drawCurvedText(p, "BLACKJACK PAYS 3 TO 2", centre, 102, 76, bold, QColor(226, 40, 36));
    drawCurvedText(p, "DEALER MUST DRAW TO 16 AND STAND ON ALL 17s", centre, 120, 92, small,
                   QColor(244, 220, 60));
    drawCurvedText(p, "INSURANCE PAYS 2 TO 1", centre, 152, 121, small, Qt::white);
}

void drawBettingSpots(QPainter& p) {
    p.setPen(QPen(Qt::white, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(-30, 97, 100, 31));
    p.drawEllipse(QRectF(371, 95, 100, 28));
    p.drawEllipse(QRectF(160, 181, 105, 32));
}

void drawRailAndFloor(QPainter& p) {
    QPainterPath everything;
    everything.addRect(0, 0, kWidth, kHeight);
    QPainterPath felt;
    felt.addEllipse(kFeltEdge);
    QPainterPath railOuter;
    railOuter.addEllipse(kRailEdge);

    // The floor beyond the rail.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(26, 22, 20));
    p.drawPath(everything.subtracted(railOuter));

    // The padded rail: dark leather, lighter along its crown.
    QRadialGradient pad(QPointF(223, 60), 340);
    pad.setColorAt(0.80, QColor(48, 29, 11));
    pad.setColorAt(0.86, QColor(84, 54, 24));
    pad.setColorAt(0.92, QColor(63, 39, 15));
    pad.setColorAt(1.00, QColor(36, 22, 8));
    p.setBrush(pad);
    p.drawPath(railOuter.subtracted(felt).intersected(everything));
    p.setPen(QPen(QColor(30, 18, 6), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(kFeltEdge);
}

void drawStool(QPainter& p) {
    QRadialGradient seat(QPointF(400, 280), 60);
    seat.setColorAt(0, QColor(196, 148, 92));
    seat.setColorAt(0.8, QColor(164, 116, 64));
    seat.setColorAt(1, QColor(120, 80, 40));
    p.setPen(QPen(QColor(90, 58, 28), 2));
    p.setBrush(seat);
    p.drawEllipse(QRectF(360, 238, 102, 102));
    p.setPen(QPen(QColor(150, 104, 56), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(374, 252, 74, 74));
}

} // namespace

QImage drawTable() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawFelt(p);
    drawDealerEdge(p);
    drawInsuranceBand(p);
    drawBettingSpots(p);
    drawDealerHands(p);
    drawRailAndFloor(p);
    drawStool(p);
    return image;
}
