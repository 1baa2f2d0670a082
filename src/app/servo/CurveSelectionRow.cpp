#include "CurveSelectionRow.h"

#include "ChangeMark.h"
#include "NumberField.h"
#include "ServoCaptions.h"
#include "ServoUpDown.h"
#include "servo/ServoData.h"

#include <QHBoxLayout>
#include <QRadioButton>

#include <algorithm>

namespace {

// The edit with its up-down right beside it.
QHBoxLayout* withUpDown(QWidget* edit, QWidget* upDown) {
    auto* pair = new QHBoxLayout;
    pair->setSpacing(0);
    pair->addWidget(edit);
    pair->addWidget(upDown);
    return pair;
}

// Shows `stored` unless the field's number, brought into the field's range, already is it.
void showIn(NumberField* field, int stored, bool asStored) {
    const std::optional<int> typed = field->value().number();
    if (!asStored && typed && std::clamp(*typed, field->lowest(), field->highest()) == stored)
        return;
    field->showValue(stored);
}

} // namespace

CurveSelectionRow::CurveSelectionRow(QWidget* parent)
    : QWidget(parent),
      count_(field("edt_Anzahl", hq::kMaxCurvePoints,
                   QStringLiteral("Anzahl der Kurven-Punkte (1..100), die abgefahren werden; Punkte dahinter "
                                  "bleiben gespeichert."))),
      stretch_(
          field("edt_stretch", hq::kMaxStretch,
                QStringLiteral("Stretch-Faktor (1..200): jeder Schritt von Punkt zu Punkt dauert 20 ms × "
                               "Stretch."))) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    for (int i = 0; i < kCurveCount; ++i) {
        auto* radio = new QRadioButton(QStringLiteral("Kurve %1").arg(i + 1), this);
        radio->setObjectName(QStringLiteral("servo_rad_a%1").arg(i + 1));
        radios_[static_cast<std::size_t>(i)] = radio;
        row->addWidget(radio);
        connect(radio, &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                emit curveSelected(i + 1);
        });
    }
    radios_[0]->setChecked(true);
    row->addStretch();
    row->addWidget(rowCaption(QStringLiteral("Anzahl"), this));
    row->addLayout(withUpDown(count_, new ServoUpDown(count_, 1, hq::kMaxCurvePoints, this)));
    row->addSpacing(8);
    row->addWidget(rowCaption(QStringLiteral("Stretch"), this));
    row->addLayout(withUpDown(stretch_, new ServoUpDown(stretch_, 1, hq::kMaxStretch, this)));

    connect(count_, &NumberField::valueEdited, this, &CurveSelectionRow::countEdited);
    connect(stretch_, &NumberField::valueEdited, this, &CurveSelectionRow::stretchEdited);
    connect(count_, &NumberField::entryFinished, this, [this] { leaveField(count_, storedCount_); });
    connect(stretch_, &NumberField::entryFinished, this, [this] { leaveField(stretch_, storedStretch_); });
}

NumberField* CurveSelectionRow::field(const char* name, int highest, const QString& hint) {
    auto* edit = new NumberField(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setRange(1, highest);
    edit->setToolTip(hint);
    edit->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return edit;
}

void CurveSelectionRow::leaveField(NumberField* field, int stored) {
    // Blank or half-typed while the user was typing; left so, it shows what is stored.
    if (!field->value().isNumber())
        field->showValue(stored);
    emit entryFinished();
}

int CurveSelectionRow::selectedCurve() const {
    for (int i = 0; i < kCurveCount; ++i) {
        if (radios_[static_cast<std::size_t>(i)]->isChecked())
            return i + 1;
    }
    return 1;
}

void CurveSelectionRow::selectCurve(int curve) {
    if (curve >= 1 && curve <= kCurveCount)
        radios_[static_cast<std::size_t>(curve - 1)]->setChecked(true);
}

QRadioButton* CurveSelectionRow::radio(int curve) const {
    return radios_[static_cast<std::size_t>(std::clamp(curve, 1, kCurveCount) - 1)];
}

void CurveSelectionRow::showStored(int count, int stretch, bool asStored) {
    storedCount_ = count;
    storedStretch_ = stretch;
    showIn(count_, count, asStored);
    showIn(stretch_, stretch, asStored);
}

void CurveSelectionRow::markCurve(int curve, bool changed) {
    QRadioButton* button = radio(curve);
    if (hasChangeMark(button) != changed)
        setChangeMark(button, changed, QString());
}
