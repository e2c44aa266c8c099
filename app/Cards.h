#pragma once

#include <QString>

#include <array>

// One card button: its caption, the card value it enters (ace 1, court cards 10) and the
// picture file of its face. Both groups of card buttons follow this table in order.
struct Card {
    const char* caption;
    int value;
    const char* pictureFile;
    const char* name; // as a screen reader says it
};

inline constexpr std::array<Card, 13> kCards{{
    {"A", 1, "1 Spades.jpg", "Ace"},
    {"2", 2, "2 Spades.jpg", "Two"},
    {"3", 3, "3 Spades.jpg", "Three"},
    {"4", 4, "4 Spades.jpg", "Four"},
    {"5", 5, "5 Spades.jpg", "Five"},
    {"6", 6, "6 Spades.jpg", "Six"},
    {"7", 7, "7 Spades.jpg", "Seven"},
    {"8", 8, "8 Spades.jpg", "Eight"},
    {"9", 9, "9 Spades.jpg", "Nine"},
    {"10", 10, "10 Spades.jpg", "Ten"},
    {"J", 10, "11 Spades.jpg", "Jack"},
    {"Q", 10, "12 Spades.jpg", "Queen"},
    {"K", 10, "13 Spades.jpg", "King"},
}};

// The player's total as shown: "T", or with an ace "T / T+10" (only one ace counts 11).
// A card not yet entered is 0.
QString playerTotalText(int playerCard1, int playerCard2);

// What a card box shows, for screen readers: "Eight of spades".
QString cardPictureName(const Card& card);

// The dealer's up card as shown: "1 / 11" for the ace, else the value.
QString dealerCardText(int value);
