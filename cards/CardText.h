#pragma once

#include "Card.h"

#include <QString>

namespace cards {

// "Ace of spades", as a screen reader says a card.
QString spokenName(const Card& card);

// The player's total as the main window shows it: "T", or with an ace "T / T+10" (only one ace
// counts 11). A card not yet entered is 0.
QString playerTotalText(int playerCard1, int playerCard2);

// The dealer's up card as the main window shows it: "1 / 11" for the ace, else the value.
QString dealerCardText(int value);

} // namespace cards
