#include "ChartFile.h"

#include "ChartModel.h"

#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>

using namespace practice;

namespace {

// A page written whole into the cache folder, named for the table's rules.
std::optional<QString> writePage(const QString& prefix, const Table& table, const std::string& html,
                                 QString* error) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    const QString name = prefix + table.key().replace(':', '-').replace(',', '-') + ".htm";
    QSaveFile file(QDir(folder).filePath(name));
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) ||
        file.write(html.data(), qint64(html.size())) < 0 || !file.commit()) {
        *error = QStringLiteral("The chart could not be written to %1: %2")
                     .arg(file.fileName(), file.errorString());
        return std::nullopt;
    }
    return file.fileName();
}

} // namespace

std::optional<QString> writeChartFile(const Table& table, const analysis::Analysis& analysis,
                                      QString* error) {
    return writePage("chart-", table, charts::html(charts::bestPlayChart(analysis)), error);
}

std::optional<QString> writeIndexChartFile(const Table& table, const std::string& html,
                                           QString* error) {
    return writePage("indices-", table, html, error);
}
