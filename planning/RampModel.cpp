#include "RampModel.h"

#include <algorithm>
#include <set>

namespace planning {

namespace {

constexpr int kCountLimit = 30;
constexpr double kUnitsLimit = 1e6;

} // namespace

RampModel::RampModel(QObject* parent) : QAbstractTableModel(parent) {}
RampModel::~RampModel() = default;

void RampModel::setRamp(const counting::Ramp& ramp) {
    beginResetModel();
    steps_ = ramp;
    endResetModel();
}

std::optional<counting::Ramp> RampModel::ramp(QString* why) const {
    std::set<int> seen;
    for (const auto& [count, units] : steps_) {
        if (!seen.insert(count).second) {
            if (why) *why = QStringLiteral("The count %1 has two bets.").arg(count);
            return std::nullopt;
        }
    }
    counting::Ramp sorted = steps_;
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

void RampModel::addStep() {
    const int count = steps_.empty() ? 1 : steps_.back().first + 1;
    const double units = steps_.empty() ? 2 : std::min(kUnitsLimit, steps_.back().second * 2);
    beginInsertRows({}, int(steps_.size()), int(steps_.size()));
    steps_.emplace_back(std::min(count, kCountLimit), units);
    endInsertRows();
}

void RampModel::removeStep(int row) {
    if (row < 0 || row >= int(steps_.size())) return;
    beginRemoveRows({}, row, row);
    steps_.erase(steps_.begin() + row);
    endRemoveRows();
}

int RampModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(steps_.size());
}

int RampModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant RampModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    const auto& [count, units] = steps_[std::size_t(index.row())];
    if (index.column() == 0)
        return role == Qt::EditRole ? QVariant(count)
                                    : QVariant(count > 0 ? QStringLiteral("+%1").arg(count)
                                                         : QString::number(count));
    return role == Qt::EditRole ? QVariant(units) : QVariant(QString::number(units));
}

bool RampModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    auto& [count, units] = steps_[std::size_t(index.row())];
    bool ok = false;
    if (index.column() == 0) {
        const int typed = value.toString().trimmed().remove('+').toInt(&ok);
        if (!ok || typed < -kCountLimit || typed > kCountLimit) {
            emit refused(QStringLiteral("A count is a whole number from %1 to +%2.")
                             .arg(-kCountLimit)
                             .arg(kCountLimit));
            return false;
        }
        count = typed;
    } else {
        const double typed = value.toString().trimmed().toDouble(&ok);
        if (!ok || !(typed > 0) || typed > kUnitsLimit) {
            emit refused(QStringLiteral("A bet is a number of units above 0, at most 1000000."));
            return false;
        }
        units = typed;
    }
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags RampModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QVariant RampModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return section == 0 ? QStringLiteral("From count") : QStringLiteral("Units");
}

} // namespace planning
