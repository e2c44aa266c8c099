// Hand entry and advice display through the real click handlers of the main window.
#include "Card.h"
#include "JpegPicture.h"
#include "KnownCharts.h"
#include "PictureBox.h"
#include "ProgramFolder.h"
#include "RadioGroup.h"
#include "TestMain.h"
#include "WindowFixture.h"

#include <QDir>
#include <QTimer>

namespace {

QImage pixelsOf(const PictureBox* box) {
    return box->picture() ? box->picture()->visiblePart(QSize(57, 73)) : QImage();
}

QImage pixelsOfFile(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return JpegPicture(file.readAll()).visiblePart(QSize(57, 73));
}

QString adviceText(int ruleSet, int a, int b, int d) {
    const std::string_view text = charts::kKnownCharts[ruleSet].advise({a, b, d}).text;
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

} // namespace

class HandEntryTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { w.reset(); }
    void cleanupTestCase() { w.tearDown(); }

    void startsWaitingForTheFirstCard();
    void layout_data();
    void layout();
    void states_data();
    void states();
    void totals_data();
    void totals();
    void dealerCards_data();
    void dealerCards();
    void resetFromEveryState_data();
    void resetFromEveryState();
    void ruleSetIsReadAtTheDealersCard();
    void everyHandThroughTheButtons();
    void disabledButtonsTakeNoClick();
    void secondCardFailureKeepsWaiting();
    void dealerCardFailure();
    void resetWithoutEmptyPlacePicture();
    void blinking();

private:
    WindowFixture w;
};

void HandEntryTest::initTestCase() {
    w.setUp();
    // Before any Reset: the card backs, the prompt, the folder made current at creation.
    QCOMPARE(AppDir, programFolder());
    for (const char* box : {"Image2", "Image3", "Image4", "Image5"}) {
        QCOMPARE(w.picture(box)->picture()->size(), QSize(50, 71));
    }
    QCOMPARE(w.picture("Image1")->picture()->size(), QSize(447, 339));
}

void HandEntryTest::startsWaitingForTheFirstCard() {
    QCOMPARE(w.form().windowTitle(), QString("Hitwise"));
    QCOMPARE(w.caption("Label13"), QString("Enter your hand"));
    QCOMPARE(w.caption("Label14"), QString("0"));
    QCOMPARE(w.caption("Label15"), QString("0"));
    QCOMPARE(w.caption("Label12"), QString("Action :"));
    QVERIFY(w.playerButtonsEnabled(true));
    QVERIFY(w.dealerButtonsEnabled(false));
    QCOMPARE(w.ruleSets()->itemIndex(), 0);
    const auto* timer = w.form().findChild<QTimer*>("Timer1");
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 500);
    QCOMPARE(w.find<QWidget>("ClientArea")->size(), QSize(688, 444));
}

// Controls at their places in the layout (labels size themselves, so only their corner).
void HandEntryTest::layout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    const struct {
        const char* name;
        int x, y, w, h;
    } controls[] = {
        {"Image1", 239, 0, 449, 345},      {"Image2", 392, 224, 57, 73},
        {"Image3", 456, 224, 57, 73},      {"Image4", 392, 72, 57, 73},
        {"Image5", 456, 72, 57, 73},       {"Panel1", 0, 0, 241, 339},
        {"Panel2", 0, 340, 688, 104},      {"Button1", 56, 216, 121, 33},
        {"RadioGroup1", 24, 40, 185, 145}, {"Button2", 280, 32, 25, 20},
        {"Button9", 376, 56, 25, 20},      {"Button14", 408, 80, 25, 20},
        {"Button15", 456, 32, 25, 20},     {"Button24", 488, 80, 25, 20},
        {"Button27", 584, 80, 25, 20},     {"Button28", 592, 16, 75, 25},
        {"Label14", 532, 72, -1, -1},      {"Label15", 532, 224, -1, -1},
        {"Label13", 13, 74, -1, -1},       {"Label12", 73, 48, -1, -1},
        {"Label1", 3, 8, -1, -1},          {"URLLabel1", 48, 312, -1, -1},
        {"Label3", 56, 184, -1, -1},       {"Label9", 280, 8, -1, -1},
        {"Label10", 456, 8, -1, -1},       {"Label2", 35, 8, -1, -1},
    };
    for (const auto& c : controls)
        QTest::newRow(c.name) << QString(c.name) << QRect(c.x, c.y, c.w, c.h);
}

