// The chart button, Help and F1: which document is handed to the desktop, from which folder.
#include "AppError.h"
#include "DocumentOpener.h"
#include "ProgramFolder.h"
#include "RadioGroup.h"
#include "RecordingOpener.h"
#include "TestMain.h"
#include "WindowFixture.h"

#include <QAction>
#include <QDir>
#include <QKeyEvent>
#include <QRadioButton>

#include <unistd.h>

class DocumentsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void chartOfTheSelectedRuleSet_data();
    void chartOfTheSelectedRuleSet();
    void chartFromTheProgramsFolder();
    void refusedFolder_data();
    void refusedFolder();
    void helpReliesOnTheCurrentFolder();
    void startedWhereTheFolderCannotBeEntered();
    void f1WithAnyModifiers_data();
    void f1WithAnyModifiers();
    void autoRepeatOpensAgain();
    void handIsUntouched();
    void documentUrls_data();
    void documentUrls();

private:
    void pressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                  bool autoRepeat = false);

    WindowFixture w;
    RecordingOpener opener;
    QTemporaryDir scratch;
};

void DocumentsTest::initTestCase() {
    w.setUp();
    setDocumentOpener(&opener);
}

void DocumentsTest::init() {
    w.reset();
    opener.calls.clear();
    overrideProgramFilePath({});
}

void DocumentsTest::cleanup() {
    overrideProgramFilePath({});
}

void DocumentsTest::cleanupTestCase() {
    setDocumentOpener(nullptr);
    w.tearDown();
}

void DocumentsTest::pressKey(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat) {
    // Delivered like the system's: through the application to the focused control.
    QWidget* target = w.find<QWidget>("Button28");
    QKeyEvent press(QEvent::KeyPress, key, modifiers, QString(), autoRepeat);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, QString(), autoRepeat);
    QCoreApplication::sendEvent(target, &release);
}

void DocumentsTest::chartOfTheSelectedRuleSet_data() {
    QTest::addColumn<int>("item");
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("single deck") << 0 << QStringList{"single.htm"};
    QTest::newRow("multi deck") << 1 << QStringList{"multi.htm"};
    QTest::newRow("european") << 2 << QStringList{"european.htm"};
    QTest::newRow("nothing selected") << -1 << QStringList{};
}

void DocumentsTest::chartOfTheSelectedRuleSet() {
    QFETCH(int, item);
    QFETCH(QStringList, opened);
    const auto items = w.ruleSets()->findChildren<QRadioButton*>();
    if (item < 0) {
        for (QRadioButton* radio : items)
            radio->setAutoExclusive(false), radio->setChecked(false);
    } else {
        w.ruleSets()->setItemIndex(item);
    }
    w.click(w.find<QPushButton>("Button1"));
    for (QRadioButton* radio : items)
        radio->setAutoExclusive(true);
    QCOMPARE(opener.files(), opened);
    for (const auto& call : opener.calls) {
        QVERIFY(!call.parametersGiven && !call.directoryGiven);
        QCOMPARE(call.owner, &w.form());
        QCOMPARE(call.verb, QString("open"));
        QCOMPARE(call.show, DocumentOpener::kShowNormal);
    }
    QVERIFY(w.errors.isEmpty());
}

// The chart button makes the program's folder current before it opens the chart.
void DocumentsTest::chartFromTheProgramsFolder() {
    QVERIFY(QDir::setCurrent(scratch.path()));
    AppDir.clear();
    w.click(w.find<QPushButton>("Button1"));
    QCOMPARE(opener.calls.size(), size_t(1));
    QCOMPARE(opener.calls[0].folder, programFolder());
    QCOMPARE(AppDir, programFolder());
    QCOMPARE(QDir::currentPath() + '/', programFolder());
}

void DocumentsTest::refusedFolder_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("removed") << "removed"
                             << "File not found.";
    QTest::newRow("a file in its place") << "file"
                                         << "Invalid filename.";
    QTest::newRow("may not be entered") << "locked"
                                        << "File access denied.";
}

