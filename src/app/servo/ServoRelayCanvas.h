#pragma once
// servo_Image2: the relay state of every point of the selected curve as red bars. Drawing with the
// left button reports the point under the mouse with its relay on (upper half, value 1) or off (0).

#include "StrokeCanvas.h"
#include "servo/ServoData.h"

#include <optional>

class ServoRelayCanvas : public StrokeCanvas {
    Q_OBJECT
public:
    static constexpr int kWidth = 513;
    static constexpr int kHeight = 57;

    explicit ServoRelayCanvas(QWidget* parent = nullptr);

    // The curve whose relays are shown; nothing draws an empty track that reports no points. The
    // columns share the x-step of the curve drawing above.
    void setCurve(const std::optional<hq::CurveBlock>& curve);
    const std::optional<hq::CurveBlock>& curve() const { return curve_; }

    // pointDrawn(point 0..99, relay 1 on / 0 off).

protected:
    void paintEvent(QPaintEvent* event) override;
    std::optional<DrawnPoint> pointAt(QPointF position) const override;
    std::optional<CursorSpan> cursorSpan(int index) const override;

private:
    std::optional<hq::CurveBlock> curve_;
};
