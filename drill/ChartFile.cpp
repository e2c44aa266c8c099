#include "ChartFile.h"

#include "ChartModel.h"

#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>

std::optional<QString> writeChartFile(const Table& table, const analysis::Analysis& analysis,
                                      QString* error) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    const QString name = "chart-" + table.key().replace(':', '-').replace(',', '-') + ".htm";
    QSaveFile file(QDir(folder).filePath(name));
    const std::string html = charts::html(charts::bestPlayChart(analysis));
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) ||
        file.write(html.data(), qint64(html.size())) < 0 || !file.commit()) {
        *error = QStringLiteral("The chart could not be written to %1: %2")
                     .arg(file.fileName(), file.errorString());
        return std::nullopt;
    }
    return file.fileName();
}
