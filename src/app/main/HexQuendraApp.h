#pragma once
// The application: its title, the German Qt texts, start-up from the arguments, and the report of
// an exception that reaches the event loop (the loop goes on). Without a reachable display it ends
// with a German message and exit code 1 instead of Qt's abort.

#include <QApplication>

class HexQuendraApp : public QApplication {
    Q_OBJECT
public:
    HexQuendraApp(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Creates the main window, loads the file named in the arguments and runs the event loop, or
    // takes the screenshot of a run without a screen. Returns the exit code.
    int run();

private:
    void quitOnFirstPaint();
};
