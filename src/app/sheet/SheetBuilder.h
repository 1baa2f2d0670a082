#pragma once
// The building blocks of the settings sheet, each added to the page layout as blocks of measured
// height: the title, headings that stay with what follows, wrapped paragraphs, the lines about the
// file, a warning box, tables whose header returns on every page they continue on (short ones move
// as a whole), the table of output rows with their address help, and figures with a caption.
//
// What is not the file's is marked the same way everywhere: a value that differs has a blue corner,
// a blue tint and bold text with the file's value beside it; a value the save refuses has a red
// corner and tint; a heading or figure over a changed table says "geändert, nicht gespeichert".
// The words carry the marks on a printer without colour.

#include "image/Recognition.h"
#include "sheet/SheetContent.h"
#include "sheet/SheetPages.h"

#include <QColor>
#include <QStringList>

#include <functional>
#include <vector>

namespace sheet {

inline const QColor kTextColour(20, 20, 20);
inline const QColor kMutedColour(100, 100, 100);
inline const QColor kWarningColour(170, 20, 20);
inline const QColor kChangedColour(20, 80, 190);

class SheetBuilder {
public:
    explicit SheetBuilder(SheetPages& pages) : pages_(pages) {}

    SheetPages& pages() const { return pages_; }

    void title(const QString& over, const QString& title);
    // `changed`: the section's values are not the file's.
    void heading(const QString& text, bool changed = false);
    // One paragraph, wrapped; `keepWithNext` keeps it on the page of the block after it.
    void paragraph(const QString& text, FontRole role = FontRole::Body, QColor colour = kTextColour,
                   bool keepWithNext = false);
    // A value on a line of its own, marked as `mark` says, with the save's refusal under it.
    void valueParagraph(const QString& text, const ValueMark& mark);
    void infoLines(const std::vector<InfoLine>& lines);
    void warningBox(const QString& text);
    // A table: `widths` in millimetres (the last column takes the rest). With `fileRows` (the same
    // table for the file's settings), each cell that differs is marked and the file's cell printed
    // beside it.
    void table(const QStringList& headers, const std::vector<double>& widths,
               const std::vector<QStringList>& rows, const std::vector<QStringList>* fileRows = nullptr);
    void rowTable(const hq::Recognition& recognition, const std::vector<RowEntry>& rows);
    // A block of `height` painted by `paint` under a subheading and a line of facts; the three
    // never part. `changed`: what the figure shows is not the file's.
    void figure(const QString& subheading, const QString& facts, double height,
                std::function<void(QPainter&, const QRectF&)> paint, bool changed = false);

private:
    std::vector<double> columns(const std::vector<double>& widths) const;
    void paintCells(QPainter& painter, const QRectF& rect, const std::vector<double>& columns,
                    const QStringList& cells, const QFont& font) const;
    // The tint and corner of a marked cell or value.
    void paintMark(QPainter& painter, const QRectF& rect, bool refused) const;

    SheetPages& pages_;
};

} // namespace sheet
