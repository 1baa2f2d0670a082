#pragma once
// The one number-entry behaviour of every numeric field of the window: the grid's addresses and
// function numbers, the extra value, and the editors' counts, stretches and levels.
//
// While the user types, the field takes any text: a blank or half-typed field is normal and pops up
// nothing. A text that is no number, or a number outside the field's range, is marked at once (a red
// line under the text, and the field's tooltip says what is allowed); what happens to such a value
// is the owner's decision, as before: the grid keeps it for the save to report, an editor stores only
// numbers and clamps them. The field is wide enough for its longest valid value in bold with the
// change mark, whatever the font.

#include "FieldValue.h"

#include <QLineEdit>

class NumberField : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberField(QWidget* parent = nullptr);

    // The valid values; `lowest` > `highest` for a field without a range (any number is valid).
    void setRange(int lowest, int highest);
    int lowest() const { return lowest_; }
    int highest() const { return highest_; }

    // What the field holds: the number typed (however it is spelt), or the text when it is no number.
    hq::FieldValue value() const;
    // Shows `value` unless the field already holds that value ("05" stays while it is 5, with its
    // cursor); reports no edit.
    void showValue(const hq::FieldValue& value);

    // The text is no number, or a number outside the range. A blank field counts while the user
    // types in it, so that the mark says the field cannot stay so.
    bool isOutOfRange() const { return outOfRange_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The user changed the text (typed, pasted, cut, undone in the field); not sent by `showValue`.
    void valueEdited(const hq::FieldValue& value);
    // The user left the field or pressed Enter: what was typed is one finished entry.
    void entryFinished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void checkRange();
    int widthFor(int digits, bool minus) const;

    int lowest_ = 1;
    int highest_ = 0;
    bool outOfRange_ = false;
    bool showing_ = false;
    mutable QSize hint_; // invalid until worked out for the range and the font
};
