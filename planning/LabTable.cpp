#include "LabTable.h"

#include <QFont>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace planning {

double LabTable::numberOf(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("^\\s*([+\\-\u2212]?)([0-9][0-9,]*(\\.[0-9]+)?)"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch()) return std::numeric_limits<double>::quiet_NaN();
    QString digits = match.captured(2);
    digits.remove(',');
    const double value = digits.toDouble();
    return match.captured(1).isEmpty() || match.captured(1) == "+" ? value : -value;
}

int LabTable::bestRow(int column) const {
    if (column < 0 || std::size_t(column) >= better.size() ||
        better[std::size_t(column)] == Better::None)
        return -1;
    const bool higher = better[std::size_t(column)] == Better::Higher;
    int best = -1;
    double bestValue = 0;
    int ties = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const double value = column < rows[r].size() ? numberOf(rows[r][column]) : NAN;
        if (std::isnan(value)) continue;
        if (best < 0 || (higher ? value > bestValue : value < bestValue)) {
            best = int(r);
            bestValue = value;
            ties = 0;
        } else if (value == bestValue) {
            ++ties;
        }
    }
    return rows.size() > 1 && ties == 0 ? best : -1; // a column all alike has no best
}

namespace {

QString csvField(QString text) {
    if (!text.contains(QRegularExpression(QStringLiteral("[\",\\n]")))) return text;
    return '"' + text.replace('"', QStringLiteral("\"\"")) + '"';
}

} // namespace

QString tableCsv(const LabTable& table) {
    QString out;
    auto line = [&](const QStringList& cells) {
        QStringList fields;
        for (const QString& cell : cells)
            fields << csvField(cell);
        out += fields.join(',') + '\n';
    };
    line(table.columns);
    for (const QStringList& row : table.rows)
        line(row);
    if (!table.note.isEmpty()) out += "# " + table.note + '\n';
    return out;
}

QString tableHtml(const LabTable& table) {
    QString out =
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>%1</title>\n<style>\nbody { font-family: Arial, sans-serif; }\n"
                       "table { border-collapse: collapse; }\n"
                       "th, td { border: 1px solid #999; padding: 3px 8px; text-align: right; }\n"
                       "th:first-child, td:first-child { text-align: left; }\n"
                       "</style>\n</head>\n<body>\n<h1>%1</h1>\n<table>\n<tr>")
            .arg(table.title.toHtmlEscaped());
    for (const QString& column : table.columns)
        out += "<th scope=\"col\">" + column.toHtmlEscaped() + "</th>";
    out += "</tr>\n";
    std::vector<int> best;
    for (int c = 0; c < table.columns.size(); ++c)
        best.push_back(table.bestRow(c));
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        out += "<tr>";
        for (int c = 0; c < table.rows[r].size(); ++c) {
            const QString cell = table.rows[r][c].toHtmlEscaped();
            out += best[std::size_t(c)] == int(r) ? "<td><strong>" + cell + "</strong></td>"
                                                  : "<td>" + cell + "</td>";
        }
        out += "</tr>\n";
    }
    out += "</table>\n";
    if (std::any_of(best.begin(), best.end(), [](int row) { return row >= 0; }))
        out += "<p>The best of each column where one is better is in bold.</p>\n";
    if (!table.note.isEmpty()) out += "<p>" + table.note.toHtmlEscaped() + "</p>\n";
    return out + "</body>\n</html>\n";
}

LabTableModel::LabTableModel(QObject* parent) : QAbstractTableModel(parent) {}
LabTableModel::~LabTableModel() = default;

void LabTableModel::setTable(LabTable table) {
    beginResetModel();
    table_ = std::move(table);
    best_.clear();
    for (int c = 0; c < table_.columns.size(); ++c)
        best_.push_back(table_.bestRow(c));
    endResetModel();
}

int LabTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(table_.rows.size());
}

int LabTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(table_.columns.size());
}

QVariant LabTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const QStringList& row = table_.rows[std::size_t(index.row())];
    const QString text = index.column() < row.size() ? row[index.column()] : QString();
    const bool best = best_[std::size_t(index.column())] == index.row();
    switch (role) {
    case Qt::DisplayRole: return text;
    case Qt::UserRole: { // numbers sort as numbers, words after them
        const double value = LabTable::numberOf(text);
        return std::isnan(value) ? QVariant(text) : QVariant(value);
    }
    case Qt::FontRole:
        if (best) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    case Qt::AccessibleDescriptionRole: return best ? QStringLiteral("best") : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == 0 ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                   : int(Qt::AlignRight | Qt::AlignVCenter);
    default: return {};
    }
}

QVariant LabTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal)
        return section < table_.columns.size() ? table_.columns[section] : QVariant();
    return section + 1;
}

} // namespace planning
