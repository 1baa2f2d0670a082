#pragma once
// One pattern drawing (`Image_Blink1`.., `Image_led_Blink1`..): paints the on/off steps of one output
// of the shown address as red bars, read from the document each time it paints; drawing with the
// left button reports the step under the mouse switched on (upper half, value 1) or off (lower half,
// 0). The canvas keeps no steps of its own: the editor applies what it reports to the document.

#include "StrokeCanvas.h"
#include "light/PatternCanvasMapping.h"

#include <vector>

class PatternEdits;

class PatternCanvas : public StrokeCanvas {
    Q_OBJECT
public:
    // The drawing of output `output` (1..10), `width` x `height` pixels.
    PatternCanvas(int output, int width, int height, QWidget* parent = nullptr);

    // Paints output's steps of `address` (1..4) in `edits`; null shows an empty drawing. `edits`
    // must stay alive while it is shown.
    void showPattern(const PatternEdits* edits, int address);
    int output() const { return output_; }

    // The steps 0..count-1 of the output as painted now (one step off without a pattern).
    std::vector<bool> steps() const;
    hq::PatternCanvasMapping mapping() const;

    // pointDrawn(step, 1 on / 0 off), the step clamped to the steps shown.

protected:
    void paintEvent(QPaintEvent* event) override;
    std::optional<DrawnPoint> pointAt(QPointF position) const override;
    std::optional<CursorSpan> cursorSpan(int index) const override;

private:
    int count() const;

    int output_;
    const PatternEdits* edits_ = nullptr;
    int address_ = 1;
};
