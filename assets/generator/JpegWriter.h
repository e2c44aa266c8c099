#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// How a JPEG picture is written. The defaults give a baseline JFIF file at 72 dots per inch.
struct JpegOptions {
    enum class Colours { Rgb, Grey, Cmyk, CmykAdobe, Ycck };
    bool subsample = false; // 4:2:0 instead of 4:4:4
    int quality = 90;
    bool progressive = false;
    bool arithmetic = false;
    Colours colours = Colours::Rgb;
};

// Encodes an image; for CMYK, the image's red, green and blue become cyan, magenta and yellow
// ink (inverted as Adobe writes it for CmykAdobe and Ycck) and black is 0.
QByteArray encodeJpeg(const QImage& image, const JpegOptions& options);

// Writes encodeJpeg() to a file; false when the file cannot be written.
bool writeJpeg(const QImage& image, const QString& path, const JpegOptions& options);
