// Lamps and servo arm of the previews.

#include "preview/PreviewPainting.h"

#include "preview/ServoArm.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

const QColor kLitCore(255, 250, 205);
const QColor kLitEdge(255, 176, 0);
const QColor kLitOutline(160, 96, 0);
const QColor kDarkFill(74, 58, 32);
const QColor kDarkOutline(32, 32, 32);
const QColor kUnusedFill(208, 208, 208);
const QColor kUnusedOutline(160, 160, 160);
const QColor kBackground(250, 250, 247);
const QColor kCurveBand(60, 120, 215);

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// A point on the circle about `pivot` at `angle` degrees above the horizontal.
QPointF onCircle(QPointF pivot, double radius, double angle) {
    return {pivot.x() + radius * std::cos(radians(angle)), pivot.y() - radius * std::sin(radians(angle))};
}

} // namespace

void paintPreviewBackground(QPainter& painter, const QRectF& area) {
    painter.fillRect(area, kBackground);
    painter.save();
    painter.setPen(QColor(180, 180, 180));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.restore();
}

namespace {

void drawLampShape(QPainter& painter, QPointF centre, double radius, hq::LampState state) {
    painter.setRenderHint(QPainter::Antialiasing);
    switch (state) {
    case hq::LampState::On: {
        QRadialGradient glow(centre, radius, centre - QPointF(radius / 3, radius / 3));
        glow.setColorAt(0, kLitCore);
        glow.setColorAt(1, kLitEdge);
        painter.setBrush(glow);
        painter.setPen(QPen(kLitOutline, 1.5));
        break;
    }
    case hq::LampState::Off:
        painter.setBrush(kDarkFill);
        painter.setPen(QPen(kDarkOutline, 1.5));
        break;
    case hq::LampState::Unused:
        painter.setBrush(kUnusedFill);
        painter.setPen(QPen(kUnusedOutline, 1.0, Qt::DashLine));
        break;
    }
    painter.drawEllipse(centre, radius, radius);
}

// The lamp drawn once into a transparent image with room for its outline.
const QImage& lampSprite(hq::LampState state, double radius, qreal pixelRatio) {
    struct Sprite {
        hq::LampState state;
        double radius;
        qreal pixelRatio;
        QImage image;
    };
    // Only a handful of looks and sizes occur; painting happens in the GUI thread alone.
    static std::vector<Sprite> sprites;
    for (const Sprite& sprite : sprites) {
        if (sprite.state == state && sprite.radius == radius && sprite.pixelRatio == pixelRatio)
            return sprite.image;
    }
    const double side = 2 * radius + 4;
    QImage image(
        QSize(static_cast<int>(std::ceil(side * pixelRatio)), static_cast<int>(std::ceil(side * pixelRatio))),
        QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawLampShape(painter, QPointF(side / 2, side / 2), radius, state);
    painter.end();
    sprites.push_back({state, radius, pixelRatio, image});
    return sprites.back().image;
}

} // namespace

void paintLamp(QPainter& painter, QPointF centre, double radius, hq::LampState state) {
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QImage& sprite = lampSprite(state, radius, ratio);
    const double half = (2 * radius + 4) / 2;
    // Whole pixels: the image is copied as it is instead of being resampled.
    painter.drawImage(QPointF(std::round(centre.x() - half), std::round(centre.y() - half)), sprite);
}

void paintLampRow(QPainter& painter, const QRectF& area, std::span<const hq::LampState> lamps) {
    if (lamps.empty())
        return;
    constexpr double kNumberHeight = 12;
    const double cell = area.width() / static_cast<double>(lamps.size());
    const double radius = std::max(2.0, std::min(cell, area.height() - kNumberHeight) / 2 - 3);
    painter.save();
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    for (std::size_t i = 0; i < lamps.size(); ++i) {
        const double left = area.left() + cell * static_cast<double>(i);
        const QPointF centre(left + cell / 2, area.top() + (area.height() - kNumberHeight) / 2);
        paintLamp(painter, centre, radius, lamps[i]);
        painter.setPen(lamps[i] == hq::LampState::Unused ? kUnusedOutline : QColor(Qt::black));
        painter.drawText(QRectF(left, area.bottom() - kNumberHeight, cell, kNumberHeight), Qt::AlignCenter,
                         QString::number(i + 1));
    }
    painter.restore();
}

void paintServoScale(QPainter& painter, const QRectF& area, std::optional<PositionRange> range) {
    const hq::ServoArmGeometry arm =
        hq::servoArmGeometry(0, static_cast<int>(area.width()), static_cast<int>(area.height()));
    if (arm.length <= 0)
        return;
    const QPointF pivot(area.left() + arm.pivot.x, area.top() + arm.pivot.y);
    const double lowest = hq::servoArmAngle(0);
    const double highest = hq::servoArmAngle(hq::kHighestServoPosition);
    const QRectF circle(pivot.x() - arm.length, pivot.y() - arm.length, 2 * arm.length, 2 * arm.length);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    // The housing the arm sits on.
    const double body = arm.length * 0.28;
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.setBrush(QColor(215, 215, 220));
    painter.drawRoundedRect(QRectF(pivot.x() - body * 1.6, pivot.y() - body, body * 2.2, body * 2), 3, 3);

    // The scale: the whole sweep thin, the curve's range as a band, ticks every quarter.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(120, 120, 120), 1.2));
    painter.drawArc(circle, static_cast<int>(lowest * 16), static_cast<int>((highest - lowest) * 16));
    if (range) {
        const double from = hq::servoArmAngle(range->lowest);
        const double to = hq::servoArmAngle(range->highest);
        painter.setPen(QPen(kCurveBand, 4, Qt::SolidLine, Qt::FlatCap));
        painter.drawArc(circle, static_cast<int>(from * 16), static_cast<int>(std::max(to - from, 0.5) * 16));
    }
    painter.setPen(QPen(QColor(120, 120, 120), 1));
    for (int tick = 0; tick <= 4; ++tick) {
        const double angle = hq::servoArmAngle(tick * hq::kHighestServoPosition / 4);
        painter.drawLine(onCircle(pivot, arm.length - 5, angle), onCircle(pivot, arm.length + 3, angle));
    }
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    const QPointF low = onCircle(pivot, arm.length + 4, lowest);
    const QPointF high = onCircle(pivot, arm.length + 4, highest);
    painter.drawText(QRectF(low.x() + 2, low.y() - 12, 30, 12), Qt::AlignLeft | Qt::AlignBottom,
                     QStringLiteral("0"));
    painter.drawText(QRectF(high.x() + 2, high.y(), 30, 12), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("%1").arg(hq::kHighestServoPosition));
    painter.restore();
}

void paintServoArm(QPainter& painter, const QRectF& area, int position) {
    const hq::ServoArmGeometry arm =
        hq::servoArmGeometry(position, static_cast<int>(area.width()), static_cast<int>(area.height()));
    if (arm.length <= 0)
        return;
    const QPointF pivot(area.left() + arm.pivot.x, area.top() + arm.pivot.y);
    const QPointF end(area.left() + arm.end.x, area.top() + arm.end.y);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // The horn with a light stripe along it, and the pivot screw.
    painter.setPen(QPen(QColor(40, 40, 40), std::max(4.0, arm.length / 9), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(pivot, end);
    painter.setPen(QPen(QColor(230, 230, 230), 1.5));
    painter.drawLine(pivot, end);
    painter.setPen(QPen(QColor(40, 40, 40), 1));
    painter.setBrush(QColor(200, 200, 200));
    painter.drawEllipse(pivot, 4, 4);
    painter.restore();
}

void paintPreviewStatus(QPainter& painter, const QRectF& area, const QString& text) {
    painter.save();
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(QColor(60, 60, 60));
    painter.drawText(
        QRectF(area.left() + 4, area.bottom() - kPreviewStatusHeight, area.width() - 8, kPreviewStatusHeight),
        Qt::AlignLeft | Qt::AlignVCenter, text);
    painter.restore();
}
