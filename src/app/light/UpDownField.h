#pragma once
// A number field with an up-down beside it that shows only its arrows, as the pattern, neon and
// house-light editors have them: the arrows step the value through the field (so the field's owner
// sees every value the same way), and the row is sized by the style, not by pixel numbers.

#include <QString>

class NumberField;
class QHBoxLayout;
class QSpinBox;
class QWidget;

struct UpDownField {
    NumberField* field = nullptr;
    QSpinBox* arrows = nullptr;
    QHBoxLayout* row = nullptr; // the field and its arrows, side by side
};

// A field named `fieldName` for lowest..highest with the tooltip `hint` and arrows named
// `arrowsName`, children of `parent`.
UpDownField makeUpDownField(QWidget* parent, const QString& fieldName, const QString& arrowsName, int lowest,
                            int highest, const QString& hint);
