#pragma once

#include "AnswerStats.h"

#include <QAbstractTableModel>

// The Weak spots grid: a chart's rows by the up cards 2 to A, each cell its right answers of
// tries, coloured from red (all wrong) to green (all right), "!" on a weak spot. Reads the
// statistics of one table; told of each answer, it updates the one cell that changed.
class WeakSpotsModel : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WeakSpotsModel)

public:
    WeakSpotsModel(const practice::AnswerStats& stats, QObject* parent = nullptr);

    // Shows the answers at another table.
    void setTable(const QString& table);
    // A cell's answers changed.
    void cellChanged(const practice::GridCell& cell);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const practice::AnswerStats& stats_;
    QString table_;
};
