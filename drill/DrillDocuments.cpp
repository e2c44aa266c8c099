#include "DrillDocuments.h"

#include "ChartFile.h"
#include "DocumentOpener.h"
#include "KnownCharts.h"

#include <QMessageBox>

using namespace practice;

DrillDocuments::DrillDocuments(const QString& programFolder, AnalysisCache& analyses,
                               QWidget* window)
    : programFolder_(programFolder), analyses_(analyses), window_(window) {}

void DrillDocuments::openChart(const Table& table) {
    waiting_.reset();
    if (table.isChart()) {
        const std::string_view file = charts::kKnownCharts[table.chart].file;
        open(QString::fromLatin1(file.data(), qsizetype(file.size())), programFolder_);
        return;
    }
    const auto analysis = analyses_.find(table);
    if (!analysis) {
        waiting_ = table;
        return;
    }
    QString error;
    const auto path = writeChartFile(table, *analysis, &error);
    openWritten(path, error);
}

void DrillDocuments::analysisReady() {
    if (waiting_) openChart(*waiting_);
}

void DrillDocuments::openIndexChart(const Table& table, const std::string& page) {
    QString error;
    const auto path = writeIndexChartFile(table, page, &error);
    openWritten(path, error);
}

// The help page, beside the program as the charts are.
void DrillDocuments::openHelp() {
    open(QStringLiteral("hitwise-drill.htm"), programFolder_);
}

void DrillDocuments::open(const QString& document, const QString& folder) {
    documentOpener().open(window_, "open", document, {}, folder, DocumentOpener::kShowNormal);
}

void DrillDocuments::openWritten(const std::optional<QString>& path, const QString& error) {
    if (path) {
        open(*path, {});
    } else {
        QMessageBox::warning(window_, QStringLiteral("Hitwise Drill"), error);
    }
}
