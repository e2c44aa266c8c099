#pragma once

#include "Card.h"

#include <QImage>

class QPainter;

namespace cards {

// A card's face is drawn in a box of 50 x 71, scaled by the painter: sharp at any size.
inline constexpr int kCardWidth = 50;
inline constexpr int kCardHeight = 71;

// The felt colour of the table the cards lie on.
inline constexpr QRgb kFelt = qRgb(54, 123, 78);

// A card face of rank 1 (ace) to 13 (king) in a suit, painted in the box (0, 0, 50, 71) of the
// painter.
void paintCardFace(QPainter& p, int rank, int suit);

// The face of a spade card of rank 1 to 13 on the felt, 50 x 71: the main window's pictures.
QImage drawCardFace(int rank);

} // namespace cards
