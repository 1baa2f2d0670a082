#include "ServoRelayCanvas.h"

#include "document/ServoEdits.h"
#include "servo/RelayTrackGeometry.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

ServoRelayCanvas::ServoRelayCanvas(QWidget* parent) : ServoCanvas(parent) {
    setObjectName(QStringLiteral("servo_Image2"));
    setFixedSize(kWidth, kHeight);
}

std::optional<StrokeCanvas::DrawnPoint> ServoRelayCanvas::pointAt(QPointF position) const {
    const int count = pointCount();
    if (count == 0)
        return std::nullopt;
    const hq::RelayTrackGeometry geometry(width(), height(), count);
    return DrawnPoint{geometry.pointIndexAt(position.x()), geometry.relayOnAt(position.y()) ? 1 : 0};
}

std::pair<int, int> ServoRelayCanvas::pointColumns(int first, int last) const {
    const hq::RelayTrackGeometry geometry(width(), height(), pointCount());
    return {geometry.bar(first, true).left, geometry.bar(last, true).right};
}

void ServoRelayCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    const int count = pointCount();
    if (count == 0)
        return;
    const hq::RelayTrackGeometry geometry(width(), height(), count);
    const int first = std::clamp(static_cast<int>(event->rect().left() / geometry.xStep()) - 1, 0, count - 1);
    const int last = std::clamp(static_cast<int>(event->rect().right() / geometry.xStep()) + 1, 0, count - 1);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::red);
    for (int i = first; i <= last; ++i) {
        const hq::RelayBar bar = geometry.bar(i, edits()->isRelayOn(curve(), i));
        if (bar.bottom > bar.top)
            painter.drawRect(bar.left, bar.top, bar.right - bar.left - 1, bar.bottom - bar.top - 1);
    }
    paintPlayCursor(painter);
}

std::optional<CursorSpan> ServoRelayCanvas::cursorSpan(int index) const {
    const int count = pointCount();
    if (count == 0)
        return std::nullopt;
    // Point i owns the column i * step .. (i + 1) * step.
    const hq::RelayBar bar = hq::RelayTrackGeometry(width(), height(), count).bar(index, true);
    return CursorSpan{static_cast<double>(bar.left), static_cast<double>(bar.right)};
}
