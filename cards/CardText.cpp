#include "CardText.h"

namespace cards {

QString spokenName(const Card& card) {
    return QStringLiteral("%1 of %2").arg(kFaces[card.face].name, kSuitNames[card.suit]);
}

QString playerTotalText(int playerCard1, int playerCard2) {
    const int total = playerCard1 + playerCard2;
    if (playerCard1 == 1) {
        return QStringLiteral("%1 / %2").arg(total).arg(playerCard2 + 11);
    }
    if (playerCard2 == 1) {
        return QStringLiteral("%1 / %2").arg(total).arg(playerCard1 + 11);
    }
    return QString::number(total);
}

QString dealerCardText(int value) {
    return value == 1 ? QStringLiteral("1 / 11") : QString::number(value);
}

} // namespace cards
