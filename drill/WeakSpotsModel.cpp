#include "WeakSpotsModel.h"

#include "ChartModel.h"

#include <QColor>

#include <algorithm>

using namespace practice;

namespace {

int columnOf(int up) {
    return int(std::find(charts::kUpCards.begin(), charts::kUpCards.end(), up) -
               charts::kUpCards.begin());
}

} // namespace

WeakSpotsModel::WeakSpotsModel(const AnswerStats& stats, QObject* parent)
    : QAbstractTableModel(parent), stats_(stats) {}

void WeakSpotsModel::setTable(const QString& table) {
    if (table == table_) return;
    beginResetModel();
    table_ = table;
    endResetModel();
}

void WeakSpotsModel::cellChanged(const GridCell& cell) {
    const QModelIndex changed = index(cell.row, columnOf(cell.up));
    emit dataChanged(changed, changed);
}

int WeakSpotsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kChartRows;
}

int WeakSpotsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(charts::kUpCards.size());
}

QVariant WeakSpotsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int up = charts::kUpCards[index.column()];
    const CellRecord& cell = stats_.cell(table_, {index.row(), up});
    switch (role) {
    case Qt::DisplayRole:
        if (cell.tries == 0) return {};
        return QStringLiteral("%1/%2%3").arg(cell.rights).arg(cell.tries).arg(cell.weak ? "!" : "");
    case Qt::BackgroundRole:
        if (cell.tries == 0) return {};
        return QColor::fromHsvF(double(cell.rights) / cell.tries / 3.0, 0.45, 1.0);
    case Qt::ForegroundRole:
        if (cell.tries == 0) return {};
        return QColor(Qt::black);
    case Qt::TextAlignmentRole: return int(Qt::AlignCenter);
    case Qt::AccessibleTextRole: {
        const QString where = QString::fromStdString(charts::everyRow()[index.row()].label +
                                                     " against " + charts::cardName(up));
        if (cell.tries == 0) return where + ": not asked yet";
        return QStringLiteral("%1: %2 of %3 right%4")
            .arg(where)
            .arg(cell.rights)
            .arg(cell.tries)
            .arg(cell.weak ? ", a weak spot" : "");
    }
    default: return {};
    }
}

QVariant WeakSpotsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) {
        return QString::fromStdString(charts::cardName(charts::kUpCards[section]));
    }
    return QString::fromStdString(charts::everyRow()[section].label);
}
