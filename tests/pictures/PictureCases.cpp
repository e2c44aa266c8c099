#include "PictureCases.h"

#include <QPainter>

#include <cstdio>
#include <jerror.h>
#include <jpeglib.h>

QImage quadrants(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, width / 2, height / 2, Qt::red);
    p.fillRect(width / 2, 0, width - width / 2, height / 2, Qt::green);
    p.fillRect(0, height / 2, width / 2, height - height / 2, Qt::blue);
    p.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, Qt::white);
    return image;
}

QByteArray makeJpeg(const JpegOptions& options, int width, int height) {
    return encodeJpeg(quadrants(width, height), options);
}

QByteArray withFrame(QByteArray data, int precision, int width, int height) {
    for (qsizetype i = 0; i + 9 < data.size(); ++i) {
        const uchar m = uchar(data[i + 1]);
        if (uchar(data[i]) == 0xFF &&
            (m == 0xC0 || m == 0xC1 || m == 0xC2 || m == 0xC9 || m == 0xCA)) {
            const qsizetype at = i + 4;
            data[at] = char(precision);
            data[at + 1] = char(height >> 8), data[at + 2] = char(height & 0xFF);
            data[at + 3] = char(width >> 8), data[at + 4] = char(width & 0xFF);
            break;
        }
    }
    return data;
}

QByteArray withScans(int count) {
    JpegOptions options;
    options.progressive = true;
    const QByteArray data = makeJpeg(options);
    const QByteArray sos("\xFF\xDA", 2);
    const qsizetype lastScan = data.lastIndexOf(sos);
    const QByteArray scan = data.mid(lastScan, data.size() - 2 - lastScan);
    QByteArray out = data.left(data.size() - 2);
    for (qsizetype i = data.count(sos); i < count; ++i)
        out += scan;
    return out + QByteArray("\xFF\xD9", 2);
}

QByteArray truncatedInScan(const QByteArray& data) {
    const qsizetype scan = data.indexOf(QByteArray("\xFF\xDA", 2));
    return data.left(scan + (data.size() - scan) / 3);
}

QList<PictureCase> pictureCases() {
    using C = JpegOptions::Colours;
    const auto with = [](auto change, int width = 50, int height = 71) {
        JpegOptions options;
        change(options);
        return makeJpeg(options, width, height);
    };
    const auto same = [](JpegOptions&) {};
    const QSize card(50, 71);
    const QByteArray good = makeJpeg();
    return {
        {"baseline 4:4:4", good, 0, card},
        {"baseline 4:2:0", with([](JpegOptions& o) { o.subsample = true; }), 0, card},
        {"progressive", with([](JpegOptions& o) { o.progressive = true; }), 0, card},
        {"arithmetic", with([](JpegOptions& o) { o.arithmetic = true; }), 0, card},
        {"greyscale", with([](JpegOptions& o) { o.colours = C::Grey; }), 0, card},
        {"cmyk with Adobe marker", with([](JpegOptions& o) { o.colours = C::CmykAdobe; }), 0, card},
        {"cmyk without Adobe marker", with([](JpegOptions& o) { o.colours = C::Cmyk; }), 0, card},
        {"ycck", with([](JpegOptions& o) { o.colours = C::Ycck; }), 0, card},
        {"1 x 1", with(same, 1, 1), 0, QSize(1, 1)},
        {"larger than its box", with(same, 300, 200), 0, QSize(300, 200)},
        {"truncated in scan data", truncatedInScan(makeJpeg({}, 64, 256)), 0, QSize(64, 256)},
        {"zero bytes", QByteArray(), JERR_INPUT_EMPTY, {}},
        {"one byte", QByteArray("\xFF", 1), JERR_NO_SOI, {}},
        {"text", QByteArray("hello, this is not a picture\n"), JERR_NO_SOI, {}},
        {"png named jpg", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), JERR_NO_SOI, {}},
        {"gif named jpg", QByteArray("GIF89a\x01\x00\x01\x00", 10), JERR_NO_SOI, {}},
        {"truncated header", good.left(40), JERR_NO_IMAGE, {}},
        {"65500 x 65500", withFrame(good, 8, 65500, 65500), JERR_IMAGE_TOO_BIG, {}},
        {"zero height", withFrame(good, 8, 50, 0), JERR_EMPTY_IMAGE, {}},
        {"12-bit", withFrame(good, 12, 50, 71), JERR_BAD_PRECISION, {}},
        {"thousands of scans", withScans(3000), JERR_NOTIMPL, {}},
        {"huge progressive",
         withFrame(with([](JpegOptions& o) { o.progressive = true; }), 8, 5000, 5000),
         JERR_IMAGE_TOO_BIG,
         {}},
    };
}
