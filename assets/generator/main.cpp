// Draws the pictures Hitwise carries and the card files it reads:
#include "CardFace.h"
//   assetgen <resource folder> <program folder> <icon theme folder>
#include "JpegWriter.h"
#include "Pictures.h"

#include <QDir>
#include <QFile>
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
    if (argc != 4) {
        std::fprintf(stderr,
                     "usage: assetgen <resource folder> <program folder> <icon theme folder>\n");
        return 2;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    const QDir program(QString::fromLocal8Bit(argv[2]));
    const QDir icons(QString::fromLocal8Bit(argv[3]));
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
        ok &= writeJpeg(cards::drawCardFace(rank),
                        program.filePath(QString("%1 Spades.jpg").arg(rank)), card);
    }
    ok &= writeJpeg(drawEmptyPlace(), program.filePath("blank.jpg"), card);
    // The desktop's icon theme: the same letters at every size, and as vector graphics.
    for (int size : {16, 32, 48, 64, 128}) {
        const QString folder = QString("%1x%1/apps").arg(size);
        icons.mkpath(folder);
        ok &= drawIcon(size).save(icons.filePath(folder + "/com.example.hitwise.png"), "PNG");
    }
    icons.mkpath("scalable/apps");
    QFile svg(icons.filePath("scalable/apps/com.example.hitwise.svg"));
    ok &= svg.open(QIODevice::WriteOnly) && svg.write(drawIconSvg().toUtf8()) > 0;
    if (!ok) {
        std::fprintf(stderr, "assetgen: could not write every picture\n");
        return 1;
    }
    return 0;
}
