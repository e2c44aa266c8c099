#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// A JPEG picture held as its file data. The header is read when the picture is made; the
// pixels are decoded the first time they are needed and kept.
class JpegPicture {
public:
    // Reads the header; throws JpegError when libjpeg rejects it.
    explicit JpegPicture(QByteArray data);

    QSize size() const { return size_; }

    // The picture's top-left part of at most visible pixels, decoded on the first call. A
    // picture whose data breaks off part-way shows what was decoded before the break; the
    // rest stays transparent.
    const QImage& visiblePart(QSize visible) const;

    // After visiblePart(): libjpeg's message number of the error that stopped decoding (0 for
    // none) and the number of corrupt-data warnings.
    int decodeError() const { return decodeError_; }
    int decodeWarnings() const { return decodeWarnings_; }

private:
    QByteArray data_;
    QSize size_;
    mutable QImage decoded_;
    mutable int decodeError_ = 0;
    mutable int decodeWarnings_ = 0;
};
