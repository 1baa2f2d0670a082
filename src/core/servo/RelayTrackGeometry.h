#pragma once
// Pixel mapping of the relay track under the curve: point i owns the column from i * x-step to
// (i + 1) * x-step; a relay that is on fills the column up to 100/128 of the height.

namespace hq {

struct RelayBar {
    int left;
    int top;
    int right;
    int bottom;
};

class RelayTrackGeometry {
public:
    // `curveWidth` is the width of the curve drawing above, whose x-step the track shares; the
    // point count is clamped to 1..100.
    RelayTrackGeometry(int curveWidth, int height, int pointCount);

    double xStep() const { return xStep_; }
    double yScale() const { return yScale_; }

    // The point whose column holds x (no rounding), clamped to 0..99.
    int pointIndexAt(double x) const;
    // A press above half the bar height switches the relay on.
    bool relayOnAt(double y) const;

    // The bar of point i; a relay that is off gives a bar of no height on the bottom edge.
    RelayBar bar(int index, bool relayOn) const;

private:
    int height_;
    double xStep_;
    double yScale_;
};

} // namespace hq
