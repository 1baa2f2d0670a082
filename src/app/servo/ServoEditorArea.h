#pragma once
// The servo editor as the one widget it hands the window: the curve panel with the preview beside
// it, and the assignment tabs below the curve panel at its right edge (left of them the window keeps
// its button row and picture), laid out by Qt layouts. The area takes the mouse only where its panels
// are, so that whatever the window shows in its empty corner stays within reach.

#include <QWidget>

class ServoEditorArea : public QWidget {
    Q_OBJECT
public:
    ServoEditorArea(QWidget* curves, QWidget* preview, QWidget* settings, QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;

private:
    // The mask: the panels' rectangles, as the layout placed them.
    void followPanels();

    QWidget* curves_;
    QWidget* preview_;
    QWidget* settings_;
};
