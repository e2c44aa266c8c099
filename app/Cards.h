#pragma once

#include <QString>

#include <array>

// One card button: its caption, the card value it enters (ace 1, court cards 10) and the
// picture file of its face. Both groups of card buttons follow this table in order.
struct Card {
    const char* caption;
    int value;
    const char* pictureFile;
};

inline constexpr std::array<Card, 13> kCards{{
    {"A", 1, "1 Spades.jpg"},
    {"2", 2, "2 Spades.jpg"},
    {"3", 3, "3 Spades.jpg"},
    {"4", 4, "4 Spades.jpg"},
    {"5", 5, "5 Spades.jpg"},
    {"6", 6, "6 Spades.jpg"},
    {"7", 7, "7 Spades.jpg"},
    {"8", 8, "8 Spades.jpg"},
    {"9", 9, "9 Spades.jpg"},
    {"10", 10, "10 Spades.jpg"},
    {"J", 10, "11 Spades.jpg"},
    {"Q", 10, "12 Spades.jpg"},
    {"K", 10, "13 Spades.jpg"},
}};

// The player's total as shown: "T", or with an ace "T / T+10" (only one ace counts 11).
// A card not yet entered is 0.
QString playerTotalText(int playerCard1, int playerCard2);

// The dealer's up card as shown: "1 / 11" for the ace, else the value.
QString dealerCardText(int value);
