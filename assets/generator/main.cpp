// Draws the pictures Hitwise carries and the card files it reads:
//   assetgen <resource folder> <program folder>
#include "Drawings.h"
#include "JpegWriter.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

namespace {

bool savePng16Colours(const QImage& image, const QString& path) {
    // The icon keeps to a 16-colour palette with a transparent entry.
    QImage indexed = image.convertToFormat(QImage::Format_Indexed8,
                                           Qt::ThresholdDither | Qt::ThresholdAlphaDither);
    if (indexed.colorCount() > 16) {
        indexed = image.convertToFormat(QImage::Format_ARGB32);
    }
    return indexed.save(path, "PNG");
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: assetgen <resource folder> <program folder>\n");
        return 2;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    const QDir program(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(resources.path());
    QDir().mkpath(program.path());

    JpegOptions table;
    table.quality = 88;
    JpegOptions card;
    card.subsample = true;
    card.quality = 92;
    bool ok = writeJpeg(drawTable(), resources.filePath("table.jpg"), table);
    ok &= writeJpeg(drawCardBack(), resources.filePath("cardback.jpg"), card);
    ok &= savePng16Colours(drawIcon(32), resources.filePath("icon.png"));
    for (int rank = 1; rank <= 13; ++rank) {
        ok &= writeJpeg(drawCardFace(rank), program.filePath(QString("%1 Spades.jpg").arg(rank)),
                        card);
    }
    ok &= writeJpeg(drawEmptyPlace(), program.filePath("blank.jpg"), card);
    if (!ok) {
        std::fprintf(stderr, "assetgen: could not write every picture\n");
        return 1;
    }
    return 0;
}
