#pragma once

#include <QImage>

// The pictures the program carries and the card faces it reads, drawn with QPainter.

// The blackjack table seen from a player's seat, 447 x 339.
QImage drawTable();

// The back of a playing card, 50 x 71.
QImage drawCardBack();

// The face of a spade card of rank 1 (ace) to 13 (king), 50 x 71.
QImage drawCardFace(int rank);

// An empty card place on the felt, 50 x 71.
QImage drawEmptyPlace();

// The program icon, the letters B and J in thin outline strokes on a transparent ground.
QImage drawIcon(int size);

// The same icon as scalable vector graphics.
QString drawIconSvg();

// The felt colour of the table.
inline constexpr QRgb kFelt = qRgb(54, 123, 78);
