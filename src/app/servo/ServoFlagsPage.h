#pragma once
// The "Optionen" tab: the four option flags of each servo ("Spannung aus", "Impulse aus", "keine
// Unterbrechung", "keine Wiederholung") as check boxes. A box that differs from the file is marked.

#include "servo/ServoFlags.h"

#include <QWidget>

#include <array>

class QCheckBox;
class ServoEdits;

class ServoFlagsPage : public QWidget {
    Q_OBJECT
public:
    explicit ServoFlagsPage(QWidget* parent = nullptr);

    void showFlags(const ServoEdits& edits);

signals:
    void flagSet(int servo, hq::ServoFlag flag, bool on);

private:
    std::array<std::array<QCheckBox*, 4>, 4> boxes_{};
};
