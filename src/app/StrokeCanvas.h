#pragma once
// The mouse handling the drawing canvases share (servo curve and relay track, blink and LED pattern
// images): pressing the left button starts a stroke and draws at the press, moving with it held draws
// on, releasing it ends the stroke, so a click draws like a drag of one point. What a position means is
// each canvas's own Qt-free mapping. A canvas paints what it is given and only reports what was drawn;
// the editor applies it. Strokes are reported as such, so an edit history can keep one step per stroke.

#include "preview/StepCursor.h"

#include <QWidget>

#include <optional>

class StrokeCanvas : public QWidget {
    Q_OBJECT
public:
    explicit StrokeCanvas(QWidget* parent = nullptr);

    // Between strokeStarted() and strokeFinished().
    bool isDrawing() const { return drawing_; }

    // The step or point a preview shows, drawn as a band over the canvas; -1 for none.
    void setPlayCursor(int index);
    int playCursor() const { return playCursor_; }

signals:
    void strokeStarted();
    // Point `index` was drawn to `value`; what the value means is the canvas's to say.
    void pointDrawn(int index, int value);
    void strokeFinished();

protected:
    struct DrawnPoint {
        int index;
        int value;
    };

    // The point and value under `position` (also outside the canvas, clamped by the mapping), or
    // nothing while the canvas shows nothing to edit.
    virtual std::optional<DrawnPoint> pointAt(QPointF position) const = 0;
    // Where the play cursor of step or point `index` stands; nothing where the canvas has none.
    virtual std::optional<CursorSpan> cursorSpan(int index) const;
    // Subclasses call it last in their paintEvent.
    void paintPlayCursor(QPainter& painter) const;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // A canvas hidden in the middle of a stroke (another file loaded) ends it: no release will come.
    void hideEvent(QHideEvent* event) override;

private:
    void drawAt(QPointF position);
    void finishStroke();

    bool drawing_ = false;
    int playCursor_ = -1;
};
