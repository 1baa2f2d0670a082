#pragma once
// The "Zuordnung" tab: for each switching address a1..a8 the servo, action, curve and relay it drives,
// as four combo boxes per row. Curve and relay belong only to "Start" and "Start Loop" and are hidden
// for the other actions. A box whose item differs from the file is marked.

#include "document/ServoEdits.h"

#include <QHash>
#include <QSize>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class QComboBox;

class ServoAssignmentPage : public QWidget {
    Q_OBJECT
public:
    using Field = ServoEdits::AssignmentField;

    explicit ServoAssignmentPage(QWidget* parent = nullptr);

    // Shows the items of `edits` and marks what differs from its file.
    void showAssignments(const ServoEdits& edits);
    // Row a1..a8.
    QComboBox* combo(int row, Field field) const;

signals:
    void assignmentChosen(int row, ServoEdits::AssignmentField field, int item);

private:
    QComboBox* addCombo(int row, Field field);

    // The items of each kind of box, and the sizes its eight boxes share, one per font (worked out
    // by the first box asked in that font, again after a change of style).
    std::array<QStringList, 4> items_{};
    std::array<std::shared_ptr<QHash<QString, QSize>>, 4> sizes_{};
    std::array<std::array<QComboBox*, 4>, hq::kAssignmentRowCount> rows_{};
};
