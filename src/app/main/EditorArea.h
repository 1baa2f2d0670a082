#pragma once
// The window's editor area, right of the grid and the button row: it shows the one widget an editor
// hands over, its panels laid out by the editor's own layouts.

#include <QPointer>
#include <QWidget>

class QVBoxLayout;

class EditorArea : public QWidget {
    Q_OBJECT
public:
    explicit EditorArea(QWidget* parent = nullptr);

    // Shows `editor` in place of what was there; null empties the area.
    void showEditor(QWidget* editor);
    // Before a load: nothing shown.
    void clear();
    // Whether an editor shows something in the area.
    bool inUse() const;

private:
    QVBoxLayout* layout_;
    QPointer<QWidget> editor_;
};
