#pragma once
// The sheet's pictures of servo curves and blink/LED patterns, drawn as vector paths and
// rectangles so that they stay sharp on paper and in the PDF at any zoom.

#include "light/PatternBank.h"
#include "servo/ServoData.h"

#include <QRectF>

class QFont;
class QPainter;

namespace sheet {

// The curve's points 0..count-1 as a line with point squares over a scale 0..127, and a track
// beneath it marking the points whose relay bit is set. `mm` is device units per millimetre.
void paintCurveDrawing(QPainter& painter, const QRectF& area, const hq::CurveBlock& curve, double mm,
                       const QFont& labelFont);

// The rows of outputs 1..n of pattern `address`: a caption per output, and one cell per step
// filled where the output is on. Outputs not in use are grey and say so.
void paintPatternDrawing(QPainter& painter, const QRectF& area, const hq::PatternBank& bank, int address,
                         double mm, const QFont& labelFont);

// The height of one output's row in paintPatternDrawing.
inline constexpr double kPatternRowMm = 4.2;
// The width of the caption column on the left of both drawings.
inline constexpr double kDrawingCaptionMm = 24;

} // namespace sheet
