#pragma once

#include "Table.h"

#include "Analysis.h"

#include <QFutureWatcher>
#include <QObject>

#include <map>
#include <memory>

// The engine's whole tables, one per table's rules, worked out off the window's thread (a table
// takes a fraction of a second) and kept for the process. One is worked out at a time.
class AnalysisCache : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AnalysisCache)

public:
    using Analyses = std::shared_ptr<const analysis::Analysis>;
    explicit AnalysisCache(QObject* parent = nullptr);
    ~AnalysisCache() override;

    // The table's analysis if worked out; else nothing, and it is started unless another is
    // being worked out (ready() then asks again).
    Analyses find(const practice::Table& table);

signals:
    void started(const practice::Table& table);
    void ready();

private slots:
    void AnalysisReady();

private:
    std::map<QString, Analyses> analyses_;
    QFutureWatcher<Analyses> watcher_;
    QString working_; // the key of the table being worked out
};
