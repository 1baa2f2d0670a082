#pragma once
// The drawings of the previews as plain painter functions: a row of lamps, one lamp, and the servo
// with its arm, scale and the range the curve uses. The widgets, the benchmark and anything that
// wants a still picture paint through these.

#include "preview/PatternPreview.h"

#include <QRectF>
#include <QString>

#include <optional>
#include <span>

class QPainter;

// The light background every preview frame starts from.
void paintPreviewBackground(QPainter& painter, const QRectF& area);

// One round lamp: lit yellow, dark when off, light grey for an output not in use.
void paintLamp(QPainter& painter, QPointF centre, double radius, hq::LampState state);

// The lamps side by side across `area`, each with its output number (1..) beneath it.
void paintLampRow(QPainter& painter, const QRectF& area, std::span<const hq::LampState> lamps);

// The positions 0..127 a curve reaches, for the band on the servo's scale.
struct PositionRange {
    int lowest = 0;
    int highest = 0;
};

// The servo housing, the scale arc from the lowest (0) to the highest position (127) with the
// curve's `range` marked on it, and the arm at `position`; all fitted into `area`.
void paintServoArm(QPainter& painter, const QRectF& area, int position, std::optional<PositionRange> range);

// A line of small text at the bottom of `area` ("Schritt 3 von 10").
void paintPreviewStatus(QPainter& painter, const QRectF& area, const QString& text);

// The height paintPreviewStatus takes at the bottom of an area.
inline constexpr double kPreviewStatusHeight = 16;
