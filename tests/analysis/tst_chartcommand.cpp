// hitwise-chart as a user calls it: options, the three forms, one hand, a file it can't write.
#include "ChartCommand.h"
#include "ChartPdf.h"

#include <QFile>
#include <QMap>
#include <QProcess>
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
    const PdfWriters writers{charts::pdf, charts::plotPdf};
    result.status = runChartCommand(arguments, out, err, &writers);
    return result;
}

} // namespace

class ChartCommandTest : public QObject {
    Q_OBJECT

private slots:
    void badOptions_data();
    void badOptions();
    void csvChart();
    void fallbacksAsPublished_data();
    void fallbacksAsPublished();
    void shoeGivenOrRemovedAlike();
    void textAndCsvAgree();
    void oneHandBestFirst();
    void splitByPostSplitStrategy_data();
    void splitByPostSplitStrategy();
    void unwritableOutputKeepsNothingHalf();
    void pdfChart_data();
    void pdfChart();
    void compareAgreesWithTheValues_data();
    void compareAgreesWithTheValues();
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
    QTest::newRow("paper") << QStringList{"--format", "pdf", "--paper", "a5", "-o", "c.pdf"}
                           << "--paper";
    QTest::newRow("pdf to the terminal") << QStringList{"--format", "pdf"} << "-o";
    QTest::newRow("compare") << QStringList{"--compare", "vegas"} << "--compare";
    QTest::newRow("contradiction") << QStringList{"--h17", "--s17"} << "--h17";
    QTest::newRow("hand without up") << QStringList{"--hand", "10,6"} << "--up";
    QTest::newRow("bad card") << QStringList{"--hand", "10,X", "--up", "5"} << "--hand";
    QTest::newRow("one card") << QStringList{"--hand", "10", "--up", "5"} << "--hand";
    QTest::newRow("bust") << QStringList{"--hand", "10,6,9", "--up", "5"} << "--hand";
    QTest::newRow("more than a deck holds")
        << QStringList{"--decks", "1", "--hand", "2,2,2,2,2", "--up", "5"} << "--hand";
    QTest::newRow("bad up card") << QStringList{"--hand", "10,6", "--up", "11"} << "--up";
    QTest::newRow("stray argument") << QStringList{"chart.htm"} << "chart.htm";
    const QString deck = "A:4,2:4,3:4,4:4,5:4,6:4,7:4,8:4,9:4,10:16";
    QTest::newRow("more removed than the shoe holds")
        << QStringList{"--decks", "1", "--removed", "5,5,5,5,5"} << "--removed";
    QTest::newRow("an unknown card removed") << QStringList{"--removed", "5,Z"} << "--removed";
    QTest::newRow("a value missing from the shoe")
        << QStringList{"--shoe", "A:4,2:4,3:4,4:4,5:4,6:4,7:4,8:4,9:4"} << "--shoe";
    QTest::newRow("a value named twice") << QStringList{"--shoe", deck + ",A:4"} << "--shoe";
    QTest::newRow("a count below 0")
        << QStringList{"--shoe", QString(deck).replace("7:4", "7:-1")} << "--shoe";
    QTest::newRow("the shoe and the decks")
        << QStringList{"--shoe", deck, "--decks", "2"} << "--decks";
    QTest::newRow("a shoe too small to finish a round")
        << QStringList{"--shoe", "A:1,2:1,3:1,4:1,5:1,6:1,7:1,8:1,9:1,10:4"} << "a round may take";
    QTest::newRow("a hand the shoe cannot deal")
        << QStringList{"--shoe", QString(deck).replace("A:4", "A:0"), "--hand", "A,7", "--up", "9"}
        << "--hand";
    // Counting.
    QTest::newRow("an unknown count") << QStringList{"--indices", "--count", "hilo2"} << "--count";
    QTest::newRow("a count and tags")
        << QStringList{"--indices", "--count", "hilo", "--tags", "A:-1"} << "--tags";
    QTest::newRow("bad tags") << QStringList{"--by-count", "--tags", "A:-1,2:1"} << "--tags";
    QTest::newRow("no count") << QStringList{"--indices"} << "--count";
    QTest::newRow("a count alone") << QStringList{"--count", "hilo"} << "--indices";
    QTest::newRow("a true count's rounding for KO")
        << QStringList{"--indices", "--count", "ko", "--tc", "round"} << "--tc";
    QTest::newRow("a deck estimate")
        << QStringList{"--by-count", "--count", "zen", "--deck-estimate", "tenth"}
        << "--deck-estimate";
    QTest::newRow("a rounding") << QStringList{"--by-count", "--count", "zen", "--tc", "up"}
                                << "--tc";
    QTest::newRow("a depth past the shoe")
        << QStringList{"--indices", "--count", "hilo", "--depth", "6"} << "--depth";
    QTest::newRow("a whole shoe dealt")
        << QStringList{"--indices", "--count", "hilo", "--penetration", "1"} << "--penetration";
    QTest::newRow("no players") << QStringList{"--by-count", "--count", "hilo", "--players", "0"}
                                << "--players";
    QTest::newRow("a ramp without units")
        << QStringList{"--indices", "--count", "hilo", "--ramp", "1:1,2"} << "--ramp";
    QTest::newRow("a ramp betting nothing")
        << QStringList{"--indices", "--count", "hilo", "--ramp", "1:0"} << "--ramp";
    QTest::newRow("a ramp naming a count twice")
        << QStringList{"--indices", "--count", "hilo", "--ramp", "1:1,1:2"} << "--ramp";
    QTest::newRow("a bankroll without a game")
        << QStringList{"--by-count", "--count", "hilo", "--bankroll", "100"} << "--bankroll";
    QTest::newRow("a game as csv")
        << QStringList{"--game", "--count", "hilo", "--format", "csv"} << "--game";
    QTest::newRow("no bankroll") << QStringList{"--game", "--count", "hilo", "--bankroll", "0"}
                                 << "--bankroll";
    QTest::newRow("a hand with the indices")
        << QStringList{"--indices", "--count", "hilo", "--hand", "10,6", "--up", "10"} << "--hand";
    QTest::newRow("by count on a card")
        << QStringList{"--by-count", "--count", "hilo", "--format", "pdf",
                       "--paper",    "card",    "-o",   "b.pdf"}
        << "--paper";
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
    QCOMPARE(lines.size(), 1 + 540 + 3);
    QCOMPARE(lines.first(), "card1,card2,up,stand,hit,double,split,surrender,best,fallback");
    // Against an ace, A,A may not double (9 to 11 only), splits, and nobody surrenders.
    QVERIFY(lines.contains(
        QRegularExpression(R"(^A,A,A,-?\d\.\d{9},-?\d\.\d{9},,-?\d\.\d{9},,\w+,$)")));
    QVERIFY(lines[lines.size() - 3].startsWith("# rules: 8 decks"));
    QCOMPARE(lines[lines.size() - 2],
             "# shoe: A:32,2:32,3:32,4:32,5:32,6:32,7:32,8:32,9:32,10:128 (416 cards)");
    QVERIFY(lines.last().contains(QRegularExpression(R"(^# expected return: -0\.\d{11}$)")));
}

