#pragma once

#include "AnalysisCache.h"
#include "Table.h"

#include <QObject>
#include <QString>

#include <optional>
#include <string>

class QWidget;

// The documents the drill opens: the chart of a table (a known chart's page beside the program,
// or the player's own table's written from the engine's analysis once it is worked out), a
// count's index chart, and the help page. A page that cannot be written gives an error box over
// the window; nothing else stops.
class DrillDocuments : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DrillDocuments)

public:
    DrillDocuments(const QString& programFolder, AnalysisCache& analyses, QWidget* window);

    // The chart of the table; one of the player's own waits for its analysis.
    void openChart(const practice::Table& table);
    // An analysis is ready: the chart waiting for it opens.
    void analysisReady();
    void openIndexChart(const practice::Table& table, const std::string& page);
    void openHelp();

private:
    void open(const QString& document, const QString& folder);
    void openWritten(const std::optional<QString>& path, const QString& error);

    QString programFolder_;
    AnalysisCache& analyses_;
    QWidget* window_;
    std::optional<practice::Table> waiting_; // a chart asked for before its analysis
};
