#pragma once
// The window's client area and how its views stand in it, with Qt layouts: the grid box top left, the
// button row below it and the picture box right of the buttons; right of the grid the extra-value
// panel, or, for a firmware with a special editor, the editor area from top to bottom beside the grid
// and the button row, the picture then sharing the row under the grid with the buttons. The area is
// at least today's least size and more when its views need more.

#include <QWidget>

class ButtonBox;
class EditorArea;
class ImageBox;
class ParameterGridBox;
class QGridLayout;
class QHBoxLayout;
class ZusatzPanel;

class ClientArea : public QWidget {
    Q_OBJECT
public:
    struct Views {
        ParameterGridBox* grid;
        ZusatzPanel* extra;
        ButtonBox* buttons;
        ImageBox* picture;
    };

    // Builds the editor area and lays `views` (children of `parent`'s client area to be) out.
    ClientArea(const Views& views, QSize least, QWidget* parent = nullptr);

    EditorArea* editorArea() const { return area_; }

    // Places the views for an editor area or for the extra value.
    void arrange(bool editor);
    // What the views need, worked out now rather than on the next turn of the event loop.
    void settle();

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

private:
    Views views_;
    QSize least_;
    EditorArea* area_;
    QWidget* rightColumn_;
    QGridLayout* layout_;
    QHBoxLayout* bottomLeft_;
    int arranged_ = -1; // -1 not yet, else whether for an editor
};
