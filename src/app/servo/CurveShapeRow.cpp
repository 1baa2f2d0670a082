#include "CurveShapeRow.h"

#include "CompactButton.h"
#include "ServoCaptions.h"

#include <QHBoxLayout>

namespace {

struct ShapeButton {
    const char* name;
    const char* caption;
    hq::CurveShape shape;
};

constexpr std::array<ShapeButton, 4> kShapes{{
    {"btn_Lin", "Lin", hq::CurveShape::Linear},
    {"btn_Log", "Log", hq::CurveShape::Logarithmic},
    {"btn_Sin", "1/4 Sin", hq::CurveShape::QuarterSine},
    {"btn_sin2", "1/2 Sin", hq::CurveShape::HalfSine},
}};

} // namespace

CurveShapeRow::CurveShapeRow(QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(rowCaption(QStringLiteral("Kurvenform:"), this));
    for (const ShapeButton& shape : kShapes) {
        auto* button =
            new CompactButton(QString::fromLatin1(shape.name), QString::fromLatin1(shape.caption), this);
        row->addWidget(button);
        connect(button, &QPushButton::clicked, this,
                [this, kind = shape.shape] { emit shapeRequested(kind); });
    }
    row->addSpacing(12);
    row->addWidget(rowCaption(QStringLiteral("Spiegeln:"), this));
    auto* vertical =
        new CompactButton(QStringLiteral("btn_MirrorVertikal"), QStringLiteral("vertikal"), this);
    auto* horizontal =
        new CompactButton(QStringLiteral("btn_MirrorHorizontal"), QStringLiteral("horizontal"), this);
    row->addWidget(vertical);
    row->addWidget(horizontal);
    row->addStretch();
    connect(vertical, &QPushButton::clicked, this,
            [this] { emit mirrorRequested(ServoEdits::Mirror::Vertical); });
    connect(horizontal, &QPushButton::clicked, this,
            [this] { emit mirrorRequested(ServoEdits::Mirror::Horizontal); });
}
