#include "ServoUpDown.h"

#include "ParseInteger.h"

#include <QLineEdit>
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
        button->setFixedSize(16, 11);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        layout->addWidget(button);
    }
    connect(up_, &QToolButton::clicked, this, [this] { step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
    setFixedSize(16, 22);
}

void ServoUpDown::step(int delta) {
    const auto typed = hq::parseInteger(associate_->text().toStdString());
    const int current = typed ? std::clamp(*typed, minimum_, maximum_) : position_;
    position_ = std::clamp(current + delta, minimum_, maximum_);
    associate_->setText(QString::number(position_));
}
