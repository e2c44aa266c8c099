#include "CountDialog.h"

#include "ui_CountDialog.h"

#include "CountOptions.h"

#include <QLocale>
#include <QMessageBox>
#include <QtConcurrent/QtConcurrentRun>

CountDialog::CountDialog(const analysis::Rules& rules, const std::optional<counting::Game>& start,
                         const QStringList& startArguments, const std::vector<QStringList>& recent,
                         QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CountDialog>()), rules_(rules) {
    ui->setupUi(this);
    for (const counting::CountSystem& system : counting::builtInSystems())
        ui->SystemBox->addItem(QString::fromStdString(system.name),
                               QString::fromStdString(system.id));
    show(start.value_or(counting::Game{}), startArguments);
    // The counts kept before, read by the options both programs parse.
    for (const QStringList& arguments : recent) {
        if (const auto game = options::gameOf(arguments, rules)) {
            recent_.emplace_back(*game, arguments);
            ui->RecentBox->addItem(options::countWords(*game));
        }
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
    connect(&figures_, &QFutureWatcher<counting::GameFigures>::finished, this,
            &CountDialog::GameReady);
    CountChange();
}

void CountDialog::show(const counting::Game& game, const QStringList& arguments) {
    const int system = ui->SystemBox->findData(QString::fromStdString(game.system.id));
    ui->SystemBox->setCurrentIndex(system >= 0 ? system : 0);
    ui->EstimateBox->setCurrentIndex(int(game.conventions.estimate));
    ui->RoundingBox->setCurrentIndex(int(game.conventions.rounding));
    ui->PenetrationBox->setValue(int(std::lround(100 * game.penetration)));
    QStringList ramp;
    for (const auto& [count, units] : game.ramp)
        ramp << QStringLiteral("%1:%2").arg(count).arg(units);
    ui->RampEdit->setText(ramp.join(','));
    for (const QString& argument : arguments) {
        if (argument.startsWith("--bankroll=")) ui->BankrollBox->setValue(argument.mid(11).toInt());
        if (argument.startsWith("--rounds-per-hour=")) {
            ui->RoundsBox->setValue(argument.mid(18).toInt());
        }
    }
}

void CountDialog::RecentChange(int index) {
    if (index < 0 || index >= int(recent_.size())) return;
    show(recent_[std::size_t(index)].first, recent_[std::size_t(index)].second);
    CountChange();
}

CountDialog::~CountDialog() {
    figures_.waitForFinished(); // its work reads nothing of the dialog, but ends before it
}

std::optional<counting::Game> CountDialog::game(std::string* why) const {
    counting::Game game;
    game.rules = rules_;
    game.system = *counting::systemOfId(ui->SystemBox->currentData().toString().toStdString());
    game.conventions.estimate = counting::DeckEstimate(ui->EstimateBox->currentIndex());
    game.conventions.rounding = counting::Rounding(ui->RoundingBox->currentIndex());
    game.penetration = ui->PenetrationBox->value() / 100.0;
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

QStringList CountDialog::arguments() const {
    QStringList arguments{"--count=" + ui->SystemBox->currentData().toString()};
    const auto game = this->game();
    if (game && game->system.balanced()) {
        arguments << "--deck-estimate=" +
                         options::deckEstimateNames()[ui->EstimateBox->currentIndex()]
                  << "--tc=" + options::roundingNames()[ui->RoundingBox->currentIndex()];
    }
    arguments << QStringLiteral("--penetration=%1").arg(ui->PenetrationBox->value() / 100.0);
    if (!ui->RampEdit->text().trimmed().isEmpty()) {
        arguments << "--ramp=" + ui->RampEdit->text().trimmed();
    }
    arguments << QStringLiteral("--bankroll=%1").arg(ui->BankrollBox->value())
              << QStringLiteral("--rounds-per-hour=%1").arg(ui->RoundsBox->value());
    return arguments;
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

// What the game is worth as it stands: one piece of work at a time, the latest choice next.
void CountDialog::CountChange() {
    const bool balanced =
        counting::systemOfId(ui->SystemBox->currentData().toString().toStdString())->balanced();
    ui->EstimateBox->setEnabled(balanced);
    ui->RoundingBox->setEnabled(balanced);
    if (figures_.isRunning()) {
        again_ = true;
        return;
    }
    std::string why;
    const auto game = this->game(&why);
    if (!game) {
        ui->GameLabel->setText(QStringLiteral("This game: the bet ramp does not read (%1).")
                                   .arg(QString::fromStdString(why)));
        return;
    }
    counting::GamePlan plan;
    plan.bankroll = ui->BankrollBox->value();
    plan.roundsPerHour = ui->RoundsBox->value();
    ui->GameLabel->setText(QStringLiteral("This game: working it out…"));
    figures_.setFuture(
        QtConcurrent::run([game = *game, plan] { return counting::gameFigures(game, plan); }));
}

void CountDialog::GameReady() {
    if (again_) {
        again_ = false;
        CountChange();
        return;
    }
    const counting::GameFigures f = figures_.result();
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
