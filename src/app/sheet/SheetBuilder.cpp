// Measuring and painting the sheet's building blocks.

#include "sheet/SheetBuilder.h"

#include <QPainter>

#include <algorithm>
#include <memory>
#include <numeric>

namespace sheet {

namespace {

const QColor kWarning(170, 20, 20);
const QColor kRule(170, 170, 170);
const QColor kHeaderFill(228, 232, 240);
const QColor kStripe(245, 246, 249);
const QColor& kText = kTextColour;
const QColor& kMuted = kMutedColour;

} // namespace

void SheetBuilder::title(const QString& over, const QString& title) {
    const QFont small = pages_.font(FontRole::Small);
    const QFont big = pages_.font(FontRole::Title);
    const double overHeight = pages_.lineHeight(small);
    const double titleHeight = pages_.textHeight(big, title, pages_.width());
    const double rule = pages_.mm(2);
    pages_.add({overHeight + titleHeight + rule,
                [=, this](QPainter& painter, const QRectF& r) {
                    painter.setFont(small);
                    painter.setPen(kMuted);
                    painter.drawText(QRectF(r.left(), r.top(), r.width(), overHeight), Qt::AlignLeft, over);
                    painter.setFont(big);
                    painter.setPen(kText);
                    painter.drawText(QRectF(r.left(), r.top() + overHeight, r.width(), titleHeight),
                                     Qt::TextWordWrap, title);
                    painter.setPen(QPen(kRule, pages_.mm(0.4)));
                    const double y = r.bottom() - rule / 2;
                    painter.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
                },
                false, std::nullopt, pages_.mm(3)});
}

void SheetBuilder::heading(const QString& text) {
    const QFont font = pages_.font(FontRole::Heading);
    pages_.add({pages_.lineHeight(font) + pages_.mm(1),
                [=, this](QPainter& painter, const QRectF& r) {
                    painter.setFont(font);
                    painter.setPen(kText);
                    painter.drawText(r, Qt::AlignLeft | Qt::AlignTop, text);
                    painter.setPen(QPen(kRule, pages_.mm(0.2)));
                    painter.drawLine(r.bottomLeft(), r.bottomRight());
                },
                true, std::nullopt, pages_.mm(2)});
}

void SheetBuilder::paragraph(const QString& text, FontRole role, QColor colour) {
    const QFont font = pages_.font(role);
    pages_.add({pages_.textHeight(font, text, pages_.width()),
                [=](QPainter& painter, const QRectF& r) {
                    painter.setFont(font);
                    painter.setPen(colour);
                    painter.drawText(r, Qt::TextWordWrap, text);
                },
                false, std::nullopt, pages_.mm(1.5)});
}

void SheetBuilder::infoLines(const std::vector<InfoLine>& lines) {
    const QFont label = pages_.font(FontRole::Bold);
    const QFont value = pages_.font(FontRole::Body);
    const double labelWidth = pages_.mm(28);
    const double valueWidth = pages_.width() - labelWidth;
    for (const InfoLine& line : lines) {
        const double height = pages_.textHeight(value, line.value, valueWidth);
        pages_.add({height,
                    [=](QPainter& painter, const QRectF& r) {
                        painter.setPen(kText);
                        painter.setFont(label);
                        painter.drawText(QRectF(r.left(), r.top(), labelWidth, r.height()), Qt::AlignLeft,
                                         line.label + u':');
                        painter.setFont(value);
                        painter.drawText(QRectF(r.left() + labelWidth, r.top(), valueWidth, r.height()),
                                         Qt::TextWordWrap, line.value);
                    },
                    false, std::nullopt, pages_.mm(0.6)});
    }
    pages_.add({pages_.mm(3), {}, false, std::nullopt, 0});
}

void SheetBuilder::warningBox(const QString& text) {
    const QFont font = pages_.font(FontRole::Body);
    const double pad = pages_.mm(2);
    const double height = pages_.textHeight(font, text, pages_.width() - 2 * pad) + 2 * pad;
    pages_.add({height,
                [=, this](QPainter& painter, const QRectF& r) {
                    painter.setPen(QPen(kWarning, pages_.mm(0.4)));
                    painter.setBrush(QColor(253, 240, 240));
                    painter.drawRect(r);
                    painter.setFont(font);
                    painter.setPen(kWarning);
                    painter.drawText(r.adjusted(pad, pad, -pad, -pad), Qt::TextWordWrap, text);
                },
                false, std::nullopt, pages_.mm(3)});
}

std::vector<double> SheetBuilder::columns(const std::vector<double>& widths) const {
    std::vector<double> result;
    double used = 0;
    for (std::size_t i = 0; i + 1 < widths.size(); ++i) {
        result.push_back(pages_.mm(widths[i]));
        used += result.back();
    }
    result.push_back(std::max(pages_.mm(10), pages_.width() - used));
    return result;
}

void SheetBuilder::paintCells(QPainter& painter, const QRectF& rect, const std::vector<double>& columns,
                              const QStringList& cells, const QFont& font) const {
    const double pad = pages_.mm(1);
    double x = rect.left();
    painter.setFont(font);
    for (std::size_t c = 0; c < columns.size() && c < static_cast<std::size_t>(cells.size()); ++c) {
        painter.drawText(QRectF(x + pad, rect.top() + pad / 2, columns[c] - 2 * pad, rect.height() - pad),
                         Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                         cells.at(static_cast<qsizetype>(c)));
        x += columns[c];
    }
}

void SheetBuilder::table(const QStringList& headers, const std::vector<double>& widths,
                         const std::vector<QStringList>& rows) {
    const std::vector<double> cols = columns(widths);
    const QFont headerFont = pages_.font(FontRole::Bold);
    const QFont cellFont = pages_.font(FontRole::Body);
    const double pad = pages_.mm(1);
    auto rowHeight = [&](const QStringList& row, const QFont& font) {
        double height = pages_.lineHeight(font);
        for (std::size_t c = 0; c < cols.size() && c < static_cast<std::size_t>(row.size()); ++c)
            height = std::max(height,
                              pages_.textHeight(font, row.at(static_cast<qsizetype>(c)), cols[c] - 2 * pad));
        return height + pad;
    };
    auto paintHeader = [=, this](QPainter& painter, const QRectF& r) {
        painter.fillRect(r, kHeaderFill);
        painter.setPen(kText);
        paintCells(painter, r, cols, headers, headerFont);
    };
    // Shared by every row's block, so that a long table is not copied once per row.
    const auto cells = std::make_shared<const std::vector<QStringList>>(rows);
    auto paintRow = [=, this](QPainter& painter, const QRectF& r, std::size_t i) {
        if (i % 2 == 1)
            painter.fillRect(r, kStripe);
        painter.setPen(kText);
        paintCells(painter, r, cols, (*cells)[i], cellFont);
        painter.setPen(QPen(kRule, pages_.mm(0.1)));
        painter.drawLine(r.bottomLeft(), r.bottomRight());
    };

    const double headerHeight = rowHeight(headers, headerFont);
    std::vector<double> heights;
    for (const QStringList& row : rows)
        heights.push_back(rowHeight(row, cellFont));
    const double total = std::accumulate(heights.begin(), heights.end(), headerHeight);
    if (total <= pages_.bodyHeight() / 3) {
        // A short table moves to the next page as a whole instead of being cut in two.
        pages_.add({total,
                    [=](QPainter& painter, const QRectF& r) {
                        paintHeader(painter, QRectF(r.left(), r.top(), r.width(), headerHeight));
                        double top = r.top() + headerHeight;
                        for (std::size_t i = 0; i < heights.size(); ++i) {
                            paintRow(painter, QRectF(r.left(), top, r.width(), heights[i]), i);
                            top += heights[i];
                        }
                    },
                    false, std::nullopt, pages_.mm(3)});
        return;
    }
    const int header = pages_.add({headerHeight, paintHeader, false, std::nullopt, 0});
    for (std::size_t i = 0; i < rows.size(); ++i) {
        pages_.add({heights[i], [=](QPainter& painter, const QRectF& r) { paintRow(painter, r, i); }, false,
                    header, 0});
    }
    pages_.add({pages_.mm(3), {}, false, std::nullopt, 0});
}

void SheetBuilder::rowTable(const hq::Recognition& recognition, const std::vector<RowEntry>& rows) {
    const std::vector<double> cols = columns({11, 34, 18, 17, 0});
    const QFont headerFont = pages_.font(FontRole::Bold);
    const QFont cellFont = pages_.font(FontRole::Body);
    const QFont helpFont = pages_.font(FontRole::Small);
    QFont warningFont = helpFont;
    warningFont.setBold(true);
    const double pad = pages_.mm(1);
    const double helpWidth = cols.back() - 2 * pad;
    const QStringList headers{QStringLiteral("Zeile"), QStringLiteral("Bezeichnung"),
                              QStringLiteral("Adresse"), lastColumnTitle(recognition),
                              QStringLiteral("Adress-Hilfe")};
    const int header = pages_.add({pages_.lineHeight(headerFont) + pad,
                                   [=, this](QPainter& painter, const QRectF& r) {
                                       painter.fillRect(r, kHeaderFill);
                                       painter.setPen(kText);
                                       paintCells(painter, r, cols, headers, headerFont);
                                   },
                                   false, std::nullopt, 0});
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const RowEntry entry = rows[i];
        const QStringList cells{QString::number(entry.row), entry.caption, entry.address, entry.last};
        std::vector<double> helpHeights;
        for (const HelpLine& line : entry.help)
            helpHeights.push_back(
                pages_.textHeight(line.warning ? warningFont : helpFont, line.text, helpWidth));
        double height = std::accumulate(helpHeights.begin(), helpHeights.end(), 0.0);
        for (std::size_t c = 0; c < 4; ++c)
            height = std::max(
                height, pages_.textHeight(cellFont, cells.at(static_cast<qsizetype>(c)), cols[c] - 2 * pad));
        const bool stripe = i % 2 == 1;
        pages_.add({height + 2 * pad,
                    [=, this](QPainter& painter, const QRectF& r) {
                        if (stripe)
                            painter.fillRect(r, kStripe);
                        painter.setPen(kText);
                        paintCells(painter, r, cols, cells, cellFont);
                        double y = r.top() + pad / 2;
                        const double x = r.right() - cols.back() + pad;
                        for (std::size_t l = 0; l < entry.help.size(); ++l) {
                            const HelpLine& line = entry.help[l];
                            painter.setFont(line.warning ? warningFont : helpFont);
                            painter.setPen(line.warning ? kWarning : kText);
                            painter.drawText(QRectF(x, y, helpWidth, helpHeights[l]), Qt::TextWordWrap,
                                             line.text);
                            y += helpHeights[l];
                        }
                        painter.setPen(QPen(kRule, pages_.mm(0.1)));
                        painter.drawLine(r.bottomLeft(), r.bottomRight());
                    },
                    false, header, 0});
    }
    pages_.add({pages_.mm(3), {}, false, std::nullopt, 0});
}

void SheetBuilder::figure(const QString& subheading, const QString& facts, double height,
                          std::function<void(QPainter&, const QRectF&)> paint) {
    const QFont sub = pages_.font(FontRole::Subheading);
    // The facts of a curve or pattern fit on one line in the small font.
    const QFont body = pages_.font(FontRole::Small);
    const double subHeight = pages_.lineHeight(sub);
    const double factsHeight = pages_.textHeight(body, facts, pages_.width());
    const double gap = pages_.mm(1);
    pages_.add(
        {subHeight + factsHeight + gap + height,
         [=](QPainter& painter, const QRectF& r) {
             painter.setPen(kText);
             painter.setFont(sub);
             painter.drawText(QRectF(r.left(), r.top(), r.width(), subHeight), Qt::AlignLeft, subheading);
             painter.setFont(body);
             painter.drawText(QRectF(r.left(), r.top() + subHeight, r.width(), factsHeight), Qt::TextWordWrap,
                              facts);
             paint(painter, QRectF(r.left(), r.top() + subHeight + factsHeight + gap, r.width(), height));
         },
         false, std::nullopt, pages_.mm(4)});
}

} // namespace sheet
