#pragma once
// What the two drawings of the selected servo curve share: the curve they show is read from the
// document's servo edits on every paint (a canvas keeps no copy of it), a change repaints only the
// columns around the points it names, and a drawing reports the point and value under the mouse for
// the editor to store.

#include "StrokeCanvas.h"
#include "document/DocumentChange.h"

class ServoEdits;

class ServoCanvas : public StrokeCanvas {
    Q_OBJECT
public:
    // Shows curve 1..4 of `edits`; without edits the canvas is empty and reports no points.
    void showCurve(const ServoEdits* edits, int curve);
    int curve() const { return curve_; }
    // The points of `span` changed: repaints the columns they cover with the lines to their
    // neighbours; all of the canvas when the span is all points.
    void showPoints(DocumentChange::PointSpan span);

protected:
    explicit ServoCanvas(QWidget* parent);

    const ServoEdits* edits() const { return edits_; }
    // The points drawn, 1..100; 0 while the canvas is empty.
    int pointCount() const;
    // The x range first..last of the pixels that the points' drawing covers, before clamping to
    // the canvas.
    virtual std::pair<int, int> pointColumns(int first, int last) const = 0;

private:
    const ServoEdits* edits_ = nullptr;
    int curve_ = 1;
};
