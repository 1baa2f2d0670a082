#pragma once
// The drawings of the previews as plain painter functions: a row of lamps, one lamp, and the servo
// with its arm, scale and the range the curve uses. The widgets, the benchmark and anything that
// wants a still picture paint through these.
//
// A frame is painted every 30 ms while a preview plays, so what does not move is drawn once and
// blitted: each lamp look is kept as a small image, and the servo's scale can be painted apart from
// its arm. Antialiased shapes painted afresh cost Qt's raster engine far more per frame.

#include "preview/PatternPreview.h"

#include <QRectF>
#include <QString>

#include <optional>
#include <span>

class QPainter;

// The light background every preview frame starts from.
void paintPreviewBackground(QPainter& painter, const QRectF& area);

// One round lamp: lit yellow, dark when off, light grey for an output not in use. Drawn from an
// image made once per look, size and pixel ratio.
void paintLamp(QPainter& painter, QPointF centre, double radius, hq::LampState state);

// The lamps side by side across `area`, each with its output number (1..) beneath it.
void paintLampRow(QPainter& painter, const QRectF& area, std::span<const hq::LampState> lamps);

// The positions 0..127 a curve reaches, for the band on the servo's scale.
struct PositionRange {
    int lowest = 0;
    int highest = 0;
};

// The parts that stand still: the servo housing and the scale arc from the lowest (0) to the highest
// position (127) with the curve's `range` marked on it, fitted into `area`.
void paintServoScale(QPainter& painter, const QRectF& area, std::optional<PositionRange> range);
// The arm at `position` and its pivot, over a scale painted into the same `area`.
void paintServoArm(QPainter& painter, const QRectF& area, int position);

// A line of small text at the bottom of `area` ("Schritt 3 von 10").
void paintPreviewStatus(QPainter& painter, const QRectF& area, const QString& text);

// The height paintPreviewStatus takes at the bottom of an area.
inline constexpr double kPreviewStatusHeight = 16;
