#include "ServoCanvas.h"

#include "document/ServoEdits.h"
#include "servo/ServoData.h"

#include <algorithm>

ServoCanvas::ServoCanvas(QWidget* parent) : StrokeCanvas(parent) {}

void ServoCanvas::showCurve(const ServoEdits* edits, int curve) {
    edits_ = edits;
    curve_ = curve;
    update();
}

int ServoCanvas::pointCount() const {
    return edits_ != nullptr && edits_->hasCurves() ? edits_->pointCount(curve_) : 0;
}

void ServoCanvas::showPoints(DocumentChange::PointSpan span) {
    if (span.isEmpty())
        return;
    if (span.isWholeCurve()) {
        update();
        return;
    }
    // Points beyond the count are stored but not drawn.
    const int count = pointCount();
    if (span.first >= count)
        return;
    const auto [left, right] = pointColumns(span.first, std::min(span.last, count - 1));
    const int from = std::max(left, 0);
    const int to = std::min(right, width() - 1);
    if (to >= from)
        update(from, 0, to - from + 1, height());
}
