#pragma once
// The "Impulse" tab: for each servo the shortest pulse (offset, at curve position 0) and the longest
// (maximum, at position 127) in milliseconds, each with the buttons << < > >> that step the offset or
// the faktor by 10 or 1. A time that differs from the file is marked.

#include <QWidget>

#include <array>

class QLineEdit;
class ServoEdits;

class ServoTimingPage : public QWidget {
    Q_OBJECT
public:
    explicit ServoTimingPage(QWidget* parent = nullptr);

    void showTiming(const ServoEdits& edits);

signals:
    // Servo 1..4, step ±1 or ±10.
    void offsetStepped(int servo, int step);
    void faktorStepped(int servo, int step);

private:
    // The read-only time field of servo 1..4 with its four step buttons in row `servo` from `column`.
    QLineEdit* addTime(int servo, bool offset, int column);

    std::array<QLineEdit*, 4> offsets_{};
    std::array<QLineEdit*, 4> maximums_{};
};
