#include "ServoUpDown.h"

#include "ParseInteger.h"

#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

ServoUpDown::ServoUpDown(QLineEdit* associate, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), associate_(associate), up_(new QToolButton(this)), down_(new QToolButton(this)),
      minimum_(minimum), maximum_(maximum), position_(minimum) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* button : {up_, down_}) {
        button->setArrowType(button == up_ ? Qt::UpArrow : Qt::DownArrow);
        // The two share the height of the field; an arrow fits any of it.
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        layout->addWidget(button);
    }
    connect(up_, &QToolButton::clicked, this, [this] { step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize ServoUpDown::sizeHint() const {
    return {style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this), associate_->sizeHint().height()};
}

QSize ServoUpDown::minimumSizeHint() const {
    return sizeHint();
}

void ServoUpDown::step(int delta) {
    const auto typed = hq::parseInteger(associate_->text().toStdString());
    const int current = typed ? std::clamp(*typed, minimum_, maximum_) : position_;
    position_ = std::clamp(current + delta, minimum_, maximum_);
    associate_->setText(QString::number(position_));
}
