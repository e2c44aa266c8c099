#include "WindowFixture.h"

#include "Card.h"
#include "ErrorHandler.h"
#include "PictureBox.h"
#include "RadioGroup.h"

#include <QDir>
#include <QTest>

namespace {

void copyCardFiles(const QString& to) {
    // The build's card folder, or a copy of it where the build tree is out of reach.
    const QString copy = qEnvironmentVariable("HITWISE_CARD_DIR");
    const QDir source(copy.isEmpty() ? QStringLiteral(HITWISE_CARD_DIR) : copy);
    for (const QString& name : source.entryList({"*.jpg"}, QDir::Files)) {
        QFile::remove(QDir(to).filePath(name));
        QFile::copy(source.filePath(name), QDir(to).filePath(name));
    }
}

} // namespace

void WindowFixture::setUp() {
    setErrorPresenter([this](const QString& title, const QString& message) {
        titles << title;
        errors << message;
    });
    form_ = std::make_unique<TForm1>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    copyCardFiles(folder_.path());
    QVERIFY(QDir::setCurrent(folder_.path()));
}

void WindowFixture::reset() {
    // Whatever a test put in place of a card file goes.
    QDir folder(folder_.path());
    for (const QString& name : folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        if (QFileInfo(folder.filePath(name)).isDir()) {
            QDir(folder.filePath(name)).removeRecursively();
        }
    }
    copyCardFiles(folder_.path());
    QVERIFY(QDir::setCurrent(folder_.path()));
    ruleSets()->setItemIndex(0);
    click(button(28));
    errors.clear();
    titles.clear();
}

void WindowFixture::tearDown() {
    form_.reset();
    setErrorPresenter({});
}

RadioGroup* WindowFixture::ruleSets() const {
    return find<RadioGroup>("RadioGroup1");
}

void WindowFixture::click(QPushButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

void WindowFixture::play(const QString& moves) {
    for (const QString& move : moves.split(' ', Qt::SkipEmptyParts)) {
        const QString face = move.mid(1);
        int index = 0;
        while (index < 13 && face != cards::kFaces[index].caption)
            ++index;
        QVERIFY2(index < 13, qPrintable(move));
        click(move[0] == 'p' ? playerButton(index) : dealerButton(index));
    }
}

bool WindowFixture::playerButtonsEnabled(bool enabled) const {
    for (int i = 0; i < 13; ++i) {
        if (playerButton(i)->isEnabled() != enabled) return false;
    }
    return true;
}

bool WindowFixture::dealerButtonsEnabled(bool enabled) const {
    for (int i = 0; i < 13; ++i) {
        if (dealerButton(i)->isEnabled() != enabled) return false;
    }
    return true;
}
