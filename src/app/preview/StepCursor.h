#pragma once
// The cursor the editors' canvases draw at the step or point a preview shows: a translucent band
// over the whole height of the canvas, between the x edges of that step. The spans come from the
// canvases' own pixel mappings, so the cursor sits exactly on the step's bar or the point's square.

#include "light/PatternCanvasMapping.h"
#include "servo/CurveCanvasGeometry.h"

#include <QRectF>

class QPainter;

// An x range on a canvas, left <= right.
struct CursorSpan {
    double left = 0;
    double right = 0;

    friend bool operator==(const CursorSpan&, const CursorSpan&) = default;
};

// The x range of step `step` (clamped to 0..count-1) on a pattern image: the step's bar.
CursorSpan patternStepSpan(const hq::PatternCanvasMapping& mapping, int step);

// The x range around curve point `index`: halfway to the neighbouring points on either side.
CursorSpan curvePointSpan(const hq::CurveCanvasGeometry& geometry, int index);

// The band between `span.left` and `span.right` over the height of `canvas`, at least 3 pixels
// wide so that the narrow steps of a long LED pattern still show it. Nothing for a negative step
// (the preview stopped) is the caller's choice: it simply does not call this.
void paintStepCursor(QPainter& painter, const QRectF& canvas, CursorSpan span);
