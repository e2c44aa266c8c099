#pragma once

#include <QImage>
#include <QString>

// Chroma subsampling of a written JPEG picture.
enum class Subsampling { None, Quarter }; // 4:4:4 or 4:2:0

// Writes a baseline JFIF file at 72 dots per inch; false when the file cannot be written.
bool writeJpeg(const QImage& image, const QString& path, Subsampling subsampling, int quality);
