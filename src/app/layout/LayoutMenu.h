#pragma once
// How a window reaches the layouts: "Anlage öffnen…" asks for a folder, "Zuletzt geöffnete
// Anlagen" lists the last ones. Each folder has at most one layout window; opening it again
// brings that window to the front.

#include <QString>

class LayoutWindow;
class QAction;
class QMenu;
class QWidget;

// Connects `open` to the folder dialog and fills `recent` each time it is opened. `parent` is the
// window the dialog and messages belong to.
void attachLayoutMenu(QWidget* parent, QAction* open, QMenu* recent);

// Asks for a folder and opens its layout window; nullptr when cancelled or refused.
LayoutWindow* chooseLayout(QWidget* parent);

// Opens the layout window of `folder`, or brings its open window to the front, and remembers the
// folder among the recent layouts. A folder that cannot be read is refused with the German reason
// (shown over `parent`) and returns nullptr.
LayoutWindow* openLayoutWindow(const QString& folder, QWidget* parent = nullptr);
