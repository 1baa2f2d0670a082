#pragma once
// Undo and redo keys (Ctrl+Z, Ctrl+Shift+Z, Ctrl+Y) belong to the window's history, also while a line
// edit has the focus: a line edit claims them for its own text, which knows nothing of R/G or drawn
// curves. Left unclaimed, the keys reach the menu's undo and redo actions.

#include <QObject>

class QWidget;

class UndoKeys : public QObject {
    Q_OBJECT
public:
    // Watches every widget of `window` while it lives; a child of the window.
    explicit UndoKeys(QWidget& window);
    ~UndoKeys() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const QWidget* window_;
};
