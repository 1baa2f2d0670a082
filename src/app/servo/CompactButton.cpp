#include "CompactButton.h"

#include <QStyle>
#include <QStyleOptionButton>

CompactButton::CompactButton(const QString& name, const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    setObjectName(name);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize CompactButton::sizeHint() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this);
    const int width = fontMetrics().horizontalAdvance(text()) + 2 * margin;
    return {width, QPushButton::sizeHint().height()};
}

QSize CompactButton::minimumSizeHint() const {
    return sizeHint();
}
