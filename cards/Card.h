#pragma once

// Cards: one card type for every part of Hitwise, plain C++.
//
// How the parts meet: Card.h holds a card (face and suit) and the table of the thirteen faces,
// in the order of the main window's card buttons; CardText.h says a card in words for windows
// and screen readers (Qt Core); CardFace.h paints a face at any size (Qt Gui), for the main
// window's pictures and the drill's felt alike.

#include <array>
#include <vector>

namespace cards {

// A face of the thirteen: its button caption, the value it counts (ace 1, court cards 10), the
// picture file of its spade and its name as a screen reader says it.
struct Face {
    const char* caption;
    int value;
    const char* pictureFile;
    const char* name;
};

inline constexpr std::array<Face, 13> kFaces{{
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

enum Suit { kSpades, kHearts, kDiamonds, kClubs };
inline constexpr int kSuitCount = 4;
inline constexpr std::array<const char*, kSuitCount> kSuitNames{"spades", "hearts", "diamonds",
                                                                "clubs"};

// A card: its face (an index of kFaces, 0 the ace to 12 the king) and its suit.
struct Card {
    int face = 0;
    int suit = kSpades;
    int value() const { return kFaces[face].value; }
    int rank() const { return face + 1; } // 1 the ace to 13 the king
    bool operator==(const Card& other) const { return face == other.face && suit == other.suit; }
};

// The values 1..10 of some cards.
std::vector<int> valuesOf(const std::vector<Card>& cards);

} // namespace cards
