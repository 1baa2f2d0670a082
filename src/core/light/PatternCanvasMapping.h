#pragma once
// Pixels of a pattern image and the steps they show: the image is `width` x `height` pixels, its
// first width-10 pixels divided among `count` steps; values run 0..128 from the bottom to the top.
// An "on" step is drawn as value 100, an "off" step not at all.

namespace hq {

// A rectangle with exclusive right and bottom edges.
struct BarRect {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    bool operator==(const BarRect&) const = default;
};

class PatternCanvasMapping {
public:
    // `count` is taken as at least 1.
    PatternCanvasMapping(int width, int height, int count);

    int width() const { return width_; }
    int height() const { return height_; }
    int count() const { return count_; }

    // Pixels per step: (width - 10) / count.
    double stepWidth() const { return stepWidth_; }
    // Pixels per value unit: height / 128.
    double valueScale() const { return valueScale_; }

    // The step under x, truncated toward zero and clamped to 0..count-1, so a drag left of or beyond
    // the steps edits the first or the last one.
    int stepForX(int x) const;
    // The value under y on the 0..128 scale.
    double valueForY(int y) const;
    // True where a drag switches a step on: a value above 50.
    bool switchesOnAt(int y) const;

    // The bar of an "on" step: from trunc(i·stepWidth) to trunc((i+1)·stepWidth), and from
    // trunc(height - 100·valueScale) down to the bottom.
    BarRect bar(int step) const;

private:
    int width_;
    int height_;
    int count_;
    double stepWidth_;
    double valueScale_;
};

} // namespace hq
