// The About box and the main window's link: modeless, one instance, hidden by OK and Enter.
#include "RecordingOpener.h"
#include "TestMain.h"
#include "URLLabel.h"
#include "Unit1.h"
#include "WindowFixture.h"

#include <QAction>
#include <QKeyEvent>

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        w.setUp();
        setDocumentOpener(&opener);
    }
    void init() {
        w.reset();
        opener.calls.clear();
        about()->hide();
    }
    void cleanupTestCase() {
        setDocumentOpener(nullptr);
        w.tearDown();
    }

    void contents();
    void oneInstanceInFront();
    void hiddenBy_data();
    void hiddenBy();
    void keepsItsPlace();
    void mainWindowWorksMeanwhile();
    void f1InTheAboutBoxOpensNothing();
    void websiteLink();

private:
    TAboutBox* about() const { return w.form().aboutBox(); }
    void showAbout() { w.find<QAction>("About1")->trigger(); }

    WindowFixture w;
    RecordingOpener opener;
};

void AboutTest::contents() {
    QCOMPARE(about()->windowTitle(), QString("About"));
    QCOMPARE(about()->findChild<QLabel*>("ProductName")->text(), QString("Hitwise "));
    QCOMPARE(about()->findChild<QLabel*>("Version")->text(), QString("Version 1.0"));
    QVERIFY(!about()->findChild<QLabel*>("Copyright")->text().isEmpty());
    QVERIFY(about()->findChild<QLabel*>("Comments")->text().contains("@hitwise.example.com"));
    QVERIFY(!about()->findChild<QLabel*>("ProgramIcon")->pixmap().isNull());
    auto* ok = about()->findChild<QPushButton*>("OKButton");
    QCOMPARE(ok->text(), QString("OK"));
    QVERIFY(ok->isDefault());
    QCOMPARE(ok->geometry(), QRect(111, 180, 75, 25));
    QCOMPARE(about()->minimumSize(), QSize(298, 213));
    QCOMPARE(about()->maximumSize(), QSize(298, 213));
    QVERIFY(!about()->isModal());
}

void AboutTest::oneInstanceInFront() {
    showAbout();
    QVERIFY(QTest::qWaitForWindowExposed(about()));
    showAbout();
    QVERIFY(about()->isVisible());
    QCOMPARE(w.form().findChildren<TAboutBox*>().size(), 1);
}

void AboutTest::hiddenBy_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("OK") << "ok";
    QTest::newRow("Enter") << "enter";
    QTest::newRow("close box") << "close";
}

void AboutTest::hiddenBy() {
    QFETCH(QString, how);
    showAbout();
    QVERIFY(QTest::qWaitForWindowExposed(about()));
    if (how == "ok")
        QTest::mouseClick(about()->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    if (how == "enter")
        QTest::keyClick(about()->findChild<QPushButton*>("OKButton"), Qt::Key_Return);
    if (how == "close") about()->close();
    QVERIFY(about()->isHidden());
    QCOMPARE(w.form().findChildren<TAboutBox*>().size(), 1); // hidden, not destroyed
    showAbout();
    QVERIFY(about()->isVisible());
}

void AboutTest::keepsItsPlace() {
    showAbout();
    QVERIFY(QTest::qWaitForWindowExposed(about()));
    about()->move(123, 77);
    const QPoint place = about()->pos();
    about()->findChild<QPushButton*>("OKButton")->click();
    showAbout();
    QCOMPARE(about()->pos(), place);
}

void AboutTest::mainWindowWorksMeanwhile() {
    showAbout();
    w.play("p9 p2 d6");
    QCOMPARE(w.caption("Label13"), QString("Double if allowed, or hit"));
    w.ruleSets()->setItemIndex(1);
    w.find<QAction>("Help1")->trigger();
    QCOMPARE(opener.files(), QStringList{"bj.htm"});
    QVERIFY(about()->isVisible());
}

void AboutTest::f1InTheAboutBoxOpensNothing() {
    showAbout();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(about()->findChild<QPushButton*>("OKButton"), &press);
    QVERIFY(opener.calls.empty());
}

void AboutTest::websiteLink() {
    auto* link = w.find<TURLLabel>("URLLabel1");
    QCOMPARE(link->URL(), QString("https://hitwise.example.com"));
    QCOMPARE(link->text(), QString("hitwise.example.com"));
    QVERIFY(!link->Highlight());
    QVERIFY(link->font().underline());
    QVERIFY(link->font().bold());
    QCOMPARE(link->font().pixelSize(), 13);
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(opener.files(), QStringList{"https://hitwise.example.com"});
    QVERIFY(!opener.calls[0].owner);
}

HITWISE_TEST_MAIN(AboutTest)
#include "tst_about.moc"
