#pragma once

#include "Rules.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TableDialog;
}

// Asks for the rules of the player's own table: every rule the engine takes.
class TableDialog : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TableDialog)

public:
    explicit TableDialog(const analysis::Rules& start, QWidget* parent = nullptr);
    ~TableDialog() override;
    analysis::Rules rules() const;

private slots:
    void OkClick();

private:
    std::unique_ptr<Ui::TableDialog> ui;
    analysis::Rules start_;
};
