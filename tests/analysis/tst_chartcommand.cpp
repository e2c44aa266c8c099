// hitwise-chart as a user calls it: options, the three forms, one hand, a file it can't write.
#include "ChartCommand.h"

#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int status;
    QString out;
    QString err;
};

Run run(QStringList arguments) {
    arguments.prepend("hitwise-chart");
    Run result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    result.status = runChartCommand(arguments, out, err);
    return result;
}

} // namespace

class ChartCommandTest : public QObject {
    Q_OBJECT

private slots:
    void badOptions_data();
    void badOptions();
    void csvChart();
    void textAndCsvAgree();
    void oneHandBestFirst();
    void splitByPostSplitStrategy_data();
    void splitByPostSplitStrategy();
    void unwritableOutputKeepsNothingHalf();
};

void ChartCommandTest::badOptions_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named");
    QTest::newRow("unknown") << QStringList{"--tables"} << "tables";
    QTest::newRow("decks 0") << QStringList{"--decks", "0"} << "--decks";
    QTest::newRow("decks word") << QStringList{"--decks", "six"} << "--decks";
    QTest::newRow("no value") << QStringList{"--decks"} << "--decks";
    QTest::newRow("rules") << QStringList{"--rules", "vegas"} << "--rules";
    QTest::newRow("double") << QStringList{"--double", "8-11"} << "--double";
    QTest::newRow("split hands") << QStringList{"--split-hands", "5"} << "--split-hands";
    QTest::newRow("payout") << QStringList{"--blackjack", "2:1"} << "--blackjack";
    QTest::newRow("format") << QStringList{"--format", "doc"} << "--format";
    QTest::newRow("post-split") << QStringList{"--post-split", "cdp2"} << "--post-split";
    QTest::newRow("contradiction") << QStringList{"--h17", "--s17"} << "--h17";
    QTest::newRow("hand without up") << QStringList{"--hand", "10,6"} << "--up";
    QTest::newRow("bad card") << QStringList{"--hand", "10,X", "--up", "5"} << "--hand";
    QTest::newRow("one card") << QStringList{"--hand", "10", "--up", "5"} << "--hand";
    QTest::newRow("bust") << QStringList{"--hand", "10,6,9", "--up", "5"} << "--hand";
    QTest::newRow("more than a deck holds")
        << QStringList{"--decks", "1", "--hand", "2,2,2,2,2", "--up", "5"} << "--hand";
    QTest::newRow("bad up card") << QStringList{"--hand", "10,6", "--up", "11"} << "--up";
    QTest::newRow("stray argument") << QStringList{"chart.htm"} << "chart.htm";
}

void ChartCommandTest::badOptions() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, named);
    const Run result = run(arguments);
    QCOMPARE(result.status, 2);
    QVERIFY(result.out.isEmpty());
    QCOMPARE(result.err.count('\n'), 1);
    QVERIFY2(result.err.contains(named), qPrintable(result.err));
}

void ChartCommandTest::csvChart() {
    const Run result = run({"--rules", "european", "--format", "csv"});
    QCOMPARE(result.status, 0);
    const QStringList lines = result.out.trimmed().split('\n');
    QCOMPARE(lines.size(), 1 + 540 + 2);
    QCOMPARE(lines.first(), "card1,card2,up,stand,hit,double,split,surrender,best");
    // Against an ace, A,A may not double (9 to 11 only), splits, and nobody surrenders.
    QVERIFY(
        lines.contains(QRegularExpression(R"(^A,A,A,-?\d\.\d{6},-?\d\.\d{6},,-?\d\.\d{6},,\w+$)")));
    QVERIFY(lines[lines.size() - 2].startsWith("# rules: 8 decks"));
    QVERIFY(lines.last().startsWith("# expected return: -0.0"));
}

// The text grid's code for a pair or a soft hand is the CSV's best play for it, column by column.
void ChartCommandTest::textAndCsvAgree() {
    const QStringList rules{"--decks", "2", "--h17", "--das", "--surrender"};
    const Run text = run(rules);
    const Run csv = run(rules + QStringList{"--format", "csv"});
    QCOMPARE(text.status, 0);
    QCOMPARE(csv.status, 0);
    const QMap<QString, QString> codes{
        {"stand", "S"}, {"hit", "H"}, {"double", "D"}, {"split", "P"}, {"surrender", "R"}};
    QMap<QString, QString> best; // "A,7 9" -> "S"
    for (const QString& line : csv.out.split('\n')) {
        const QStringList f = line.split(',');
        if (f.size() == 9 && f[0] != "card1") best[f[0] + "," + f[1] + " " + f[2]] = codes[f[8]];
    }
    const QStringList ups{"2", "3", "4", "5", "6", "7", "8", "9", "10", "A"};
    int compared = 0;
    for (const QString& line : text.out.split('\n')) {
        const QStringList f = line.simplified().split(' ');
        if (f.size() != 11 || !f[0].contains(',') || f[0] == "A,10") continue;
        for (int c = 0; c < 10; ++c) {
            QCOMPARE(f[c + 1], best.value(f[0] + " " + ups[c]));
            ++compared;
        }
    }
    QCOMPARE(compared, 18 * 10);
}

void ChartCommandTest::oneHandBestFirst() {
    const Run result = run({"--decks", "1", "--das", "--hand", "6,5", "--up", "A"});
    QCOMPARE(result.status, 0);
    const qsizetype dbl = result.out.indexOf("Double    +0.240259");
    const qsizetype hit = result.out.indexOf("Hit       +0.172946");
    const qsizetype stand = result.out.indexOf("Stand     -0.634013");
    QVERIFY2(dbl > 0 && dbl < hit && hit < stand, qPrintable(result.out));
}

// 10,10 against 5 split to four hands from two decks, by an independent exact calculator.
void ChartCommandTest::splitByPostSplitStrategy_data() {
    QTest::addColumn<QString>("strategy");
    QTest::addColumn<QString>("named");
    QTest::newRow("cdz") << "cdz"
                         << "post-split strategy CDZ-";
    QTest::newRow("cdp1") << "CDP1"
                          << "post-split strategy CDP1";
}

void ChartCommandTest::splitByPostSplitStrategy() {
    QFETCH(QString, strategy);
    QFETCH(QString, named);
    const Run result =
        run({"--decks", "2", "--das", "--post-split", strategy, "--hand", "10,10", "--up", "5"});
    QCOMPARE(result.status, 0);
    QVERIFY2(result.out.contains("Split     +0.354036"), qPrintable(result.out));
    QVERIFY2(result.out.contains(named), qPrintable(result.out));
}

void ChartCommandTest::unwritableOutputKeepsNothingHalf() {
    QTemporaryDir dir;
    const Run result = run({"-o", dir.filePath("missing/chart.txt")});
    QCOMPARE(result.status, 1);
    QVERIFY2(result.err.startsWith("hitwise-chart: cannot write"), qPrintable(result.err));
    QVERIFY(!QFile::exists(dir.filePath("missing/chart.txt")));
}

QTEST_GUILESS_MAIN(ChartCommandTest)
#include "tst_chartcommand.moc"
