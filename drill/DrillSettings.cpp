#include "DrillSettings.h"

#include "CountKept.h"
#include "CountOptions.h"
#include "KnownCharts.h"

#include <QSettings>

using namespace practice;

namespace {

// Puts an entry first in a kept list of at most `most`; false if it was first already.
bool putFirst(QSettings& settings, const QString& list, const QString& entry, int most) {
    QStringList recent = settings.value(list).toStringList();
    if (recent.value(0) == entry) return false;
    recent.removeAll(entry);
    recent.prepend(entry);
    settings.setValue(list, recent.mid(0, most));
    return true;
}

// The texts of the counts chosen last; before the game had one text form, each was kept as the
// lines of its options.
QStringList recentTexts(const QSettings& settings) {
    if (settings.contains("recentGames")) return settings.value("recentGames").toStringList();
    QStringList texts;
    for (const QString& lines : settings.value("recentCounts").toStringList())
        texts << QString(lines).replace('\n', ' ');
    return texts;
}

} // namespace

std::optional<Table> DrillSettings::lastTable() {
    return Table::fromKey(QSettings().value("table").toString());
}

bool DrillSettings::useTable(const Table& table) {
    QSettings settings;
    if (settings.value("table").toString() != table.key()) settings.setValue("table", table.key());
    if (table.isChart()) return false;
    return putFirst(settings, QStringLiteral("recentTables"), table.key(), kRecentTables);
}

std::vector<Table> DrillSettings::recentTables() {
    std::vector<Table> tables;
    for (const QString& key : QSettings().value("recentTables").toStringList()) {
        const auto table = Table::fromKey(key);
        if (table && !table->isChart() && int(tables.size()) < kRecentTables) {
            tables.push_back(*table);
        }
    }
    return tables;
}

std::vector<Table> DrillSettings::ruleSets() {
    std::vector<Table> tables;
    for (int chart = 0; chart < charts::kKnownChartCount; ++chart)
        tables.push_back(Table::ofChart(chart));
    for (const Table& table : recentTables())
        tables.push_back(table);
    return tables;
}

bool DrillSettings::tellUncounted(int uncounted) {
    QSettings settings;
    if (settings.value("uncountedTold").toInt() == uncounted) return false;
    settings.setValue("uncountedTold", uncounted);
    return true;
}

std::optional<counting::Game> DrillSettings::countGame() {
    return keptCount(QSettings());
}

void DrillSettings::setCountGame(const counting::Game& game, bool chosen) {
    QSettings settings;
    keepCount(settings, game);
    if (!chosen) return;
    const QString text = options::gameText(game);
    if (!settings.contains("recentGames")) settings.setValue("recentGames", recentTexts(settings));
    putFirst(settings, QStringLiteral("recentGames"), text, kRecentCounts);
}

std::vector<counting::Game> DrillSettings::recentGames() {
    std::vector<counting::Game> games;
    for (const QString& text : recentTexts(QSettings())) {
        const auto game = options::gameOfText(text);
        if (game && int(games.size()) < kRecentCounts) games.push_back(*game);
    }
    return games;
}

double DrillSettings::bet() {
    return QSettings().value("bet", 10.0).toDouble();
}

void DrillSettings::setBet(double bet) {
    QSettings().setValue("bet", bet);
}
