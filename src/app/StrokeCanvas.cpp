#include "StrokeCanvas.h"

#include <QPainter>

#include <QMouseEvent>

StrokeCanvas::StrokeCanvas(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void StrokeCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || drawing_) {
        return;
    }
    drawing_ = true;
    emit strokeStarted();
    drawAt(event->position());
}

void StrokeCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (drawing_ && (event->buttons() & Qt::LeftButton)) {
        drawAt(event->position());
    }
}

void StrokeCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        finishStroke();
    }
}

void StrokeCanvas::hideEvent(QHideEvent* event) {
    finishStroke();
    QWidget::hideEvent(event);
}

void StrokeCanvas::drawAt(QPointF position) {
    if (const std::optional<DrawnPoint> point = pointAt(position)) {
        emit pointDrawn(point->index, point->value);
    }
}

void StrokeCanvas::finishStroke() {
    if (drawing_) {
        drawing_ = false;
        emit strokeFinished();
    }
}

void StrokeCanvas::setPlayCursor(int index) {
    if (index != playCursor_) {
        playCursor_ = index;
        update();
    }
}

std::optional<CursorSpan> StrokeCanvas::cursorSpan(int) const {
    return std::nullopt;
}

void StrokeCanvas::paintPlayCursor(QPainter& painter) const {
    if (playCursor_ < 0)
        return;
    if (const std::optional<CursorSpan> span = cursorSpan(playCursor_))
        paintStepCursor(painter, QRectF(rect()), *span);
}
