#include "CompactButton.h"

#include <QStyle>
#include <QStyleOptionButton>

CompactButton::CompactButton(const QString& name, const QString& caption, QWidget* parent, Padding padding)
    : QPushButton(caption, parent), padding_(padding) {
    setObjectName(name);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize CompactButton::sizeHint() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    const int styleMargin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this);
    const int margin = padding_ == Padding::Text ? styleMargin : styleMargin * 2 / 3;
    const int width = fontMetrics().horizontalAdvance(text()) + 2 * margin;
    return {width, QPushButton::sizeHint().height()};
}

QSize CompactButton::minimumSizeHint() const {
    return sizeHint();
}
