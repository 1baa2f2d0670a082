#pragma once
// The window's editor area, right of the grid and the button row: it shows the one widget an editor
// hands over (its panels laid out by the editor's own layouts), or, until every editor hands one
// over, the panels an editor still places by pixels into a room the area makes for them.

#include "EditorHost.h"

#include <QPointer>
#include <QWidget>

class QVBoxLayout;

class EditorArea : public QWidget {
    Q_OBJECT
public:
    explicit EditorArea(QWidget* parent = nullptr);

    // Shows `editor` in place of what was there; null empties the area.
    void showEditor(QWidget* editor);
    // Before a load: nothing shown, no room kept for placed panels.
    void clear();
    // Whether an editor shows something in the area.
    bool inUse() const;

    // For the editors that place their panels by pixels: the widget they place them in, the room in
    // it, and a room made at least as large as the window size they ask for.
    QWidget* placedPanelsParent();
    EditorRoom room() const;
    EditorRoom makeRoom(QSize windowSize);

signals:
    // What the area needs changed: the window makes room for it.
    void roomChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class PlacedPanels;

    QVBoxLayout* layout_;
    QPointer<QWidget> editor_;
    PlacedPanels* placed_ = nullptr;
};
