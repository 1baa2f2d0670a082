#pragma once
// The row of the servo curve generators ("Kurvenform:" Lin, Log, 1/4 Sin, 1/2 Sin) and of the mirrors
// ("Spiegeln:" vertikal, horizontal); each button asks for its change of the selected curve.

#include "document/ServoEdits.h"
#include "servo/CurveGenerator.h"

#include <QWidget>

class CurveShapeRow : public QWidget {
    Q_OBJECT
public:
    explicit CurveShapeRow(QWidget* parent = nullptr);

signals:
    void shapeRequested(hq::CurveShape shape);
    void mirrorRequested(ServoEdits::Mirror mirror);
};
