#pragma once
// An up-down pair of arrow buttons tied to an edit field: a click steps the number in the field by
// one within the up-down's range and writes it back as text, so the field's own change handling
// runs as if the number had been typed. Text that is no number steps from the last position. The
// pair is as high as the field beside it and as wide as the style's scroll bar arrows.

#include <QWidget>

class QLineEdit;
class QToolButton;

class ServoUpDown : public QWidget {
    Q_OBJECT
public:
    ServoUpDown(QLineEdit* associate, int minimum, int maximum, QWidget* parent = nullptr);

    int position() const { return position_; }
    void step(int delta);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    QLineEdit* associate_;
    QToolButton* up_;
    QToolButton* down_;
    int minimum_;
    int maximum_;
    int position_;
};
