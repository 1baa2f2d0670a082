#pragma once
// servo_Image2: the relay state of every point of the selected curve as red bars, in columns that
// share the x-step of the curve drawing above. Drawing with the left button reports the point under
// the mouse with its relay on (upper half, value 1) or off (0).

#include "ServoCanvas.h"

class ServoRelayCanvas : public ServoCanvas {
    Q_OBJECT
public:
    static constexpr int kWidth = 513;
    static constexpr int kHeight = 57;

    explicit ServoRelayCanvas(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    std::optional<DrawnPoint> pointAt(QPointF position) const override;
    std::optional<CursorSpan> cursorSpan(int index) const override;
    std::pair<int, int> pointColumns(int first, int last) const override;
};
