#include "JpegPicture.h"

#include "AppError.h"
#include "JpegDecoder.h"

JpegPicture::JpegPicture(QByteArray data) : data_(std::move(data)) {
    JpegHeader header;
    const int error = readJpegHeader(reinterpret_cast<const unsigned char*>(data_.constData()),
                                     static_cast<std::size_t>(data_.size()), &header);
    if (error != 0) {
        throw JpegError(error);
    }
    size_ = QSize(header.width, header.height);
}

const QImage& JpegPicture::visiblePart(QSize visible) const {
    const QSize wanted = size_.boundedTo(visible.expandedTo(QSize(0, 0)));
    if (decodeError_ != 0 || (!decoded_.isNull() && decoded_.size() == wanted)) {
        return decoded_;
    }
    decoded_ = QImage();
    if (wanted.isEmpty()) {
        return decoded_;
    }
    QImage image(wanted, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        return decoded_;
    }
    image.fill(Qt::transparent);
    int rows = 0;
    int warnings = 0;
    decodeError_ =
        decodeJpeg(reinterpret_cast<const unsigned char*>(data_.constData()),
                   static_cast<std::size_t>(data_.size()), image.bits(), image.bytesPerLine(),
                   wanted.width(), wanted.height(), &rows, &warnings);
    decodeWarnings_ = warnings;
    decoded_ = std::move(image);
    return decoded_;
}
