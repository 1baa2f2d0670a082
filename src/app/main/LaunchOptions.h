#pragma once
// The program's arguments: a HEX file to load at start-up, and for runs without a screen
// `--screenshot OUT.png [FILE]`, which loads FILE, saves a picture of the window and ends, and for
// start-up measurements `--quit-after-first-frame`.

#include <QString>
#include <QStringList>

struct LaunchOptions {
    QString file;                     // loaded at start-up as if chosen in the open dialog; empty for none
    QString screenshot;               // the picture to write; empty for a normal run
    QString error;                    // a German message when the arguments make no sense
    bool quitAfterFirstFrame = false; // for start-up measurements: end once the window is painted

    // `arguments` without the program name.
    static LaunchOptions parse(const QStringList& arguments);
};
