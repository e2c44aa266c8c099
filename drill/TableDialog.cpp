#include "TableDialog.h"

#include "ui_TableDialog.h"

#include <QMessageBox>

TableDialog::TableDialog(const analysis::Rules& start, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TableDialog>()), start_(start) {
    ui->setupUi(this);
    // The engine's limits, from their one definition.
    ui->DecksBox->setRange(analysis::kMinDecks, analysis::kMaxDecks);
    ui->SplitBox->setRange(analysis::kMinSplitHands, analysis::kMaxSplitHands);
    ui->DecksBox->setValue(start.decks);
    ui->DealerBox->setCurrentIndex(start.hitSoft17 ? 1 : 0);
    ui->HoleBox->setCurrentIndex(start.holeCard ? 0 : 1);
    ui->DoubleBox->setCurrentIndex(int(start.doubling));
    ui->DasBox->setChecked(start.doubleAfterSplit);
    ui->SplitBox->setValue(start.splitHands);
    ui->SurrenderBox->setChecked(start.surrender);
    ui->PaysBox->setCurrentIndex(start.sixToFive ? 1 : 0);
    connect(ui->Buttons, &QDialogButtonBox::accepted, this, &TableDialog::OkClick);
    connect(ui->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TableDialog::~TableDialog() = default;

// The rules pass the engine's one check before the dialog closes.
void TableDialog::OkClick() {
    if (const std::string problem = rules().problem(); !problem.empty()) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(problem));
        return;
    }
    accept();
}

analysis::Rules TableDialog::rules() const {
    analysis::Rules rules = start_; // what the dialog does not ask, such as the post-split play
    rules.decks = ui->DecksBox->value();
    rules.hitSoft17 = ui->DealerBox->currentIndex() == 1;
    rules.holeCard = ui->HoleBox->currentIndex() == 0;
    rules.doubling = analysis::Doubling(ui->DoubleBox->currentIndex());
    rules.doubleAfterSplit = ui->DasBox->isChecked();
    rules.splitHands = ui->SplitBox->value();
    rules.surrender = ui->SurrenderBox->isChecked();
    rules.sixToFive = ui->PaysBox->currentIndex() == 1;
    return rules;
}
