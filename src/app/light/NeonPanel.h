#pragma once
// `pnl_wz_f_neon`: the neon function decoder's two light levels and delay, each a number field with
// an up-down, and the text explaining them, arranged by Qt layouts. Controls only; the NeonEditor
// shows the document in them and stores what is typed.

#include "light/NeonValues.h"

#include <QFrame>

#include <array>

class NumberField;
class QGridLayout;
class QSpinBox;

class NeonPanel : public QFrame {
    Q_OBJECT
public:
    explicit NeonPanel(QWidget* parent = nullptr);

    NumberField* edit(hq::NeonValue which) const;
    QSpinBox* upDown(hq::NeonValue which) const;

private:
    void addValueRow(QGridLayout* grid, int row, hq::NeonValue which, const QString& role,
                     const QString& caption);

    std::array<NumberField*, 3> edits_{};
    std::array<QSpinBox*, 3> upDowns_{};
};
