#pragma once

// A table of the lab's figures as the window lists it, the HTML and CSV files write it and a
// screen reader reads it: one text a cell, the same in each. Columns may say which way is better,
// so that the best of each is marked.

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <vector>

namespace planning {

// Which way a column's figures are better: higher, lower, or neither.
enum class Better { None, Higher, Lower };

struct LabTable {
    QString title;
    QStringList columns;
    std::vector<Better> better; // one a column, or empty
    std::vector<QStringList> rows;
    QString note; // how the figures were found, under the table

    // The leading number of a cell ("1.27 ± 0.03" is 1.27, "−0.5" is -0.5); NaN for none.
    static double numberOf(const QString& text);
    // The row whose figure is best in this column, or -1.
    int bestRow(int column) const;
};

QString tableCsv(const LabTable& table);
// A page of its own: the title, the table with the best of each column in bold, the note.
QString tableHtml(const LabTable& table);

// A LabTable for the views: the display text, its number for sorting (Qt::UserRole), and the
// best of each column in bold, described for a screen reader as "best".
class LabTableModel : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LabTableModel)

public:
    explicit LabTableModel(QObject* parent = nullptr);
    ~LabTableModel() override;

    void setTable(LabTable table);
    const LabTable& table() const { return table_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    LabTable table_;
    std::vector<int> best_; // a row a column
};

} // namespace planning