// The fallback codes of published six-deck basic strategy (dealer hits soft 17, double after
// split, late surrender), where a double or a surrender is the play.
void ChartCommandTest::fallbacksAsPublished_data() {
    QTest::addColumn<QString>("hand"); // card1,card2,up as the CSV writes them
    QTest::addColumn<QString>("fallback");
    QTest::newRow("A,7 v 2: double, else stand") << "A,7,2"
                                                 << "Ds";
    QTest::newRow("A,8 v 6: double, else stand") << "A,8,6"
                                                 << "Ds";
    QTest::newRow("A,6 v 3: double, else hit") << "A,6,3"
                                               << "Dh";
    QTest::newRow("11 v A: double, else hit") << "5,6,A"
                                              << "Dh";
    QTest::newRow("5,5 v 9: double, else hit") << "5,5,9"
                                               << "Dh";
    QTest::newRow("8,8 v A: surrender, else split") << "8,8,A"
                                                    << "Rp";
    QTest::newRow("15 v A: surrender, else hit") << "5,10,A"
                                                 << "Rh";
    QTest::newRow("17 v A: surrender, else stand") << "7,10,A"
                                                   << "Rs";
    QTest::newRow("16 v 9: surrender, else hit") << "6,10,9"
                                                 << "Rh";
    QTest::newRow("12 v 4: no fallback") << "2,10,4"
                                         << "";
}

