// Spans of steps and points and the band drawn over them.

#include "preview/StepCursor.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr double kMinimumWidth = 3;
const QColor kBand(40, 110, 220, 70);
const QColor kEdge(40, 110, 220, 200);

} // namespace

CursorSpan patternStepSpan(const hq::PatternCanvasMapping& mapping, int step) {
    const int clamped = std::clamp(step, 0, mapping.count() - 1);
    const hq::BarRect bar = mapping.bar(clamped);
    return {static_cast<double>(bar.x1), static_cast<double>(bar.x2)};
}

CursorSpan curvePointSpan(const hq::CurveCanvasGeometry& geometry, int index) {
    const double x = geometry.pointX(index);
    const double half = geometry.xStep() / 2;
    return {x - half, x + half};
}

void paintStepCursor(QPainter& painter, const QRectF& canvas, CursorSpan span) {
    double left = std::min(span.left, span.right);
    double right = std::max(span.left, span.right);
    if (right - left < kMinimumWidth) {
        const double middle = (left + right) / 2;
        left = middle - kMinimumWidth / 2;
        right = middle + kMinimumWidth / 2;
    }
    const QRectF band(left, canvas.top(), right - left, canvas.height());
    painter.save();
    painter.fillRect(band, kBand);
    painter.setPen(QPen(kEdge, 1));
    painter.drawLine(QPointF(band.left(), band.top()), QPointF(band.left(), band.bottom()));
    painter.drawLine(QPointF(band.right(), band.top()), QPointF(band.right(), band.bottom()));
    painter.restore();
}
