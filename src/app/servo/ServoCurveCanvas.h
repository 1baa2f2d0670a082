#pragma once
// servo_Image1: the selected curve as a black line through red point squares. Drawing with the left
// button reports the point nearest to the mouse and the position at the mouse's height.

#include "StrokeCanvas.h"
#include "servo/ServoData.h"

#include <optional>

class ServoCurveCanvas : public StrokeCanvas {
    Q_OBJECT
public:
    static constexpr int kWidth = 513;
    static constexpr int kHeight = 201;

    explicit ServoCurveCanvas(QWidget* parent = nullptr);

    // The curve shown; nothing draws an empty canvas that reports no points.
    void setCurve(const std::optional<hq::CurveBlock>& curve);
    const std::optional<hq::CurveBlock>& curve() const { return curve_; }

    // pointDrawn(point 0..99, position 0..127).

protected:
    void paintEvent(QPaintEvent* event) override;
    std::optional<DrawnPoint> pointAt(QPointF position) const override;
    std::optional<CursorSpan> cursorSpan(int index) const override;

private:
    std::optional<hq::CurveBlock> curve_;
};