void HandEntryTest::layout() {
    QFETCH(QString, name);
    QFETCH(QRect, place);
    const QWidget* widget = w.find<QWidget>(name);
    QVERIFY(widget);
    QCOMPARE(widget->pos(), place.topLeft());
    if (place.width() > 0) QCOMPARE(widget->size(), place.size());
}

void HandEntryTest::states_data() {
    QTest::addColumn<QString>("moves");
    QTest::addColumn<QList<int>>(
        "hand"); // FirstCardEntered, PlayerCard1, PlayerCard2, DealerUpCard
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<bool>("players");
    QTest::addColumn<bool>("dealers");
    QTest::newRow("waiting for the first card")
        << "" << QList<int>{0, 0, 0, 0} << "Enter your hand" << true << false;
    QTest::newRow("waiting for the second card")
        << "p8" << QList<int>{1, 8, 0, 0} << "Enter your hand" << true << false;
    QTest::newRow("waiting for the dealer")
        << "p8 p8" << QList<int>{1, 8, 8, 0} << "Enter dealers up card" << false << true;
    QTest::newRow("advice shown") << "p8 p8 dA" << QList<int>{1, 8, 8, 1}
                                  << "Surrender if able, or hit" << false << false;
    QTest::newRow("court cards count ten")
        << "pJ pQ dK" << QList<int>{1, 10, 10, 10} << "          Stand" << false << false;
}

void HandEntryTest::states() {
    QFETCH(QString, moves);
    QFETCH(QList<int>, hand);
    QFETCH(QString, prompt);
    QFETCH(bool, players);
    QFETCH(bool, dealers);
    w.play(moves);
    QCOMPARE((QList<int>{HandState.FirstCardEntered, HandState.PlayerCard1, HandState.PlayerCard2,
                         HandState.DealerUpCard}),
             hand);
    QCOMPARE(w.caption("Label13"), prompt);
    QVERIFY(w.playerButtonsEnabled(players));
    QVERIFY(w.dealerButtonsEnabled(dealers));
    QVERIFY(w.errors.isEmpty());
}

void HandEntryTest::totals_data() {
    QTest::addColumn<QString>("moves");
    QTest::addColumn<QString>("total");
    QTest::newRow("ace") << "pA"
                         << "1 / 11";
    QTest::newRow("seven") << "p7"
                           << "7";
    QTest::newRow("king") << "pK"
                          << "10";
    QTest::newRow("two aces") << "pA pA"
                              << "2 / 12";
    QTest::newRow("ace six") << "pA p6"
                             << "7 / 17";
    QTest::newRow("six ace") << "p6 pA"
                             << "7 / 17";
    QTest::newRow("ace king") << "pA pK"
                              << "11 / 21";
    QTest::newRow("king ace") << "pK pA"
                              << "11 / 21";
    QTest::newRow("nine seven") << "p9 p7"
                                << "16";
    QTest::newRow("ten queen") << "p10 pQ"
                               << "20";
    QTest::newRow("eight eight") << "p8 p8"
                                 << "16";
}

void HandEntryTest::totals() {
    QFETCH(QString, moves);
    QFETCH(QString, total);
    w.play(moves);
    QCOMPARE(w.caption("Label15"), total);
    // The label has grown to its text, its corner fixed.
    const auto* label = w.find<QLabel>("Label15");
    QCOMPARE(label->size(), label->sizeHint());
    QCOMPARE(label->pos(), QPoint(532, 224));
}

