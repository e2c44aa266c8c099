#pragma once

// Pictures the tests make themselves: good JPEG files of every kind and bad files of every
// kind a card file could turn into.

#include "JpegWriter.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

// Four quadrants: red, green (top), blue, white (bottom).
QImage quadrants(int width, int height);

QByteArray makeJpeg(const JpegOptions& options = {}, int width = 50, int height = 71);

// A JPEG file with the precision and size of its frame header changed.
QByteArray withFrame(QByteArray data, int precision, int width, int height);

// A progressive file whose last scan is repeated until it has count scans.
QByteArray withScans(int count);

// A file cut off in the middle of its scan data.
QByteArray truncatedInScan(const QByteArray& data);

struct PictureCase {
    QString name;
    QByteArray data;
    int jpegError; // libjpeg's message number when the header is refused, 0 when it shows
    QSize size;    // the picture's size when it shows
};

QList<PictureCase> pictureCases();
