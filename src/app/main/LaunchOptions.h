#pragma once
// The program's arguments: a HEX file to load at start-up, and for runs without a screen
// `--screenshot OUT.png [FILE]`, which loads FILE, saves a picture of the window and ends,
// `--pdf OUT.pdf FILE`, which writes FILE's settings sheet without showing a window, and for
// start-up measurements `--quit-after-first-frame`.

#include <QString>
#include <QStringList>

struct LaunchOptions {
    QString file;                     // loaded at start-up as if chosen in the open dialog; empty for none
    QString screenshot;               // the picture to write; empty for a normal run
    QString pdf;                      // the settings sheet to write; empty for a normal run
    QString error;                    // a German message when the arguments make no sense
    bool quitAfterFirstFrame = false; // for start-up measurements: end once the window is painted

    // `arguments` without the program name.
    static LaunchOptions parse(const QStringList& arguments);

    // The line printed after an error in the arguments.
    static QString usage();

    // True when `argv` asks for a run that never shows a window (`--pdf`), checked before the
    // application exists so that such a run needs no display.
    static bool runsWithoutWindow(int argc, const char* const* argv);
};
