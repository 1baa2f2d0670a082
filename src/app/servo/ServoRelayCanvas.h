#pragma once
// servo_Image2: the relay state of every point of the selected curve as red bars. Dragging with a
// button held switches the relay of the point under the mouse on (upper half) or off.

#include "servo/ServoData.h"

#include <QWidget>

class ServoRelayCanvas : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 513;
    static constexpr int kHeight = 57;

    explicit ServoRelayCanvas(QWidget* parent = nullptr);

    // The curve drawn and edited; null draws an empty track and edits nothing. The columns share
    // the x-step of the curve drawing above.
    void setCurve(hq::CurveBlock* curve);

signals:
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
