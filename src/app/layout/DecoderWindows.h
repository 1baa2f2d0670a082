#pragma once
// A decoder of the layout opened in a main window of its own: the window is made as the program
// makes its first one, loads the file and deletes itself when closed. A file already shown in a
// main window brings that window to the front instead, so one file is never edited in two windows.

#include <QString>

class TFormMain;

// The window showing `path`, or nullptr when the file was refused (the window said why).
TFormMain* openDecoderWindow(const QString& path);

// The main window whose document is the file `path`, or nullptr.
TFormMain* decoderWindowOf(const QString& path);
