// Every kind of card file through the real click handler: the message shown (or none), what
// the box shows afterwards, and the hand.
#include "JpegPicture.h"
#include "PictureCases.h"
#include "TestMain.h"
#include "WindowFixture.h"

#include <QDir>
#include <QElapsedTimer>

#include <sys/stat.h>
#include <unistd.h>

class BadPicturesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { w.setUp(); }
    void init() { w.reset(); }
    void cleanupTestCase() { w.tearDown(); }

    void pictureFiles_data();
    void pictureFiles();
    void filesThatAreNoPictures_data();
    void filesThatAreNoPictures();

private:
    // Clicks the player's 8 with the given file in place and checks the outcome.
    void playEight(const QString& message, QSize shows);

    WindowFixture w;
};

void BadPicturesTest::playEight(const QString& message, QSize shows) {
    PictureBox* box = w.picture("Image2");
    const QImage before = box->grab().toImage();
    QElapsedTimer clock;
    clock.start();
    w.play("p8");
    QVERIFY2(clock.elapsed() < 20000,
             "the click hung"); // a guard against hangs, not a speed target
    if (message.isEmpty()) {
        QVERIFY2(w.errors.isEmpty(), qPrintable(w.errors.join('\n')));
        QCOMPARE(HandState.FirstCardEntered, 1);
        QCOMPARE(HandState.PlayerCard1, 8);
        QCOMPARE(w.caption("Label15"), QString("8"));
        QCOMPARE(box->picture()->size(), shows);
        const QImage& visible = box->picture()->visiblePart(box->size());
        QCOMPARE(visible.size(), shows.boundedTo(QSize(57, 73)));
        // The box draws the picture's top-left pixel at its own top-left corner.
        QCOMPARE(box->grab().toImage().pixelColor(0, 0).rgb(), visible.pixelColor(0, 0).rgb());
    } else {
        QCOMPARE(w.errors, QStringList{message});
        QCOMPARE(HandState.FirstCardEntered, 0);
        QCOMPARE(HandState.PlayerCard1, 0);
        QCOMPARE(w.caption("Label15"), QString("0"));
        QCOMPARE(box->grab().toImage(), before); // the box shows what it showed
    }
}

void BadPicturesTest::pictureFiles_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QSize>("shows");
    for (const PictureCase& c : pictureCases()) {
        QTest::newRow(qPrintable(c.name))
            << c.data << (c.jpegError ? QString("JPEG error #%1.").arg(c.jpegError) : QString())
            << c.size;
    }
}

void BadPicturesTest::pictureFiles() {
    QFETCH(QByteArray, data);
    QFETCH(QString, message);
    QFETCH(QSize, shows);
    QFile file(w.cardPath("8 Spades.jpg"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(data), data.size());
    file.close();
    playEight(message, shows);
}

void BadPicturesTest::filesThatAreNoPictures_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("cause");
    QTest::newRow("missing") << "missing"
                             << "No such file or directory";
    QTest::newRow("folder") << "folder"
                            << "Is a directory";
    QTest::newRow("fifo") << "fifo"
                          << "Not a regular file";
    QTest::newRow("over 64 MiB") << "huge"
                                 << "File too large";
    QTest::newRow("unreadable") << "unreadable"
                                << "Permission denied";
}

void BadPicturesTest::filesThatAreNoPictures() {
    QFETCH(QString, kind);
    QFETCH(QString, cause);
    const QString path = w.cardPath("8 Spades.jpg");
    if (kind == "unreadable" && geteuid() == 0)
        QSKIP("root reads every file; run as a plain user to cover this");
    if (kind != "unreadable") QFile::remove(path);
    if (kind == "folder") QVERIFY(QDir().mkdir(path));
    if (kind == "fifo") QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    if (kind == "huge") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(65LL * 1024 * 1024)); // sparse: nothing is written
    }
    if (kind == "unreadable") QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    playEight(QString("Cannot open file \"%1\". %2.").arg(path, cause), {});
    if (kind == "fifo" || kind == "huge" || kind == "unreadable") QFile::remove(path);
}

HITWISE_TEST_MAIN(BadPicturesTest)
#include "tst_badpictures.moc"
