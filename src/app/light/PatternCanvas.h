#pragma once
// One pattern image (`Image_Blink1`.., `Image_led_Blink1`..): paints the on/off steps of one output as
// red bars and reports where the user draws with the left mouse button held. The steps live in the
// editor's table; the canvas only shows what it is given.

#include "light/PatternCanvasMapping.h"

#include <QWidget>

#include <vector>

class PatternCanvas : public QWidget {
    Q_OBJECT
public:
    PatternCanvas(int width, int height, QWidget* parent = nullptr);

    // The steps 0..count-1 of the output, count = steps.size().
    void setSteps(std::vector<bool> steps);
    const std::vector<bool>& steps() const { return steps_; }
    const hq::PatternCanvasMapping& mapping() const { return mapping_; }

signals:
    // The mouse, held down, is over `step` (clamped to the steps) in the upper (on) or lower part.
    void stepDrawn(int step, bool on);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void drawAt(QPoint position);

    std::vector<bool> steps_;
    hq::PatternCanvasMapping mapping_;
    bool drawing_ = false;
};
