#pragma once

#include <QImage>

// The pictures the program carries and the card faces it reads, drawn with QPainter.

// The blackjack table seen from a player's seat, 447 x 339.
QImage drawTable();

// The back of a playing card, 50 x 71.
QImage drawCardBack();

// The face of a spade card of rank 1 (ace) to 13 (king), 50 x 71.
QImage drawCardFace(int rank);

class QPainter;
// A card face of rank 1 to 13 and suit (0 spades, 1 hearts, 2 diamonds, 3 clubs) painted in the
// box (0, 0, 50, 71) of the painter: scaled by the caller, sharp at any size.
void paintCardFace(QPainter& p, int rank, int suit);
inline constexpr int kCardWidth = 50;
inline constexpr int kCardHeight = 71;

// An empty card place on the felt, 50 x 71.
QImage drawEmptyPlace();

// The program icon, the letters B and J in thin outline strokes on a transparent ground.
QImage drawIcon(int size);

// The same icon as scalable vector graphics.
QString drawIconSvg();

// The felt colour of the table.
inline constexpr QRgb kFelt = qRgb(54, 123, 78);
