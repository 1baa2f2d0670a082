#pragma once
// What a firmware's special editor may ask of the window it is shown in. The window owns its client
// area, the parameter grid, the button row and the picture box, and decides how they make way for an
// editor; an editor knows only the room it is given and the controls handed to it.

#include <QRect>
#include <QSize>
#include <QString>

class QLabel;
class QLineEdit;
class QSpinBox;
class QWidget;

// The part of the client area an editor's panels may use, in client-area coordinates: the area right
// of the parameter grid, except that from `buttonRowTop` down only the part from `lowerLeft` rightwards
// is free (the button row and the picture box stand left of it).
struct EditorRoom {
    QRect area;
    int buttonRowTop = 0;
    int lowerLeft = 0;

    // Whether `rect` lies in the free room.
    bool holds(const QRect& rect) const {
        if (!area.contains(rect))
            return false;
        return rect.bottom() < buttonRowTop || rect.left() >= lowerLeft;
    }
};

// The minimum count of active outputs of the house-light firmware: controls of the window's extra
// value panel that the house-light editor shows, fills and reads.
struct HouseMinimumControls {
    QLabel* caption = nullptr;
    QLineEdit* edit = nullptr;
    QSpinBox* upDown = nullptr;
};

class EditorHost {
public:
    virtual ~EditorHost() = default;

    // Shows `area` (the editor's panels, laid out by the editor as one widget) in the window's editor
    // area beside the grid, in place of what was there; null empties the area. The window places it
    // and gives it the room its layout asks for; the editor owns everything inside it.
    virtual void showEditorArea(QWidget* area) = 0;

    // A short note in the status bar, such as why a stroke changed nothing.
    virtual void showStatusNote(const QString& text) = 0;

    // Opens the manual at `page` ("muster.html#zeichnen").
    virtual void showManualPage(const QString& page) = 0;

    // What follows is the placement by pixels that the editor area replaces; it goes once every
    // editor shows itself through `showEditorArea`.

    // The widget the editors' panels are shown in (the client area); a panel made for another parent
    // is moved into it before it is shown.
    virtual QWidget* panelParent() = 0;

    // The room as the window stands.
    virtual EditorRoom editorRoom() const = 0;

    // Makes room for an editor's panels: the window becomes at least `size` (and no smaller than its
    // own minimum), and the button row with the picture box narrows to leave the lower right corner
    // free. Returns the room then.
    virtual EditorRoom makeRoom(QSize size) = 0;

    // The house-light minimum controls; hidden until the editor shows them.
    virtual HouseMinimumControls houseMinimumControls() = 0;
};
