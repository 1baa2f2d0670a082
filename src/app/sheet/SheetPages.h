#pragma once
// The page layout of the settings sheet: content is a list of blocks of known height, each painted
// by a function; they are placed top to bottom and a block that does not fit starts a new page.
// Headings stay with the block after them, and a table's header row is painted again at the top
// of every page the table continues on. The page count is known before the first page is painted,
// so every footer can say "Seite 2 von 3". A banner, when set, stands at the top of every page, so
// that no single page can be taken for something it is not.
//
// Lengths are device units of the paged device (QPdfWriter, QPrinter); mm() converts. Fonts are
// given in points and measured against the device, so text wraps as it will be printed.

#include <QFont>
#include <QRectF>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace sheet {

struct Block {
    double height = 0;
    // Paints into the block's rectangle: the full content width and `height`.
    std::function<void(QPainter&, const QRectF&)> paint;
    bool keepWithNext = false;       // a heading: moves to the next page together with what follows
    std::optional<int> repeatHeader; // index of the block repeated above this one on a new page
    double spaceAfter = 0;
};

enum class FontRole { Title, Heading, Subheading, Body, Small, Bold };

class SheetPages {
public:
    explicit SheetPages(QPagedPaintDevice& device);

    double mm(double millimetres) const { return millimetres * dotsPerMm_; }
    double width() const { return width_; }
    double bodyHeight() const { return bodyHeight_; }

    QFont font(FontRole role) const;
    // The height of `text` set in `font`, wrapped at `width`.
    double textHeight(const QFont& font, const QString& text, double width) const;
    double lineHeight(const QFont& font) const;

    // A framed line at the top of every page; the body starts below it. Call it before measuring
    // blocks against bodyHeight().
    void setBanner(const QString& text);

    // Returns the index of the block, for repeatHeader.
    int add(Block block);
    const std::vector<Block>& blocks() const { return blocks_; }

    // Where each block lands: page (0-based) and top.
    struct Placement {
        int block = 0;
        int page = 0;
        double top = 0;
    };
    std::vector<Placement> layOut() const;

    // Paints every page with the banner at the top, `footer` at the bottom left and "Seite n von m"
    // at the right. Returns the page count, or 0 when the device refused to be painted on.
    int paint(const QString& footer);
    // The same with `painter`, already active on the device, starting on the device's current page:
    // several documents in one print job or PDF, each counting its own pages. The caller starts a
    // new page between them.
    int paint(QPainter& painter, const QString& footer);

private:
    QPagedPaintDevice& device_;
    double dotsPerMm_;
    double width_;
    double bodyHeight_;
    double bodyTop_ = 0;
    QString banner_;
    double bannerHeight_ = 0;
    std::vector<Block> blocks_;
};

} // namespace sheet
