// TURLLabel: the URL and Highlight setters, the link look, hovering and the click.
#include "RecordingOpener.h"
#include "URLLabel.h"

#include <QApplication>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>

namespace {

enum Look { Plain, Link };

Look lookOf(const TURLLabel& label) {
    const bool underline = label.font().underline();
    const bool blue = label.palette().color(QPalette::WindowText) == QColor(0, 0, 255);
    const bool hand =
        label.testAttribute(Qt::WA_SetCursor) && label.cursor().shape() == Qt::PointingHandCursor;
    if (underline && blue && hand) return Link;
    if (!underline && !blue && !hand) return Plain;
    return Look(-1); // a mixed look is always wrong
}

void hover(TURLLabel& label, bool enter) {
    if (enter) {
        QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(&label, &event);
    } else {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(&label, &event);
    }
}

} // namespace

Q_DECLARE_METATYPE(Look)

class URLLabelTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        opener.calls.clear();
        setDocumentOpener(&opener);
    }
    void cleanup() { setDocumentOpener(nullptr); }

    void urlSetter_data();
    void urlSetter();
    void sameTextDoesNothing();
    void unprefixedFormStoresAgain();
    void highlight_data();
    void highlight();
    void createdInCodeIsPlain();
    void lookReplacesOtherColours();
    void click_data();
    void click();
    void trimming();

private:
    RecordingOpener opener;
};

void URLLabelTest::urlSetter_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<Look>("look");
    QTest::newRow("no scheme") << ""
                               << "www.example.com"
                               << "http://www.example.com" << Link;
    QTest::newRow("http") << ""
                          << "http://example.com"
                          << "http://example.com" << Link;
    QTest::newRow("http in any case") << ""
                                      << "HtTP://example.com"
                                      << "HtTP://example.com" << Link;
    QTest::newRow("https") << ""
                           << "https://hitwise.example.com"
                           << "https://hitwise.example.com" << Link;
    QTest::newRow("https in any case") << ""
                                       << "HTTPS://x.example.com"
                                       << "HTTPS://x.example.com" << Link;
    QTest::newRow("other scheme") << ""
                                  << "ftp://example.com"
                                  << "http://ftp://example.com" << Link;
    QTest::newRow("blanks only") << "http://example.com"
                                 << "   "
                                 << "" << Plain;
    QTest::newRow("control characters only") << "http://example.com"
                                             << "\t\n\r"
                                             << "" << Plain;
    QTest::newRow("leading blank") << ""
                                   << " example.com"
                                   << "http:// example.com" << Link;
    QTest::newRow("trailing blanks kept") << ""
                                          << "example.com  "
                                          << "http://example.com  " << Link;
    QTest::newRow("12 characters") << ""
                                   << "abcde"
                                   << "http://abcde" << Plain;
    QTest::newRow("13 characters") << ""
                                   << "abcdef"
                                   << "http://abcdef" << Link;
    QTest::newRow("12 after trimming") << ""
                                       << "http://abcde   "
                                       << "http://abcde   " << Plain;
    QTest::newRow("short after a valid one") << "http://example.com"
                                             << "x"
                                             << "http://x" << Plain;
}

void URLLabelTest::urlSetter() {
    QFETCH(QString, before);
    QFETCH(QString, written);
    QFETCH(QString, stored);
    QFETCH(Look, look);
    TURLLabel label;
    label.setURL(before);
    label.setURL(written);
    QCOMPARE(label.URL(), stored);
    QCOMPARE(label.Hint(), stored);
    QCOMPARE(lookOf(label), look);
    QVERIFY(label.toolTip().isEmpty()); // no hint is ever shown
}

void URLLabelTest::sameTextDoesNothing() {
    TURLLabel label;
    label.setURL("http://example.com");
    label.setHint("changed elsewhere");
    label.ShowAsLink(false);
    label.setURL("http://example.com");
    QCOMPARE(label.Hint(), QString("changed elsewhere"));
    QCOMPARE(lookOf(label), Plain);
}

