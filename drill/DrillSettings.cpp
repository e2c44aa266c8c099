#include "DrillSettings.h"

#include <QSettings>

namespace drillsettings {

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

} // namespace

std::optional<Table> lastTable() {
    return Table::fromKey(QSettings().value("table").toString());
}

bool useTable(const Table& table) {
    QSettings settings;
    if (settings.value("table").toString() != table.key()) settings.setValue("table", table.key());
    if (table.isChart()) return false;
    return putFirst(settings, QStringLiteral("recentTables"), table.key(), kRecentTables);
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
    putFirst(settings, QStringLiteral("recentCounts"), arguments.join('\n'), kRecentCounts);
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
