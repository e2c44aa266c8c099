#include "DiscardTray.h"

#include "CardFace.h"

#include <QPainter>

#include <cmath>

DiscardTray::DiscardTray(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
}

void DiscardTray::setCards(int cards) {
    cards_ = cards;
    setAccessibleDescription(
        QStringLiteral("The discard tray, which holds eight decks, is filled to %1 % of its "
                       "height.")
            .arg(std::lround(100.0 * cards / kTrayCards)));
    update();
}

void DiscardTray::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(cards::kFelt));
    const QRectF tray = QRectF(rect()).adjusted(width() * 0.25, 12, -width() * 0.25, -12);
    // The stack: card edges, a faint line every few cards, as a pile of cards looks.
    const qreal height = tray.height() * cards_ / kTrayCards;
    const QRectF stack(tray.left() + 4, tray.bottom() - height, tray.width() - 8, height);
    p.fillRect(stack, QColor(246, 244, 236));
    p.setPen(QPen(QColor(200, 196, 186), 1));
    for (int card = 4; card < cards_; card += 4) {
        const qreal y = tray.bottom() - tray.height() * card / kTrayCards;
        p.drawLine(QPointF(stack.left(), y), QPointF(stack.right(), y));
    }
    p.setPen(QPen(QColor(30, 30, 30), 3));
    p.setBrush(Qt::NoBrush);
    p.drawLine(tray.topLeft(), tray.bottomLeft());
    p.drawLine(tray.bottomLeft(), tray.bottomRight());
    p.drawLine(tray.bottomRight(), tray.topRight());
}
