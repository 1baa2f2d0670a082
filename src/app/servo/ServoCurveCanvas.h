#pragma once
// servo_Image1: the selected curve as a black line through red point squares. Drawing with the left
// button reports the point nearest to the mouse and the position at the mouse's height
// (pointDrawn(point 0..99, position 0..127)).

#include "ServoCanvas.h"

class ServoCurveCanvas : public ServoCanvas {
    Q_OBJECT
public:
    static constexpr int kWidth = 513;
    static constexpr int kHeight = 201;

    explicit ServoCurveCanvas(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    std::optional<DrawnPoint> pointAt(QPointF position) const override;
    std::optional<CursorSpan> cursorSpan(int index) const override;
    std::pair<int, int> pointColumns(int first, int last) const override;
};
