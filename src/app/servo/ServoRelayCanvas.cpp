#include "ServoRelayCanvas.h"

#include "ServoCurveCanvas.h"
#include "servo/CurveTransform.h"
#include "servo/RelayTrackGeometry.h"

#include <QMouseEvent>
#include <QPainter>

ServoRelayCanvas::ServoRelayCanvas(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("servo_Image2"));
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void ServoRelayCanvas::setCurve(hq::CurveBlock* curve) {
    curve_ = curve;
    update();
}

void ServoRelayCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (curve_ == nullptr) {
        return;
    }
    const int count = hq::clampedPointCount(*curve_);
    const hq::RelayTrackGeometry geometry(ServoCurveCanvas::kWidth, height(), count);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::red);
    for (int i = 0; i < count; ++i) {
        const hq::RelayBar bar = geometry.bar(i, hq::pointRelay((*curve_)[static_cast<std::size_t>(i)]));
        if (bar.bottom > bar.top) {
            painter.drawRect(bar.left, bar.top, bar.right - bar.left - 1, bar.bottom - bar.top - 1);
        }
    }
}

void ServoRelayCanvas::mousePressEvent(QMouseEvent*) {
    pressed_ = true;
}

void ServoRelayCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_) {
        return;
    }
    if (curve_ != nullptr) {
        const hq::RelayTrackGeometry geometry(ServoCurveCanvas::kWidth, height(),
                                              hq::clampedPointCount(*curve_));
        const QPointF at = event->position();
        hq::setPointRelay(*curve_, geometry.pointIndexAt(at.x()), geometry.relayOnAt(at.y()));
    }
    update();
    emit edited();
}

void ServoRelayCanvas::mouseReleaseEvent(QMouseEvent*) {
    pressed_ = false;
}
