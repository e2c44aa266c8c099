#include "Table.h"

#include "FittedRules.h"
#include "RuleSets.h"

namespace {

const char* const kChartKeys[] = {"chart:single", "chart:multi", "chart:european"};

} // namespace

Table Table::ofChart(int chart) {
    return {chart, charts::kFittedRules[chart].rules};
}

Table Table::own(const analysis::Rules& rules) {
    return {-1, rules};
}

QString Table::key() const {
    return isChart() ? QString::fromLatin1(kChartKeys[chart])
                     : QString::fromStdString(analysis::canonical(rules));
}

std::optional<Table> Table::fromKey(const QString& key) {
    for (int chart = 0; chart < 3; ++chart) {
        if (key == QLatin1String(kChartKeys[chart])) return ofChart(chart);
    }
    const auto rules = analysis::fromCanonical(key.toStdString());
    if (!rules) return std::nullopt;
    return own(*rules);
}

QString Table::name() const {
    if (isChart()) {
        const auto& title = strategy::kRuleSets[chart].name;
        return QString::fromLatin1(title.data(), qsizetype(title.size())).trimmed();
    }
    return QString::fromStdString(analysis::shortName(rules));
}

QString Table::words() const {
    const QString words = QString::fromStdString(analysis::inWords(rules));
    return isChart() ? QStringLiteral("%1 chart: %2").arg(name(), words) : words;
}
