#pragma once
// `pnl_wz_f_neon`: the neon function decoder's two light levels and delay, each an edit with an
// up-down, and the text explaining them. Controls only; the NeonEditor handles them.

#include "light/NeonValues.h"

#include <QFrame>

class QLineEdit;
class QSpinBox;

class NeonPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kWidth = 335; // fits the window beside the grid at its smallest

    explicit NeonPanel(QWidget* parent = nullptr);

    QLineEdit* edit(hq::NeonValue which) const;
    QSpinBox* upDown(hq::NeonValue which) const;

private:
    QLineEdit* valueEdit(const QString& role, const QString& caption, int top, QSpinBox** upDown);

    QLineEdit* hell_ = nullptr;
    QLineEdit* dunkel_ = nullptr;
    QLineEdit* delay_ = nullptr;
    QSpinBox* hellUpDown_ = nullptr;
    QSpinBox* dunkelUpDown_ = nullptr;
    QSpinBox* delayUpDown_ = nullptr;
};