void HandEntryTest::dealerCards_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("shown");
    for (int i = 0; i < 13; ++i) {
        QTest::newRow(cards::kFaces[i].caption)
            << i << (i == 0 ? QString("1 / 11") : QString::number(cards::kFaces[i].value));
    }
}

void HandEntryTest::dealerCards() {
    QFETCH(int, index);
    QFETCH(QString, shown);
    w.play("p2 p3");
    w.click(w.dealerButton(index));
    QCOMPARE(w.caption("Label14"), shown);
    QCOMPARE(HandState.DealerUpCard, cards::kFaces[index].value);
    QCOMPARE(pixelsOf(w.picture("Image4")),
             pixelsOfFile(w.cardPath(cards::kFaces[index].pictureFile)));
}

void HandEntryTest::resetFromEveryState_data() {
    QTest::addColumn<QString>("moves");
    QTest::newRow("nothing") << "";
    QTest::newRow("one card") << "pA";
    QTest::newRow("two cards") << "pA p5";
    QTest::newRow("advice") << "pA p5 d4";
    QTest::newRow("twice") << "pA p5 d4";
}

void HandEntryTest::resetFromEveryState() {
    QFETCH(QString, moves);
    w.play(moves);
    w.click(w.button(28));
    if (QString(QTest::currentDataTag()) == "twice") w.click(w.button(28));
    QCOMPARE((QList<int>{HandState.FirstCardEntered, HandState.PlayerCard1, HandState.PlayerCard2,
                         HandState.DealerUpCard}),
             (QList<int>{0, 0, 0, 0}));
    QCOMPARE(w.caption("Label13"), QString("Enter your hand"));
    QCOMPARE(w.caption("Label14"), QString("0"));
    QCOMPARE(w.caption("Label15"), QString("0"));
    QVERIFY(w.playerButtonsEnabled(true));
    QVERIFY(w.dealerButtonsEnabled(false));
    const QImage blank = pixelsOfFile(w.cardPath("blank.jpg"));
    for (const char* box : {"Image2", "Image3", "Image4", "Image5"}) {
        QCOMPARE(pixelsOf(w.picture(box)), blank);
    }
    QVERIFY(w.errors.isEmpty());
}

void HandEntryTest::ruleSetIsReadAtTheDealersCard() {
    w.play("p8 p8");
    w.ruleSets()->setItemIndex(2);
    w.play("d10");
    QCOMPARE(w.caption("Label13"), adviceText(2, 8, 8, 10)); // European: hit, not split
    w.ruleSets()->setItemIndex(0);
    QCOMPARE(w.caption("Label13"), adviceText(2, 8, 8, 10)); // unchanged until the next hand
    w.click(w.button(28));
    w.play("p8 p8 d10");
    QCOMPARE(w.caption("Label13"), adviceText(0, 8, 8, 10));
}

// All 13 x 13 x 13 faces of each rule set, from the clicks to the label.
void HandEntryTest::everyHandThroughTheButtons() {
    for (int ruleSet = 0; ruleSet < 3; ++ruleSet) {
        w.ruleSets()->setItemIndex(ruleSet);
        for (int a = 0; a < 13; ++a) {
            for (int b = 0; b < 13; ++b) {
                for (int d = 0; d < 13; ++d) {
                    w.playerButton(a)->click();
                    w.playerButton(b)->click();
                    w.dealerButton(d)->click();
                    const QString want = adviceText(ruleSet, cards::kFaces[a].value,
                                                    cards::kFaces[b].value, cards::kFaces[d].value);
                    if (w.caption("Label13") != want) {
                        QFAIL(
                            qPrintable(QString("rule set %1, %2 %3 against %4: \"%5\"")
                                           .arg(ruleSet)
                                           .arg(cards::kFaces[a].caption, cards::kFaces[b].caption,
                                                cards::kFaces[d].caption, w.caption("Label13"))));
                    }
                    w.button(28)->click();
                }
            }
        }
    }
    QVERIFY(w.errors.isEmpty());
}

