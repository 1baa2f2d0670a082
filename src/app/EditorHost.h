#pragma once
// What a firmware's special editor may ask of the window it is shown in. The window owns its client
// area and where the editor's widget stands in it; the editor owns everything inside that widget.

#include <QString>

class QWidget;

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
};