void URLLabelTest::unprefixedFormStoresAgain() {
    TURLLabel label;
    label.setURL("http://example.com");
    label.setHint("changed elsewhere");
    label.ShowAsLink(false);
    label.setURL("example.com");
    QCOMPARE(label.URL(), QString("http://example.com"));
    QCOMPARE(label.Hint(), QString("http://example.com"));
    QCOMPARE(lookOf(label), Link);
}

// Highlight on: the link look only while the mouse is over a valid address.
void URLLabelTest::highlight_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<Look>("atRest");
    QTest::addColumn<Look>("hovered");
    QTest::addColumn<Look>("afterLeaving");
    QTest::addColumn<Look>("highlightOff");
    QTest::newRow("valid") << "http://example.com" << Plain << Link << Plain << Link;
    QTest::newRow("invalid") << "http://x" << Plain << Plain << Plain << Link;
    QTest::newRow("empty") << "" << Plain << Plain << Plain << Link;
}

void URLLabelTest::highlight() {
    QFETCH(QString, url);
    QFETCH(Look, atRest);
    QFETCH(Look, hovered);
    QFETCH(Look, afterLeaving);
    QFETCH(Look, highlightOff);
    TURLLabel label;
    label.setURL(url);
    label.setHighlight(true);
    QCOMPARE(lookOf(label), atRest);
    label.setHighlight(true); // no change
    QCOMPARE(lookOf(label), atRest);
    hover(label, true);
    QCOMPARE(lookOf(label), hovered);
    hover(label, false);
    QCOMPARE(lookOf(label), afterLeaving);
    label.setHighlight(false); // the link look, valid or not
    QCOMPARE(lookOf(label), highlightOff);
    hover(label, true); // with Highlight off, hovering changes nothing
    hover(label, false);
    QCOMPARE(lookOf(label), highlightOff);
}

void URLLabelTest::createdInCodeIsPlain() {
    TURLLabel label;
    QCOMPARE(label.URL(), QString());
    QCOMPARE(label.Highlight(), false);
    QCOMPARE(lookOf(label), Plain);
}

void URLLabelTest::lookReplacesOtherColours() {
    TURLLabel label;
    QPalette red = label.palette();
    red.setColor(QPalette::WindowText, Qt::red);
    label.setPalette(red);
    QFont bold = label.font();
    bold.setBold(true);
    label.setFont(bold);
    label.ShowAsLink(true);
    QCOMPARE(label.palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QVERIFY(label.font().bold()); // the other style flags stay
    label.ShowAsLink(false);
    QCOMPARE(label.palette().color(QPalette::WindowText),
             QApplication::palette().color(QPalette::WindowText));
    QVERIFY(label.font().bold());
}

void URLLabelTest::click_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("opens");
    QTest::newRow("valid") << "https://hitwise.example.com" << true;
    QTest::newRow("leading blank") << " hitwise.example.com" << true;
    QTest::newRow("too short") << "http://x" << false;
    QTest::newRow("empty") << "" << false;
}

void URLLabelTest::click() {
    QFETCH(QString, url);
    QFETCH(bool, opens);
    TURLLabel label;
    label.resize(100, 16);
    label.setURL(url);
    QSignalSpy clicked(&label, &TURLLabel::clicked);
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(opener.calls.size(), size_t(opens ? 1 : 0));
    if (opens) {
        const auto& call = opener.calls[0];
        QCOMPARE(call.file, label.URL()); // untrimmed
        QVERIFY(!call.owner);
        QVERIFY(!call.verbGiven);
        QVERIFY(!call.parametersGiven && !call.directoryGiven);
        QCOMPARE(call.show, DocumentOpener::kShowNormal);
    }
    // A press outside the label, or another button, is no click.
    QTest::mouseClick(&label, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(clicked.count(), 1);
}

void URLLabelTest::trimming() {
    QCOMPARE(trimControls(QString("\x01 \tab c\n\x1f ")), QString("ab c"));
    QCOMPARE(trimControls(QString(" \x7f ")), QString("\x7f"));
    QCOMPARE(trimControls(QString("   ")), QString());
}

QTEST_MAIN(URLLabelTest)
#include "tst_urllabel.moc"
