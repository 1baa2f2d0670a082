#pragma once
// One pattern image (`Image_Blink1`.., `Image_led_Blink1`..): paints the on/off steps of one output as
// red bars; drawing with the left button reports the step under the mouse switched on (upper part,
// value 1) or off (0). The steps live in the editor's table; the canvas only shows what it is given.

#include "StrokeCanvas.h"
#include "light/PatternCanvasMapping.h"

#include <vector>

class PatternCanvas : public StrokeCanvas {
    Q_OBJECT
public:
    PatternCanvas(int width, int height, QWidget* parent = nullptr);

    // The steps 0..count-1 of the output, count = steps.size().
    void setSteps(std::vector<bool> steps);
    const std::vector<bool>& steps() const { return steps_; }
    const hq::PatternCanvasMapping& mapping() const { return mapping_; }

    // pointDrawn(step, 1 on / 0 off), the step clamped to the steps shown.

protected:
    void paintEvent(QPaintEvent* event) override;
    std::optional<DrawnPoint> pointAt(QPointF position) const override;
    std::optional<CursorSpan> cursorSpan(int index) const override;

private:
    std::vector<bool> steps_;
    hq::PatternCanvasMapping mapping_;
};
