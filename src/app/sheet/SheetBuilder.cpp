// Measuring and painting the sheet's building blocks.

#include "sheet/SheetBuilder.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <memory>
#include <numeric>

namespace sheet {

namespace {

const QColor& kWarning = kWarningColour;
const QColor kRule(170, 170, 170);
const QColor kChangedFill(226, 236, 252);
const QColor kRefusedFill(252, 226, 226);
const QColor kHeaderFill(228, 232, 240);
const QColor kStripe(245, 246, 249);
const QColor& kText = kTextColour;
const QColor& kMuted = kMutedColour;

// A dark tag that reads the same on a printer without colour.
void paintBadge(QPainter& painter, const QRectF& area, const QFont& font, double pad) {
    painter.save();
    const QString text = changedMark();
    const double width = QFontMetricsF(font, painter.device()).horizontalAdvance(text) + 2 * pad;
    const QRectF badge(area.right() - width, area.top(), width, area.height());
    painter.setPen(Qt::NoPen);
    painter.setBrush(kChangedColour);
    painter.drawRoundedRect(badge, pad, pad);
    painter.setPen(Qt::white);
    painter.setFont(font);
    painter.drawText(badge, Qt::AlignCenter, text);
    painter.restore();
}

} // namespace

void SheetBuilder::paintMark(QPainter& painter, const QRectF& rect, bool refused) const {
    const QColor colour = refused ? kWarning : kChangedColour;
    painter.fillRect(rect, refused ? kRefusedFill : kChangedFill);
    const double corner = pages_.mm(2.2);
    QPainterPath triangle;
    triangle.moveTo(rect.topLeft());
    triangle.lineTo(rect.left() + corner, rect.top());
    triangle.lineTo(rect.left(), rect.top() + corner);
    triangle.closeSubpath();
    painter.fillPath(triangle, colour);
}

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

void SheetBuilder::heading(const QString& text, bool changed) {
    const QFont font = pages_.font(FontRole::Heading);
    QFont badgeFont = pages_.font(FontRole::Small);
    badgeFont.setBold(true);
    pages_.add({pages_.lineHeight(font) + pages_.mm(1),
                [=, this](QPainter& painter, const QRectF& r) {
                    painter.setFont(font);
                    painter.setPen(kText);
                    painter.drawText(r, Qt::AlignLeft | Qt::AlignTop, text);
                    if (changed)
                        paintBadge(
                            painter,
                            QRectF(r.left(), r.top(), r.width(), pages_.lineHeight(badgeFont) + pages_.mm(1)),
                            badgeFont, pages_.mm(1.2));
                    painter.setPen(QPen(kRule, pages_.mm(0.2)));
                    painter.drawLine(r.bottomLeft(), r.bottomRight());
                },
                true, std::nullopt, pages_.mm(2)});
}

void SheetBuilder::paragraph(const QString& text, FontRole role, QColor colour, bool keepWithNext) {
    const QFont font = pages_.font(role);
    pages_.add({pages_.textHeight(font, text, pages_.width()),
                [=](QPainter& painter, const QRectF& r) {
                    painter.setFont(font);
                    painter.setPen(colour);
                    painter.drawText(r, Qt::TextWordWrap, text);
                },
                keepWithNext, std::nullopt, pages_.mm(1.5)});
}

void SheetBuilder::valueParagraph(const QString& text, const ValueMark& mark) {
    if (!mark.changed && !mark.refused()) {
        paragraph(text);
        return;
    }
    const QFont font = pages_.font(FontRole::Bold);
    QFont refusalFont = pages_.font(FontRole::Small);
    refusalFont.setBold(true);
    const QString refusal = mark.refused() ? QStringLiteral("⚠ ") + refusalText(mark.refusal) : QString();
    const double pad = pages_.mm(1);
    const double indent = pages_.mm(3);
    const double width = pages_.width() - indent - pad;
    const double textHeight = pages_.textHeight(font, text, width);
    const double refusalHeight = refusal.isEmpty() ? 0 : pages_.textHeight(refusalFont, refusal, width);
    pages_.add({textHeight + refusalHeight + 2 * pad,
                [=, this](QPainter& painter, const QRectF& r) {
                    paintMark(painter, r, mark.refused());
                    painter.setFont(font);
                    painter.setPen(mark.changed ? kChangedColour : kText);
                    painter.drawText(QRectF(r.left() + indent, r.top() + pad, width, textHeight),
                                     Qt::TextWordWrap, text);
                    if (!refusal.isEmpty()) {
                        painter.setFont(refusalFont);
                        painter.setPen(kWarning);
                        painter.drawText(
                            QRectF(r.left() + indent, r.top() + pad + textHeight, width, refusalHeight),
                            Qt::TextWordWrap, refusal);
                    }
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
                         const std::vector<QStringList>& rows, const std::vector<QStringList>* fileRows) {
    const std::vector<double> cols = columns(widths);
    const QFont headerFont = pages_.font(FontRole::Bold);
    const QFont cellFont = pages_.font(FontRole::Body);
    const QFont markedFont = pages_.font(FontRole::Bold);
    const QFont noteFont = pages_.font(FontRole::Small);
    const double pad = pages_.mm(1);

    // Per cell the file's value where it differs, else empty.
    std::vector<QStringList> notes;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        QStringList rowNotes;
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            const bool differs = fileRows && r < fileRows->size() && c < (*fileRows)[r].size() &&
                                 (*fileRows)[r].at(c) != rows[r].at(c);
            rowNotes << (differs ? fileValueText((*fileRows)[r].at(c)) : QString());
        }
        notes.push_back(rowNotes);
    }
    auto cellWidth = [&](std::size_t c) { return cols[c] - 2 * pad; };
    auto rowHeight = [&](const QStringList& row, const QStringList& rowNotes, const QFont& font) {
        double height = pages_.lineHeight(font);
        for (std::size_t c = 0; c < cols.size() && c < static_cast<std::size_t>(row.size()); ++c) {
            const auto i = static_cast<qsizetype>(c);
            const bool marked = i < rowNotes.size() && !rowNotes.at(i).isEmpty();
            double cell = pages_.textHeight(marked ? markedFont : font, row.at(i), cellWidth(c));
            if (marked)
                cell += pages_.textHeight(noteFont, rowNotes.at(i), cellWidth(c));
            height = std::max(height, cell);
        }
        return height + pad;
    };
    auto paintHeader = [=, this](QPainter& painter, const QRectF& r) {
        painter.fillRect(r, kHeaderFill);
        painter.setPen(kText);
        paintCells(painter, r, cols, headers, headerFont);
    };
    // Shared by every row's block, so that a long table is not copied once per row.
    const auto cells = std::make_shared<const std::vector<QStringList>>(rows);
    const auto cellNotes = std::make_shared<const std::vector<QStringList>>(notes);
    auto paintRow = [=, this](QPainter& painter, const QRectF& r, std::size_t i) {
        if (i % 2 == 1)
            painter.fillRect(r, kStripe);
        const QStringList& row = (*cells)[i];
        const QStringList& rowNotes = (*cellNotes)[i];
        double x = r.left();
        for (std::size_t c = 0; c < cols.size() && c < static_cast<std::size_t>(row.size()); ++c) {
            const auto k = static_cast<qsizetype>(c);
            const QRectF cell(x, r.top(), cols[c], r.height());
            const QRectF inner(x + pad, r.top() + pad / 2, cols[c] - 2 * pad, r.height() - pad);
            x += cols[c];
            if (rowNotes.at(k).isEmpty()) {
                painter.setFont(cellFont);
                painter.setPen(kText);
                painter.drawText(inner, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, row.at(k));
                continue;
            }
            paintMark(painter, cell, false);
            painter.setFont(markedFont);
            painter.setPen(kChangedColour);
            const double valueHeight = pages_.textHeight(markedFont, row.at(k), inner.width());
            painter.drawText(inner, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, row.at(k));
            painter.setFont(noteFont);
            painter.drawText(inner.adjusted(0, valueHeight, 0, 0),
                             Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, rowNotes.at(k));
        }
        painter.setPen(QPen(kRule, pages_.mm(0.1)));
        painter.drawLine(r.bottomLeft(), r.bottomRight());
    };

    const double headerHeight = rowHeight(headers, {}, headerFont);
    std::vector<double> heights;
    for (std::size_t i = 0; i < rows.size(); ++i)
        heights.push_back(rowHeight(rows[i], notes[i], cellFont));
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
    const QFont markedFont = pages_.font(FontRole::Bold);
    auto helpFontOf = [=](const HelpLine& line) {
        return line.warning || line.changed ? warningFont : helpFont;
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const RowEntry entry = rows[i];
        const QStringList cells{QString::number(entry.row), entry.caption, entry.address, entry.last};
        // The address and the last column against the file.
        const std::array<ValueMark, 4> marks{ValueMark{}, ValueMark{}, entry.marks.address, entry.marks.last};
        auto marked = [marks](std::size_t c) { return marks[c].changed || marks[c].refused(); };
        std::vector<double> helpHeights;
        for (const HelpLine& line : entry.help)
            helpHeights.push_back(pages_.textHeight(helpFontOf(line), line.text, helpWidth));
        double height = std::accumulate(helpHeights.begin(), helpHeights.end(), 0.0);
        for (std::size_t c = 0; c < 4; ++c)
            height =
                std::max(height, pages_.textHeight(marked(c) ? markedFont : cellFont,
                                                   cells.at(static_cast<qsizetype>(c)), cols[c] - 2 * pad));
        const bool stripe = i % 2 == 1;
        pages_.add(
            {height + 2 * pad,
             [=, this](QPainter& painter, const QRectF& r) {
                 if (stripe)
                     painter.fillRect(r, kStripe);
                 double left = r.left();
                 for (std::size_t c = 0; c < 4; ++c) {
                     const QRectF cell(left, r.top(), cols[c], r.height());
                     left += cols[c];
                     if (marked(c))
                         paintMark(painter, cell, marks[c].refused());
                     painter.setFont(marked(c) ? markedFont : cellFont);
                     painter.setPen(!marked(c) ? kText : marks[c].refused() ? kWarning : kChangedColour);
                     painter.drawText(cell.adjusted(pad, pad / 2, -pad, -pad / 2),
                                      Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                                      cells.at(static_cast<qsizetype>(c)));
                 }
                 double y = r.top() + pad / 2;
                 const double x = r.right() - cols.back() + pad;
                 for (std::size_t l = 0; l < entry.help.size(); ++l) {
                     const HelpLine& line = entry.help[l];
                     painter.setFont(helpFontOf(line));
                     painter.setPen(line.warning ? kWarning : line.changed ? kChangedColour : kText);
                     painter.drawText(QRectF(x, y, helpWidth, helpHeights[l]), Qt::TextWordWrap, line.text);
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
                          std::function<void(QPainter&, const QRectF&)> paint, bool changed) {
    QFont badgeFont = pages_.font(FontRole::Small);
    badgeFont.setBold(true);
    const double badgePad = pages_.mm(1);
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
             if (changed)
                 paintBadge(painter, QRectF(r.left(), r.top(), r.width(), subHeight), badgeFont, badgePad);
             painter.setFont(body);
             painter.drawText(QRectF(r.left(), r.top() + subHeight, r.width(), factsHeight), Qt::TextWordWrap,
                              facts);
             paint(painter, QRectF(r.left(), r.top() + subHeight + factsHeight + gap, r.width(), height));
         },
         false, std::nullopt, pages_.mm(4)});
}

} // namespace sheet
