// The generated charts, read back as a browser would: every cell against the advice tables.
#include "KnownCharts.h"

#include <QFile>
#include <QTest>
#include <QXmlStreamReader>

#include <map>
#include <set>

namespace {

struct ParsedChart {
    QStringList columns;                               // dealer cards along the top
    std::vector<std::pair<QString, QStringList>> rows; // hand label, cell texts
    std::vector<std::pair<QString, QString>> cells;    // class, text of every cell
    int listItems = 0;                                 // entries of the text version
    int values = 0;                                    // cells showing their play's value
    int marked = 0;                                    // cells marked as having a better play
    int betterItems = 0;                               // entries of the list of better plays
};

// Reads a document as XML (it must be well-formed) and collects the chart table.
ParsedChart parse(const QString& path, QString* error) {
    ParsedChart chart;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = "cannot read " + path;
        return chart;
    }
    QXmlStreamReader xml(&file);
    bool inChart = false, inHead = false, inList = false, inBetter = false;
    QString rowLabel;
    QStringList rowCells;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            const QString cls = xml.attributes().value("class").toString();
            if (name == u"table" && cls == u"chart") inChart = true;
            if (inChart && name == u"thead") inHead = true;
            if (name == u"ul" && cls == u"text-version") inList = true;
            if (inList && name == u"li") ++chart.listItems;
            if (name == u"ul" && cls == u"better") inBetter = true;
            if (inBetter && name == u"li") ++chart.betterItems;
            if (inChart && name == u"tr") rowLabel.clear(), rowCells.clear();
            if (inChart && inHead && name == u"th") chart.columns << xml.readElementText();
            if (inChart && !inHead && name == u"th" && xml.attributes().value("scope") == u"row")
                rowLabel = xml.readElementText();
            if (inChart && name == u"td") {
                chart.cells.emplace_back(cls.section(' ', 0, 0), QString());
                chart.marked += cls.endsWith(u" marked");
            }
            if (inChart && name == u"span" && cls == u"advice") {
                chart.cells.back().second = xml.readElementText();
                rowCells << chart.cells.back().second;
            }
            if (inChart && name == u"span" && cls == u"ev") ++chart.values;
        } else if (xml.isEndElement()) {
            const auto name = xml.name();
            if (name == u"table") inChart = false;
            if (name == u"thead") inHead = false;
            if (name == u"ul") inList = inBetter = false;
            if (inChart && name == u"tr" && !rowLabel.isEmpty())
                chart.rows.emplace_back(rowLabel, rowCells);
        }
    }
    if (xml.hasError())
        *error = QString("%1: line %2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString());
    return chart;
}

int valueOf(const QString& face) {
    return face == "A" ? 1 : face.toInt();
}

// Every ordered hand a row label stands for.
std::vector<std::pair<int, int>> handsOf(const QString& label) {
    std::vector<std::pair<int, int>> hands;
    if (label.startsWith("Hard ")) {
        const int total = label.mid(5).toInt();
        for (int a = 2; a <= 10; ++a)
            if (total - a >= 2 && total - a <= 10 && total - a != a)
                hands.emplace_back(a, total - a);
        return hands;
    }
    const QStringList cards = label.split(',');
    hands.emplace_back(valueOf(cards[0]), valueOf(cards[1]));
    hands.emplace_back(valueOf(cards[1]), valueOf(cards[0]));
    return hands;
}

QString shown(std::string_view text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size())).trimmed();
}

} // namespace

class ChartsTest : public QObject {
    Q_OBJECT

private slots:
    void chartAgreesWithTheAdvice_data();
    void chartAgreesWithTheAdvice();
    void helpPageIsWellFormed();
};

void ChartsTest::chartAgreesWithTheAdvice_data() {
    QTest::addColumn<int>("ruleSet");
    for (int i = 0; i < 3; ++i) {
        QTest::newRow(std::string(charts::kKnownCharts[i].file).c_str()) << i;
    }
}

void ChartsTest::chartAgreesWithTheAdvice() {
    QFETCH(int, ruleSet);
    const auto& rules = charts::kKnownCharts[ruleSet];
    QString error;
    const ParsedChart chart =
        parse(QString(HITWISE_PROGRAM_DIR "/") + std::string(rules.file).c_str(), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(chart.columns,
             (QStringList{"Your hand", "2", "3", "4", "5", "6", "7", "8", "9", "10", "A"}));
    QCOMPARE(int(chart.rows.size()), 34);
    QCOMPARE(chart.listItems, 34);
    std::set<std::pair<int, int>> covered;
    for (const auto& [label, cells] : chart.rows) {
        QCOMPARE(cells.size(), 10);
        for (const auto& hand : handsOf(label)) {
            covered.insert(hand);
            for (int c = 0; c < 10; ++c) {
                const int dealer = valueOf(chart.columns[c + 1]);
                const QString want = shown(rules.advise({hand.first, hand.second, dealer}).text);
                QVERIFY2(cells[c] == want,
                         qPrintable(QString("%1 (%2,%3) against %4: chart \"%5\", program \"%6\"")
                                        .arg(label)
                                        .arg(hand.first)
                                        .arg(hand.second)
                                        .arg(dealer)
                                        .arg(cells[c], want)));
            }
        }
    }
    QCOMPARE(int(covered.size()), 100);
    // Every cell but a blackjack shows its play's value; every marked cell is listed.
    QCOMPARE(chart.values, 34 * 10 - 10);
    QCOMPARE(chart.betterItems, chart.marked);
    // One colour per action: a text always has the same class, and no two actions share one.
    std::map<QString, QString> classOfText;
    for (const auto& [cls, text] : chart.cells) {
        QVERIFY(!cls.isEmpty());
        const QString word = text.startsWith("Surrender") ? "Surrender" : text;
        auto [it, inserted] = classOfText.emplace(word, cls);
        QCOMPARE(it->second, cls);
    }
    std::set<QString> classes;
    for (const auto& [text, cls] : classOfText)
        QVERIFY2(classes.insert(cls).second, qPrintable(text));
}

void ChartsTest::helpPageIsWellFormed() {
    QString error;
    parse(HITWISE_PROGRAM_DIR "/bj.htm", &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

QTEST_APPLESS_MAIN(ChartsTest)
#include "tst_charts.moc"
