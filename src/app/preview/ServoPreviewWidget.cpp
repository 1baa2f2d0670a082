// Frames of the servo preview taken from the source and the core's point functions.

#include "preview/ServoPreviewWidget.h"

#include "preview/PreviewPainting.h"
#include "preview/ServoPreview.h"
#include "servo/CurveTransform.h"

#include <QPainter>

#include <algorithm>

namespace {

// Nearly square: the arm's length is bound by the height over its 120-degree sweep.
constexpr int kArmWidth = 170;
constexpr int kArmHeight = 150;
constexpr int kRelayColumn = 64;

// Where the servo is drawn: left of the relay lamp, above the status line.
QRectF armArea(const QRectF& area) {
    return {area.left(), area.top(), area.width() - kRelayColumn, area.height() - kPreviewStatusHeight};
}

} // namespace

ServoPreviewWidget::ServoPreviewWidget(QWidget* parent)
    : PreviewWidget(QSize(kArmWidth + kRelayColumn, kArmHeight + static_cast<int>(kPreviewStatusHeight)),
                    QStringLiteral("Bewegt den Servo-Arm durch die Punkte der gewählten Kurve, einen "
                                   "Punkt je „Zeit zwischen 2 Punkten“; die Lampe zeigt das Relais. "
                                   "Ein zweiter Klick hält an."),
                    parent) {
    setObjectName(QStringLiteral("servo_preview"));
    editTimer_.setSingleShot(true);
    editTimer_.setInterval(kFrameIntervalMs);
    connect(&editTimer_, &QTimer::timeout, this, &ServoPreviewWidget::refresh);
    refresh();
}

void ServoPreviewWidget::showEdit() {
    if (!frameTimerActive() && !editTimer_.isActive())
        editTimer_.start();
}

void ServoPreviewWidget::setSource(CurveSource source) {
    source_ = std::move(source);
    stop();
}

bool ServoPreviewWidget::hasSource() const {
    return curve() != nullptr;
}

std::optional<hq::Milliseconds> ServoPreviewWidget::playLength() const {
    const hq::CurveBlock* block = curve();
    if (block == nullptr)
        return std::nullopt;
    return hq::servoPlayLength(*block);
}

void ServoPreviewWidget::takeFrame(std::optional<hq::Milliseconds> elapsed) {
    const hq::CurveBlock* block = curve();
    int point = -1;
    if (block == nullptr) {
        pointCount_ = 0;
        position_ = 0;
        relay_ = false;
        lowest_ = highest_ = 0;
    } else {
        pointCount_ = hq::clampedPointCount(*block);
        const auto first = block->begin();
        const auto [low, high] = std::minmax_element(first, first + pointCount_, [](int a, int b) {
            return hq::pointPosition(a) < hq::pointPosition(b);
        });
        lowest_ = hq::pointPosition(*low);
        highest_ = hq::pointPosition(*high);
        if (elapsed) {
            const hq::ServoFrame frame = hq::servoFrame(*block, *elapsed);
            point = frame.point.index;
            position_ = frame.position;
            relay_ = frame.relay;
        } else {
            position_ = hq::pointPosition((*block)[0]);
            relay_ = false;
        }
    }
    const FrameKey key{point, pointCount_, position_, relay_, lowest_, highest_};
    frameChanged_ = !(key == lastFrame_);
    lastFrame_ = key;
    if (point != shownPoint_) {
        shownPoint_ = point;
        emit pointShown(point);
    }
}

const QImage& ServoPreviewWidget::scaleImage(QSize size, qreal pixelRatio) const {
    const ScaleKey key{size, pixelRatio, pointCount_ > 0 ? lowest_ : -1, pointCount_ > 0 ? highest_ : -1};
    if (scale_.isNull() || !(key == scaleKey_)) {
        // Opaque: drawn as a plain copy of lines each frame.
        scale_ = QImage(size * pixelRatio, QImage::Format_RGB32);
        scale_.setDevicePixelRatio(pixelRatio);
        QPainter painter(&scale_);
        const QRectF whole(QPointF(0, 0), QSizeF(size));
        paintPreviewBackground(painter, whole);
        std::optional<PositionRange> range;
        if (pointCount_ > 0)
            range = PositionRange{lowest_, highest_};
        paintServoScale(painter, armArea(whole), range);
        scaleKey_ = key;
    }
    return scale_;
}

void ServoPreviewWidget::paintFrame(QPainter& painter, const QRectF& area) const {
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    painter.drawImage(area.topLeft(), scaleImage(area.size().toSize(), ratio));
    const QRectF arm = armArea(area);
    paintServoArm(painter, arm, position_);

    const QRectF relay(arm.right(), area.top() + 24, kRelayColumn, 36);
    paintLamp(painter, relay.center(), 12, relay_ ? hq::LampState::On : hq::LampState::Off);
    painter.save();
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(QColor(60, 60, 60));
    painter.drawText(QRectF(relay.left(), relay.bottom(), relay.width(), 14), Qt::AlignCenter,
                     QStringLiteral("Relais"));
    painter.restore();

    QString status;
    if (pointCount_ == 0)
        status = QStringLiteral("keine Kurve");
    else if (shownPoint_ < 0)
        status = QStringLiteral("Punkte: %1").arg(pointCount_);
    else
        status = QStringLiteral("Punkt %1 von %2 · Position %3")
                     .arg(shownPoint_ + 1)
                     .arg(pointCount_)
                     .arg(position_);
    paintPreviewStatus(painter, area, status);
}
