#include "ServoCurveCanvas.h"

#include "servo/CurveCanvasGeometry.h"
#include "servo/CurveTransform.h"

#include <QPainter>

ServoCurveCanvas::ServoCurveCanvas(QWidget* parent) : StrokeCanvas(parent) {
    setObjectName(QStringLiteral("servo_Image1"));
    setFixedSize(kWidth, kHeight);
}

void ServoCurveCanvas::setCurve(const std::optional<hq::CurveBlock>& curve) {
    if (curve == curve_) {
        return;
    }
    curve_ = curve;
    update();
}

std::optional<StrokeCanvas::DrawnPoint> ServoCurveCanvas::pointAt(QPointF position) const {
    if (!curve_) {
        return std::nullopt;
    }
    const hq::CurveCanvasGeometry geometry(width(), height(), hq::clampedPointCount(*curve_));
    return DrawnPoint{geometry.pointIndexAt(position.x()), geometry.positionAt(position.y())};
}

void ServoCurveCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!curve_) {
        return;
    }
    const hq::CurveBlock& curve = *curve_;
    const int count = hq::clampedPointCount(curve);
    const hq::CurveCanvasGeometry geometry(width(), height(), count);
    const int r = geometry.markerRadius();

    QPoint previous;
    for (int i = 0; i < count; ++i) {
        const QPoint point(geometry.pointX(i),
                           geometry.pointY(hq::pointPosition(curve[static_cast<std::size_t>(i)])));
        painter.setPen(Qt::black);
        painter.drawLine(i == 0 ? QPoint(0, point.y()) : previous, point);
        previous = point;
    }
    painter.setBrush(Qt::red);
    for (int i = 0; i < count; ++i) {
        const int x = geometry.pointX(i);
        const int y = geometry.pointY(hq::pointPosition(curve[static_cast<std::size_t>(i)]));
        painter.drawRect(x - r, y - r, 2 * r - 1, 2 * r - 1);
    }
    paintPlayCursor(painter);
}

std::optional<CursorSpan> ServoCurveCanvas::cursorSpan(int index) const {
    if (!curve_)
        return std::nullopt;
    return curvePointSpan(hq::CurveCanvasGeometry(width(), height(), hq::clampedPointCount(*curve_)), index);
}