void ChartCommandTest::fallbacksAsPublished() {
    QFETCH(QString, hand);
    QFETCH(QString, fallback);
    static const Run csv =
        run({"--decks", "6", "--h17", "--das", "--surrender", "--format", "csv"});
    QCOMPARE(csv.status, 0);
    const QStringList lines = csv.out.split('\n').filter(QRegularExpression("^" + hand + ","));
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines[0].section(',', 9), fallback);
}

// The same shoe given whole or as decks less cards: the same values to the last decimal.
void ChartCommandTest::shoeGivenOrRemovedAlike() {
    const Run removed = run({"--decks", "6", "--das", "--format", "csv", "--removed",
                             "A,A,A,A,2,2,2,2,3,3,3,3,4,4,4,4,5,5,5,5,6,6,6,6,7,7,7,7,8,8,8,8,9,9,"
                             "9,9,10,10,10,10,J,J,J,J,Q,Q,Q,Q,K,K,K,K"});
    const Run given = run({"--shoe", "10:80,9:20,8:20,7:20,6:20,5:20,4:20,3:20,2:20,A:20", "--das",
                           "--format", "csv"});
    QCOMPARE(removed.status, 0);
    QCOMPARE(given.status, 0);
    QStringList a = removed.out.split('\n');
    QStringList b = given.out.split('\n');
    // The rules line names the decks each started from; everything else is the same.
    auto withoutRules = [](QStringList lines) {
        lines.removeIf([](const QString& line) { return line.startsWith("# rules: "); });
        return lines;
    };
    QCOMPARE(withoutRules(a), withoutRules(b));
    QVERIFY(a.contains("# shoe: A:20,2:20,3:20,4:20,5:20,6:20,7:20,8:20,9:20,10:80 (260 cards)"));
}

// The text grid's code for a pair or a soft hand is the CSV's best play for it, with its
// fallback, column by column.
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
        if (f.size() == 10 && f[0] != "card1") {
            best[f[0] + "," + f[1] + " " + f[2]] = f[9].isEmpty() ? codes[f[8]] : f[9];
        }
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

// The three papers: the page size in points, the pages, and words that must be on them.
void ChartCommandTest::pdfChart_data() {
    QTest::addColumn<QString>("paper");
    QTest::addColumn<QSizeF>("points");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("a4") << "a4" << QSizeF(595.3, 841.9) << 1
                        << QStringList{"Rules: 6 decks, dealer hits soft 17", "Hard totals",
                                       "Expected return of a round by the best play"};
    QTest::newRow("letter") << "letter" << QSizeF(612, 792) << 1
                            << QStringList{"Rules: 6 decks", "Pairs", "D double"};
    QTest::newRow("card") << "card" << QSizeF(242.6, 153.1) << 2
                          << QStringList{"Hard totals - 6 decks, H17, DAS, LS",
                                         "Soft hands and pairs"};
}

void ChartCommandTest::pdfChart() {
    QFETCH(QString, paper);
    QFETCH(QSizeF, points);
    QFETCH(int, pages);
    QFETCH(QStringList, words);
    QTemporaryDir dir;
    const QString path = dir.filePath("chart.pdf");
    const Run result = run({"--decks", "6", "--h17", "--das", "--surrender", "--format", "pdf",
                            "--paper", paper, "-o", path});
    QCOMPARE(result.status, 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    QVERIFY(pdf.startsWith("%PDF-"));
    const auto box = QRegularExpression(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])")
                         .match(QString::fromLatin1(pdf));
    QVERIFY(box.hasMatch());
    QVERIFY2(std::abs(box.captured(1).toDouble() - points.width()) < 1 &&
                 std::abs(box.captured(2).toDouble() - points.height()) < 1,
             qPrintable(box.captured(0)));
    QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r"), pages);
    QProcess text;
    text.start("pdftotext", {"-layout", path, "-"});
    QVERIFY2(text.waitForFinished(120000), "pdftotext (poppler-utils) is needed");
    const QString said = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    for (const QString& word : words)
        QVERIFY2(said.contains(word), qPrintable(word + " not in: " + said.left(300)));
}

