// The platform layer without a window: error texts, folders, picture files and JPEG decoding.
#include "AppError.h"
#include "ErrorHandler.h"
#include "JpegPicture.h"
#include "PictureBox.h"
#include "PictureCases.h"
#include "PictureFile.h"
#include "ProgramFolder.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <jerror.h>
#include <jpeglib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool near(QRgb a, QColor b) {
    return qAbs(qRed(a) - b.red()) < 24 && qAbs(qGreen(a) - b.green()) < 24 &&
           qAbs(qBlue(a) - b.blue()) < 24;
}

} // namespace

class PlatformTest : public QObject {
    Q_OBJECT

private slots:
    void ioErrors_data();
    void ioErrors();
    void ioMessagesWithoutErrno();
    void applicationTitle_data();
    void applicationTitle();
    void fullStop_data();
    void fullStop();
    void errorHandlerTitlesAndStops();
    void programFolder();
    void refusedFolderChange();
    void removedCurrentFolderKeepsItsPath();
    void goodPictures_data();
    void goodPictures();
    void rejectedPictures_data();
    void rejectedPictures();
    void truncatedScanDataShowsItsTop();
    void largePictureDecodesOnlyWhatShows();
    void fileErrors();
    void extensions();
    void boxKeepsPictureOnError();
    void boxDrawsUnscaledFromTopLeft();

private:
    QTemporaryDir dir;
};

void PlatformTest::ioErrors_data() {
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("ENOENT") << ENOENT << 2 << "File not found";
    QTest::newRow("ENOTDIR") << ENOTDIR << 3 << "Invalid filename";
    QTest::newRow("ENAMETOOLONG") << ENAMETOOLONG << 3 << "Invalid filename";
    QTest::newRow("ELOOP") << ELOOP << 3 << "Invalid filename";
    QTest::newRow("EMFILE") << EMFILE << 4 << "Too many open files";
    QTest::newRow("ENFILE") << ENFILE << 4 << "Too many open files";
    QTest::newRow("EACCES") << EACCES << 5 << "File access denied";
    QTest::newRow("EPERM") << EPERM << 5 << "File access denied";
    QTest::newRow("ENOSPC") << ENOSPC << 101 << "Disk full";
    // Unmapped numbers keep their own value and never borrow a message of the table.
    QTest::newRow("EINTR") << EINTR << EINTR << "I/O error 4";
    QTest::newRow("EIO") << EIO << EIO << "I/O error 5";
    QTest::newRow("EBUSY") << EBUSY << EBUSY << QString("I/O error %1").arg(EBUSY);
}

void PlatformTest::ioErrors() {
    QFETCH(int, error);
    QFETCH(int, code);
    QFETCH(QString, message);
    const IoError io = IoError::fromErrno(error);
    QCOMPARE(io.code(), code);
    QCOMPARE(io.message(), message);
}

void PlatformTest::ioMessagesWithoutErrno() {
    QCOMPARE(ioErrorMessage(100), QString("Read beyond end of file"));
    QCOMPARE(ioErrorMessage(106), QString("Invalid numeric input"));
    QCOMPARE(ioErrorMessage(7), QString("I/O error 7"));
}

void PlatformTest::applicationTitle_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("plain") << "/usr/lib/hitwise/hitwise"
                           << "hitwise";
    QTest::newRow("upper case") << "/opt/BJ.EXE"
                                << "Bj";
    QTest::newRow("first dot") << "/x/My.Prog.bin"
                               << "My";
    QTest::newRow("mixed") << "/x/HitWise"
                           << "Hitwise";
    QTest::newRow("dotted folder") << "/a.b/APP"
                                   << "App";
}

void PlatformTest::applicationTitle() {
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(::applicationTitle(path), title);
}

void PlatformTest::fullStop_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "File not found"
                            << "File not found.";
    QTest::newRow("digit") << "JPEG error #43"
                           << "JPEG error #43.";
    QTest::newRow("full stop") << "Done."
                               << "Done.";
    QTest::newRow("bracket") << "Unknown picture file extension (.png)"
                             << "Unknown picture file extension (.png)";
    QTest::newRow("exclamation") << "Stop!"
                                 << "Stop!";
    QTest::newRow("slash") << "a/"
                           << "a/.";
    QTest::newRow("empty") << ""
                           << "";
}

void PlatformTest::fullStop() {
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(withFullStop(message), shown);
}

void PlatformTest::errorHandlerTitlesAndStops() {
    QStringList seen;
    setErrorPresenter(
        [&](const QString& title, const QString& message) { seen << title << message; });
    runHandler([] { throw IoError::fromErrno(ENOENT); });
    runHandler([] {}); // no error, no box
    setErrorPresenter({});
    QCOMPARE(seen, QStringList({"tst_platform", "File not found."}));
}

