#pragma once
// The row under the servo drawings that chooses what they show: the radio buttons "Kurve 1" to
// "Kurve 4" (marked while that curve differs from the file) and the selected curve's fields "Anzahl"
// (points played, 1..100) and "Stretch" (1..200) with their up-down arrows. The fields take any text
// while the user types and report it; a field left holding no number shows the stored value again.

#include "FieldValue.h"

#include <QWidget>

#include <array>

class NumberField;
class QRadioButton;

class CurveSelectionRow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCurveCount = 4;

    explicit CurveSelectionRow(QWidget* parent = nullptr);

    // The selected curve 1..4.
    int selectedCurve() const;
    void selectCurve(int curve);
    // Shows the selected curve's stored count and stretch. A field keeps what was typed into it while
    // that stands for the stored value ("0" for 1, "150" for 100), unless `asStored`: then the text
    // was typed for another curve or another firmware.
    void showStored(int count, int stretch, bool asStored);
    void markCurve(int curve, bool changed);

    NumberField* countField() const { return count_; }
    NumberField* stretchField() const { return stretch_; }
    QRadioButton* radio(int curve) const;

signals:
    void curveSelected(int curve);
    void countEdited(const hq::FieldValue& value);
    void stretchEdited(const hq::FieldValue& value);
    // The user left a field or pressed Enter in it.
    void entryFinished();

private:
    NumberField* field(const char* name, int highest, const QString& hint);
    void leaveField(NumberField* field, int stored);

    std::array<QRadioButton*, kCurveCount> radios_{};
    NumberField* count_;
    NumberField* stretch_;
    int storedCount_ = 1;
    int storedStretch_ = 1;
};
