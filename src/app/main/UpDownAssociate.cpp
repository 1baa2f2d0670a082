#include "UpDownAssociate.h"

#include "ParseInteger.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

UpDownAssociate::UpDownAssociate(QLineEdit* edit, QSpinBox* upDown)
    : QObject(edit), edit_(edit), upDown_(upDown) {
    connect(upDown_, &QSpinBox::valueChanged, this, &UpDownAssociate::upDownStepped);
    connect(edit_, &QLineEdit::textChanged, this, &UpDownAssociate::editChanged);
}

void UpDownAssociate::upDownStepped(int value) {
    if (syncing_) {
        return;
    }
    syncing_ = true;
    edit_->setText(QString::number(value));
    syncing_ = false;
}

void UpDownAssociate::editChanged(const QString& text) {
    if (syncing_) {
        return;
    }
    const std::optional<int> value = hq::parseInteger(text.toStdString());
    if (!value || *value < upDown_->minimum() || *value > upDown_->maximum()) {
        return;
    }
    const QSignalBlocker blocker(upDown_);
    upDown_->setValue(*value);
}
