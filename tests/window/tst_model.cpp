// Model-based test of the main window: long random sequences of user events, and after each
// one the window must agree with a small reference model of the hand.
//   HITWISE_MODEL_SEED and HITWISE_MODEL_EVENTS choose the sequence (defaults: 1 and 20000).
#include "CardText.h"
#include "JpegPicture.h"
#include "KnownCharts.h"
#include "ProgramFolder.h"
#include "RecordingOpener.h"
#include "TestMain.h"
#include "WindowFixture.h"

#include <QDir>
#include <QTimer>

#include <map>
#include <random>

namespace {

enum class FileState { Good, Missing, Broken, Folder };
enum class Shows { CardBack, Nothing, File };

struct BoxModel {
    Shows shows = Shows::CardBack;
    QString file;
};

// What the window should show, kept by the rules of hand entry alone.
struct Model {
    int first = 0, card1 = 0, card2 = 0, dealer = 0;
    QString prompt = "Enter your hand", dealerText = "0", totalText = "0";
    bool players = true, dealers = false;
    bool hidden = false;
    int ruleSet = 0;
    int errors = 0;
    QStringList opened;
    std::map<QString, BoxModel> boxes{
        {"Image2", {}}, {"Image3", {}}, {"Image4", {}}, {"Image5", {}}};
    std::map<QString, FileState> files;
};

QString adviceText(int ruleSet, int a, int b, int d) {
    const std::string_view text = charts::kKnownCharts[ruleSet].advise({a, b, d}).text;
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

int envInt(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariable(name).toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

class ModelTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void randomSequences();

private:
    void step(std::mt19937& random, QString* event);
    QString mismatch() const;
    void setFile(const QString& name, FileState state);
    bool loads(const QString& name) const { return model.files.at(name) == FileState::Good; }
    const QImage& pixelsOfFile(const QString& name);

    WindowFixture w;
    RecordingOpener opener;
    Model model;
    std::map<QString, QImage> decoded;
    QByteArray originals[14];
    QStringList fileNames;
};

void ModelTest::initTestCase() {
    w.setUp();
    setDocumentOpener(&opener);
    w.form().findChild<QTimer*>("Timer1")->stop(); // ticks come from the sequence
    // The chart button makes the program's folder current: let that be the card folder.
    overrideProgramFilePath(w.cardPath("hitwise"));
    for (const cards::Face& card : cards::kFaces)
        fileNames << card.pictureFile;
    fileNames << "blank.jpg";
    for (int i = 0; i < fileNames.size(); ++i) {
        QFile file(w.cardPath(fileNames[i]));
        QVERIFY(file.open(QIODevice::ReadOnly));
        originals[i] = file.readAll();
        model.files[fileNames[i]] = FileState::Good;
    }
}

void ModelTest::cleanupTestCase() {
    overrideProgramFilePath({});
    setDocumentOpener(nullptr);
    w.tearDown();
}

const QImage& ModelTest::pixelsOfFile(const QString& name) {
    auto it = decoded.find(name);
    if (it == decoded.end()) {
        QByteArray data = name.isEmpty() ? QByteArray() : originals[fileNames.indexOf(name)];
        if (name.isEmpty()) {
            QFile back(":/pictures/cardback.jpg");
            back.open(QIODevice::ReadOnly);
            data = back.readAll();
        }
        it = decoded.emplace(name, JpegPicture(data).visiblePart(QSize(57, 73))).first;
    }
    return it->second;
}

void ModelTest::setFile(const QString& name, FileState state) {
    const QString path = w.cardPath(name);
    if (QFileInfo(path).isDir()) QDir(path).removeRecursively();
    QFile::remove(path);
    if (state == FileState::Folder) QDir().mkdir(path);
    if (state == FileState::Good || state == FileState::Broken) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(state == FileState::Good ? originals[fileNames.indexOf(name)]
                                            : QByteArray("broken"));
    }
    model.files[name] = state;
}

void ModelTest::step(std::mt19937& random, QString* event) {
    const int kind = std::uniform_int_distribution<int>(0, 99)(random);
    const int card = std::uniform_int_distribution<int>(0, 12)(random);
    const cards::Face& c = cards::kFaces[card];
    Model& m = model;
    if (kind < 35) { // a player card, enabled or not
        *event = QString("player %1").arg(c.caption);
        w.playerButton(card)->click();
        if (!m.players) return;
        if (!loads(c.pictureFile)) {
            ++m.errors;
            return;
        }
        if (m.first == 1) {
            m.boxes["Image3"] = {Shows::File, c.pictureFile};
            m.players = false, m.dealers = true;
            m.prompt = "Enter dealers up card";
            m.card2 = c.value;
        } else {
            m.boxes["Image2"] = {Shows::File, c.pictureFile};
            m.first = 1, m.card1 = c.value;
        }
        m.totalText = cards::playerTotalText(m.card1, m.card2);
    } else if (kind < 60) { // a dealer card
        *event = QString("dealer %1").arg(c.caption);
        w.dealerButton(card)->click();
        if (!m.dealers) return;
        m.dealer = c.value;
        m.dealerText = cards::dealerCardText(c.value);
        if (!loads(c.pictureFile)) {
            ++m.errors;
            return;
        }
        m.boxes["Image4"] = {Shows::File, c.pictureFile};
        m.prompt = adviceText(m.ruleSet, m.card1, m.card2, m.dealer);
        m.dealers = false;
    } else if (kind < 70) {
        *event = "reset";
        w.button(28)->click();
        m.dealerText = m.totalText = "0";
        for (auto& [name, box] : m.boxes)
            box = loads("blank.jpg") ? BoxModel{Shows::File, "blank.jpg"}
                                     : BoxModel{Shows::Nothing, {}};
        m.errors += loads("blank.jpg") ? 0 : 1;
        m.first = m.card1 = m.card2 = m.dealer = 0;
        m.players = true, m.dealers = false;
        m.prompt = "Enter your hand";
    } else if (kind < 76) {
        m.ruleSet = card % 3;
        *event = QString("rules %1").arg(m.ruleSet);
        w.ruleSets()->setItemIndex(m.ruleSet);
    } else if (kind < 84) {
        *event = "tick";
        w.form().Timer1Timer();
        m.hidden = !m.hidden;
    } else if (kind < 87) {
        *event = "F1";
        QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QCoreApplication::sendEvent(w.button(28), &press);
        m.opened << "bj.htm";
    } else if (kind < 90) {
        *event = "chart";
        w.find<QPushButton>("Button1")->click();
        m.opened << QString::fromLatin1(charts::kKnownCharts[m.ruleSet].file.data());
    } else { // a card file vanishes, breaks, becomes a folder or comes back
        const QString name = fileNames[std::uniform_int_distribution<int>(0, 13)(random)];
        const FileState state = FileState(std::uniform_int_distribution<int>(0, 3)(random));
        *event = QString("file %1 -> %2").arg(name).arg(int(state));
        setFile(name, state);
    }
}

QString ModelTest::mismatch() const {
    const Model& m = model;
    QStringList problems;
    const auto check = [&](const char* what, auto actual, auto expected) {
        if (actual != expected)
            problems << QString("%1: %2, model %3").arg(what).arg(actual).arg(expected);
    };
    check("FirstCardEntered", HandState.FirstCardEntered, m.first);
    check("PlayerCard1", HandState.PlayerCard1, m.card1);
    check("PlayerCard2", HandState.PlayerCard2, m.card2);
    check("DealerUpCard", HandState.DealerUpCard, m.dealer);
    check("Label13", w.caption("Label13"), m.prompt);
    check("Label14", w.caption("Label14"), m.dealerText);
    check("Label15", w.caption("Label15"), m.totalText);
    check("player buttons", w.playerButtonsEnabled(m.players), true);
    check("dealer buttons", w.dealerButtonsEnabled(m.dealers), true);
    check("Label13 hidden", w.find<QLabel>("Label13")->isHidden(), m.hidden);
    check("error boxes", int(w.errors.size()), m.errors);
    check("opened", opener.files().join(','), m.opened.join(','));
    for (const char* name : {"Label13", "Label14", "Label15"}) {
        const auto* label = w.find<QLabel>(name);
        check(name, label->size() == label->sizeHint(), true);
    }
    return problems.join("; ");
}

void ModelTest::randomSequences() {
    const int seed = envInt("HITWISE_MODEL_SEED", 1);
    const int events = envInt("HITWISE_MODEL_EVENTS", 20000);
    std::mt19937 random(seed);
    model.hidden = w.find<QLabel>("Label13")->isHidden();
    model.errors = int(w.errors.size());
    QStringList recent;
    for (int i = 0; i < events; ++i) {
        QString event;
        step(random, &event);
        recent << event;
        if (recent.size() > 12) recent.removeFirst();
        QString problem = mismatch();
        for (const auto& [name, box] : model.boxes) {
            const JpegPicture* picture = w.picture(name.toLatin1().constData())->picture();
            const bool empty = box.shows == Shows::Nothing;
            if (empty != (picture == nullptr)) {
                problem += QString("; %1 empty: %2").arg(name).arg(picture == nullptr);
            } else if (!empty &&
                       picture->visiblePart(QSize(57, 73)) !=
                           pixelsOfFile(box.shows == Shows::CardBack ? QString() : box.file)) {
                problem += QString("; %1 does not show %2").arg(name, box.file);
            }
        }
        if (!problem.isEmpty()) {
            QFAIL(qPrintable(QString("seed %1, event %2 (%3): %4\nlast events: %5")
                                 .arg(seed)
                                 .arg(i)
                                 .arg(event, problem, recent.join(" | "))));
        }
    }
    qInfo("played %d events with seed %d: %d error boxes, %d documents opened", events, seed,
          model.errors, int(model.opened.size()));
}

HITWISE_TEST_MAIN(ModelTest)
#include "tst_model.moc"