void HandEntryTest::disabledButtonsTakeNoClick() {
    w.play("dA"); // dealer buttons are disabled before the second card
    QCOMPARE(HandState.DealerUpCard, 0);
    QCOMPARE(w.caption("Label14"), QString("0"));
    w.play("p2 p3 d4 p5 d6");
    QCOMPARE(HandState.PlayerCard1, 2);
    QCOMPARE(HandState.PlayerCard2, 3);
    QCOMPARE(HandState.DealerUpCard, 4);
}

// The second card's picture is loaded before anything else: the hand still waits for it.
void HandEntryTest::secondCardFailureKeepsWaiting() {
    w.play("p5");
    QFile::remove(w.cardPath("8 Spades.jpg"));
    w.play("p8");
    QCOMPARE(w.errors.size(), 1);
    QCOMPARE(HandState.PlayerCard2, 0);
    QVERIFY(w.playerButtonsEnabled(true));
    QVERIFY(w.dealerButtonsEnabled(false));
    QCOMPARE(w.caption("Label13"), QString("Enter your hand"));
    QCOMPARE(w.caption("Label15"), QString("5"));
    w.play("p6 d9");
    QCOMPARE(w.caption("Label13"), adviceText(0, 5, 6, 9));
}

void HandEntryTest::dealerCardFailure() {
    w.play("p5 p6");
    QFile::remove(w.cardPath("8 Spades.jpg"));
    w.play("d8");
    QCOMPARE(w.errors.size(), 1);
    QCOMPARE(HandState.DealerUpCard, 8);
    QCOMPARE(w.caption("Label14"), QString("8"));
    QCOMPARE(w.caption("Label13"), QString("Enter dealers up card"));
    QVERIFY(w.dealerButtonsEnabled(true));
    w.play("d9"); // another dealer card can be clicked
    QCOMPARE(w.caption("Label13"), adviceText(0, 5, 6, 9));
    QVERIFY(w.dealerButtonsEnabled(false));
}

// Reset completes without the empty-place picture: the boxes are emptied, one error box.
void HandEntryTest::resetWithoutEmptyPlacePicture() {
    w.play("p5 p6 d7");
    QFile::remove(w.cardPath("blank.jpg"));
    w.click(w.button(28));
    QCOMPARE(w.errors, QStringList{QString("Cannot open file \"%1\". No such file or directory.")
                                       .arg(w.cardPath("blank.jpg"))});
    for (const char* box : {"Image2", "Image3", "Image4", "Image5"}) {
        QVERIFY(!w.picture(box)->picture());
    }
    QCOMPARE(HandState.FirstCardEntered, 0);
    QCOMPARE(HandState.PlayerCard1 + HandState.PlayerCard2 + HandState.DealerUpCard, 0);
    QVERIFY(w.playerButtonsEnabled(true));
    QVERIFY(w.dealerButtonsEnabled(false));
    QCOMPARE(w.caption("Label13"), QString("Enter your hand"));
    w.play("p9"); // a new hand can be entered
    QCOMPARE(HandState.PlayerCard1, 9);
}

void HandEntryTest::blinking() {
    auto* label = w.find<QLabel>("Label13");
    // The timer's own ticks blink the prompt.
    const bool hidden = label->isHidden();
    QTRY_COMPARE_WITH_TIMEOUT(label->isHidden(), !hidden, 120000);
    QTRY_COMPARE_WITH_TIMEOUT(label->isHidden(), hidden, 120000);
    // An advice written while hidden shows at the next tick; setting it leaves it hidden.
    w.form().findChild<QTimer*>("Timer1")->stop();
    if (!label->isHidden()) w.form().Timer1Timer();
    w.play("p10 pA d5");
    QVERIFY(label->isHidden());
    w.form().Timer1Timer();
    QVERIFY(!label->isHidden());
    QCOMPARE(label->text(), QString("      Black Jack"));
    w.click(w.button(28)); // Reset leaves the visibility alone
    QVERIFY(!label->isHidden());
    w.form().findChild<QTimer*>("Timer1")->start();
}

HITWISE_TEST_MAIN(HandEntryTest)
#include "tst_handentry.moc"
