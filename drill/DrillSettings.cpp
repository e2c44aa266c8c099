#include "DrillSettings.h"

#include <QSettings>

namespace drillsettings {

std::optional<Table> lastTable() {
    return Table::fromKey(QSettings().value("table").toString());
}

bool useTable(const Table& table) {
    QSettings settings;
    if (settings.value("table").toString() != table.key()) settings.setValue("table", table.key());
    if (table.isChart()) return false;
    QStringList recent = settings.value("recentTables").toStringList();
    if (recent.value(0) == table.key()) return false;
    recent.removeAll(table.key());
    recent.prepend(table.key());
    settings.setValue("recentTables", recent.mid(0, kRecentTables));
    return true;
}

std::vector<Table> recentTables() {
    std::vector<Table> tables;
    for (const QString& key : QSettings().value("recentTables").toStringList()) {
        const auto table = Table::fromKey(key);
        if (table && !table->isChart() && int(tables.size()) < kRecentTables) {
            tables.push_back(*table);
        }
    }
    return tables;
}

bool tellUncounted(int uncounted) {
    QSettings settings;
    if (settings.value("uncountedTold").toInt() == uncounted) return false;
    settings.setValue("uncountedTold", uncounted);
    return true;
}

QStringList countArguments() {
    return QSettings().value("count").toStringList();
}

void setCountArguments(const QStringList& arguments) {
    QSettings settings;
    settings.setValue("count", arguments);
    if (arguments.isEmpty()) return;
    // Each kept count as one line of its arguments, as the tables are kept by their keys.
    QStringList recent = settings.value("recentCounts").toStringList();
    const QString line = arguments.join('\n');
    recent.removeAll(line);
    recent.prepend(line);
    settings.setValue("recentCounts", recent.mid(0, kRecentCounts));
}

std::vector<QStringList> recentCounts() {
    std::vector<QStringList> counts;
    for (const QString& line : QSettings().value("recentCounts").toStringList()) {
        if (int(counts.size()) < kRecentCounts) counts.push_back(line.split('\n'));
    }
    return counts;
}

double bet() {
    return QSettings().value("bet", 10.0).toDouble();
}

void setBet(double bet) {
    QSettings().setValue("bet", bet);
}

} // namespace drillsettings
