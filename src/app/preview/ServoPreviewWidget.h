#pragma once
// The servo preview: a drawn servo arm that sweeps once through the selected curve's points, one
// point every "Zeit zwischen 2 Punkten" (20 ms x stretch), over a scale from the lowest to the
// highest position with the curve's range marked, and a lamp for the relay bit of the point shown.
// The curve is read through a source on every frame, so edits show while it plays.

#include "preview/PreviewWidget.h"
#include "servo/ServoData.h"

#include <QImage>

#include <functional>

// The curve block the preview plays, or null while there is none.
using CurveSource = std::function<const hq::CurveBlock*()>;

class ServoPreviewWidget : public PreviewWidget {
    Q_OBJECT
public:
    explicit ServoPreviewWidget(QWidget* parent = nullptr);

    // The source is asked on every frame; it must stay callable while the widget lives.
    void setSource(CurveSource source);
    // The curve was edited: the frame is taken again within one frame interval (at once by the
    // frames of a playing preview), so that a stroke's many mouse moves cost one frame, not one each.
    void showEdit();

    // The point shown, 0..count-1; -1 while stopped (the arm then rests at the first point).
    int shownPoint() const { return shownPoint_; }
    int pointCount() const { return pointCount_; }
    // The arm's position 0..127 and the relay lamp as drawn.
    int position() const { return position_; }
    bool relayLit() const { return relay_; }

    void paintFrame(QPainter& painter, const QRectF& area) const override;

signals:
    // The point shown changed: 0..count-1 for the curve canvas's cursor, -1 when stopped.
    void pointShown(int index);

protected:
    bool hasSource() const override;
    std::optional<hq::Milliseconds> playLength() const override;
    void takeFrame(std::optional<hq::Milliseconds> elapsed) override;
    bool frameChanged() const override { return frameChanged_; }

private:
    const hq::CurveBlock* curve() const { return source_ ? source_() : nullptr; }
    // The background with housing and scale, painted again only when the size, the pixel ratio or
    // the curve's range changes.
    const QImage& scaleImage(QSize size, qreal pixelRatio) const;

    CurveSource source_;
    QTimer editTimer_;
    int shownPoint_ = -1;
    int pointCount_ = 0;
    int position_ = 0;
    bool relay_ = false;
    int lowest_ = 0; // the curve's range for the scale
    int highest_ = 0;
    // What a frame shows, to tell whether the one taken needs painting.
    struct FrameKey {
        int point = -2;
        int count = 0;
        int position = 0;
        bool relay = false;
        int lowest = 0;
        int highest = 0;
        friend bool operator==(const FrameKey&, const FrameKey&) = default;
    };
    FrameKey lastFrame_;
    bool frameChanged_ = true;

    struct ScaleKey {
        QSize size;
        qreal pixelRatio = 0;
        int lowest = -1;
        int highest = -1;
        friend bool operator==(const ScaleKey&, const ScaleKey&) = default;
    };
    mutable QImage scale_;
    mutable ScaleKey scaleKey_;
};
