#include "RoundView.h"

#include "CardText.h"
#include "PracticeText.h"

#include <QStringList>

namespace practice {

void showRound(const Round& round, bool over, double bet, PracticeView* view) {
    const bool several = round.hands().size() > 1;
    view->hands.clear();
    QStringList words;
    for (std::size_t i = 0; i < round.hands().size(); ++i) {
        const RoundHand& hand = round.hands()[i];
        QString caption = totalText(hand.values());
        if (hand.doubled) caption += ", doubled";
        if (over) caption = settledText(hand) + " " + unitsText(hand.result * bet);
        const bool current = !over && int(i) == round.current();
        view->hands.push_back({hand.cards, caption, current});
        words << QStringLiteral("%1%2: %3 (%4)")
                     .arg(several ? QStringLiteral("hand %1").arg(i + 1)
                                  : QStringLiteral("your hand"),
                          current && several ? " (playing)" : "", cardsText(hand.cards), caption);
    }
    const std::vector<int> dealerValues = cards::valuesOf(round.dealer());
    view->dealer = over ? round.dealer() : std::vector<cards::Card>{round.dealer()[0]};
    view->hidden = over ? 0 : 1;
    view->dealerCaption =
        over ? (round.dealerBlackjack() ? QStringLiteral("Dealer: blackjack")
                                        : QStringLiteral("Dealer: %1")
                                              .arg(analysis::holding(dealerValues).total() > 21
                                                       ? QStringLiteral("bust")
                                                       : totalText(dealerValues)))
             : QStringLiteral("Dealer");
    const QString text =
        QStringLiteral("%1. The dealer %2 %3.")
            .arg(words.join("; "), over ? "has" : "shows", cardsText(view->dealer));
    view->hand = text[0].toUpper() + text.mid(1);
}

} // namespace practice
