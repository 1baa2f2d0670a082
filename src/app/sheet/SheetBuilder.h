#pragma once
// The building blocks of the settings sheet, each added to the page layout as blocks of measured
// height: the title, headings that stay with what follows, wrapped paragraphs, the lines about the
// file, a warning box, tables whose header returns on every page they continue on (short ones move
// as a whole), the table of output rows with their address help, and figures with a caption.

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

class SheetBuilder {
public:
    explicit SheetBuilder(SheetPages& pages) : pages_(pages) {}

    SheetPages& pages() const { return pages_; }

    void title(const QString& over, const QString& title);
    void heading(const QString& text);
    // One paragraph, wrapped.
    void paragraph(const QString& text, FontRole role = FontRole::Body, QColor colour = kTextColour);
    void infoLines(const std::vector<InfoLine>& lines);
    void warningBox(const QString& text);
    // A table: `widths` in millimetres (the last column takes the rest).
    void table(const QStringList& headers, const std::vector<double>& widths,
               const std::vector<QStringList>& rows);
    void rowTable(const hq::Recognition& recognition, const std::vector<RowEntry>& rows);
    // A block of `height` painted by `paint` under a subheading and a line of facts; the three
    // never part.
    void figure(const QString& subheading, const QString& facts, double height,
                std::function<void(QPainter&, const QRectF&)> paint);

private:
    std::vector<double> columns(const std::vector<double>& widths) const;
    void paintCells(QPainter& painter, const QRectF& rect, const std::vector<double>& columns,
                    const QStringList& cells, const QFont& font) const;

    SheetPages& pages_;
};

} // namespace sheet
