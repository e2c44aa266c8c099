// A chart to print: a page of A4 or Letter, or a wallet card in two pages, through Qt's own PDF
// writer. Laid out in millimetres; every cell carries its code as well as its colour, so that
// it reads in black and white.
#include "ChartPdf.h"

#include <cmath>

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <vector>

namespace charts {

namespace {

// The colours of the web charts, by the play a cell makes.
QColor colourOf(const Cell& cell) {
    if (cell.blackjack) return QColor(0xe5, 0xc9, 0xf0);
    switch (cell.play) {
    case Play::Hit: return QColor(0xf6, 0xd4, 0xcf);
    case Play::Stand: return QColor(0xff, 0xf3, 0xb8);
    case Play::Double: return QColor(0xbf, 0xe3, 0xc4);
    case Play::Split: return QColor(0xc9, 0xd9, 0xf4);
    case Play::Surrender: return QColor(0xdc, 0xdc, 0xdc);
    }
    return Qt::white;
}

// Millimetres on the page, as the painter's units.
class Page {
public:
    Page(QPdfWriter& writer, QPainter& painter)
        : painter_(painter), perMm_(writer.resolution() / 25.4) {}
    qreal operator()(qreal mm) const { return mm * perMm_; }
    QRectF rect(qreal x, qreal y, qreal w, qreal h) const {
        return {(*this)(x), (*this)(y), (*this)(w), (*this)(h)};
    }
    void font(qreal heightMm, bool bold = false) {
        QFont f("Liberation Sans");
        f.setPixelSize(std::max(1, int((*this)(heightMm))));
        f.setBold(bold);
        painter_.setFont(f);
    }
    void text(qreal x, qreal y, qreal w, qreal h, const QString& text,
              int flags = Qt::AlignLeft | Qt::AlignVCenter) {
        painter_.drawText(rect(x, y, w, h), flags | Qt::TextWordWrap, text);
    }

private:
    QPainter& painter_;
    qreal perMm_;
};

// A grid of some rows of a chart at (x, y): a header of up cards, a label column, one coloured
// cell with its code per up card. Returns its height.
qreal drawGrid(QPainter& p, Page& mm, const std::vector<const Row*>& rows, qreal x, qreal y,
               qreal labelWidth, qreal cellWidth, qreal rowHeight, qreal fontMm) {
    const QPen line(QColor(120, 120, 120), mm(0.1));
    p.setPen(line);
    mm.font(fontMm, true);
    p.fillRect(mm.rect(x, y, labelWidth + 10 * cellWidth, rowHeight), QColor(0x1f, 0x5f, 0x3b));
    p.setPen(Qt::white);
    mm.text(x + 0.5, y, labelWidth, rowHeight, "Hand");
    for (int c = 0; c < 10; ++c) {
        mm.text(x + labelWidth + c * cellWidth, y, cellWidth, rowHeight,
                QString::fromStdString(cardName(kUpCards[c])), Qt::AlignCenter);
    }
    qreal top = y + rowHeight;
    for (const Row* row : rows) {
        p.setPen(line);
        p.setBrush(QColor(0xeb, 0xe6, 0xda));
        p.drawRect(mm.rect(x, top, labelWidth, rowHeight));
        p.setPen(Qt::black);
        mm.font(fontMm, true);
        mm.text(x + 0.5, top, labelWidth - 0.5, rowHeight,
                QString::fromStdString(row->label).replace("Hard ", ""));
        for (int c = 0; c < 10; ++c) {
            const Cell& cell = row->cells[c];
            p.setPen(line);
            p.setBrush(colourOf(cell));
            const QRectF box = mm.rect(x + labelWidth + c * cellWidth, top, cellWidth, rowHeight);
            p.drawRect(box);
            if (cell.marked()) { // a better play at these rules: outlined, and "!"
                p.setPen(QPen(QColor(0xb0, 0, 0), mm(0.35)));
                p.setBrush(Qt::NoBrush);
                p.drawRect(box.adjusted(mm(0.2), mm(0.2), -mm(0.2), -mm(0.2)));
            }
            p.setPen(Qt::black);
            mm.font(fontMm, true);
            const QString code = QString::fromStdString(cell.code()) + (cell.marked() ? "!" : "");
            if (cell.index.empty()) {
                p.drawText(box, Qt::AlignCenter, code);
            } else { // the code above, the count's index plays below in a smaller hand
                const QRectF upper(box.topLeft(), QSizeF(box.width(), box.height() * 0.45));
                const QRectF lower(box.left(), box.top() + box.height() * 0.42, box.width(),
                                   box.height() * 0.58);
                mm.font(fontMm * 0.8, true);
                p.drawText(upper, Qt::AlignCenter, code);
                p.setPen(QColor(0x7a, 0x1f, 0x00));
                mm.font(fontMm * 0.62, true);
                p.drawText(lower, Qt::AlignCenter | Qt::TextWordWrap,
                           QString::fromStdString(cell.index));
            }
        }
        top += rowHeight;
    }
    return top - y;
}

std::vector<const Row*> rowsOf(const Chart& chart, const std::string& group) {
    std::vector<const Row*> rows;
    for (const Row& row : chart.rows) {
        if (row.group.rfind(group, 0) == 0) rows.push_back(&row);
    }
    return rows;
}

const char* kFallbacksInWords = "Dh, Ds: double; where you may not (after a hit), hit or stand. "
                                "Rh, Rs, Rp: surrender; where you may not (after a split or a "
                                "hit), hit, stand or split.";

void legend(QPainter& p, Page& mm, qreal x, qreal y, qreal size, qreal fontMm) {
    const std::pair<Play, const char*> plays[] = {{Play::Hit, "H hit"},
                                                  {Play::Stand, "S stand"},
                                                  {Play::Double, "D double"},
                                                  {Play::Split, "P split"},
                                                  {Play::Surrender, "R surrender"}};
    mm.font(fontMm);
    for (const auto& [play, words] : plays) {
        Cell cell;
        cell.play = play;
        p.setPen(QPen(QColor(120, 120, 120), mm(0.1)));
        p.setBrush(colourOf(cell));
        p.drawRect(mm.rect(x, y, size, size));
        p.setPen(Qt::black);
        mm.text(x + size * 1.3, y - 0.5, 22, size + 1, words);
        x += size * 1.3 + 22;
    }
}

void fullPage(QPdfWriter& writer, QPainter& p, const Chart& chart) {
    Page mm(writer, p);
    const QSizeF page = writer.pageLayout().paintRect(QPageLayout::Millimeter).size();
    const qreal width = page.width();
    qreal y = 0;
    p.setPen(Qt::black);
    mm.font(6, true);
    mm.text(0, y, width, 8, QString::fromStdString("Hitwise chart: " + chart.title));
    y += 9;
    mm.font(3.2);
    mm.text(0, y, width, 9, QString::fromStdString("Rules: " + describe(chart.rules) + "."));
    y += 9;
    for (const std::string& line : chart.heading) {
        mm.text(0, y, width, 9, QString::fromStdString(line));
        y += 9;
    }
    if (!chart.shoe.empty()) {
        mm.text(0, y, width, 9, QString::fromStdString("Shoe: " + chart.shoe + "."));
        y += 9;
    }
    QString figures = QString::fromStdString("Expected return of a round by the best play: " +
                                             percent(chart.returnBest) + " of the bet");
    if (chart.agreeing) {
        figures += QString::fromStdString("; by this chart: " + percent(chart.returnByChart));
    }
    mm.text(0, y, width, 5, figures + ".");
    y += 7;
    const qreal labelWidth = 16;
    const qreal cellWidth = (width - labelWidth) / 10;
    const qreal rowHeight = 5.4;
    for (const char* group : {"Hard totals", "Soft hands", "Pairs"}) {
        p.setPen(Qt::black);
        mm.font(3.4, true);
        mm.text(0, y, width, 5, group);
        y += 5.2;
        y += drawGrid(p, mm, rowsOf(chart, group), 0, y, labelWidth, cellWidth, rowHeight, 3) + 3;
    }
    legend(p, mm, 0, y, 4, 3);
    y += 6;
    mm.font(2.8);
    mm.text(0, y, width, 4, kFallbacksInWords);
    y += 5;
    QString note = chart.rules.holeCard ? "Values after the dealer has checked for a blackjack."
                                        : "No hole card: the dealer's blackjack takes every bet.";
    if (chart.agreeing) {
        const auto marked = markedByCost(chart);
        note += QString::fromStdString(
            " Cells marked ! (outlined) are where this chart does not give the best play at "
            "these rules; playing it costs " +
            percent(chart.returnBest - chart.returnByChart).substr(1) + " of the bet a round.");
        for (std::size_t i = 0; i < marked.size() && i < 6; ++i) {
            const auto& [row, cell] = marked[i];
            note += QString::fromStdString((i == 0 ? " Costliest: " : "; ") + row->label + " v " +
                                           cardName(cell->up) + " " +
                                           std::string(analysis::playName(cell->best)) + " (" +
                                           signedValue(100 * cell->cost(), 2).substr(1) + " %)");
        }
        if (!marked.empty()) note += ".";
    }
    mm.text(0, y, width, 20, note, Qt::AlignLeft | Qt::AlignTop);
    if (chart.notes.empty()) return;
    // The notes on a page of their own: the grid fills the first.
    writer.newPage();
    y = 0;
    mm.font(3.2);
    for (const std::string& line : chart.notes) {
        const QRectF box = mm.rect(0, y, width, 60);
        const QRectF used = p.boundingRect(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                                           QString::fromStdString(line));
        p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   QString::fromStdString(line));
        y += used.height() / mm(1) + 3;
    }
}

// The wallet card: hard totals on its first page; soft hands and pairs side by side on the
// second.
void card(QPdfWriter& writer, QPainter& p, const Chart& chart) {
    Page mm(writer, p);
    const qreal width = 85.6 - 4;
    const qreal labelWidth = 6.5;
    auto title = [&](const QString& text) {
        p.setPen(Qt::black);
        mm.font(2.4, true);
        mm.text(2, 1.2, width, 3, text);
    };
    const std::string name =
        shortName(chart.rules) + (chart.cardName.empty() ? "" : ", " + chart.cardName);
    title(QString::fromStdString("Hard totals - " + name));
    drawGrid(p, mm, rowsOf(chart, "Hard totals"), 2, 4.6, labelWidth, (width - labelWidth) / 10,
             2.95, 2.1);
    writer.newPage();
    title(QString::fromStdString("Soft hands and pairs - " + name));
    const qreal half = (width - 2) / 2;
    const qreal cellWidth = (half - labelWidth) / 10;
    drawGrid(p, mm, rowsOf(chart, "Soft hands"), 2, 4.6, labelWidth, cellWidth, 4.05, 2.0);
    drawGrid(p, mm, rowsOf(chart, "Pairs"), 2 + half + 2, 4.6, labelWidth, cellWidth, 4.05, 2.0);
    p.setPen(Qt::black);
    mm.font(1.8);
    mm.text(2, 50.4, width, 3,
            chart.cardLine.empty()
                ? QString("H hit  S stand  P split  Dh/Ds double, else H/S  Rh/Rs/Rp "
                          "surrender, else H/S/P  BJ blackjack")
                : QString::fromStdString(chart.cardLine));
}

} // namespace

