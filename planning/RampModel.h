#pragma once

// The ramp as the lab's form edits it: a row a step, its count and its units, in any order.
// A value that is not a whole count or a bet of units is refused as it is typed; counts named
// twice are a problem of the whole ramp, said beside it.

#include "Game.h"

#include <QAbstractTableModel>

namespace planning {

class RampModel : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RampModel)

public:
    explicit RampModel(QObject* parent = nullptr);
    ~RampModel() override;

    void setRamp(const counting::Ramp& ramp);
    // The steps in order of count; nothing, with *why, where a count is named twice.
    std::optional<counting::Ramp> ramp(QString* why) const;

    // A step after the last: one count above it, twice its units.
    void addStep();
    void removeStep(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // A value typed was refused, and why.
    void refused(const QString& why);

private:
    counting::Ramp steps_;
};

} // namespace planning
