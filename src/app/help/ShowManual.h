#pragma once
// How the rest of the window opens the manual: one manual window per main window, built when first
// asked for, kept (hidden) when the user closes it, and brought to the front again.

#include <QString>

class ManualWindow;
class QWidget;

// Shows the manual window of `owner` at `page` ("muster.html#zeichnen"); with no page, a window
// shown before keeps its page and a new one opens at the contents. `owner` keeps the window and
// deletes it with itself.
ManualWindow* showManual(QWidget* owner, const QString& page = QString());
