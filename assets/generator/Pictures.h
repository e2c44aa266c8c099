#pragma once

#include <QImage>
#include <QString>

// The pictures the program carries that are not card faces (those are cards/CardFace.h), drawn
// with QPainter by the asset generator.

// The blackjack table seen from a player's seat, 447 x 339.
QImage drawTable();

// The back of a playing card, 50 x 71.
QImage drawCardBack();

// An empty card place on the felt, 50 x 71.
QImage drawEmptyPlace();

// The program icon, the letters B and J in thin outline strokes on a transparent ground.
QImage drawIcon(int size);

// The same icon as scalable vector graphics.
QString drawIconSvg();
