#include "ServoRelayCanvas.h"

#include "ServoCurveCanvas.h"
#include "servo/CurveTransform.h"
#include "servo/RelayTrackGeometry.h"

#include <QPainter>

ServoRelayCanvas::ServoRelayCanvas(QWidget* parent) : StrokeCanvas(parent) {
    setObjectName(QStringLiteral("servo_Image2"));
    setFixedSize(kWidth, kHeight);
}

void ServoRelayCanvas::setCurve(const std::optional<hq::CurveBlock>& curve) {
    if (curve == curve_) {
        return;
    }
    curve_ = curve;
    update();
}

std::optional<StrokeCanvas::DrawnPoint> ServoRelayCanvas::pointAt(QPointF position) const {
    if (!curve_) {
        return std::nullopt;
    }
    const hq::RelayTrackGeometry geometry(ServoCurveCanvas::kWidth, height(), hq::clampedPointCount(*curve_));
    return DrawnPoint{geometry.pointIndexAt(position.x()), geometry.relayOnAt(position.y()) ? 1 : 0};
}

void ServoRelayCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!curve_) {
        return;
    }
    const hq::CurveBlock& curve = *curve_;
    const int count = hq::clampedPointCount(curve);
    const hq::RelayTrackGeometry geometry(ServoCurveCanvas::kWidth, height(), count);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::red);
    for (int i = 0; i < count; ++i) {
        const hq::RelayBar bar = geometry.bar(i, hq::pointRelay(curve[static_cast<std::size_t>(i)]));
        if (bar.bottom > bar.top) {
            painter.drawRect(bar.left, bar.top, bar.right - bar.left - 1, bar.bottom - bar.top - 1);
        }
    }
    paintPlayCursor(painter);
}

std::optional<CursorSpan> ServoRelayCanvas::cursorSpan(int index) const {
    if (!curve_)
        return std::nullopt;
    // The relay columns share the curve drawing's x-step: point i owns i * step .. (i + 1) * step.
    const hq::RelayTrackGeometry geometry(ServoCurveCanvas::kWidth, height(), hq::clampedPointCount(*curve_));
    const hq::RelayBar bar = geometry.bar(index, true);
    return CursorSpan{static_cast<double>(bar.left), static_cast<double>(bar.right)};
}
