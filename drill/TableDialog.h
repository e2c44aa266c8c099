#pragma once

#include "Rules.h"

#include <QDialog>
#include <QFutureWatcher>

#include <memory>

namespace Ui {
class TableDialog;
}

// Asks for the rules of the player's own table: every rule the engine takes. The house edge
// of the rules as they stand is worked out off the window's thread as they change.
class TableDialog : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TableDialog)

public:
    explicit TableDialog(const rules::Rules& start, QWidget* parent = nullptr);
    ~TableDialog() override;
    rules::Rules rules() const;

    // "These rules: the house keeps 0.53 % a round by the best play", as the label shows it.
    static QString edgeText(double roundReturn);

private slots:
    void OkClick();
    void RulesChange();
    void EdgeReady();

private:
    std::unique_ptr<Ui::TableDialog> ui;
    rules::Rules start_;
    QFutureWatcher<double> edge_;
    rules::Rules valued_; // the rules edge_ works on
    bool again_ = false;  // the rules changed while it did
};
