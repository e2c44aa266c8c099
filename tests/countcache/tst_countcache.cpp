// The count lab's study kept between runs: it reads back to the last bit, it is kept and found
// again, and a file that is damaged, cut short or of another game is never trusted.
#include "CountOptions.h"
#include "StudyCache.h"
#include "StudyText.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace countcache;

namespace {

// A small game, quick to study: one deck, Hi-Lo, a 1-4 ramp.
counting::Game oneDeck() {
    counting::Game game;
    game.rules.decks = 1;
    game.rules.doubleAfterSplit = true;
    game.system = *counting::systemOfId("hilo");
    game.ramp = {{1, 2}, {2, 4}};
    return game;
}

// Where the tests keep it: studied() works it out there once.
QString folder() {
    static const QTemporaryDir dir;
    return dir.path() + "/studies";
}

const counting::CountStudy& studied() {
    static const counting::CountStudy study = cachedStudy(oneDeck(), folder());
    return study;
}

QByteArray textOf(const counting::CountStudy& study) {
    return studyText(options::gameText(oneDeck()), study);
}

} // namespace

class CountCacheTest : public QObject {
    Q_OBJECT

private slots:
    void readsBackToTheLastBit();
    void neverTrusted_data();
    void neverTrusted();
    void keptAndFoundAgain();
};

void CountCacheTest::readsBackToTheLastBit() {
    const QByteArray text = textOf(studied());
    const auto back = studyOfText(text, options::gameText(oneDeck()));
    QVERIFY(back);
    QCOMPARE(textOf(*back), text);
    QVERIFY(!studied().indices.plays.empty() && studied().worth.size() == 13);
}

void CountCacheTest::neverTrusted_data() {
    QTest::addColumn<QByteArray>("text");
    const QByteArray good = textOf(studied());
    QByteArray flipped = good;
    flipped[good.indexOf("worth ") + 8] = flipped[good.indexOf("worth ") + 8] == '1' ? '2' : '1';
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("cut short") << good.left(good.size() / 2);
    QTest::newRow("a digit changed") << flipped;
    QTest::newRow("no digest") << good.left(good.indexOf("sha256 "));
    QTest::newRow("garbage") << QByteArray(5000, '\xff');
    counting::Game other = oneDeck();
    other.rules.decks = 2;
    QTest::newRow("another game's") << studyText(options::gameText(other), studied());
    // Whole and digested, but written by another format of the lab.
    QByteArray body = good.left(good.indexOf("sha256 "));
    body.replace("hitwise count study ", "hitwise count study 0");
    QTest::newRow("another format")
        << body + "sha256 " + QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex() +
               "\n";
}

void CountCacheTest::neverTrusted() {
    QFETCH(QByteArray, text);
    QVERIFY(!studyOfText(text, options::gameText(oneDeck())));
}

// Worked out once and kept; found again as it was; a damaged file is worked out again and
// written whole, as it was kept.
void CountCacheTest::keptAndFoundAgain() {
    const QString where = folder();
    (void)studied();
    const QStringList files = QDir(where).entryList(QDir::Files);
    QCOMPARE(files.size(), 1);
    QFile file(where + '/' + files.first());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray kept = file.readAll();
    file.close();
    const counting::CountStudy found = cachedStudy(oneDeck(), where);
    QCOMPARE(textOf(found), textOf(studied()));
    QVERIFY(!found.indices.basic.rows.empty());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(kept.left(100));
    file.close();
    QCOMPARE(textOf(cachedStudy(oneDeck(), where)), textOf(studied()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), kept);
}

QTEST_GUILESS_MAIN(CountCacheTest)
#include "tst_countcache.moc"
