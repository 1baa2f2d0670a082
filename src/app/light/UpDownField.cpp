#include "light/UpDownField.h"

#include "ChangeMark.h"
#include "NumberField.h"
#include "main/UpDownAssociate.h"

#include <QHBoxLayout>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionSpinBox>

namespace {

// As wide as the style draws the arrows, with the frame around them.
int arrowsWidth(const QSpinBox* arrows) {
    QStyleOptionSpinBox option;
    option.initFrom(arrows);
    option.rect = QRect(0, 0, 100, arrows->sizeHint().height());
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame;
    option.frame = true;
    const QRect up =
        arrows->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, arrows);
    const int frame = arrows->style()->pixelMetric(QStyle::PM_SpinBoxFrameWidth, &option, arrows);
    return up.width() + 2 * frame;
}

} // namespace

UpDownField makeUpDownField(QWidget* parent, const QString& fieldName, const QString& arrowsName, int lowest,
                            int highest, const QString& hint) {
    UpDownField made;
    made.field = new NumberField(parent);
    made.field->setObjectName(fieldName);
    setHint(made.field, hint);
    made.field->setRange(lowest, highest);
    made.field->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    made.arrows = new QSpinBox(parent);
    made.arrows->setObjectName(arrowsName);
    made.arrows->setRange(lowest, highest);
    made.arrows->setFocusPolicy(Qt::NoFocus);
    made.arrows->setFixedSize(arrowsWidth(made.arrows), made.field->sizeHint().height());
    new UpDownAssociate(made.field, made.arrows);

    made.row = new QHBoxLayout;
    made.row->setSpacing(0);
    made.row->addWidget(made.field);
    made.row->addWidget(made.arrows);
    return made;
}
