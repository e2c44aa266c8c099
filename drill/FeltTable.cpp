#include "FeltTable.h"

#include "CardFace.h"

#include <QPainter>

#include <algorithm>

using namespace practice;

using cards::kCardHeight;
using cards::kCardWidth;
using cards::kFelt;

namespace {

void paintBack(QPainter& p) {
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(0.5, 0.5, kCardWidth - 1, kCardHeight - 1), 4, 4);
    p.setPen(QPen(QColor(180, 176, 200), 1));
    p.setBrush(QColor(78, 72, 104));
    p.drawRoundedRect(QRectF(4, 4, kCardWidth - 8, kCardHeight - 8), 2, 2);
}

} // namespace

FeltTable::FeltTable(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void FeltTable::setCards(const std::vector<cards::Card>& dealer, int hidden,
                         const QString& dealerCaption, const std::vector<ShownHand>& hands) {
    dealer_ = dealer;
    hidden_ = hidden;
    dealerCaption_ = dealerCaption;
    hands_ = hands;
    update();
}

void FeltTable::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = rect();
    QRadialGradient felt(area.center(), area.width() * 0.7);
    felt.setColorAt(0, QColor(kFelt).lighter(112));
    felt.setColorAt(1, QColor(kFelt).darker(120));
    p.fillRect(area, felt);

    // Cards as tall as a third of the table, overlapping a little within a hand; a card shown
    // alone (a count drill's) is twice as tall, in the middle.
    const bool alone = dealer_.empty() && hidden_ == 0 && dealerCaption_.isEmpty() &&
                       hands_.size() == 1 && hands_[0].cards.size() == 1;
    const qreal cardHeight = alone ? std::clamp(area.height() * 0.68, 60.0, 340.0)
                                   : std::clamp(area.height() * 0.34, 60.0, 170.0);
    const qreal scale = cardHeight / kCardHeight;
    const qreal cardWidth = kCardWidth * scale;
    const qreal step = cardWidth * 0.62;
    QFont font = p.font();
    font.setPixelSize(std::max(12, int(cardHeight * 0.13)));
    font.setBold(true);
    p.setFont(font);
    const qreal captionHeight = font.pixelSize() * 1.6;

    auto drawRow = [&](qreal left, qreal top, const std::vector<cards::Card>& cards, int hidden) {
        qreal x = left;
        for (std::size_t i = 0; i < cards.size() + std::size_t(hidden); ++i) {
            p.save();
            p.translate(x, top);
            p.scale(scale, scale);
            if (i < cards.size()) {
                cards::paintCardFace(p, cards[i].rank(), cards[i].suit);
            } else {
                paintBack(p);
            }
            p.restore();
            x += step;
        }
    };
    auto rowWidth = [&](std::size_t cards) {
        return cards == 0 ? cardWidth : cardWidth + step * qreal(cards - 1);
    };

    // The dealer, centred at the top.
    const qreal top = area.height() * 0.05;
    drawRow(area.center().x() - rowWidth(dealer_.size() + hidden_) / 2, top, dealer_, hidden_);
    p.setPen(QColor(250, 250, 240));
    p.drawText(QRectF(0, top + cardHeight + 2, area.width(), captionHeight), Qt::AlignCenter,
               dealerCaption_);

    // The player's hands side by side at the bottom.
    const qreal gap = cardWidth * 0.4;
    qreal total = 0;
    for (const ShownHand& hand : hands_)
        total += rowWidth(hand.cards.size()) + gap;
    total -= gap;
    qreal left = std::max(4.0, area.center().x() - total / 2);
    const qreal handTop = alone ? (area.height() - cardHeight) / 2
                                : area.height() - cardHeight - captionHeight - area.height() * 0.04;
    for (const ShownHand& hand : hands_) {
        const qreal width = rowWidth(hand.cards.size());
        if (hand.current) {
            p.setPen(QPen(QColor(255, 214, 64), 3));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(left - 5, handTop - 5, width + 10, cardHeight + 10), 6, 6);
        }
        drawRow(left, handTop, hand.cards, 0);
        p.setPen(hand.current ? QColor(255, 214, 64) : QColor(250, 250, 240));
        p.drawText(QRectF(left - gap / 2, handTop + cardHeight + 4, width + gap, captionHeight),
                   Qt::AlignCenter, hand.caption);
        left += width + gap;
    }
}
