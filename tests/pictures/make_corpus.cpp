// Writes the test pictures to a folder, one file a case: make_corpus <folder>
#include "PictureCases.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) return 2;
    QDir folder(QString::fromLocal8Bit(argv[1]));
    folder.mkpath(".");
    for (const PictureCase& c : pictureCases()) {
        QFile file(folder.filePath(QString(c.name).replace(' ', '-') + ".jpg"));
        if (!file.open(QIODevice::WriteOnly) || file.write(c.data) != c.data.size()) return 1;
    }
    return 0;
}
