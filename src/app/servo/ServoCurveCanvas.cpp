#include "ServoCurveCanvas.h"

#include "servo/CurveCanvasGeometry.h"
#include "servo/CurveTransform.h"

#include <QMouseEvent>
#include <QPainter>

ServoCurveCanvas::ServoCurveCanvas(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("servo_Image1"));
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void ServoCurveCanvas::setCurve(hq::CurveBlock* curve) {
    curve_ = curve;
    update();
}

void ServoCurveCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (curve_ == nullptr) {
        return;
    }
    const int count = hq::clampedPointCount(*curve_);
    const hq::CurveCanvasGeometry geometry(width(), height(), count);
    const int r = geometry.markerRadius();

    QPoint previous;
    for (int i = 0; i < count; ++i) {
        const QPoint point(geometry.pointX(i),
                           geometry.pointY(hq::pointPosition((*curve_)[static_cast<std::size_t>(i)])));
        painter.setPen(Qt::black);
        painter.drawLine(i == 0 ? QPoint(0, point.y()) : previous, point);
        previous = point;
    }
    painter.setBrush(Qt::red);
    for (int i = 0; i < count; ++i) {
        const int x = geometry.pointX(i);
        const int y = geometry.pointY(hq::pointPosition((*curve_)[static_cast<std::size_t>(i)]));
        painter.drawRect(x - r, y - r, 2 * r - 1, 2 * r - 1);
    }
}

void ServoCurveCanvas::mousePressEvent(QMouseEvent*) {
    pressed_ = true;
}

void ServoCurveCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_) {
        return;
    }
    if (curve_ != nullptr) {
        const hq::CurveCanvasGeometry geometry(width(), height(), hq::clampedPointCount(*curve_));
        const QPointF at = event->position();
        hq::setPointPosition(*curve_, geometry.pointIndexAt(at.x()), geometry.positionAt(at.y()));
    }
    update();
    emit edited();
}

void ServoCurveCanvas::mouseReleaseEvent(QMouseEvent*) {
    pressed_ = false;
}