// A folder that cannot be entered: the error box, no chart, AppDir kept; then a good click.
void DocumentsTest::refusedFolder() {
    QFETCH(QString, kind);
    QFETCH(QString, message);
    if (kind == "locked" && geteuid() == 0)
        QSKIP("root enters every folder; the end-to-end test covers this as a plain user");
    const QString folder = scratch.filePath(kind);
    if (kind == "file") {
        QFile file(folder);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    if (kind == "locked") {
        QVERIFY(QDir().mkdir(folder));
        QFile::setPermissions(folder, QFileDevice::ReadOwner);
    }
    overrideProgramFilePath(folder + "/hitwise");
    const QString before = QDir::currentPath();
    w.play("p2 p3");
    w.click(w.find<QPushButton>("Button1"));
    QCOMPARE(w.errors, QStringList{message});
    QVERIFY(opener.calls.empty());
    QCOMPARE(AppDir, folder + '/');
    QCOMPARE(QDir::currentPath(), before);
    QCOMPARE(HandState.PlayerCard2, 3);

    if (kind == "locked")
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    QFile::remove(folder);
    QVERIFY(QDir().mkpath(folder));
    w.click(w.find<QPushButton>("Button1"));
    QCOMPARE(w.errors.size(), 1); // nothing is left pending
    QCOMPARE(opener.files(), QStringList{"single.htm"});
    QCOMPARE(opener.calls[0].folder, folder + '/');
}

void DocumentsTest::helpReliesOnTheCurrentFolder() {
    QVERIFY(QDir::setCurrent(scratch.path()));
    w.find<QAction>("Help1")->trigger();
    QCOMPARE(opener.files(), QStringList{"bj.htm"});
    QCOMPARE(opener.calls[0].folder, QDir(scratch.path()).canonicalPath() + '/');
    QCOMPARE(opener.calls[0].verb, QString("open"));
}

// The window is created all the same after one error box; names resolve where it started.
void DocumentsTest::startedWhereTheFolderCannotBeEntered() {
    const QString folder = scratch.filePath("never made");
    overrideProgramFilePath(folder + "/hitwise");
    const QString before = QDir::currentPath();
    TForm1 second;
    QCOMPARE(w.errors, QStringList{"File not found."});
    QCOMPARE(AppDir, folder + '/');
    QCOMPARE(QDir::currentPath(), before);
    second.findChild<QPushButton*>("Button10")->click();
    QCOMPARE(second.findChild<QLabel*>("Label15")->text(), QString("9"));
    QCOMPARE(w.errors.size(), 1);
}

void DocumentsTest::f1WithAnyModifiers_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("opened");
    QTest::newRow("F1") << int(Qt::Key_F1) << int(Qt::NoModifier) << 1;
    QTest::newRow("Shift+F1") << int(Qt::Key_F1) << int(Qt::ShiftModifier) << 1;
    QTest::newRow("Ctrl+F1") << int(Qt::Key_F1) << int(Qt::ControlModifier) << 1;
    QTest::newRow("Alt+F1") << int(Qt::Key_F1) << int(Qt::AltModifier) << 1;
    QTest::newRow("Ctrl+Alt+Shift+F1")
        << int(Qt::Key_F1) << int(Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier) << 1;
    QTest::newRow("F2") << int(Qt::Key_F2) << int(Qt::NoModifier) << 0;
    QTest::newRow("letter") << int(Qt::Key_A) << int(Qt::NoModifier) << 0;
    QTest::newRow("space") << int(Qt::Key_Space) << int(Qt::NoModifier) << 0;
}

void DocumentsTest::f1WithAnyModifiers() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, opened);
    pressKey(key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(int(opener.calls.size()), opened);
    if (opened) QCOMPARE(opener.files(), QStringList{"bj.htm"});
    // The key goes on to the focused control: space still presses the focused button.
    if (key == Qt::Key_Space) QCOMPARE(w.caption("Label13"), QString("Enter your hand"));
}

void DocumentsTest::autoRepeatOpensAgain() {
    pressKey(Qt::Key_F1);
    pressKey(Qt::Key_F1, Qt::NoModifier, true);
    pressKey(Qt::Key_F1, Qt::NoModifier, true);
    QCOMPARE(opener.files(), (QStringList{"bj.htm", "bj.htm", "bj.htm"}));
}

void DocumentsTest::handIsUntouched() {
    w.play("pA p7 d9");
    const QString advice = w.caption("Label13");
    const HandStateRecord before = HandState;
    w.click(w.find<QPushButton>("Button1"));
    w.find<QAction>("Help1")->trigger();
    pressKey(Qt::Key_F1);
    QCOMPARE(opener.calls.size(), size_t(3));
    QCOMPARE(w.caption("Label13"), advice);
    QCOMPARE(w.caption("Label15"), QString("8 / 18"));
    QCOMPARE(w.caption("Label14"), QString("9"));
    QCOMPARE(HandState.PlayerCard1, before.PlayerCard1);
    QCOMPARE(HandState.PlayerCard2, before.PlayerCard2);
    QCOMPARE(HandState.DealerUpCard, before.DealerUpCard);
    QVERIFY(w.dealerButtonsEnabled(false));
}

// What the desktop is handed: file names become file:// URLs of absolute paths.
void DocumentsTest::documentUrls_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("url");
    // HERE stands for the current directory at the moment of the call.
    QTest::newRow("relative") << "bj.htm"
                              << "HERE/bj.htm";
    QTest::newRow("looks like an option") << "--help"
                                          << "HERE/--help";
    QTest::newRow("looks like a scheme") << "javascript:alert(1)"
                                         << "HERE/javascript:alert(1)";
    QTest::newRow("absolute") << "/tmp/x.htm"
                              << "file:///tmp/x.htm";
    QTest::newRow("web") << "http://hitwise.example.com"
                         << "http://hitwise.example.com";
    QTest::newRow("secure web") << "HTTPS://hitwise.example.com/a b"
                                << "https://hitwise.example.com/a%20b";
    QTest::newRow("empty") << ""
                           << "";
}

void DocumentsTest::documentUrls() {
    QFETCH(QString, file);
    QFETCH(QString, url);
    const QUrl want =
        url.startsWith("HERE/") ? QUrl::fromLocalFile(QDir::currentPath() + url.mid(4)) : QUrl(url);
    QCOMPARE(documentUrl(file, QString()).toString(QUrl::FullyEncoded),
             want.toString(QUrl::FullyEncoded));
}

HITWISE_TEST_MAIN(DocumentsTest)
#include "tst_documents.moc"
