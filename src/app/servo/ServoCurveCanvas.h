#pragma once
// servo_Image1: the selected curve as a black line through red point squares. Dragging with a
// button held moves the point nearest to the mouse to the mouse's height.

#include "servo/ServoData.h"

#include <QWidget>

class ServoCurveCanvas : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 513;
    static constexpr int kHeight = 201;

    explicit ServoCurveCanvas(QWidget* parent = nullptr);

    // The curve drawn and edited; null draws an empty canvas and edits nothing.
    void setCurve(hq::CurveBlock* curve);

signals:
    // A move while pressed: the curve may have changed.
    void edited();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    hq::CurveBlock* curve_ = nullptr;
    bool pressed_ = false;
};
