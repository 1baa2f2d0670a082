// Curve and pattern pictures of the settings sheet.

#include "sheet/SheetDrawings.h"

#include "servo/CurveTransform.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace sheet {

namespace {

const QColor kFrame(120, 120, 120);
const QColor kGrid(215, 215, 215);
const QColor kCurve(20, 20, 20);
const QColor kPoint(200, 30, 30);
const QColor kOn(200, 30, 30);
const QColor kUnused(225, 225, 225);
const QColor kRelay(40, 110, 220);

} // namespace

void paintCurveDrawing(QPainter& painter, const QRectF& area, const hq::CurveBlock& curve, double mm,
                       const QFont& labelFont) {
    const int count = hq::clampedPointCount(curve);
    const double relayHeight = 4 * mm;
    const QRectF plot(area.left() + kDrawingCaptionMm * mm, area.top() + mm,
                      area.width() - kDrawingCaptionMm * mm, area.height() - relayHeight - 3 * mm);
    const QRectF relayTrack(plot.left(), plot.bottom() + 1.5 * mm, plot.width(), relayHeight);
    // Points spread over the full width; a single point stands in the middle.
    auto xOf = [&](int i) {
        return count > 1 ? plot.left() + plot.width() * i / (count - 1) : plot.center().x();
    };
    auto yOf = [&](int position) { return plot.bottom() - plot.height() * position / hq::kMaxPosition; };

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(labelFont);
    painter.setPen(QPen(kGrid, 0.15 * mm));
    for (int position : {0, 32, 64, 96, 127}) {
        painter.drawLine(QPointF(plot.left(), yOf(position)), QPointF(plot.right(), yOf(position)));
        painter.save();
        painter.setPen(kFrame);
        painter.drawText(QRectF(area.left(), yOf(position) - 2 * mm, kDrawingCaptionMm * mm - 2 * mm, 4 * mm),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(position));
        painter.restore();
    }
    painter.setPen(QPen(kFrame, 0.2 * mm));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);

    QPainterPath line;
    for (int i = 0; i < count; ++i) {
        const QPointF at(xOf(i), yOf(hq::pointPosition(curve[static_cast<std::size_t>(i)])));
        if (i == 0)
            line.moveTo(at);
        else
            line.lineTo(at);
    }
    painter.setPen(QPen(kCurve, 0.35 * mm));
    painter.drawPath(line);
    const double side = std::clamp(plot.width() / std::max(count, 1) * 0.5, 0.4 * mm, 1.4 * mm);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kPoint);
    for (int i = 0; i < count; ++i) {
        const QPointF at(xOf(i), yOf(hq::pointPosition(curve[static_cast<std::size_t>(i)])));
        painter.drawRect(QRectF(at.x() - side / 2, at.y() - side / 2, side, side));
    }

    // The relay track: a bar under every point whose relay bit is set, reaching halfway to its
    // neighbours so that runs of set points join up.
    painter.setPen(kFrame);
    painter.drawText(
        QRectF(area.left(), relayTrack.top(), kDrawingCaptionMm * mm - 2 * mm, relayTrack.height()),
        Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Relais"));
    painter.setPen(QPen(kFrame, 0.2 * mm));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(relayTrack);
    const double half = count > 1 ? plot.width() / (count - 1) / 2 : plot.width() / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(kRelay);
    for (int i = 0; i < count; ++i) {
        if (!hq::pointRelay(curve[static_cast<std::size_t>(i)]))
            continue;
        const double left = std::max(relayTrack.left(), xOf(i) - half);
        const double right = std::min(relayTrack.right(), xOf(i) + half);
        painter.drawRect(
            QRectF(left, relayTrack.top() + 0.6 * mm, right - left, relayTrack.height() - 1.2 * mm));
    }
    painter.restore();
}

void paintPatternDrawing(QPainter& painter, const QRectF& area, const hq::PatternBank& bank, int address,
                         double mm, const QFont& labelFont) {
    const int outputs = bank.layout().outputs;
    const int count = bank.count(address);
    const double rowHeight = kPatternRowMm * mm;
    const double left = area.left() + kDrawingCaptionMm * mm;
    const double cell = (area.right() - left) / count;

    painter.save();
    painter.setFont(labelFont);
    for (int output = 1; output <= outputs; ++output) {
        const double top = area.top() + (output - 1) * rowHeight;
        const QRectF row(left, top + 0.4 * mm, area.right() - left, rowHeight - 0.8 * mm);
        const bool used = bank.outputUsed(address, output);
        painter.setPen(used ? QColor(Qt::black) : kFrame);
        painter.drawText(QRectF(area.left(), top, kDrawingCaptionMm * mm - 2 * mm, rowHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Ausgang %1").arg(output));
        if (!used) {
            painter.fillRect(row, kUnused);
            painter.setPen(kFrame);
            painter.drawText(row, Qt::AlignCenter, QStringLiteral("nicht verwendet"));
            continue;
        }
        painter.setPen(QPen(kGrid, 0.12 * mm));
        for (int step = 1; step < count; ++step)
            painter.drawLine(QPointF(left + cell * step, row.top()),
                             QPointF(left + cell * step, row.bottom()));
        painter.setPen(Qt::NoPen);
        painter.setBrush(kOn);
        for (int step = 0; step < count; ++step) {
            if (bank.step(address, output, step))
                painter.drawRect(QRectF(left + cell * step, row.top(), cell, row.height()));
        }
        painter.setPen(QPen(kFrame, 0.2 * mm));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(row);
    }
    painter.restore();
}

} // namespace sheet