QPageSize pageSizeOf(Paper paper) {
    switch (paper) {
    case Paper::A4: return QPageSize(QPageSize::A4);
    case Paper::Letter: return QPageSize(QPageSize::Letter);
    case Paper::Card: return QPageSize(QSizeF(85.6, 54), QPageSize::Millimeter, "Wallet card");
    }
    return QPageSize(QPageSize::A4);
}

namespace {

// A PDF document of pages drawn by `draw`, on this paper with these margins (millimetres).
template <typename Draw>
QByteArray document(const std::string& title, Paper paper, qreal margin, Draw&& draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setCreator("Hitwise");
        writer.setTitle(QString::fromStdString(title));
        writer.setPageLayout(QPageLayout(pageSizeOf(paper), QPageLayout::Portrait,
                                         QMarginsF(margin, margin, margin, margin),
                                         QPageLayout::Millimeter));
        QPainter painter(&writer);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(writer, painter);
    }
    return bytes;
}

} // namespace

QByteArray plotPdf(const PlotPage& page, Paper paper) {
    return document("Hitwise: " + page.title, paper, 12, [&](QPdfWriter& writer, QPainter& p) {
        Page mm(writer, p);
        const qreal width = writer.pageLayout().paintRect(QPageLayout::Millimeter).width();
        qreal y = 0;
        mm.font(6, true);
        mm.text(0, y, width, 8, QString::fromStdString("Hitwise: " + page.title));
        y += 9;
        mm.font(3.2);
        for (const std::string& line : page.heading) {
            mm.text(0, y, width, 9, QString::fromStdString(line));
            y += 9;
        }
        // The plot: a grid of whole per cents, one line a series.
        double low = 0, high = 0;
        for (const auto& [name, values] : page.series) {
            for (double v : values) {
                low = std::min(low, v);
                high = std::max(high, v);
            }
        }
        low = std::floor(low * 100) / 100;
        high = std::ceil(high * 100) / 100;
        if (high <= low) high = low + 0.01;
        const qreal left = 14, plotWidth = width - left - 2, top = y + 2, height = 90;
        const std::size_t points = page.xLabels.size();
        auto px = [&](std::size_t i) {
            return left + plotWidth * (points > 1 ? qreal(i) / qreal(points - 1) : 0.5);
        };
        auto py = [&](double v) { return top + height * (high - v) / (high - low); };
        mm.font(2.8);
        for (double v = low; v <= high + 1e-9; v += 0.01) {
            p.setPen(
                QPen(std::abs(v) < 1e-9 ? QColor(80, 80, 80) : QColor(215, 215, 215), mm(0.15)));
            p.drawLine(QPointF(mm(left), mm(py(v))), QPointF(mm(left + plotWidth), mm(py(v))));
            p.setPen(Qt::black);
            mm.text(0, py(v) - 2, left - 1.5, 4, QString::asprintf("%+.0f %%", 100 * v),
                    Qt::AlignRight | Qt::AlignVCenter);
        }
        for (std::size_t i = 0; i < points; ++i) {
            mm.text(px(i) - 6, top + height + 1, 12, 4, QString::fromStdString(page.xLabels[i]),
                    Qt::AlignCenter);
        }
        mm.text(left, top + height + 5, plotWidth, 4, QString::fromStdString(page.xName),
                Qt::AlignCenter);
        const QColor colours[] = {QColor(0x1f, 0x5f, 0x3b), QColor(0xb0, 0x4a, 0x00),
                                  QColor(0x2b, 0x4f, 0x9e)};
        for (std::size_t s = 0; s < page.series.size(); ++s) {
            const QColor colour = colours[s % 3];
            p.setPen(QPen(colour, mm(0.5)));
            QPolygonF line;
            for (std::size_t i = 0; i < page.series[s].second.size() && i < points; ++i)
                line << QPointF(mm(px(i)), mm(py(page.series[s].second[i])));
            p.drawPolyline(line);
            p.setPen(colour);
            mm.font(3, true);
            mm.text(left + 3, top + 2 + 4.5 * qreal(s), 80, 4,
                    QString::fromStdString(page.series[s].first));
        }
        y = top + height + 12;
        // The table, evenly spaced columns.
        p.setPen(Qt::black);
        for (std::size_t r = 0; r < page.table.size(); ++r) {
            mm.font(3, r == 0);
            const auto& row = page.table[r];
            const qreal column = width / qreal(std::max<std::size_t>(row.size(), 1));
            for (std::size_t c = 0; c < row.size(); ++c) {
                mm.text(column * qreal(c), y, column, 4.5, QString::fromStdString(row[c]),
                        c == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                               : Qt::AlignRight | Qt::AlignVCenter);
            }
            y += 4.8;
        }
        mm.font(2.8);
        mm.text(0, y + 2, width, 16, QString::fromStdString(page.note),
                Qt::AlignLeft | Qt::AlignTop);
    });
}

QByteArray pdf(const Chart& chart, Paper paper) {
    const bool wallet = paper == Paper::Card;
    return document("Hitwise chart: " + chart.title, paper, wallet ? 0 : 12,
                    [&](QPdfWriter& writer, QPainter& painter) {
                        if (wallet) {
                            card(writer, painter, chart);
                        } else {
                            fullPage(writer, painter, chart);
                        }
                    });
}

} // namespace charts
