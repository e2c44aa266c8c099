#include "EdgePanel.h"

#include "ChartModel.h"
#include "Edge.h"
#include "PracticeText.h"
#include "ui_EdgePanel.h"

#include <map>

using namespace practice;

using analysis::Play;

namespace {

constexpr int kStudied = 10; // cells in the study list

QString signedPercent(double value) {
    return QString::number(100 * value, 'f', 2) + " %";
}

QString money(double value) {
    return QString::number(value, 'f', 2);
}

} // namespace

EdgePanel::EdgePanel(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::EdgePanel>()) {
    ui->setupUi(this);
    connect(ui->BetBox, &QDoubleSpinBox::valueChanged, this, &EdgePanel::betChanged);
    connect(ui->StudyList, &QListWidget::itemActivated, this, &EdgePanel::StudyChoose);
}

EdgePanel::~EdgePanel() = default;

double EdgePanel::bet() const {
    return ui->BetBox->value();
}

void EdgePanel::setBet(double bet) {
    const QSignalBlocker quiet(ui->BetBox);
    ui->BetBox->setValue(bet);
}

void EdgePanel::StudyChoose() {
    const QListWidgetItem* item = ui->StudyList->currentItem();
    const QVariant cell = item ? item->data(Qt::UserRole) : QVariant();
    if (cell.isValid()) emit studyChosen(GridCell{cell.toPoint().x(), cell.toPoint().y()});
}

void EdgePanel::showWorking(const Table& table) {
    ui->EdgeLabel->setText(QStringLiteral("Working out every hand for %1…").arg(table.name()));
}

void EdgePanel::showEdge(const analysis::Analysis& analysis, const Table& table,
                         const AnswerStats& stats, const std::vector<DayAnswers>& dayAnswers) {
    const QString key = table.key();
    const Edge edge = edgeOf(analysis, table, [&](const GridCell& cell) {
        const auto& last = stats.cell(key, cell).last;
        return std::vector<Play>(last.begin(), last.end());
    });
    const double bet = ui->BetBox->value();
    const QString against =
        table.isChart() ? QStringLiteral("by the chart") : QStringLiteral("by the best play");
    QString text = QStringLiteral("Played your way, a round returns %1 of the bet; %2, %3. "
                                  "Your mistakes cost %4 of the bet a round, %5 per 100 hands at "
                                  "a bet of %6.")
                       .arg(signedPercent(edge.yours), against, signedPercent(edge.reference),
                            signedPercent(edge.cost()), money(100 * bet * edge.cost()), money(bet));
    text += QStringLiteral(" From the last %1 answers of each cell; %2 of the %3 cells you have "
                           "not answered count as played right.")
                .arg(CellRecord::kLastAnswers)
                .arg(edge.unanswered)
                .arg(edge.unanswered + int(edge.answered.size()));
    ui->EdgeLabel->setText(text);

    const auto& rows = charts::everyRow();
    ui->StudyList->clear();
    int listed = 0;
    for (const CellCost& cost : edge.answered) {
        if (cost.cost <= 0 || listed == kStudied) break;
        ++listed;
        const QString label = QStringLiteral("%1 against %2: %3. You miss %4 of the time; it "
                                             "costs %5 per 100 hands.")
                                  .arg(QString::fromStdString(rows[cost.cell.row].label),
                                       QString::fromStdString(charts::cardName(cost.cell.up)),
                                       practice::playText(cost.rightPlay),
                                       practice::percentText(qRound(100 * cost.missShare), 100),
                                       money(100 * bet * cost.cost));
        auto* item = new QListWidgetItem(label, ui->StudyList);
        item->setData(Qt::UserRole, QPoint(cost.cell.row, cost.cell.up));
    }
    if (listed == 0)
        ui->StudyList->addItem(QStringLiteral("Nothing to study: no costly mistakes."));

    // Day by day: each day's answers as the mix of its cells.
    std::map<QDate, std::map<std::pair<int, int>, std::vector<Play>>> byDay;
    for (const DayAnswers& given : dayAnswers) {
        auto& mix = byDay[given.day][{given.cell.row, given.cell.up}];
        mix.insert(mix.end(), std::size_t(given.answers), given.answer);
    }
    std::vector<CostPlot::Day> days;
    QStringList said;
    for (auto it = byDay.begin(); it != byDay.end(); ++it) {
        const auto& cells = it->second;
        const Edge day = edgeOf(analysis, table, [&](const GridCell& cell) {
            const auto found = cells.find({cell.row, cell.up});
            return found == cells.end() ? std::vector<Play>{} : found->second;
        });
        days.push_back({it->first, 100 * bet * day.cost()});
        said << QStringLiteral("%1: %2").arg(it->first.toString("d MMMM"),
                                             money(100 * bet * day.cost()));
    }
    ui->Plot->setDays(days, QStringLiteral("Cost per 100 hands at a bet of %1").arg(money(bet)));
    ui->PlotLabel->setText(
        days.empty() ? QStringLiteral("No days with answers yet.")
                     : QStringLiteral("What your mistakes cost per 100 hands, day by day: %1.")
                           .arg(said.join("; ")));
}

void EdgePanel::showCounter(const CounterEdge* edge, const QString& countWords, bool working) {
    ui->CounterLabel->setVisible(edge || working);
    if (!edge) {
        ui->CounterLabel->setText(
            working
                ? QStringLiteral("Working out what your counting is worth (%1)…").arg(countWords)
                : QString());
        return;
    }
    const double unit = bet();
    QStringList lines;
    lines << QStringLiteral("With the count (%1), per 100 rounds at your unit of %2: the game "
                            "played perfectly wins %3; your answers make it %4.")
                 .arg(countWords, money(unit), money(unit * edge->perfectPer100),
                      money(unit * edge->yoursPer100));
    for (const CounterEdge::Kind& kind : edge->kinds) {
        lines << QStringLiteral("%1: %2 of %3 answers, %4 per 100 rounds.")
                     .arg(kind.name)
                     .arg(kind.missed)
                     .arg(kind.answers)
                     .arg(money(unit * kind.costPer100));
    }
    if (!edge->study.empty()) {
        QStringList study;
        for (const auto& [words, cost] : edge->study)
            study << QStringLiteral("%1 (%2 per 100 rounds)").arg(words, money(unit * cost));
        lines << QStringLiteral("Study first: %1.").arg(study.join("; "));
    }
    ui->CounterLabel->setText(lines.join('\n'));
}
