#pragma once
// The blink and LED pattern preview: one round lamp per output (4 for the blink firmware, 10 for
// the LED firmware) showing the selected address's pattern at its real timing, each step for
// 20 ms x stretch ("Zeit-Raster"), again from the first step with "Loop", else holding the last.
// Outputs not in use are grey. The pattern is read through a source on every frame, so edits made
// while it plays show in the next steps.

#include "light/PatternBank.h"
#include "light/PatternView.h"
#include "preview/PatternPreview.h"
#include "preview/PreviewWidget.h"

#include <functional>
#include <optional>
#include <vector>

// What the preview plays: a pattern table (the document's working copy, or a bank of its own) and
// the address chosen in it.
struct PatternSelection {
    PatternSelection() = default;
    // Nothing to play while `bank` is null.
    PatternSelection(const hq::PatternBank* bank, int chosen)
        : pattern(bank ? std::optional<hq::PatternView>(*bank) : std::nullopt), address(chosen) {}
    PatternSelection(std::optional<hq::PatternView> table, int chosen) : pattern(table), address(chosen) {}

    std::optional<hq::PatternView> pattern; // nothing to play without one
    int address = 1;                        // 1..4
};
using PatternSource = std::function<PatternSelection()>;

class PatternPreviewWidget : public PreviewWidget {
    Q_OBJECT
public:
    // `outputs` lamps are drawn, also before a source is given.
    explicit PatternPreviewWidget(int outputs, QWidget* parent = nullptr);

    // The source is asked on every frame; it must stay callable while the widget lives.
    void setSource(PatternSource source);

    // The step shown, 0..count-1; -1 while stopped.
    int shownStep() const { return shownStep_; }
    // The pattern's count of steps, 0 without a source.
    int stepCount() const { return stepCount_; }
    // The lamps of outputs 1..n as drawn; a stopped preview shows every output in use dark.
    const std::vector<hq::LampState>& lamps() const { return lamps_; }

    void paintFrame(QPainter& painter, const QRectF& area) const override;

signals:
    // The step shown changed: 0..count-1 for the canvases' cursor, -1 when the preview stopped.
    void stepShown(int step);

protected:
    bool hasSource() const override;
    std::optional<hq::Milliseconds> playLength() const override;
    void takeFrame(std::optional<hq::Milliseconds> elapsed) override;
    bool frameChanged() const override { return frameChanged_; }

private:
    PatternSelection selection() const;

    int outputs_;
    PatternSource source_;
    std::vector<hq::LampState> lamps_;
    int shownStep_ = -1;
    int stepCount_ = 0;
    bool frameChanged_ = true;
};
