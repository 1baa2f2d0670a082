#include "ServoCurveCanvas.h"

#include "document/ServoEdits.h"
#include "servo/CurveCanvasGeometry.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

ServoCurveCanvas::ServoCurveCanvas(QWidget* parent) : ServoCanvas(parent) {
    setObjectName(QStringLiteral("servo_Image1"));
    setFixedSize(kWidth, kHeight);
}

std::optional<StrokeCanvas::DrawnPoint> ServoCurveCanvas::pointAt(QPointF position) const {
    const int count = pointCount();
    if (count == 0)
        return std::nullopt;
    const hq::CurveCanvasGeometry geometry(width(), height(), count);
    return DrawnPoint{geometry.pointIndexAt(position.x()), geometry.positionAt(position.y())};
}

std::pair<int, int> ServoCurveCanvas::pointColumns(int first, int last) const {
    // A point's square, and the lines from the point before it and to the point after it (point 0's
    // line starts at the left edge).
    const hq::CurveCanvasGeometry geometry(width(), height(), pointCount());
    const int margin = geometry.markerRadius() + 1;
    const int left = first == 0 ? 0 : geometry.pointX(first - 1);
    return {left - margin, geometry.pointX(last + 1) + margin};
}

void ServoCurveCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    const int count = pointCount();
    if (count == 0)
        return;
    const hq::CurveCanvasGeometry geometry(width(), height(), count);
    const int r = geometry.markerRadius();
    // Only the points whose lines or squares reach into the repainted columns.
    const QRect dirty = event->rect();
    const int first =
        std::clamp(static_cast<int>(std::floor((dirty.left() - r) / geometry.xStep())) - 1, 0, count - 1);
    const int last =
        std::clamp(static_cast<int>(std::ceil((dirty.right() + r) / geometry.xStep())) + 1, 0, count - 1);
    auto at = [this, &geometry](int i) {
        return QPoint(geometry.pointX(i), geometry.pointY(edits()->position(curve(), i)));
    };

    painter.setPen(Qt::black);
    QPoint previous = first == 0 ? QPoint(0, at(0).y()) : at(first - 1);
    for (int i = first; i <= last; ++i) {
        const QPoint point = at(i);
        painter.drawLine(previous, point);
        previous = point;
    }
    painter.setBrush(Qt::red);
    for (int i = first; i <= last; ++i) {
        const QPoint point = at(i);
        painter.drawRect(point.x() - r, point.y() - r, 2 * r - 1, 2 * r - 1);
    }
    paintPlayCursor(painter);
}

std::optional<CursorSpan> ServoCurveCanvas::cursorSpan(int index) const {
    const int count = pointCount();
    if (count == 0)
        return std::nullopt;
    return curvePointSpan(hq::CurveCanvasGeometry(width(), height(), count), index);
}