void PlatformTest::programFolder() {
    const QString folder = ::programFolder();
    QVERIFY(folder.endsWith('/'));
    QCOMPARE(folder, QFileInfo(QCoreApplication::applicationFilePath()).absolutePath() + '/');
    QCOMPARE(folderOf("/a/b/c"), QString("/a/b/"));
    QCOMPARE(folderOf("noslash"), QString());
}

void PlatformTest::refusedFolderChange() {
    const QString before = QDir::currentPath();
    try {
        setCurrentFolder(dir.filePath("missing/"));
        QFAIL("no error");
    } catch (const IoError& error) {
        QCOMPARE(error.code(), 2);
    }
    QFile file(dir.filePath("plain"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    try {
        setCurrentFolder(dir.filePath("plain/"));
        QFAIL("no error");
    } catch (const IoError& error) {
        QCOMPARE(error.code(), 3);
    }
    QCOMPARE(QDir::currentPath(), before);
}

// A current directory removed under the program still gives full paths in messages.
void PlatformTest::removedCurrentFolderKeepsItsPath() {
    const QString before = QDir::currentPath();
    const QString folder = dir.filePath("soon gone");
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(QDir::setCurrent(folder));
    QVERIFY(QDir(folder).removeRecursively());
    QCOMPARE(absolutePath("7 Spades.jpg"), folder + "/7 Spades.jpg");
    QString message;
    try {
        loadPictureFile("7 Spades.jpg");
    } catch (const AppError& error) {
        message = error.message();
    }
    QVERIFY(QDir::setCurrent(before));
    QCOMPARE(
        message,
        QString("Cannot open file \"%1/7 Spades.jpg\". No such file or directory").arg(folder));
}

void PlatformTest::goodPictures_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("grey");
    for (const PictureCase& c : pictureCases()) {
        if (c.jpegError == 0 && c.size == QSize(50, 71)) {
            QTest::newRow(qPrintable(c.name)) << c.data << (c.name == "greyscale");
        }
    }
}

// Every kind of picture shows in its own colours at its own size.
void PlatformTest::goodPictures() {
    QFETCH(QByteArray, data);
    QFETCH(bool, grey);
    const JpegPicture picture(data);
    QCOMPARE(picture.size(), QSize(50, 71));
    const QImage& image = picture.visiblePart(QSize(57, 73));
    QCOMPARE(picture.decodeError(), 0);
    QCOMPARE(image.size(), QSize(50, 71));
    const QColor red =
        grey ? QColor(qGray(255, 0, 0), qGray(255, 0, 0), qGray(255, 0, 0)) : Qt::red;
    const QColor blue =
        grey ? QColor(qGray(0, 0, 255), qGray(0, 0, 255), qGray(0, 0, 255)) : Qt::blue;
    QVERIFY2(near(image.pixel(5, 5), red), qPrintable(QColor(image.pixel(5, 5)).name()));
    QVERIFY2(near(image.pixel(5, 60), blue), qPrintable(QColor(image.pixel(5, 60)).name()));
    QVERIFY(near(image.pixel(45, 60), Qt::white));
}

void PlatformTest::rejectedPictures_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("code");
    for (const PictureCase& c : pictureCases()) {
        if (c.jpegError != 0) QTest::newRow(qPrintable(c.name)) << c.data << c.jpegError;
    }
}

void PlatformTest::rejectedPictures() {
    QFETCH(QByteArray, data);
    QFETCH(int, code);
    try {
        JpegPicture picture(data);
        QFAIL("accepted");
    } catch (const JpegError& error) {
        QCOMPARE(error.code(), code);
        QCOMPARE(error.message(), QString("JPEG error #%1").arg(code));
    }
}

void PlatformTest::truncatedScanDataShowsItsTop() {
    const JpegPicture picture(truncatedInScan(makeJpeg({}, 64, 256)));
    const QImage& image = picture.visiblePart(QSize(64, 256));
    QCOMPARE(picture.decodeError(), 0);
    QVERIFY(picture.decodeWarnings() > 0);
    QVERIFY(near(image.pixel(5, 5), Qt::red)); // decoded before the break
}

void PlatformTest::largePictureDecodesOnlyWhatShows() {
    const JpegPicture picture(makeJpeg({}, 4000, 3000));
    QCOMPARE(picture.size(), QSize(4000, 3000));
    const QImage& image = picture.visiblePart(QSize(57, 73));
    QCOMPARE(image.size(), QSize(57, 73));
    QVERIFY(near(image.pixel(56, 72), Qt::red));
}

