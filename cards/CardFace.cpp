#include "CardFace.h"

#include <QPainter>
#include <QPainterPath>

namespace cards {

namespace {

bool isRed(int suit) {
    return suit == kHearts || suit == kDiamonds;
}

QColor suitColour(int suit) {
    return isRed(suit) ? QColor(196, 24, 32) : QColor(Qt::black);
}

// A suit sign of the given height, centred on centre; upside down for the lower half of a card.
void drawSuit(QPainter& p, int suit, QPointF centre, qreal height, bool upsideDown = false) {
    const qreal w = height * 0.9;
    QPainterPath sign;
    if (suit == kHearts) {
        sign.moveTo(0, height / 2);
        sign.cubicTo(-w * 0.1, height * 0.3, -w / 2, height * 0.1, -w / 2, -height * 0.15);
        sign.cubicTo(-w / 2, -height * 0.45, -w * 0.05, -height * 0.5, 0, -height * 0.22);
        sign.cubicTo(w * 0.05, -height * 0.5, w / 2, -height * 0.45, w / 2, -height * 0.15);
        sign.cubicTo(w / 2, height * 0.1, w * 0.1, height * 0.3, 0, height / 2);
    } else if (suit == kDiamonds) {
        sign.moveTo(0, -height / 2);
        sign.lineTo(w * 0.38, 0);
        sign.lineTo(0, height / 2);
        sign.lineTo(-w * 0.38, 0);
        sign.closeSubpath();
    } else if (suit == kClubs) {
        const qreal r = height * 0.21;
        sign.addEllipse(QPointF(0, -height * 0.24), r, r);
        sign.addEllipse(QPointF(-height * 0.22, height * 0.04), r, r);
        sign.addEllipse(QPointF(height * 0.22, height * 0.04), r, r);
        sign.moveTo(0, -height * 0.05);
        sign.lineTo(w * 0.16, height / 2);
        sign.lineTo(-w * 0.16, height / 2);
        sign.closeSubpath();
        sign.setFillRule(Qt::WindingFill);
    }
    if (suit != 0) {
        p.save();
        p.translate(centre);
        if (upsideDown) p.rotate(180);
        p.setPen(Qt::NoPen);
        p.setBrush(suitColour(suit));
        p.drawPath(sign);
        p.restore();
        return;
    }
    QPainterPath spade;
    // Two lobes and a point, then the stem.
    spade.moveTo(0, -height / 2);
    spade.cubicTo(w * 0.15, -height * 0.25, w / 2, -height * 0.12, w / 2, height * 0.08);
    spade.cubicTo(w / 2, height * 0.28, w * 0.2, height * 0.33, 0.04 * w, height * 0.16);
    spade.lineTo(w * 0.16, height / 2);
    spade.lineTo(-w * 0.16, height / 2);
    spade.lineTo(-0.04 * w, height * 0.16);
    spade.cubicTo(-w * 0.2, height * 0.33, -w / 2, height * 0.28, -w / 2, height * 0.08);
    spade.cubicTo(-w / 2, -height * 0.12, -w * 0.15, -height * 0.25, 0, -height / 2);
    p.save();
    p.translate(centre);
    if (upsideDown) {
        p.rotate(180);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(spade);
    p.restore();
}

QString rankText(int rank) {
    switch (rank) {
    case 1: return "A";
    case 11: return "J";
    case 12: return "Q";
    case 13: return "K";
    default: return QString::number(rank);
    }
}

void blankCard(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(0.5, 0.5, kCardWidth - 1, kCardHeight - 1), 4, 4);
}

// Rank and a small suit sign in the top-left corner, and turned round in the bottom-right one.
void drawIndices(QPainter& p, int rank, int suit) {
    QFont font("Liberation Sans");
    font.setBold(true);
    font.setPixelSize(rank == 10 ? 9 : 11);
    p.setFont(font);
    for (int corner = 0; corner < 2; ++corner) {
        p.save();
        if (corner == 1) {
            p.translate(kCardWidth, kCardHeight);
            p.rotate(180);
        }
        p.setPen(suitColour(suit));
        p.drawText(QRectF(1, 2, 12, 11), Qt::AlignCenter, rankText(rank));
        drawSuit(p, suit, QPointF(7, 17.5), 7);
        p.restore();
    }
}

// Pip places of the number cards: column (0 left, 1 middle, 2 right) and height on the card.
struct Pip {
    int column;
    qreal y;
};
constexpr qreal kTop = 16, kUpper = 29, kMiddle = 35.5, kLower = 42, kBottom = 55;

QList<Pip> pipsOf(int rank) {
    const QList<Pip> corners{{0, kTop}, {2, kTop}, {0, kBottom}, {2, kBottom}};
    const QList<Pip> sides{{0, kUpper}, {2, kUpper}, {0, kLower}, {2, kLower}};
    switch (rank) {
    case 2: return {{1, kTop}, {1, kBottom}};
    case 3: return {{1, kTop}, {1, kMiddle}, {1, kBottom}};
    case 4: return corners;
    case 5: return corners + QList<Pip>{{1, kMiddle}};
    case 6: return corners + QList<Pip>{{0, kMiddle}, {2, kMiddle}};
    case 7: return corners + QList<Pip>{{0, kMiddle}, {2, kMiddle}, {1, 25.5}};
    case 8: return corners + QList<Pip>{{0, kMiddle}, {2, kMiddle}, {1, 25.5}, {1, 45.5}};
    case 9: return corners + sides + QList<Pip>{{1, kMiddle}};
    default: return corners + sides + QList<Pip>{{1, 22.5}, {1, 48.5}};
    }
}

void drawPips(QPainter& p, int rank, int suit) {
    for (const Pip& pip : pipsOf(rank)) {
        drawSuit(p, suit, QPointF(17 + pip.column * 8, pip.y), 8, pip.y > kMiddle);
    }
}

// A court card: a framed panel with the figure's head, crown or cap, and its letter.
void drawCourt(QPainter& p, int rank, int suit) {
    const QRectF frame(10, 12, 30, 47);
    p.setPen(QPen(QColor(40, 40, 120), 1));
    p.setBrush(QColor(250, 236, 180));
    p.drawRect(frame);
    // Robe in the lower half, head and headwear in the upper.
    p.setPen(Qt::NoPen);
    p.setBrush(rank == 12 ? QColor(40, 60, 170) : QColor(190, 40, 40));
    p.drawRect(QRectF(frame.left() + 1, frame.center().y() + 2, frame.width() - 2,
                      frame.height() / 2 - 3));
    p.setBrush(QColor(240, 200, 150));
    p.setPen(QPen(Qt::black, 0.6));
    p.drawEllipse(QPointF(25, 31), 6, 7);
    p.setBrush(QColor(240, 196, 40));
    if (rank == 13) { // crown with three points
        p.drawPolygon(
            QPolygonF({{18, 24}, {19, 17}, {22, 21}, {25, 15}, {28, 21}, {31, 17}, {32, 24}}));
    } else if (rank == 12) { // tiara
        p.drawPolygon(QPolygonF({{19, 25}, {21, 20}, {25, 18}, {29, 20}, {31, 25}}));
    } else { // cap with a feather
        p.setBrush(QColor(40, 120, 60));
        p.drawChord(QRectF(18, 19, 14, 10), 0, 180 * 16);
        p.setPen(QPen(QColor(200, 40, 40), 1.4));
        p.drawLine(QPointF(31, 24), QPointF(36, 15));
    }
    p.setPen(Qt::black);
    QFont font("Liberation Serif");
    font.setBold(true);
    font.setPixelSize(12);
    p.setFont(font);
    p.drawText(QRectF(frame.left(), frame.bottom() - 16, frame.width(), 14), Qt::AlignCenter,
               rankText(rank));
    drawSuit(p, suit, QPointF(34, 44), 6);
}

} // namespace

void paintCardFace(QPainter& p, int rank, int suit) {
    blankCard(p);
    drawIndices(p, rank, suit);
    if (rank == 1) {
        drawSuit(p, suit, QPointF(25, 36), 26);
    } else if (rank <= 10) {
        drawPips(p, rank, suit);
    } else {
        drawCourt(p, rank, suit);
    }
}

QImage drawCardFace(int rank) {
    QImage image(kCardWidth, kCardHeight, QImage::Format_RGB32);
    image.fill(kFelt);
    QPainter p(&image);
    paintCardFace(p, rank, 0);
    p.end();
    return image;
}

} // namespace cards
