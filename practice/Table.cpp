#include "Table.h"

#include "FittedRules.h"
#include "KnownCharts.h"

namespace practice {

namespace {

// A known chart's key: "chart:single".
QString chartKey(int chart) {
    const std::string_view id = charts::kKnownCharts[chart].id;
    return QStringLiteral("chart:") + QString::fromLatin1(id.data(), qsizetype(id.size()));
}

} // namespace

Table Table::ofChart(int chart) {
    return {chart, charts::fittedRules(chart).rules};
}

Table Table::own(const rules::Rules& rules) {
    return {-1, rules};
}

QString Table::key() const {
    return isChart() ? chartKey(chart) : QString::fromStdString(rules::canonical(rules));
}

std::optional<Table> Table::fromKey(const QString& key) {
    for (int chart = 0; chart < charts::kKnownChartCount; ++chart) {
        if (key == chartKey(chart)) return ofChart(chart);
    }
    const auto rules = rules::fromCanonical(key.toStdString());
    if (!rules) return std::nullopt;
    return own(*rules);
}

QString Table::name() const {
    if (isChart()) return QString::fromStdString(charts::chartTitle(chart));
    return QString::fromStdString(rules::shortName(rules));
}

QString Table::words() const {
    const QString words = QString::fromStdString(rules::inWords(rules));
    return isChart() ? QStringLiteral("%1 chart: %2").arg(name(), words) : words;
}

} // namespace practice