void PlatformTest::fileErrors() {
    const auto messageOf = [](const QString& name) {
        try {
            loadPictureFile(name);
        } catch (const AppError& error) {
            return error.message();
        }
        return QString("no error");
    };
    const QString missing = dir.filePath("1 Spades.jpg");
    QCOMPARE(messageOf(missing),
             QString("Cannot open file \"%1\". No such file or directory").arg(missing));

    QVERIFY(QDir(dir.path()).mkdir("folder.jpg"));
    QCOMPARE(messageOf(dir.filePath("folder.jpg")),
             QString("Cannot open file \"%1\". Is a directory").arg(dir.filePath("folder.jpg")));

    const QString fifo = dir.filePath("fifo.jpg");
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QCOMPARE(messageOf(fifo), QString("Cannot open file \"%1\". Not a regular file").arg(fifo));

    const QString huge = dir.filePath("huge.jpg");
    QCOMPARE(truncate(QFile::encodeName(huge).constData(), 0), -1);
    QFile sparse(huge);
    QVERIFY(sparse.open(QIODevice::WriteOnly));
    QVERIFY(sparse.resize(kMaxPictureFileSize + 1));
    sparse.close();
    QCOMPARE(messageOf(huge), QString("Cannot open file \"%1\". File too large").arg(huge));

    // A relative name is reported with its full path.
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    QCOMPARE(messageOf("13 Spades.jpg"),
             QString("Cannot open file \"%1\". No such file or directory")
                 .arg(dir.filePath("13 Spades.jpg")));
    QVERIFY(QDir::setCurrent(before));
}

void PlatformTest::extensions() {
    QCOMPARE(findPictureFormat("a.JPG")->description, QString("JPEG Image File"));
    QCOMPARE(findPictureFormat("a.jpeg")->extension, QString("jpeg"));
    QVERIFY(!findPictureFormat("a.png"));
    QVERIFY(!findPictureFormat("dir.jpg/file"));
    const auto messageOf = [](const QString& name) {
        try {
            loadPictureFile(name);
        } catch (const AppError& error) {
            return error.message();
        }
        return QString();
    };
    QCOMPARE(messageOf("card.PNG"), QString("Unknown picture file extension (.png)"));
    QCOMPARE(messageOf("card"), QString("Unknown picture file extension (.)"));
    // A later registration of an extension is found first.
    const auto none = [](QByteArray) -> std::unique_ptr<JpegPicture> { return nullptr; };
    registerPictureFormat({"xyz", "first", none});
    registerPictureFormat({"xyz", "second", none});
    QCOMPARE(findPictureFormat("a.xyz")->description, QString("second"));
}

void PlatformTest::boxKeepsPictureOnError() {
    const QString good = dir.filePath("good.jpg");
    QFile file(good);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(makeJpeg());
    file.close();
    PictureBox box;
    box.loadFromFile(good);
    const JpegPicture* before = box.picture();
    QVERIFY(before);
    QVERIFY_THROWS_EXCEPTION(AppError, box.loadFromFile(dir.filePath("absent.jpg")));
    QCOMPARE(box.picture(), before);
    box.clear();
    QVERIFY(!box.picture());
}

// The picture sits at the box's top-left at its own size; the rest shows the parent.
void PlatformTest::boxDrawsUnscaledFromTopLeft() {
    QWidget parent;
    parent.resize(100, 100);
    parent.setAutoFillBackground(true);
    QPalette magenta;
    magenta.setColor(QPalette::Window, Qt::magenta);
    parent.setPalette(magenta);
    auto* small = new PictureBox(&parent);
    small->setGeometry(0, 0, 57, 73);
    small->setResource(":/pictures/cardback.jpg");
    const QImage shot = parent.grab().toImage();
    QVERIFY(!near(shot.pixel(25, 35), Qt::magenta));
    QVERIFY(near(shot.pixel(53, 10), Qt::magenta)); // the 7-pixel strip to the right
    QVERIFY(near(shot.pixel(10, 72), Qt::magenta)); // the 2-pixel strip below
    QVERIFY(near(shot.pixel(80, 80), Qt::magenta));

    auto* cut = new PictureBox(&parent);
    cut->setGeometry(60, 0, 20, 20);
    cut->setResource(":/pictures/cardback.jpg");
    const QImage clipped = parent.grab().toImage();
    QVERIFY(!near(clipped.pixel(75, 15), Qt::magenta));
    QVERIFY(near(clipped.pixel(85, 15), Qt::magenta)); // cut at the box's right edge
    QVERIFY(near(clipped.pixel(70, 25), Qt::magenta)); // and at its bottom edge
}

QTEST_MAIN(PlatformTest)
#include "tst_platform.moc"