// --compare against the values of --format csv for the same rules, cell by cell: the chart's
// play is what the known chart says there, the best play is the CSV's, the cost is their values'
// difference. Against the chart's own rules it lists exactly what the chart page marks.
void ChartCommandTest::compareAgreesWithTheValues_data() {
    QTest::addColumn<QStringList>("rules");
    QTest::addColumn<QString>("known");
    QTest::newRow("multi at 6 decks H17 DAS LS")
        << QStringList{"--decks", "6", "--h17", "--das", "--surrender"} << "multi";
    QTest::newRow("single at 2 decks, no hole card")
        << QStringList{"--decks", "2", "--no-hole-card"} << "single";
    QTest::newRow("european at 6:5, 9-11")
        << QStringList{"--blackjack", "6:5", "--double", "9-11"} << "european";
    QTest::newRow("multi at its own rules") << QStringList{"--rules", "multi"} << "multi";
}

void ChartCommandTest::compareAgreesWithTheValues() {
    QFETCH(QStringList, rules);
    QFETCH(QString, known);
    const Run values = run(rules + QStringList{"--format", "csv"});
    const Run compare = run(rules + QStringList{"--compare", known, "--format", "csv"});
    QCOMPARE(compare.status, 0);
    const QStringList plays{"stand", "hit", "double", "split", "surrender"};
    QMap<QString, QStringList> byHand; // "10,6,A" -> the CSV's fields
    for (const QString& line : values.out.split('\n')) {
        const QStringList f = line.split(',');
        if (f.size() == 10 && f[0] != "card1") byHand[f[0] + "," + f[1] + "," + f[2]] = f;
    }
    const QStringList lines = compare.out.trimmed().split('\n');
    QCOMPARE(lines.first(), "card1,card2,up,chart,best,cost");
    QStringList listed;
    for (const QString& line : lines.mid(1)) {
        if (line.startsWith('#')) continue;
        const QStringList f = line.split(',');
        QCOMPARE(f.size(), 6);
        const QStringList& csv = byHand.value(f[0] + "," + f[1] + "," + f[2]);
        QVERIFY2(csv.size() == 10, qPrintable(line));
        QCOMPARE(f[4], csv[8]); // the best play
        QVERIFY(f[3] != f[4]);
        const double best = csv[3 + plays.indexOf(f[4])].toDouble();
        const double chart = csv[3 + plays.indexOf(f[3])].toDouble();
        QVERIFY2(!csv[3 + plays.indexOf(f[3])].isEmpty(), qPrintable(line)); // an allowed play
        QVERIFY2(std::abs(best - chart - f[5].toDouble()) <= 2.5e-6, qPrintable(line));
        QVERIFY(f[5].toDouble() > 0);
        listed << line;
    }
    QVERIFY(!listed.isEmpty());
    if (rules.first() != "--rules") return;
    // At the chart's own rules: the page's list of better plays, item for item.
    const Run html = run(rules + QStringList{"--compare", known, "--format", "html"});
    QFile page(QStringLiteral(HITWISE_PROGRAM_DIR "/%1.htm").arg(known));
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QRegularExpression item("<ul class=\"better\">(.*?)</ul>",
                                  QRegularExpression::DotMatchesEverythingOption);
    const QString fromPage = item.match(QString::fromUtf8(page.readAll())).captured(1);
    QVERIFY(!fromPage.isEmpty());
    QCOMPARE(item.match(html.out).captured(1), fromPage);
}

QTEST_MAIN(ChartCommandTest)
#include "tst_chartcommand.moc"
