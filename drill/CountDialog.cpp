#include "CountDialog.h"

#include "ui_CountDialog.h"

#include "CountOptions.h"

#include <QLocale>
#include <QMessageBox>

using namespace practice;

CountDialog::CountDialog(const counting::Game& start, const std::vector<counting::Game>& recent,
                         QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CountDialog>()), game_(start), recent_(recent) {
    ui->setupUi(this);
    for (const counting::CountSystem& system : counting::builtInSystems())
        ui->SystemBox->addItem(QString::fromStdString(system.name),
                               QString::fromStdString(system.id));
    // Tags of the player's own (from --tags) stay on offer, not lost to a system of the list.
    if (start.system.id.empty()) ui->SystemBox->addItem(QStringLiteral("Your tags"), QString());
    show(start);
    for (counting::Game& game : recent_) {
        game.rules = start.rules; // played at this table
        ui->RecentBox->addItem(options::countWords(game));
    }
    ui->RecentBox->setEnabled(!recent_.empty());
    ui->RecentBox->setCurrentIndex(-1);
    connect(ui->Buttons, &QDialogButtonBox::accepted, this, &CountDialog::OkClick);
    connect(ui->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ui->SystemBox, &QComboBox::currentIndexChanged, this, &CountDialog::CountChange);
    connect(ui->EstimateBox, &QComboBox::currentIndexChanged, this, &CountDialog::CountChange);
    connect(ui->RoundingBox, &QComboBox::currentIndexChanged, this, &CountDialog::CountChange);
    connect(ui->PenetrationBox, &QSpinBox::valueChanged, this, &CountDialog::CountChange);
    connect(ui->BankrollBox, &QSpinBox::valueChanged, this, &CountDialog::CountChange);
    connect(ui->RoundsBox, &QSpinBox::valueChanged, this, &CountDialog::CountChange);
    connect(ui->RampEdit, &QLineEdit::editingFinished, this, &CountDialog::CountChange);
    connect(ui->RecentBox, &QComboBox::activated, this, &CountDialog::RecentChange);
    connect(&worth_, &GameWorth::ready, this, &CountDialog::GameReady);
    CountChange();
}

CountDialog::~CountDialog() = default;

void CountDialog::show(const counting::Game& game) {
    const QSignalBlocker quiet[] = {
        QSignalBlocker(ui->SystemBox),   QSignalBlocker(ui->EstimateBox),
        QSignalBlocker(ui->RoundingBox), QSignalBlocker(ui->PenetrationBox),
        QSignalBlocker(ui->BankrollBox), QSignalBlocker(ui->RoundsBox)};
    const int system = ui->SystemBox->findData(QString::fromStdString(game.system.id));
    ui->SystemBox->setCurrentIndex(system >= 0 ? system : 0);
    ui->EstimateBox->setCurrentIndex(int(game.conventions.estimate));
    ui->RoundingBox->setCurrentIndex(int(game.conventions.rounding));
    ui->PenetrationBox->setValue(int(std::lround(100 * game.penetration)));
    ui->RampEdit->setText(QString::fromStdString(counting::rampText(game.ramp)));
    ui->BankrollBox->setValue(int(std::lround(game.bankroll)));
    ui->RoundsBox->setValue(int(std::lround(game.roundsPerHour)));
}

void CountDialog::RecentChange(int index) {
    if (index < 0 || index >= int(recent_.size())) return;
    const counting::Game& chosen = recent_[std::size_t(index)];
    if (chosen.system.id.empty() && ui->SystemBox->findData(QString()) < 0)
        ui->SystemBox->addItem(QStringLiteral("Your tags"), QString());
    game_ = chosen;
    show(chosen);
    CountChange();
}

counting::CountSystem CountDialog::chosenSystem() const {
    const auto system = counting::systemOfId(ui->SystemBox->currentData().toString().toStdString());
    return system ? *system : game_.system; // none: the player's own tags
}

std::optional<counting::Game> CountDialog::game(std::string* why) const {
    counting::Game game = game_;
    game.system = chosenSystem();
    game.conventions.estimate = counting::DeckEstimate(ui->EstimateBox->currentIndex());
    game.conventions.rounding = counting::Rounding(ui->RoundingBox->currentIndex());
    game.penetration = ui->PenetrationBox->value() / 100.0;
    game.bankroll = ui->BankrollBox->value();
    game.roundsPerHour = ui->RoundsBox->value();
    game.ramp.clear();
    const QString ramp = ui->RampEdit->text().trimmed();
    if (!ramp.isEmpty()) {
        std::string problem;
        const auto steps = counting::rampOf(ramp.toStdString(), &problem);
        if (!steps) {
            if (why) *why = problem;
            return std::nullopt;
        }
        game.ramp = *steps;
    }
    return game;
}

// A ramp that does not read is refused before the dialog closes.
void CountDialog::OkClick() {
    std::string why;
    if (!game(&why)) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("The bet ramp: %1.").arg(QString::fromStdString(why)));
        return;
    }
    accept();
}

// What the game is worth as it stands: GameWorth answers the latest choice.
void CountDialog::CountChange() {
    const bool balanced = chosenSystem().balanced();
    ui->EstimateBox->setEnabled(balanced);
    ui->RoundingBox->setEnabled(balanced);
    std::string why;
    const auto game = this->game(&why);
    if (!game) {
        ui->GameLabel->setText(QStringLiteral("This game: the bet ramp does not read (%1).")
                                   .arg(QString::fromStdString(why)));
        return;
    }
    ui->GameLabel->setText(QStringLiteral("This game: working it out…"));
    worth_.ask(*game);
}

void CountDialog::GameReady(const counting::GameFigures& f) {
    if (f.winPer100 <= 0) {
        ui->GameLabel->setText(
            QStringLiteral("This game loses %1 units per 100 rounds: no bankroll outlasts it.")
                .arg(QString::number(-f.winPer100, 'f', 2)));
        return;
    }
    const QLocale locale;
    ui->GameLabel->setText(
        QStringLiteral("This game: %1 units won per 100 rounds (%2 an hour), N0 %3 rounds, "
                       "a risk of ruin of %4 % with this bankroll.")
            .arg(QString::number(f.winPer100, 'f', 2), QString::number(f.winPerHour, 'f', 2),
                 locale.toString(qlonglong(std::llround(f.n0))),
                 QString::number(100 * f.riskOfRuin, 'f', 1)));
}
