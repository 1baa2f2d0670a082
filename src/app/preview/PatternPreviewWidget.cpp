// Frames of the pattern preview taken from the source and the core's step functions.

#include "preview/PatternPreviewWidget.h"

#include "preview/PreviewPainting.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int kLampCell = 32;
constexpr int kLampRowHeight = 44;

QSize drawingSize(int outputs) {
    return {std::max(160, outputs * kLampCell + 8),
            kLampRowHeight + static_cast<int>(kPreviewStatusHeight) + 6};
}

} // namespace

PatternPreviewWidget::PatternPreviewWidget(int outputs, QWidget* parent)
    : PreviewWidget(drawingSize(outputs),
                    QStringLiteral("Spielt das Muster der gewählten Adresse im echten Zeit-Raster "
                                   "(20 ms × Stretch) ab; ein zweiter Klick hält es an."),
                    parent),
      outputs_(std::max(outputs, 1)), lamps_(static_cast<std::size_t>(outputs_), hq::LampState::Unused) {
    setObjectName(QStringLiteral("pattern_preview"));
    refresh();
}

void PatternPreviewWidget::setSource(PatternSource source) {
    source_ = std::move(source);
    // Another table or address: play it from the beginning when asked.
    stop();
}

PatternSelection PatternPreviewWidget::selection() const {
    return source_ ? source_() : PatternSelection{};
}

bool PatternPreviewWidget::hasSource() const {
    return selection().pattern.has_value();
}

std::optional<hq::Milliseconds> PatternPreviewWidget::playLength() const {
    const PatternSelection chosen = selection();
    if (!chosen.pattern)
        return std::nullopt;
    return hq::patternPlayLength(*chosen.pattern, chosen.address);
}

void PatternPreviewWidget::takeFrame(std::optional<hq::Milliseconds> elapsed) {
    const PatternSelection chosen = selection();
    const std::vector<hq::LampState> before = lamps_;
    const int countBefore = stepCount_;
    int step = -1;
    if (!chosen.pattern) {
        std::fill(lamps_.begin(), lamps_.end(), hq::LampState::Unused);
        stepCount_ = 0;
    } else {
        stepCount_ = chosen.pattern->count(chosen.address);
        if (elapsed) {
            hq::PatternFrame frame = hq::patternFrame(*chosen.pattern, chosen.address, *elapsed);
            step = frame.step.step;
            lamps_ = std::move(frame.lamps);
        } else {
            lamps_ = hq::lampStates(*chosen.pattern, chosen.address, 0);
            for (hq::LampState& lamp : lamps_) {
                if (lamp == hq::LampState::On)
                    lamp = hq::LampState::Off;
            }
        }
        // The widget was sized for its own firmware; a table of another layout must not overrun it.
        lamps_.resize(static_cast<std::size_t>(outputs_), hq::LampState::Unused);
    }
    frameChanged_ = step != shownStep_ || stepCount_ != countBefore || lamps_ != before;
    if (step != shownStep_) {
        shownStep_ = step;
        emit stepShown(step);
    }
}

void PatternPreviewWidget::paintFrame(QPainter& painter, const QRectF& area) const {
    paintPreviewBackground(painter, area);
    const QRectF lampArea(area.left() + 4, area.top() + 4, area.width() - 8, kLampRowHeight);
    paintLampRow(painter, lampArea, lamps_);
    QString status;
    if (stepCount_ == 0)
        status = QStringLiteral("kein Muster");
    else if (shownStep_ < 0)
        status = QStringLiteral("Schritte: %1").arg(stepCount_);
    else
        status = QStringLiteral("Schritt %1 von %2").arg(shownStep_ + 1).arg(stepCount_);
    paintPreviewStatus(painter, area, status);
}
