#pragma once

// A main window built once for a test class: card files in a temporary program folder that
// the tests may break, error boxes answered by a recorder, widgets found by object name.

#include "bj.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

#include "PictureBox.h"
#include "RadioGroup.h"

class WindowFixture {
public:
    void setUp(); // builds the window; the current directory becomes the card folder
    void reset(); // restores the card files, clears the errors, resets the hand
    void tearDown();

    TForm1& form() const { return *form_; }
    template <typename T = QWidget> T* find(const QString& name) const {
        return form_->findChild<T*>(name);
    }
    QPushButton* button(int number) const {
        return find<QPushButton>(QString("Button%1").arg(number));
    }
    QPushButton* playerButton(int index) const { return button(2 + index); }
    QPushButton* dealerButton(int index) const { return button(15 + index); }
    QString caption(const char* label) const { return find<QLabel>(label)->text(); }
    PictureBox* picture(const char* name) const { return find<PictureBox>(name); }
    RadioGroup* ruleSets() const;

    // Clicks a card button by its caption: "p8" a player card, "dK" a dealer card.
    void play(const QString& moves);
    void click(QPushButton* button);

    bool playerButtonsEnabled(bool enabled) const;
    bool dealerButtonsEnabled(bool enabled) const;

    QString cardPath(const QString& file) const { return folder_.filePath(file); }

    // The error boxes shown since the last reset: title and message.
    QStringList errors;
    QStringList titles;

private:
    std::unique_ptr<TForm1> form_;
    QTemporaryDir folder_;
};
