// Placing the sheet's blocks on pages and painting them with their footers.

#include "sheet/SheetPages.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace sheet {

namespace {

// DejaVu comes with every Debian desktop; a family that is missing would print nothing at all.
const QString kFamily = QStringLiteral("DejaVu Sans");
const QColor kBannerColour(190, 70, 0);
const QColor kBannerFill(255, 238, 214);
constexpr double kFooterMm = 8;
constexpr double kBannerPadMm = 2;
constexpr double kBannerGapMm = 4;

} // namespace

SheetPages::SheetPages(QPagedPaintDevice& device)
    : device_(device), dotsPerMm_(device.logicalDpiY() / 25.4), width_(device.width()),
      bodyHeight_(std::max(1.0, device.height() - kFooterMm * dotsPerMm_)) {}

QFont SheetPages::font(FontRole role) const {
    QFont font(kFamily);
    font.setStyleHint(QFont::SansSerif);
    // No ligatures: "Offset" must stay six letters for anyone searching the PDF.
    font.setStyleStrategy(QFont::PreferNoShaping);
    switch (role) {
    case FontRole::Title:
        font.setPointSizeF(17);
        font.setBold(true);
        break;
    case FontRole::Heading:
        font.setPointSizeF(12.5);
        font.setBold(true);
        break;
    case FontRole::Subheading:
        font.setPointSizeF(10);
        font.setBold(true);
        break;
    case FontRole::Body:
        font.setPointSizeF(9.5);
        break;
    case FontRole::Small:
        font.setPointSizeF(8);
        break;
    case FontRole::Bold:
        font.setPointSizeF(9.5);
        font.setBold(true);
        break;
    }
    return font;
}

double SheetPages::textHeight(const QFont& font, const QString& text, double width) const {
    const QFontMetricsF metrics(font, &device_);
    if (text.isEmpty())
        return metrics.height();
    return metrics.boundingRect(QRectF(0, 0, width, 1e9), Qt::TextWordWrap, text).height();
}

double SheetPages::lineHeight(const QFont& font) const {
    return QFontMetricsF(font, &device_).height();
}

void SheetPages::setBanner(const QString& text) {
    const double pad = mm(kBannerPadMm);
    const double height = textHeight(font(FontRole::Bold), text, width_ - 2 * pad) + 2 * pad;
    const double top = height + mm(kBannerGapMm);
    bodyHeight_ = std::max(1.0, bodyHeight_ + bodyTop_ - top);
    banner_ = text;
    bannerHeight_ = height;
    bodyTop_ = top;
}

int SheetPages::add(Block block) {
    blocks_.push_back(std::move(block));
    return static_cast<int>(blocks_.size()) - 1;
}

std::vector<SheetPages::Placement> SheetPages::layOut() const {
    std::vector<Placement> placed;
    int page = 0;
    double top = 0;
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        const Block& block = blocks_[i];
        // A heading moves with everything that keeps with it and the first block that does not.
        double needed = block.height;
        for (std::size_t j = i; blocks_[j].keepWithNext && j + 1 < blocks_.size(); ++j)
            needed += blocks_[j].spaceAfter + blocks_[j + 1].height;
        if (top > 0 && top + needed > bodyHeight_) {
            ++page;
            top = 0;
            if (block.repeatHeader) {
                const Block& header = blocks_[static_cast<std::size_t>(*block.repeatHeader)];
                placed.push_back({*block.repeatHeader, page, top});
                top += header.height;
            }
        }
        placed.push_back({static_cast<int>(i), page, top});
        top += block.height + block.spaceAfter;
    }
    return placed;
}

int SheetPages::paint(const QString& footer) {
    QPainter painter;
    if (!painter.begin(&device_))
        return 0;
    const int pages = paint(painter, footer);
    painter.end();
    return pages;
}

int SheetPages::paint(QPainter& painter, const QString& footer) {
    const std::vector<Placement> placed = layOut();
    const int pages = placed.empty() ? 1 : placed.back().page + 1;
    const QFont footerFont = font(FontRole::Small);
    const QFont bannerFont = font(FontRole::Bold);
    auto paintFrame = [&](int page) {
        painter.save();
        if (!banner_.isEmpty()) {
            const QRectF frame(0, 0, width_, bannerHeight_);
            painter.setPen(QPen(kBannerColour, mm(0.6)));
            painter.setBrush(kBannerFill);
            painter.drawRect(frame);
            painter.setFont(bannerFont);
            const double pad = mm(kBannerPadMm);
            painter.drawText(frame.adjusted(pad, pad, -pad, -pad), Qt::TextWordWrap | Qt::AlignVCenter,
                             banner_);
            painter.setBrush(Qt::NoBrush);
        }
        painter.setFont(footerFont);
        painter.setPen(QColor(90, 90, 90));
        const double lineY = device_.height() - kFooterMm * dotsPerMm_ + mm(3);
        painter.setPen(QPen(QColor(160, 160, 160), mm(0.2)));
        painter.drawLine(QPointF(0, lineY), QPointF(width_, lineY));
        painter.setPen(QColor(90, 90, 90));
        const QRectF area(0, lineY + mm(1), width_, device_.height() - lineY - mm(1));
        painter.drawText(area, Qt::AlignLeft | Qt::AlignTop, footer);
        painter.drawText(area, Qt::AlignRight | Qt::AlignTop,
                         QStringLiteral("Seite %1 von %2").arg(page + 1).arg(pages));
        painter.restore();
    };
    int page = 0;
    for (const Placement& place : placed) {
        while (place.page > page) {
            paintFrame(page);
            device_.newPage();
            ++page;
        }
        const Block& block = blocks_[static_cast<std::size_t>(place.block)];
        if (block.paint) {
            painter.save();
            block.paint(painter, QRectF(0, bodyTop_ + place.top, width_, block.height));
            painter.restore();
        }
    }
    paintFrame(page);
    return pages;
}

} // namespace sheet
