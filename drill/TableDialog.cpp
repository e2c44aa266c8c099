#include "TableDialog.h"

#include "ui_TableDialog.h"

#include "Analysis.h"

#include <QMessageBox>
#include <QtConcurrent/QtConcurrentRun>
#include <cmath>

TableDialog::TableDialog(const rules::Rules& start, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TableDialog>()), start_(start) {
    ui->setupUi(this);
    // The engine's limits, from their one definition.
    ui->DecksBox->setRange(rules::kMinDecks, rules::kMaxDecks);
    ui->SplitBox->setRange(rules::kMinSplitHands, rules::kMaxSplitHands);
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
    connect(ui->DecksBox, &QSpinBox::valueChanged, this, &TableDialog::RulesChange);
    connect(ui->SplitBox, &QSpinBox::valueChanged, this, &TableDialog::RulesChange);
    connect(ui->DealerBox, &QComboBox::currentIndexChanged, this, &TableDialog::RulesChange);
    connect(ui->HoleBox, &QComboBox::currentIndexChanged, this, &TableDialog::RulesChange);
    connect(ui->DoubleBox, &QComboBox::currentIndexChanged, this, &TableDialog::RulesChange);
    connect(ui->PaysBox, &QComboBox::currentIndexChanged, this, &TableDialog::RulesChange);
    connect(ui->DasBox, &QCheckBox::toggled, this, &TableDialog::RulesChange);
    connect(ui->SurrenderBox, &QCheckBox::toggled, this, &TableDialog::RulesChange);
    connect(&edge_, &QFutureWatcher<double>::finished, this, &TableDialog::EdgeReady);
    RulesChange();
}

TableDialog::~TableDialog() {
    edge_.waitForFinished(); // its work reads nothing of the dialog, but ends before it
}

QString TableDialog::edgeText(double roundReturn) {
    const QString percent = QString::number(std::abs(100 * roundReturn), 'f', 2);
    return roundReturn < 0
               ? QStringLiteral("These rules: the house keeps %1 % a round by the best play.")
                     .arg(percent)
               : QStringLiteral("These rules: the player gains %1 % a round by the best play.")
                     .arg(percent);
}

// The edge of the rules as they stand: one piece of work at a time, the latest rules next.
void TableDialog::RulesChange() {
    if (edge_.isRunning()) {
        again_ = true;
        return;
    }
    valued_ = rules();
    if (const std::string problem = valued_.problem(); !problem.empty()) {
        ui->EdgeLabel->setText(
            QStringLiteral("These rules: %1").arg(QString::fromStdString(problem)));
        return;
    }
    ui->EdgeLabel->setText(QStringLiteral("These rules: working out the house edge…"));
    const rules::Rules rules = valued_;
    edge_.setFuture(QtConcurrent::run([rules] { return analysis::Analysis(rules).roundReturn(); }));
}

void TableDialog::EdgeReady() {
    if (again_) {
        again_ = false;
        RulesChange();
        return;
    }
    ui->EdgeLabel->setText(edgeText(edge_.result()));
}

// The rules pass the engine's one check before the dialog closes.
void TableDialog::OkClick() {
    if (const std::string problem = rules().problem(); !problem.empty()) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(problem));
        return;
    }
    accept();
}

rules::Rules TableDialog::rules() const {
    rules::Rules rules = start_; // what the dialog does not ask, such as the post-split play
    rules.decks = ui->DecksBox->value();
    rules.hitSoft17 = ui->DealerBox->currentIndex() == 1;
    rules.holeCard = ui->HoleBox->currentIndex() == 0;
    rules.doubling = rules::Doubling(ui->DoubleBox->currentIndex());
    rules.doubleAfterSplit = ui->DasBox->isChecked();
    rules.splitHands = ui->SplitBox->value();
    rules.surrender = ui->SurrenderBox->isChecked();
    rules.sixToFive = ui->PaysBox->currentIndex() == 1;
    return rules;
}
