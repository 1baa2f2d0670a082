#pragma once
// Pixel mapping of the curve drawing: point i stands at x = i * x-step, position 0 at the bottom
// and 127 near the top. Point indexes and positions taken from the mouse are clamped, so a drag
// past the edges edits the outermost point and stores 0 or 127.

namespace hq {

class CurveCanvasGeometry {
public:
    // `width` and `height` of the drawing; `pointCount` is clamped to 1..100.
    CurveCanvasGeometry(int width, int height, int pointCount);

    // (width - 10) / count: the last point stays clear of the right edge.
    double xStep() const { return xStep_; }
    double yScale() const { return yScale_; }

    // The point nearest to x (rounded), clamped to 0..99, not to the count.
    int pointIndexAt(double x) const;
    // The position for y, clamped to 0..127.
    int positionAt(double y) const;

    int pointX(int index) const;
    int pointY(int position) const;
    // Half the side of a point's square: a third of the x-step, at most 3.
    int markerRadius() const;

private:
    int height_;
    double xStep_;
    double yScale_;
};

} // namespace hq
