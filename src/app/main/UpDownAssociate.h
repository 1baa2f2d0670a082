#pragma once
// Ties an up-down (a QSpinBox showing only its arrows) to the edit field beside it: a step writes
// the new number into the edit, and a number typed into the edit within the up-down's range moves
// the up-down along. Whoever handles the value listens to the edit's textChanged only.

#include <QObject>

class QLineEdit;
class QSpinBox;

class UpDownAssociate : public QObject {
    Q_OBJECT
public:
    UpDownAssociate(QLineEdit* edit, QSpinBox* upDown);

private:
    void upDownStepped(int value);
    void editChanged(const QString& text);

    QLineEdit* edit_;
    QSpinBox* upDown_;
    bool syncing_ = false;
};
